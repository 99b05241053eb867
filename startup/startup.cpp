#include "startup.h"

#include "fonts.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

// The bundle is compiled into this static library; naming it here makes every program that uses the
// library keep it, where an unreferenced resource object would be dropped by the linker. Outside any
// namespace, as the registration functions are declared where the macro stands.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(lang);
}

bool installBuiltInTranslation(QTranslator *translator)
{
    registerResources();
    const bool loaded = translator->load(QStringLiteral(":/lang/zh_CN.qm"), QString(), QString(), QString());
    QCoreApplication::installTranslator(translator);
    return loaded;
}

bool installQtTranslation(QTranslator *translator)
{
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(translator);
}

QString builtInStyleSheet()
{
    registerResources();
    QFile file(QStringLiteral(":/qss/main.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString style = QString::fromUtf8(file.readAll());
    const QString standIn = interfaceFontStandIn();
    if (!standIn.isEmpty())
        style.replace(QStringLiteral("\"微软雅黑\","), QStringLiteral("\"微软雅黑\", \"%1\",").arg(standIn));
    return style;
}

void enableHighDpiScaling()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

void preferOffscreenPlatform()
{
#ifndef Q_OS_WIN
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}
