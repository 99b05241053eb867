#include "appinfo.h"

QString AppInfo::buildDate()
{
    return QStringLiteral(__DATE__);
}

QString AppInfo::buildTime()
{
    return QStringLiteral(__TIME__);
}
