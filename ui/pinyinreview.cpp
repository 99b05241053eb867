#include "pinyinreview.h"

#include "pinyin.h"
#include "pinyinwords.h"

#include <QMenu>
#include <QTextBlock>
#include <QTextEdit>

namespace {

bool isOpeningBracket(QChar c)
{
    return c == QLatin1Char('[') || c == QChar(0xFF3B);
}

// Whether the character at `at` already carries a bracketed reading that the layout would take.
bool hasOverride(const QString &text, int at)
{
    if (at + 1 >= text.size() || !isOpeningBracket(text.at(at + 1)))
        return false;
    // No override is longer than this; the character and its bracket alone read as they do in the text.
    const Pinyin::AnnotatedText annotated = Pinyin::parseReadingOverrides(text.mid(at, 16));
    return !annotated.readings.isEmpty() && !annotated.readings.at(0).isEmpty();
}

// The positions in one line of text whose reading is doubtful.
QVector<int> doubtful(const QString &text)
{
    QVector<int> found;
    PinyinWords::Reader reader(text, PinyinWords::Tones::Plain);
    for (int at = 0; at < text.size(); ++at) {
        if (!reader.isSettled(at) && !hasOverride(text, at))
            found.append(at);
    }
    return found;
}

} // namespace

PinyinReview::PinyinReview(QTextEdit *editor) : QSyntaxHighlighter(editor), editor(editor) { }

void PinyinReview::setActive(bool on)
{
    if (on == active)
        return;
    active = on;
    // Off, the highlighter leaves the document alone altogether, so nothing is drawn differently.
    setDocument(on ? editor->document() : nullptr);
    // At once, not after the next turn of the event loop, so a menu opened right away finds the marks.
    if (on)
        rehighlight();
}

QStringList PinyinReview::choicesAt(int position) const
{
    if (!active)
        return {};
    const QTextBlock block = editor->document()->findBlock(position);
    const int at = position - block.position();
    if (!block.isValid() || at >= block.text().size() || !doubtful(block.text()).contains(at))
        return {};
    // Unihan's dictionaries list every reading, but in page order; the one the page prints now, the
    // commonest in real text, leads so that the likeliest choice is the nearest.
    QStringList choices = Pinyin::allReadingsOf(block.text().at(at));
    const QString commonest = PinyinWords::Reader(block.text(), PinyinWords::Tones::Plain).readingAt(at);
    if (!commonest.isEmpty()) {
        choices.removeAll(commonest);
        choices.prepend(commonest);
    }
    return choices;
}

void PinyinReview::choose(int position, const QString &reading)
{
    QTextCursor cursor(editor->document());
    cursor.setPosition(position + 1);
    cursor.insertText(QLatin1Char('[') + reading + QLatin1Char(']'));
}

void PinyinReview::highlightBlock(const QString &text)
{
    QTextCharFormat mark;
    mark.setUnderlineStyle(QTextCharFormat::DotLine);
    mark.setUnderlineColor(QColor(0xE0, 0x8A, 0x00));
    for (const int at : doubtful(text))
        setFormat(at, 1, mark);
}

bool PinyinReview::addChoices(QMenu *menu, int position)
{
    const QStringList readings = choicesAt(position);
    if (readings.isEmpty())
        return false;
    QAction *first = menu->actions().value(0);
    for (const QString &reading : readings) {
        QAction *action = new QAction(reading, menu);
        connect(action, &QAction::triggered, this, [this, position, reading] { choose(position, reading); });
        menu->insertAction(first, action);
    }
    menu->insertSeparator(first);
    return true;
}
