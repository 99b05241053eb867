#pragma once

#include <QString>
#include <QStringList>

// Keeps a damaged settings store from stopping the program. Before anything reads the store, its raw
// text is checked (see StoreCheck); a store Qt could not read safely is kept aside exactly as it was (the
// file renamed beside itself; on Windows the registry key copied under a new name) and the program
// starts from the defaults.
namespace StoreGuard {

struct Outcome
{
    // Where the damaged store was kept; empty when the store was sound.
    QString keptAs;
    // False when a damaged store could not be kept aside: it must then be neither read nor written.
    bool usable = true;
};

// `keys` are the program's keys: the registry is read key by key, while a file is read whole.
Outcome keepDamagedStoreAside(const QStringList &keys);

} // namespace StoreGuard
