#include "startup.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

void installBuiltInTranslation(QTranslator *translator)
{
    translator->load(QStringLiteral(":/lang/zh_CN.qm"), QString(), QString(), QString());
    QCoreApplication::installTranslator(translator);
}

QString builtInStyleSheet()
{
    QFile file(QStringLiteral(":/qss/main.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
