#pragma once

#include <QString>

// The program's identity in one place: the names scope the settings store and become the creator of
// every PDF, so the window and the command-line renderer must set exactly the same ones.
namespace AppInfo {

QString organizationName();
QString applicationName();
QString version();

// When this build was made, as the compiler stamps it: "Aug  9 2022" and "19:09:54".
QString buildDate();
QString buildTime();

// Sets the names and the version on the application object.
void applyIdentity();

} // namespace AppInfo
