#include "zhuyin.h"

#include "pinyin.h"

#include <QStringView>
#include <algorithm>
#include <iterator>

namespace Zhuyin {

namespace {

// The symbols run ㄅ…ㄙ (the initials, in the order of kInitials), ㄚ…ㄦ (the rimes), then ㄧ ㄨ ㄩ.
constexpr char16_t kFirstSymbol = u'ㄅ';
constexpr char16_t kLastInitial = u'ㄙ';
constexpr char16_t kLastSymbol = u'ㄩ';

constexpr const char16_t *kInitials[] = {u"b", u"p", u"m", u"f", u"d", u"t", u"n", u"l", u"g", u"k", u"h", u"j", u"q",
    u"x", u"zh", u"ch", u"sh", u"r", u"z", u"c", u"s"};

// Marks for tones 2 to 5; the first tone takes none, or ˉ where a text marks it anyway.
constexpr char16_t kToneMarks[] = {u'ˊ', u'ˇ', u'ˋ', u'˙'};
constexpr char16_t kFirstToneMark = u'ˉ';

// Combining marks for tones 1 to 4 in decomposed pinyin: macron, acute, caron, grave.
constexpr char16_t kPinyinToneMarks[] = {u'\u0304', u'\u0301', u'\u030C', u'\u0300'};

// Each final as Hanyu Pinyin spells it after an initial and standing alone, where y and w stand in for the
// medials and the abbreviations (iu, ui, un) are undone in zhuyin. A null spelling never occurs there.
struct Final
{
    const char16_t *symbols;
    const char16_t *afterInitial;
    const char16_t *alone;
};

constexpr Final kFinals[] = {
    {u"ㄚ", u"a", u"a"},
    {u"ㄛ", u"o", u"o"},
    {u"ㄜ", u"e", u"e"},
    {u"ㄝ", nullptr, u"ê"},
    {u"ㄞ", u"ai", u"ai"},
    {u"ㄟ", u"ei", u"ei"},
    {u"ㄠ", u"ao", u"ao"},
    {u"ㄡ", u"ou", u"ou"},
    {u"ㄢ", u"an", u"an"},
    {u"ㄣ", u"en", u"en"},
    {u"ㄤ", u"ang", u"ang"},
    {u"ㄥ", u"eng", u"eng"},
    {u"ㄦ", nullptr, u"er"},
    {u"ㄧ", u"i", u"yi"},
    {u"ㄧㄚ", u"ia", u"ya"},
    {u"ㄧㄛ", nullptr, u"yo"},
    {u"ㄧㄝ", u"ie", u"ye"},
    {u"ㄧㄞ", nullptr, u"yai"},
    {u"ㄧㄠ", u"iao", u"yao"},
    {u"ㄧㄡ", u"iu", u"you"},
    {u"ㄧㄢ", u"ian", u"yan"},
    {u"ㄧㄣ", u"in", u"yin"},
    {u"ㄧㄤ", u"iang", u"yang"},
    {u"ㄧㄥ", u"ing", u"ying"},
    {u"ㄨ", u"u", u"wu"},
    {u"ㄨㄚ", u"ua", u"wa"},
    {u"ㄨㄛ", u"uo", u"wo"},
    {u"ㄨㄞ", u"uai", u"wai"},
    {u"ㄨㄟ", u"ui", u"wei"},
    {u"ㄨㄢ", u"uan", u"wan"},
    {u"ㄨㄣ", u"un", u"wen"},
    {u"ㄨㄤ", u"uang", u"wang"},
    {u"ㄨㄥ", u"ong", u"weng"},
    {u"ㄩ", u"ü", u"yu"},
    {u"ㄩㄝ", u"üe", u"yue"},
    {u"ㄩㄢ", u"üan", u"yuan"},
    {u"ㄩㄣ", u"ün", u"yun"},
    {u"ㄩㄥ", u"iong", u"yong"},
};

// The syllabic m of interjections (呣 ḿ, 噷 hm) has a symbol of its own; the syllabic n and ng have none
// that would not read back as en and eng, so they go without.
struct Interjection
{
    const char16_t *pinyin;
    const char16_t *symbols;
};

constexpr Interjection kInterjections[] = {{u"m", u"ㄇ"}, {u"hm", u"ㄏㄇ"}};

// The initials whose -i is no vowel of its own (zhi, ci): they are written alone.
bool isApical(QChar initial)
{
    return initial >= u'ㄓ' && initial <= u'ㄙ';
}

// ㄐ ㄑ ㄒ: only before ㄧ and ㄩ, and their ü is written u.
bool isPalatal(QChar initial)
{
    return initial >= u'ㄐ' && initial <= u'ㄒ';
}

// The medials an initial takes: ㄧ none of the apicals and velars, ㄩ only n, l and the palatals, which
// take nothing else.
bool canPrecede(QChar initial, QChar finalStart)
{
    const bool velar = initial >= u'ㄍ' && initial <= u'ㄏ';
    if (finalStart == u'ㄧ')
        return !isApical(initial) && !velar;
    if (finalStart == u'ㄩ')
        return isPalatal(initial) || initial == u'ㄋ' || initial == u'ㄌ';
    return !isPalatal(initial);
}

const Final *finalWrittenAs(QStringView symbols)
{
    for (const Final &final : kFinals) {
        if (symbols == QStringView(final.symbols))
            return &final;
    }
    return nullptr;
}

const Final *finalSpelled(QStringView pinyin, bool afterInitial)
{
    for (const Final &final : kFinals) {
        const char16_t *spelling = afterInitial ? final.afterInitial : final.alone;
        if (spelling && pinyin == QStringView(spelling))
            return &final;
    }
    return nullptr;
}

QString symbolsOf(const QString &base)
{
    for (const Interjection &interjection : kInterjections) {
        if (base == QStringView(interjection.pinyin))
            return QString::fromUtf16(interjection.symbols);
    }
    // zh, ch and sh before their single letters.
    for (int length : {2, 1}) {
        for (int k = 0; k < int(std::size(kInitials)); ++k) {
            const QStringView initial(kInitials[k]);
            if (initial.size() != length || !base.startsWith(initial))
                continue;
            const QChar symbol(char16_t(kFirstSymbol + k));
            QString rest = base.mid(length);
            if (isApical(symbol) && rest == QLatin1String("i"))
                return symbol;
            if (isPalatal(symbol) && rest.startsWith(QLatin1Char('u')))
                rest[0] = u'ü';
            const Final *final = finalSpelled(rest, true);
            if (!final || !canPrecede(symbol, QChar(final->symbols[0])))
                return {};
            return symbol + QString::fromUtf16(final->symbols);
        }
    }
    const Final *final = finalSpelled(base, false);
    return final ? QString::fromUtf16(final->symbols) : QString();
}

QString pinyinOf(const QString &symbols)
{
    for (const Interjection &interjection : kInterjections) {
        if (symbols == QStringView(interjection.symbols))
            return QString::fromUtf16(interjection.pinyin);
    }
    const QChar first = symbols.at(0);
    if (first > kLastInitial) {
        const Final *final = finalWrittenAs(symbols);
        return final ? QString::fromUtf16(final->alone) : QString();
    }
    const QString initial = QString::fromUtf16(kInitials[first.unicode() - kFirstSymbol]);
    if (symbols.size() == 1)
        return isApical(first) ? initial + QLatin1Char('i') : QString();
    const Final *final = finalWrittenAs(QStringView(symbols).mid(1));
    if (!final || !final->afterInitial)
        return {};
    QString spelled = QString::fromUtf16(final->afterInitial);
    if (isPalatal(first))
        spelled.replace(u'ü', u'u');
    return initial + spelled;
}

} // namespace

Spelling fromPinyin(const QString &syllable)
{
    Spelling spelling;
    QString base;
    for (const QChar c : syllable.normalized(QString::NormalizationForm_D).toLower()) {
        const auto mark = std::find(std::begin(kPinyinToneMarks), std::end(kPinyinToneMarks), c.unicode());
        if (mark != std::end(kPinyinToneMarks))
            spelling.tone = int(mark - std::begin(kPinyinToneMarks)) + 1;
        else
            base += c;
    }
    spelling.symbols = symbolsOf(base.normalized(QString::NormalizationForm_C));
    return spelling;
}

QString toneMark(int tone)
{
    return tone >= 2 && tone <= 5 ? QString(QChar(kToneMarks[tone - 2])) : QString();
}

QString written(const QString &syllable)
{
    const Spelling spelling = fromPinyin(syllable);
    if (spelling.symbols.isEmpty())
        return syllable;
    return spelling.tone == 5 ? toneMark(5) + spelling.symbols : spelling.symbols + toneMark(spelling.tone);
}

QString toPinyin(const QString &zhuyin)
{
    QString symbols;
    int tone = 1;
    bool marked = false;
    for (int i = 0; i < zhuyin.size(); ++i) {
        const char16_t c = zhuyin.at(i).unicode();
        const auto mark = std::find(std::begin(kToneMarks), std::end(kToneMarks), c);
        const bool isMark = mark != std::end(kToneMarks) || c == kFirstToneMark;
        if (isMark && !marked && (i == 0 || i == zhuyin.size() - 1)) {
            tone = c == kFirstToneMark ? 1 : int(mark - std::begin(kToneMarks)) + 2;
            marked = true;
        } else if (c >= kFirstSymbol && c <= kLastSymbol) {
            symbols += QChar(c);
        } else {
            return {};
        }
    }
    if (symbols.isEmpty())
        return {};
    const QString pinyin = pinyinOf(symbols);
    // Spelling it back turns away what no syllable is, ㄅㄩ or ㄓㄧ, however it was spelled.
    if (pinyin.isEmpty() || symbolsOf(pinyin) != symbols)
        return {};
    return Pinyin::toneMarked(pinyin + QString::number(tone));
}

} // namespace Zhuyin
