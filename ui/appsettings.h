#pragma once

#include "copybookoptions.h"

#include <QColor>
#include <QString>

// The ten options that survive between runs. The text is deliberately not among them.
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

    // The process-wide record; the first call reads the store.
    static AppSettings *instance();

    void loadSettings();
    void saveSettings() const;
};
