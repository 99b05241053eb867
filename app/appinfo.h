#pragma once

#include <QCoreApplication>
#include <QString>

// The program's identity in one place: the names scope the settings store and become the creator of
// every PDF, so the window and the command-line renderer must set exactly the same ones.
namespace AppInfo {

inline QString organizationName()
{
    return QStringLiteral("Kelvo");
}
inline QString applicationName()
{
    return QStringLiteral("LattiScribe");
}
inline QString version()
{
    return QStringLiteral(LATTISCRIBE_VERSION);
}

// When this build was made, as the compiler stamps it: "Aug  9 2022" and "19:09:54".
QString buildDate();
QString buildTime();

inline void applyIdentity()
{
    QCoreApplication::setOrganizationName(organizationName());
    QCoreApplication::setApplicationName(applicationName());
    QCoreApplication::setApplicationVersion(version());
}

} // namespace AppInfo
