#pragma once

#include "appsettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

// Points the settings store at a temporary directory for the test's lifetime, so no test reads or
// writes the user's real settings.
class SettingsStore
{
public:
    SettingsStore()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
        QCoreApplication::setApplicationName(QStringLiteral("LattiScribe"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, directory.path());
    }

    QString fileName() const { return QSettings().fileName(); }
    bool exists() const { return QFile::exists(fileName()); }

    // Empties the store and gives the process-wide record a fresh first load, as at a program start.
    void reset(const QVariantMap &stored = {})
    {
        QFile::remove(fileName());
        {
            QSettings settings;
            for (auto it = stored.cbegin(); it != stored.cend(); ++it)
                settings.setValue(it.key(), it.value());
        }
        *AppSettings::instance() = AppSettings();
        AppSettings::instance()->loadSettings();
    }

    QVariant value(const QString &key) const { return QSettings().value(key); }

private:
    QTemporaryDir directory;
};
