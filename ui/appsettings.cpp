#include "appsettings.h"

#include <QSettings>

namespace {

// Beside the sheet's options, in their group.
const QString kMoreOptionsOpen = QStringLiteral("Sheet/MoreOptionsOpen");

} // namespace

AppSettings *AppSettings::instance()
{
    static AppSettings settings = [] {
        AppSettings loaded;
        loaded.loadSettings();
        return loaded;
    }();
    return &settings;
}

void AppSettings::loadSettings()
{
    const QSettings store;
    CopyBookOptions::loadOptions(store, this);
    moreOptionsOpen = CopyBookOptions::loadSwitch(store, kMoreOptionsOpen, moreOptionsOpen);
}

void AppSettings::saveSettings() const
{
    QSettings store;
    CopyBookOptions::saveOptions(&store, *this);
    store.setValue(kMoreOptionsOpen, moreOptionsOpen);
}
