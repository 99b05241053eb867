// Any settings file: where the check passes it, Qt reads it and the options load within their ranges
// without a crash or an unbounded allocation (the sanitizers' limits stop a run that tries).
#include "optiontable.h"
#include "storecheck.h"

#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    if (!StoreCheck::isSafeIniText(text))
        return 0;
    static QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("settings.conf"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return 0;
    }
    const QSettings store(path, QSettings::IniFormat);
    CopyBookOptions::OptionValues values;
    CopyBookOptions::loadOptions(store, &values);
    if (!(values.cellSize >= CopyBookOptions::kMinCellSize && values.cellSize <= CopyBookOptions::kMaxCellSize)
        || values.gridColor.alpha() != 255 || !std::isfinite(values.gridColor.redF()))
        std::abort();
    // Every section, as a save would read them.
    for (const QString &key : store.allKeys())
        store.value(key);
    return 0;
}
