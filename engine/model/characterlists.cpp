#include "characterlists.h"

#include "characterlisttable.h"
#include "layoutunits.h"

#include <QRegularExpression>

namespace CharacterLists {

namespace {

// Where each level ends in the table, by its own numbering.
constexpr int kLevelEnds[] = {3500, 6500, 8105};

int levelStart(int level)
{
    return level > 1 ? kLevelEnds[level - 2] : 0;
}

} // namespace

int levelCount()
{
    return int(std::size(kLevelEnds));
}

int levelSize(int level)
{
    return level >= 1 && level <= levelCount() ? kLevelEnds[level - 1] - levelStart(level) : 0;
}

QString levelName(int level)
{
    return QStringLiteral("tgh%1").arg(level);
}

QString charactersOf(int level, int from, int to)
{
    QString characters;
    from = qMax(1, from);
    to = qMin(to, levelSize(level));
    for (int place = from; place <= to; ++place) {
        if (!characters.isEmpty())
            characters += QChar(LayoutRules::kWordBoundary);
        const char32_t code = CharacterListTable::standard[levelStart(level) + place - 1];
        characters += QString::fromUcs4(&code, 1);
    }
    return characters;
}

Selection select(const QString &list)
{
    static const QRegularExpression form(QStringLiteral("^tgh([0-9]+)(?::([0-9]+)-([0-9]+))?$"));
    const QRegularExpressionMatch match = form.match(list.trimmed().toLower());
    const int level = match.hasMatch() ? match.captured(1).toInt() : 0;
    if (level < 1 || level > levelCount())
        return {QString(),
            QStringLiteral("'%1' is no list: tgh1, tgh2 or tgh3, with positions such as tgh1:1-200").arg(list)};
    if (match.captured(2).isEmpty())
        return {charactersOf(level, 1, levelSize(level)), QString()};
    bool fromOk = false;
    bool toOk = false;
    const int from = match.captured(2).toInt(&fromOk);
    const int to = match.captured(3).toInt(&toOk);
    if (!fromOk || !toOk || from < 1 || to > levelSize(level) || from > to)
        return {QString(),
            QStringLiteral("'%1': the positions of %2 run from 1 to %3, the first not after the last")
                .arg(list, levelName(level))
                .arg(levelSize(level))};
    return {charactersOf(level, from, to), QString()};
}

} // namespace CharacterLists
