#pragma once

#include "optiontable.h"

// The options that survive between runs (see CopyBookOptions::optionTable()) and the window's own state
// beside them. The text is deliberately not among them.
struct AppSettings : CopyBookOptions::OptionValues
{
    // Whether the window shows the "More Options" section; it starts closed so the panel looks as it
    // always has.
    bool moreOptionsOpen = false;
    // Where a damaged store was kept aside when it was read, for the window to say once; and whether
    // the store can be used at all (not when a damaged one could not be kept aside).
    QString damagedStoreKeptAs;
    bool storeUsable = true;

    // The process-wide record; the first call reads the store.
    static AppSettings *instance();

    void loadSettings();
    void saveSettings() const;
};
