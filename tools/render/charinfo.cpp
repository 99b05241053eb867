#include "charinfo.h"

#include "characterfacts.h"
#include "characterfactsjson.h"
#include "pinyin.h"

#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QString>

namespace {

// Written in chunks of about this many bytes.
constexpr int kChunkBytes = 1 << 16;

} // namespace

QVector<uint> hanCharacters(const QString &text)
{
    QVector<uint> characters;
    QSet<uint> seen;
    const QVector<uint> codes = text.toUcs4();
    for (const uint code : codes) {
        // Ideographs are letters of the Han script; its radicals and ideographic marks (⺮, 〇, 々) are not.
        if (QChar::script(code) != QChar::Script_Han || QChar::category(code) != QChar::Letter_Other)
            continue;
        if (!seen.contains(code)) {
            seen.insert(code);
            characters.append(code);
        }
    }
    return characters;
}

bool writeCharacterInfo(const QString &text, QIODevice *output)
{
    // The text as the cards read it: readings in brackets and the teacher's words in braces taken out, the
    // words kept for the character they follow (the first braces of it, where it has several).
    const Pinyin::AnnotatedText read = Pinyin::parseAnnotations(text, true);
    QHash<uint, QString> ownWords;
    for (int at = 0; at < read.text.size(); ++at) {
        if (!read.words.at(at).isEmpty() && !ownWords.contains(QString(read.text.mid(at, 2)).toUcs4().value(0)))
            ownWords.insert(QString(read.text.mid(at, 2)).toUcs4().value(0), read.words.at(at));
    }
    QByteArray json;
    for (const uint code : hanCharacters(read.text)) {
        CharacterFacts facts = CharacterFacts::of(code);
        if (ownWords.contains(code))
            facts = facts.withOwnWords(CharacterFacts::wordsTyped(ownWords.value(code)));
        json += characterFactsJson(facts) + '\n';
        if (json.size() >= kChunkBytes) {
            if (output->write(json) != json.size())
                return false;
            json.clear();
        }
    }
    return output->write(json) == json.size();
}
