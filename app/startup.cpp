#include "startup.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>
#include <QWidget>

void installBuiltInTranslation(QTranslator *translator)
{
    translator->load(QStringLiteral(":/lang/zh_CN.qm"), QString(), QString(), QString());
    QCoreApplication::installTranslator(translator);
}

void applyBuiltInStyle(QWidget *window)
{
    QFile file(QStringLiteral(":/qss/main.qss"));
    if (file.open(QIODevice::ReadOnly))
        window->setStyleSheet(QString::fromUtf8(file.readAll()));
}

void preferOffscreenPlatform()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
