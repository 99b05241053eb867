#include "appsettings.h"

#include "storeguard.h"

#include <QSettings>

namespace {

// Beside the sheet's options, in their group.
const QString kMoreOptionsOpen = QStringLiteral("Sheet/MoreOptionsOpen");

QStringList storedKeys()
{
    QStringList keys {kMoreOptionsOpen};
    for (const CopyBookOptions::OptionRow &row : CopyBookOptions::optionTable())
        keys << QLatin1String(row.key);
    return keys;
}

// The program's own store alone: the organization's and the system's stores, which Qt would consult
// after it, hold nothing of the program's, and one damaged there would stop it all the same.
void useOwnStoreOnly(QSettings *store)
{
    store->setFallbacksEnabled(false);
}

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
    const StoreGuard::Outcome guarded = StoreGuard::keepDamagedStoreAside(storedKeys());
    damagedStoreKeptAs = guarded.keptAs;
    storeUsable = guarded.usable;
    if (!storeUsable)
        return;
    QSettings store;
    useOwnStoreOnly(&store);
    CopyBookOptions::loadOptions(store, this);
    moreOptionsOpen = CopyBookOptions::loadSwitch(store, kMoreOptionsOpen, moreOptionsOpen);
}

void AppSettings::saveSettings() const
{
    if (!storeUsable)
        return;
    QSettings store;
    useOwnStoreOnly(&store);
    CopyBookOptions::saveOptions(&store, *this);
    store.setValue(kMoreOptionsOpen, moreOptionsOpen);
}
