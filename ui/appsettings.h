#pragma once

#include "copybookoptions.h"

#include <QColor>
#include <QString>

// The options that survive between runs: the ten of the main panel, and those of the "More Options"
// section, which the store keeps in a group of their own. The text is deliberately not among them.
struct AppSettings
{
    bool commonChineseOnly = CopyBookOptions::kDefaultCommonChineseOnly;
    int bookType = CopyBookOptions::kDefaultBookType;
    int traceType = CopyBookOptions::kDefaultTraceType;
    int blankLines = CopyBookOptions::kDefaultBlankLines;
    float cellSize = CopyBookOptions::kDefaultCellSize;
    float fontSize = CopyBookOptions::kDefaultFontSize;
    float opacity = CopyBookOptions::kDefaultOpacity;
    QString fontName = CopyBookOptions::defaultFontName();
    QColor gridColor = CopyBookOptions::defaultGridColor();
    QColor textColor = CopyBookOptions::defaultTextColor();

    // The engine's own record, so its defaults are the settings' defaults.
    CopyBookOptions::SheetOptions sheet;
    bool vectorPdf = false;
    // Whether the window shows the section; it starts closed so the panel looks as it always has.
    bool moreOptionsOpen = false;

    // The process-wide record; the first call reads the store.
    static AppSettings *instance();

    void loadSettings();
    void saveSettings() const;
};
