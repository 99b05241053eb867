#include "optiontable.h"

#include "papers.h"
#include "storedvalues.h"

#include <QCoreApplication>
#include <QSettings>

namespace CopyBookOptions {

namespace {

QVector<Choice> paperChoices()
{
    QVector<Choice> choices;
    for (const PaperSize &paper : papers())
        choices.append({paper.name, paper.label, paper.help});
    return choices;
}

} // namespace

OptionRow OptionRow::flag(const char *name, const char *value, const char *text) const
{
    OptionRow row = *this;
    row.flagName = name;
    row.valueName = value;
    row.help = text;
    return row;
}

OptionRow OptionRow::mainPanel(const char *control) const
{
    OptionRow row = *this;
    row.controlName = control;
    row.section = Section::MainPanel;
    return row;
}

OptionRow OptionRow::inSection(Section where, const char *control, const char *text) const
{
    OptionRow row = *this;
    row.controlName = control;
    row.section = where;
    row.label = text;
    return row;
}

const QVector<OptionRow> &optionTable()
{
    using V = OptionValues;
    // In the order of the renderer's help and, within each section, of the window's rows.
    static const QVector<OptionRow> table = {
        option("BookType",
            choiceOf<&V::bookType>({{"trace", QT_TRANSLATE_NOOP("MainWindow", "Trace")},
                                       {"copy", QT_TRANSLATE_NOOP("MainWindow", "Copy")}})
                .keepingUnknown())
            .flag("book-type", "TYPE")
            .mainPanel("cmbBookType"),
        option("TraceType",
            choiceOf<&V::traceType>(
                {{"none", QT_TRANSLATE_NOOP("MainWindow", "None")}, {"half", QT_TRANSLATE_NOOP("MainWindow", "Half")},
                    {"all", QT_TRANSLATE_NOOP("MainWindow", "All")}})
                .keepingUnknown())
            .flag("trace-type", "TYPE")
            .mainPanel("cmbTraceType"),
        option("CellSize", Number {&V::cellSize, kMinCellSize, kMaxCellSize})
            .flag("cell-size", "CM", "Cell side")
            .mainPanel("spinCellSize"),
        option("FontName", FontFamily {&V::fontName})
            .flag("font-family", "NAME", "Glyph font family")
            .mainPanel("cmbFontName"),
        option("FontSize", Number {&V::fontSize, kMinFontSize, kMaxFontSize})
            .flag("font-size", "CM", "Glyph size")
            .mainPanel("spinFontSize"),
        option("Opacity", Number {&V::opacity, kMinOpacity, kMaxOpacity})
            .flag("opacity", "X", "Opacity of faded glyphs")
            .mainPanel("spinOpacity"),
        option("BlankLines", Count {&V::blankLines, kMinBlankLines, kMaxBlankLines})
            .flag("blank-lines", "N", "Empty rows after each line")
            .mainPanel("spinBlankLines"),
        option("CommonChineseOnly", Switch {&V::commonChineseOnly})
            .flag("all-characters", nullptr, "Lay out every character, not only CJK ideographs U+4E00 to U+9FFF.")
            .mainPanel("chkCommonChinese"),
        option("GridColor", Colour {&V::gridColor})
            .flag("grid-color", "COLOR", "Grid colour, such as #c00000 or navy")
            .mainPanel("lblGridColor"),
        option("TextColor", Colour {&V::textColor})
            .flag("text-color", "COLOR", "Glyph colour")
            .mainPanel("lblTextColor"),
        option("Sheet/GridStyle",
            choiceOf<&V::gridStyle>({{"tian", QT_TRANSLATE_NOOP("MainWindow", "Tian grid"), "cross"},
                {"mi", QT_TRANSLATE_NOOP("MainWindow", "Mi grid"), "cross and diagonals"},
                {"square", QT_TRANSLATE_NOOP("MainWindow", "Square grid"), "outline only"},
                {"hui", QT_TRANSLATE_NOOP("MainWindow", "Hui grid"), "inner square"},
                {"nine", QT_TRANSLATE_NOOP("MainWindow", "Nine-square grid"), "three by three"}}))
            .flag("grid-style", "STYLE")
            .inSection(Section::Layout, "cmbGridStyle", QT_TRANSLATE_NOOP("MainWindow", "Grid Style")),
        option("Sheet/TraceStyle",
            choiceOf<&V::traceStyle>({{"solid", QT_TRANSLATE_NOOP("MainWindow", "Solid")},
                {"hollow", QT_TRANSLATE_NOOP("MainWindow", "Hollow")}}))
            .flag("trace-style", "STYLE", ": faded glyphs as outlines to trace")
            .inSection(Section::Layout, "cmbTraceStyle", QT_TRANSLATE_NOOP("MainWindow", "Trace Style")),
        option("Sheet/Words", Switch {&V::words})
            .flag("words", nullptr,
                "Words kept whole: in a Trace book each word takes a row, the model word then whole faded copies; "
                "in a Copy book no word is broken over two rows. A run of Han characters set apart by spaces is a "
                "word as typed; any other run is cut into the words the readings use.")
            .inSection(Section::Layout, "chkWords", QT_TRANSLATE_NOOP("MainWindow", "Words")),
        option("Sheet/Copies", Count {&V::copies, 0, kMaxCopies, true})
            .flag("copies", "N", "Faded copies after the model in a Trace row, as many as fit at most")
            .inSection(Section::Layout, "spinCopies", QT_TRANSLATE_NOOP("MainWindow", "Copies")),
        option("Sheet/Fade", Switch {&V::fade})
            .flag("fade", nullptr, "The faded copies fade along the row, the last at a quarter of the opacity.")
            .inSection(Section::Layout, "chkFade", QT_TRANSLATE_NOOP("MainWindow", "Fading copies")),
        option("Sheet/Unique", Switch {&V::unique})
            .flag("unique", nullptr,
                "In a Trace book each character (or word) takes one row, at its first place in the text.")
            .inSection(Section::Layout, "chkUnique", QT_TRANSLATE_NOOP("MainWindow", "Each character once")),
        option("Sheet/FourLines", Switch {&V::fourLines})
            .flag("four-lines", nullptr,
                "English on four lines: staves as high as a square instead of squares, each line of the text on a "
                "stave; in a Trace book the model line, then its copies on the staves below.")
            .inSection(Section::Layout, "chkFourLines", QT_TRANSLATE_NOOP("MainWindow", "English on four lines")),
        option("Sheet/Paper", choiceOf<&V::paper>(paperChoices()))
            .flag("paper", "SIZE", ": the paper the page is laid out on")
            .inSection(Section::PaperAndPages, "cmbPaper", QT_TRANSLATE_NOOP("MainWindow", "Paper")),
        option("Sheet/Landscape", Switch {&V::landscape})
            .flag("landscape", nullptr, "The paper on its side, wider than it is tall.")
            .inSection(Section::PaperAndPages, "chkLandscape", QT_TRANSLATE_NOOP("MainWindow", "Landscape")),
        option("Sheet/Title", Text {&V::title})
            .flag("title", "TEXT", "A title centred at the top of every page.")
            .inSection(Section::PaperAndPages, "editTitle", QT_TRANSLATE_NOOP("MainWindow", "Title")),
        option("Sheet/NameFields", Switch {&V::nameFields})
            .flag("name-fields", nullptr, "Fields for the pupil's name, class and date under the title.")
            .inSection(Section::PaperAndPages, "chkNameFields", QT_TRANSLATE_NOOP("MainWindow", "Name fields")),
        option("Sheet/PageNumbers", Switch {&V::pageNumbers})
            .flag("page-numbers", nullptr, "Page numbers at the foot.")
            .inSection(Section::PaperAndPages, "chkPageNumbers", QT_TRANSLATE_NOOP("MainWindow", "Page numbers")),
        option("Sheet/Pinyin", Switch {&V::pinyin})
            .flag("pinyin", nullptr,
                "A pinyin band above every row, with the reading of each character as it stands in its word; a "
                "reading in brackets after a character overrides it: 行[hang2] or 行[háng].")
            .inSection(Section::PinyinAndStrokes, "chkPinyin", QT_TRANSLATE_NOOP("MainWindow", "Pinyin")),
        option("Sheet/PinyinOnly", Switch {&V::pinyinOnly})
            .flag("pinyin-only", nullptr,
                "Write from pinyin: the band shows the reading, the squares to write in stay empty.")
            .inSection(
                Section::PinyinAndStrokes, "chkPinyinOnly", QT_TRANSLATE_NOOP("MainWindow", "Write from pinyin")),
        option("Sheet/PlainTones", Switch {&V::plainTones})
            .flag("plain-tones", nullptr,
                "With pinyin, 一 and 不 keep their own tones in running text (一个 yī gè) as the national "
                "orthography marks them, instead of the changed tones schoolbooks print (yí gè).")
            .inSection(Section::PinyinAndStrokes, "chkPlainTones",
                QT_TRANSLATE_NOOP("MainWindow", "Plain tones of 一 and 不")),
        option("Sheet/Zhuyin", Switch {&V::zhuyin})
            .flag("zhuyin", nullptr,
                "Zhuyin in a narrow column to the right of every square, with the same readings as the pinyin "
                "band, which it replaces; a reading in brackets may be given in zhuyin too: 行[ㄏㄤˊ].")
            .inSection(Section::PinyinAndStrokes, "chkZhuyin", QT_TRANSLATE_NOOP("MainWindow", "Zhuyin")),
        option("Sheet/StrokeOrder", Switch {&V::strokeOrder})
            .flag("stroke-order", nullptr,
                "In a Trace book, frames above each row with the character built up stroke by stroke, the newest "
                "stroke in the grid colour.")
            .inSection(Section::PinyinAndStrokes, "chkStrokeOrder", QT_TRANSLATE_NOOP("MainWindow", "Stroke order")),
        option("Sheet/Card", Switch {&V::card})
            .flag("card", nullptr,
                "In a Trace book, each character's row headed by its card: the character with its strokes numbered, "
                "its pinyin, radical, structure and number of strokes, the strokes' names under the stroke-order "
                "frames, and words with it; words in braces after a character take the place of its own: "
                "春{春天 春风}.")
            .inSection(Section::PinyinAndStrokes, "chkCard", QT_TRANSLATE_NOOP("MainWindow", "Character cards")),
        option("Sheet/VectorPdf", Switch {&V::vectorPdf})
            .flag(
                "vector", nullptr, "Draw the PDF's pages as lines and text instead of page images: much smaller files.")
            .inSection(Section::PaperAndPages, "chkVectorPdf", QT_TRANSLATE_NOOP("MainWindow", "Vector PDF")),
        option("Sheet/Ruler", Switch {&V::ruler})
            .flag("ruler", nullptr,
                "A 5 cm ruler in the bottom margin of every page, to check that the printer did not scale the page.")
            .inSection(Section::PaperAndPages, "chkRuler", QT_TRANSLATE_NOOP("MainWindow", "Ruler")),
        option("Sheet/FitGlyphs", Switch {&V::fitGlyphs})
            .flag("fit-glyphs", nullptr,
                "Centre every glyph in its square by its ink, shrunk where it would reach past the square's "
                "outline: for a font whose glyphs stand off centre.")
            .inSection(Section::Layout, "chkFitGlyphs", QT_TRANSLATE_NOOP("MainWindow", "Fit glyphs")),
    };
    return table;
}

const OptionRow *findOption(const QString &key)
{
    for (const OptionRow &row : optionTable()) {
        if (key == QLatin1String(row.key))
            return &row;
    }
    return nullptr;
}

QVariant valueOf(const OptionValues &values, const OptionRow &row)
{
    return row.kind->value(values);
}

void setFromStored(OptionValues *values, const OptionRow &row, const QVariant &stored, bool keepUnknownChoices)
{
    row.kind->setValue(values, stored, keepUnknownChoices);
}

void loadOptions(const QSettings &store, OptionValues *values)
{
    for (const OptionRow &row : optionTable()) {
        const QString key = QLatin1String(row.key);
        if (store.contains(key))
            setFromStored(values, row, store.value(key));
    }
}

void saveOptions(QSettings *store, const OptionValues &values)
{
    for (const OptionRow &row : optionTable())
        store->setValue(QLatin1String(row.key), row.kind->storedValue(values));
}

bool loadSwitch(const QSettings &store, const QString &key, bool fallback)
{
    return store.contains(key) ? StoredValues::toSwitch(store.value(key), fallback) : fallback;
}

} // namespace CopyBookOptions
