#include "appinfo.h"

#include <QCoreApplication>

QString AppInfo::organizationName()
{
    return QStringLiteral("Kelvo");
}

QString AppInfo::applicationName()
{
    return QStringLiteral("LattiScribe");
}

QString AppInfo::version()
{
    return QStringLiteral(LATTISCRIBE_VERSION);
}

QString AppInfo::buildDate()
{
    return QStringLiteral(__DATE__);
}

QString AppInfo::buildTime()
{
    return QStringLiteral(__TIME__);
}

void AppInfo::applyIdentity()
{
    QCoreApplication::setOrganizationName(organizationName());
    QCoreApplication::setApplicationName(applicationName());
    QCoreApplication::setApplicationVersion(version());
}
