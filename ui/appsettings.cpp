#include "appsettings.h"

#include <QDataStream>
#include <QSettings>
#include <cmath>

using namespace CopyBookOptions;

namespace {

const QString kBookType = QStringLiteral("BookType");
const QString kTraceType = QStringLiteral("TraceType");
const QString kBlankLines = QStringLiteral("BlankLines");
const QString kCellSize = QStringLiteral("CellSize");
const QString kFontSize = QStringLiteral("FontSize");
const QString kOpacity = QStringLiteral("Opacity");
const QString kFontName = QStringLiteral("FontName");
const QString kCommonChineseOnly = QStringLiteral("CommonChineseOnly");
const QString kGridColor = QStringLiteral("GridColor");
const QString kTextColor = QStringLiteral("TextColor");
// The options of the "More Options" section sit in a group of their own, so the ten keys above keep the
// place they have always had in the file.
const QString kGridStyle = QStringLiteral("Sheet/GridStyle");
const QString kTraceStyle = QStringLiteral("Sheet/TraceStyle");
const QString kTitle = QStringLiteral("Sheet/Title");
const QString kNameFields = QStringLiteral("Sheet/NameFields");
const QString kPageNumbers = QStringLiteral("Sheet/PageNumbers");
const QString kPinyin = QStringLiteral("Sheet/Pinyin");
const QString kPinyinOnly = QStringLiteral("Sheet/PinyinOnly");
const QString kVectorPdf = QStringLiteral("Sheet/VectorPdf");
const QString kMoreOptionsOpen = QStringLiteral("Sheet/MoreOptionsOpen");

// A hand-edited or damaged store must not hand the controls or the engine a value no control allows:
// numbers are held to the controls' ranges, and anything that is not a number gets the default.
float boundedFloat(const QSettings &store, const QString &key, float current, float fallback, double min, double max)
{
    bool ok = false;
    const float value = store.value(key, current).toFloat(&ok);
    if (!ok || !std::isfinite(value))
        return fallback;
    return static_cast<float>(qBound(min, static_cast<double>(value), max));
}

int boundedInt(const QSettings &store, const QString &key, int current, int fallback, int min, int max)
{
    bool ok = false;
    const int value = store.value(key, current).toInt(&ok);
    return ok ? qBound(min, value, max) : fallback;
}

// Book and trace types are not clamped: an unknown value leaves its combo without a current item, and
// the engine falls back to a layout of its own for it.
int plainInt(const QSettings &store, const QString &key, int current, int fallback)
{
    bool ok = false;
    const int value = store.value(key, current).toInt(&ok);
    return ok ? value : fallback;
}

// Grid and trace styles are choices from a list: a value off the list means nothing, so it gets the default
// rather than the nearest end of the list.
int choice(const QSettings &store, const QString &key, int current, int fallback, int last)
{
    const int value = plainInt(store, key, current, fallback);
    return value >= 0 && value <= last ? value : fallback;
}

// QVariant would read any text but "0" and "false" as true, so a damaged switch would turn itself on.
bool storedBool(const QSettings &store, const QString &key, bool current, bool fallback)
{
    const QVariant value = store.value(key, current);
    if (value.userType() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return fallback;
}

QString storedText(const QSettings &store, const QString &key, const QString &current)
{
    const QVariant value = store.value(key, current);
    // The INI reader turns a hand-written value with an unquoted comma into a list.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1String(", "));
    return value.toString();
}

// A damaged store can hold a colour whose spec field is none of QColor's (a truncated value reads one
// from whatever byte follows). Copying such a colour is undefined behaviour, so the stored colour is
// written out by Qt and its spec checked in the bytes before any QColor of ours is made from it.
QColor readableColor(const QVariant &value)
{
    if (value.userType() != QMetaType::QColor)
        return QColor(value.toString());
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    if (!QMetaType::save(out, QMetaType::QColor, value.constData()) || bytes.isEmpty())
        return {};
    const int spec = static_cast<signed char>(bytes.at(0));
    if (spec < QColor::Rgb || spec > QColor::ExtendedRgb)
        return {};
    QDataStream in(bytes);
    QColor color;
    in >> color;
    return color;
}

QColor storedColor(const QSettings &store, const QString &key, const QColor &current, const QColor &fallback)
{
    // A stored QColor comes back as one; a name such as "#c00000" converts.
    const QColor color = readableColor(store.value(key, current));
    // An unreadable colour would paint the grid or the glyphs in an arbitrary colour, and one that is not
    // opaque (no control gives one, a damaged value can) could make the grid or the text vanish.
    if (!color.isValid())
        return fallback;
    QColor opaque = color;
    opaque.setAlpha(255);
    return opaque;
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
    const AppSettings defaults;
    const QSettings store;
    bookType = plainInt(store, kBookType, bookType, defaults.bookType);
    traceType = plainInt(store, kTraceType, traceType, defaults.traceType);
    blankLines = boundedInt(store, kBlankLines, blankLines, defaults.blankLines, kMinBlankLines, kMaxBlankLines);
    cellSize = boundedFloat(store, kCellSize, cellSize, defaults.cellSize, kMinCellSize, kMaxCellSize);
    fontSize = boundedFloat(store, kFontSize, fontSize, defaults.fontSize, kMinFontSize, kMaxFontSize);
    opacity = boundedFloat(store, kOpacity, opacity, defaults.opacity, kMinOpacity, kMaxOpacity);
    fontName = storedText(store, kFontName, fontName);
    commonChineseOnly = storedBool(store, kCommonChineseOnly, commonChineseOnly, defaults.commonChineseOnly);
    gridColor = storedColor(store, kGridColor, gridColor, defaults.gridColor);
    textColor = storedColor(store, kTextColor, textColor, defaults.textColor);

    sheet.gridStyle = choice(store, kGridStyle, sheet.gridStyle, defaults.sheet.gridStyle, kLastGridStyle);
    sheet.traceStyle = choice(store, kTraceStyle, sheet.traceStyle, defaults.sheet.traceStyle, kLastTraceStyle);
    sheet.title = storedText(store, kTitle, sheet.title);
    sheet.nameFields = storedBool(store, kNameFields, sheet.nameFields, defaults.sheet.nameFields);
    sheet.pageNumbers = storedBool(store, kPageNumbers, sheet.pageNumbers, defaults.sheet.pageNumbers);
    sheet.pinyin = storedBool(store, kPinyin, sheet.pinyin, defaults.sheet.pinyin);
    sheet.pinyinOnly = storedBool(store, kPinyinOnly, sheet.pinyinOnly, defaults.sheet.pinyinOnly);
    vectorPdf = storedBool(store, kVectorPdf, vectorPdf, defaults.vectorPdf);
    moreOptionsOpen = storedBool(store, kMoreOptionsOpen, moreOptionsOpen, defaults.moreOptionsOpen);
}

void AppSettings::saveSettings() const
{
    QSettings store;
    store.setValue(kBookType, bookType);
    store.setValue(kTraceType, traceType);
    store.setValue(kBlankLines, blankLines);
    store.setValue(kCellSize, cellSize);
    store.setValue(kFontSize, fontSize);
    store.setValue(kOpacity, opacity);
    store.setValue(kFontName, fontName);
    store.setValue(kCommonChineseOnly, commonChineseOnly);
    store.setValue(kGridColor, gridColor);
    store.setValue(kTextColor, textColor);
    store.setValue(kGridStyle, sheet.gridStyle);
    store.setValue(kTraceStyle, sheet.traceStyle);
    store.setValue(kTitle, sheet.title);
    store.setValue(kNameFields, sheet.nameFields);
    store.setValue(kPageNumbers, sheet.pageNumbers);
    store.setValue(kPinyin, sheet.pinyin);
    store.setValue(kPinyinOnly, sheet.pinyinOnly);
    store.setValue(kVectorPdf, vectorPdf);
    store.setValue(kMoreOptionsOpen, moreOptionsOpen);
}
