#pragma once

#include <QByteArray>

class QString;
class QWidget;

// The About entry of the window's system menu. Only Windows has one; elsewhere these do nothing and the
// window offers About in other ways.
namespace SystemMenu {

constexpr unsigned kAboutCommand = 0xE000;

// Appends a separator and the entry. False where the platform has no system menu.
bool appendAbout(QWidget *window, const QString &text);

// Whether a native event is the choice of that entry.
bool isAboutCommand(const QByteArray &eventType, void *message);

} // namespace SystemMenu
