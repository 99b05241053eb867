#include "charinfo.h"

#include "characterfacts.h"
#include "characterfactsjson.h"

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
    QByteArray json;
    for (const uint code : hanCharacters(text)) {
        json += characterFactsJson(CharacterFacts::of(code)) + '\n';
        if (json.size() >= kChunkBytes) {
            if (output->write(json) != json.size())
                return false;
            json.clear();
        }
    }
    return output->write(json) == json.size();
}
