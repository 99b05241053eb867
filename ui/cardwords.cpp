#include "cardwords.h"

#include "charactercards.h"
#include "characterfacts.h"
#include "pinyin.h"

#include <QMenu>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

// What the braces after a character may hold, with room to spare; the reading bracket before them is
// shorter still.
constexpr int kLongestAnnotations = 64;

// Where a character of the document starts and its text, and where its braces (or the place for them,
// after its reading in brackets) are: the block's text and the spans within it.
struct Spot
{
    QString text;
    int at = -1;
    int length = 0;
    // The braces' first and last code units, or the place for new ones (last = first - 1).
    int braces = -1;
    int bracesEnd = -2;
};

Spot spotOf(const QTextDocument *document, int position)
{
    Spot spot;
    const QTextBlock block = document->findBlock(position);
    spot.text = block.text();
    const int at = position - block.position();
    if (!block.isValid() || at < 0 || at >= spot.text.size())
        return spot;
    // A character among a card's words in braces is a word's, not one of the text's.
    const int opened = spot.text.lastIndexOf(QRegularExpression(QStringLiteral("[{｛]")), at);
    const int closed = spot.text.lastIndexOf(QRegularExpression(QStringLiteral("[}｝]")), at);
    if (opened > closed && spot.text.indexOf(QRegularExpression(QStringLiteral("[}｝]")), at) > at)
        return spot;
    spot.at = at;
    spot.length = spot.text.at(at).isHighSurrogate() && at + 1 < spot.text.size() ? 2 : 1;
    // Read as the layout reads it: what the character carries, and so how much of what follows is its own.
    const QString tail = spot.text.mid(at, spot.length + kLongestAnnotations);
    const Pinyin::AnnotatedText read = Pinyin::parseAnnotations(tail, true);
    const auto opensAt = [&](int i, const char16_t *openings) {
        return i < tail.size() && QString::fromUtf16(openings).contains(tail.at(i));
    };
    int next = spot.length;
    if (!read.readings.value(0).isEmpty() && opensAt(next, u"[［"))
        next = tail.indexOf(QRegularExpression(QStringLiteral("[\\]］]")), next) + 1;
    spot.braces = at + next;
    spot.bracesEnd = spot.braces - 1;
    const bool braced = !read.words.value(0).isEmpty() || tail.mid(next, 2) == QStringLiteral("{}");
    if (braced && opensAt(next, u"{｛"))
        spot.bracesEnd = at + tail.indexOf(QRegularExpression(QStringLiteral("[}｝]")), next);
    return spot;
}

QStringList wordsIn(const Spot &spot)
{
    if (spot.bracesEnd < spot.braces)
        return {};
    return CharacterFacts::wordsTyped(spot.text.mid(spot.braces + 1, spot.bracesEnd - spot.braces - 1));
}

} // namespace

CardWords::CardWords(QTextEdit *editor) : editor(editor) { }

QStringList CardWords::ownWordsAt(int position) const
{
    return wordsIn(spotOf(editor->document(), position));
}

bool CardWords::addCard(QMenu *menu, int position)
{
    const Spot spot = spotOf(editor->document(), position);
    if (!active || spot.at < 0)
        return false;
    const uint code = QString(spot.text.mid(spot.at, spot.length)).toUcs4().value(0);
    const CharacterFacts facts = CharacterFacts::of(code);
    if (facts.radical.isEmpty() && facts.words.isEmpty())
        return false;
    QAction *first = menu->actions().value(0);
    const auto note = [&](const QString &text) {
        auto *line = new QAction(text, menu);
        line->setEnabled(false);
        menu->insertAction(first, line);
    };
    note(QStringLiteral("%1  %2  %3")
             .arg(facts.character(), facts.readings.join(QLatin1Char(' ')), CharacterCards::factsLine(facts)));
    if (!facts.strokeNames.isEmpty())
        note(tr("Strokes: %1").arg(facts.strokeNames.join(QLatin1Char(' '))));
    const QStringList own = wordsIn(spot);
    QStringList offered;
    for (const CharacterWord &word : facts.words)
        offered << word.word;
    for (const QString &word : own) {
        if (!offered.contains(word))
            offered << word;
    }
    const QVector<CharacterWord> read = CharacterFacts::readWords(offered);
    for (int at = 0; at < offered.size(); ++at) {
        auto *action = new QAction(QStringLiteral("%1  %2").arg(offered.at(at), read.value(at).pinyin), menu);
        action->setCheckable(true);
        action->setChecked(own.contains(offered.at(at)));
        const QString word = offered.at(at);
        QObject::connect(action, &QAction::triggered, menu, [this, position, word] { toggle(position, word); });
        menu->insertAction(first, action);
    }
    menu->insertSeparator(first);
    return true;
}

void CardWords::toggle(int position, const QString &word)
{
    const Spot spot = spotOf(editor->document(), position);
    if (spot.at < 0)
        return;
    QStringList words = wordsIn(spot);
    if (words.contains(word))
        words.removeAll(word);
    else
        words << word;
    const int start = editor->document()->findBlock(position).position();
    QTextCursor cursor(editor->document());
    cursor.setPosition(start + spot.braces);
    cursor.setPosition(start + spot.bracesEnd + 1, QTextCursor::KeepAnchor);
    cursor.insertText(words.isEmpty() ? QString() : QLatin1Char('{') + words.join(QLatin1Char(' ')) + QLatin1Char('}'));
}
