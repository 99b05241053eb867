#include "optiontable.h"

#include <QDataStream>
#include <QSettings>
#include <cmath>
#include <cstring>

namespace CopyBookOptions {

const QVector<OptionRow> &optionTable()
{
    // In the order of the renderer's help and of the window's "More Options" section.
    static const QVector<OptionRow> table = {
        {"BookType", &OptionValues::bookType, "book-type", "TYPE", nullptr, 0, 0,
            {{"trace", QT_TRANSLATE_NOOP("MainWindow", "Trace")}, {"copy", QT_TRANSLATE_NOOP("MainWindow", "Copy")}},
            true},
        {"TraceType", &OptionValues::traceType, "trace-type", "TYPE", nullptr, 0, 0,
            {{"none", QT_TRANSLATE_NOOP("MainWindow", "None")}, {"half", QT_TRANSLATE_NOOP("MainWindow", "Half")},
                {"all", QT_TRANSLATE_NOOP("MainWindow", "All")}},
            true},
        {"CellSize", &OptionValues::cellSize, "cell-size", "CM", "Cell side", kMinCellSize, kMaxCellSize},
        {"FontName", &OptionValues::fontName, "font-family", "NAME", "Glyph font family"},
        {"FontSize", &OptionValues::fontSize, "font-size", "CM", "Glyph size", kMinFontSize, kMaxFontSize},
        {"Opacity", &OptionValues::opacity, "opacity", "X", "Opacity of faded glyphs", kMinOpacity, kMaxOpacity},
        {"BlankLines", &OptionValues::blankLines, "blank-lines", "N", "Empty rows after each line", kMinBlankLines,
            kMaxBlankLines},
        {"CommonChineseOnly", &OptionValues::commonChineseOnly, "all-characters", nullptr,
            "Lay out every character, not only CJK ideographs U+4E00 to U+9FFF."},
        {"GridColor", &OptionValues::gridColor, "grid-color", "COLOR", "Grid colour, such as #c00000 or navy"},
        {"TextColor", &OptionValues::textColor, "text-color", "COLOR", "Glyph colour"},
        {"Sheet/GridStyle", &OptionValues::gridStyle, "grid-style", "STYLE", nullptr, 0, 0,
            {{"tian", QT_TRANSLATE_NOOP("MainWindow", "Tian grid"), "cross"},
                {"mi", QT_TRANSLATE_NOOP("MainWindow", "Mi grid"), "cross and diagonals"},
                {"square", QT_TRANSLATE_NOOP("MainWindow", "Square grid"), "outline only"},
                {"hui", QT_TRANSLATE_NOOP("MainWindow", "Hui grid"), "inner square"},
                {"nine", QT_TRANSLATE_NOOP("MainWindow", "Nine-square grid"), "three by three"}},
            false, "cmbGridStyle", QT_TRANSLATE_NOOP("MainWindow", "Grid Style")},
        {"Sheet/TraceStyle", &OptionValues::traceStyle, "trace-style", "STYLE", ": faded glyphs as outlines to trace",
            0, 0,
            {{"solid", QT_TRANSLATE_NOOP("MainWindow", "Solid")},
                {"hollow", QT_TRANSLATE_NOOP("MainWindow", "Hollow")}},
            false, "cmbTraceStyle", QT_TRANSLATE_NOOP("MainWindow", "Trace Style")},
        {"Sheet/Paper", &OptionValues::paper, "paper", "SIZE", ": the paper the page is laid out on", 0, 0,
            {{"a4", QT_TRANSLATE_NOOP("MainWindow", "A4 (210 × 297 mm)"), "210 x 297 mm"},
                {"a5", QT_TRANSLATE_NOOP("MainWindow", "A5 (148 × 210 mm)"), "148 x 210 mm"},
                {"b5", QT_TRANSLATE_NOOP("MainWindow", "B5 (176 × 250 mm)"), "ISO, 176 x 250 mm"},
                {"letter", QT_TRANSLATE_NOOP("MainWindow", "Letter (8.5 × 11 in)"), "8.5 x 11 in"},
                {"a3", QT_TRANSLATE_NOOP("MainWindow", "A3 (297 × 420 mm)"), "297 x 420 mm"}},
            false, "cmbPaper", QT_TRANSLATE_NOOP("MainWindow", "Paper")},
        {"Sheet/Landscape", &OptionValues::landscape, "landscape", nullptr,
            "The paper on its side, wider than it is tall.", 0, 0, {}, false, "chkLandscape",
            QT_TRANSLATE_NOOP("MainWindow", "Landscape")},
        {"Sheet/Title", &OptionValues::title, "title", "TEXT", "A title centred at the top of every page.", 0, 0, {},
            false, "editTitle", QT_TRANSLATE_NOOP("MainWindow", "Title")},
        {"Sheet/NameFields", &OptionValues::nameFields, "name-fields", nullptr,
            "Fields for the pupil's name, class and date under the title.", 0, 0, {}, false, "chkNameFields",
            QT_TRANSLATE_NOOP("MainWindow", "Name fields")},
        {"Sheet/PageNumbers", &OptionValues::pageNumbers, "page-numbers", nullptr, "Page numbers at the foot.", 0, 0,
            {}, false, "chkPageNumbers", QT_TRANSLATE_NOOP("MainWindow", "Page numbers")},
        {"Sheet/Pinyin", &OptionValues::pinyin, "pinyin", nullptr,
            "A pinyin band above every row, with the reading of each character as it stands in its word; a reading "
            "in brackets after a character overrides it: 行[hang2] or 行[háng].",
            0, 0, {}, false, "chkPinyin", QT_TRANSLATE_NOOP("MainWindow", "Pinyin")},
        {"Sheet/PinyinOnly", &OptionValues::pinyinOnly, "pinyin-only", nullptr,
            "Write from pinyin: the band shows the reading, the squares to write in stay empty.", 0, 0, {}, false,
            "chkPinyinOnly", QT_TRANSLATE_NOOP("MainWindow", "Write from pinyin")},
        {"Sheet/PlainTones", &OptionValues::plainTones, "plain-tones", nullptr,
            "With pinyin, 一 and 不 keep their own tones in running text (一个 yī gè) as the national orthography "
            "marks them, instead of the changed tones schoolbooks print (yí gè).",
            0, 0, {}, false, "chkPlainTones", QT_TRANSLATE_NOOP("MainWindow", "Plain tones of 一 and 不")},
        {"Sheet/StrokeOrder", &OptionValues::strokeOrder, "stroke-order", nullptr,
            "In a Trace book, frames above each row with the character built up stroke by stroke, the newest "
            "stroke in the grid colour.",
            0, 0, {}, false, "chkStrokeOrder", QT_TRANSLATE_NOOP("MainWindow", "Stroke order")},
        {"Sheet/VectorPdf", &OptionValues::vectorPdf, "vector", nullptr,
            "Draw the PDF's pages as lines and text instead of page images: much smaller files.", 0, 0, {}, false,
            "chkVectorPdf", QT_TRANSLATE_NOOP("MainWindow", "Vector PDF")},
    };
    return table;
}

const OptionRow *findOption(const char *key)
{
    for (const OptionRow &row : optionTable()) {
        if (std::strcmp(row.key, key) == 0)
            return &row;
    }
    return nullptr;
}

namespace {

// QVariant would read any text but "0" and "false" as true, so a damaged switch would turn itself on.
bool readBool(const QVariant &value, bool fallback)
{
    if (value.userType() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return fallback;
}

// A choice's number off its list means nothing, so it gets the default rather than the nearest end of
// the list; other whole numbers are held to their range.
int readInt(const QVariant &value, int fallback, const OptionRow &row)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        return fallback;
    if (row.isChoice())
        return row.keepsUnknownChoice || (number >= 0 && number < row.choices.size()) ? number : fallback;
    return qBound(static_cast<int>(row.min), number, static_cast<int>(row.max));
}

float readFloat(const QVariant &value, float fallback, const OptionRow &row)
{
    bool ok = false;
    const float number = value.toFloat(&ok);
    if (!ok || !std::isfinite(number))
        return fallback;
    return static_cast<float>(qBound(row.min, static_cast<double>(number), row.max));
}

QString readText(const QVariant &value)
{
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

// An unreadable colour would paint the grid or the glyphs in an arbitrary colour, and one that is not
// opaque (no control gives one, a damaged value can) could make the grid or the text vanish.
QColor readColor(const QVariant &value, const QColor &fallback)
{
    // A stored QColor comes back as one; a name such as "#c00000" converts.
    const QColor color = readableColor(value);
    if (!color.isValid())
        return fallback;
    QColor opaque = color;
    opaque.setAlpha(255);
    return opaque;
}

template<typename... Handlers> struct Overloaded : Handlers...
{
    using Handlers::operator()...;
};
template<typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

// A key that is missing keeps the value held; one that is present but unusable gets the default.
void loadOptions(const QSettings &store, OptionValues *values)
{
    static const OptionValues defaults;
    for (const OptionRow &row : optionTable()) {
        const QString key = QLatin1String(row.key);
        if (!store.contains(key))
            continue;
        const QVariant stored = store.value(key);
        std::visit(Overloaded {
                       [&](bool OptionValues::*field) { values->*field = readBool(stored, defaults.*field); },
                       [&](int OptionValues::*field) { values->*field = readInt(stored, defaults.*field, row); },
                       [&](float OptionValues::*field) { values->*field = readFloat(stored, defaults.*field, row); },
                       [&](QString OptionValues::*field) { values->*field = readText(stored); },
                       [&](QColor OptionValues::*field) { values->*field = readColor(stored, defaults.*field); },
                   },
            row.field);
    }
}

void saveOptions(QSettings *store, const OptionValues &values)
{
    for (const OptionRow &row : optionTable())
        std::visit([&](auto field) { store->setValue(QLatin1String(row.key), values.*field); }, row.field);
}

bool loadSwitch(const QSettings &store, const QString &key, bool fallback)
{
    return store.contains(key) ? readBool(store.value(key), fallback) : fallback;
}

} // namespace CopyBookOptions
