#include "commandbar.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

CommandBar::CommandBar(QWidget *window)
    : QWidget(window), window(window), buttons(new QHBoxLayout(this)), commands(new QMenu(window))
{
    setObjectName(QStringLiteral("panelCommands"));
    buttons->setContentsMargins(0, 0, 0, 0);
}

CommandBar::~CommandBar() = default;

QAction *CommandBar::add(
    const char *name, const QString &text, const QKeySequence &key, const std::function<void()> &run, bool onButton)
{
    auto *action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    QString tip = text;
    tip.remove(QStringLiteral("…"));
    if (!key.isEmpty())
        tip = QCoreApplication::translate("MainWindow", "%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText));
    action->setToolTip(tip);
    connect(action, &QAction::triggered, window, run);
    window->addAction(action);
    commands->addAction(action);
    if (onButton) {
        auto *button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttons->addWidget(button);
    }
    return action;
}
