#pragma once

#include <QKeySequence>
#include <QWidget>
#include <functional>

class QAction;
class QHBoxLayout;
class QMenu;

// Commands of the window, each an action: on its shortcut anywhere in the window, on a button of this row
// (its tooltip naming the shortcut) and in a context menu.
class CommandBar : public QWidget
{
    Q_OBJECT

public:
    // `window` takes the actions' shortcuts.
    explicit CommandBar(QWidget *window);
    ~CommandBar() override;

    // A command, on a button too when `onButton`.
    QAction *add(const char *name, const QString &text, const QKeySequence &key, const std::function<void()> &run,
        bool onButton = true);
    // Every command, in the order added.
    QMenu *menu() const { return commands; }

private:
    QWidget *window;
    QHBoxLayout *buttons;
    QMenu *commands;
};
