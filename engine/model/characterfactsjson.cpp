#include "characterfactsjson.h"

#include "characterfacts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {

// A JSON string: the text's UTF-8 between quotes where it needs no escaping, as every reading, radical and
// word does; anything else as QJsonDocument writes it.
QByteArray quoted(const QString &text)
{
    const bool plain = std::all_of(text.cbegin(), text.cend(), [](QChar ch) {
        return ch.unicode() >= 0x20 && ch != QLatin1Char('"') && ch != QLatin1Char('\\') && ch.unicode() != 0x7F;
    });
    if (plain)
        return '"' + text.toUtf8() + '"';
    return QJsonDocument(QJsonArray {text}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
}

QByteArray list(const QStringList &texts)
{
    QByteArray json = "[";
    for (const QString &text : texts)
        json += (json.size() > 1 ? "," : "") + quoted(text);
    return json + ']';
}

} // namespace

QByteArray characterFactsJson(const CharacterFacts &facts)
{
    QByteArray json = "{\"char\":" + quoted(facts.character());
    if (!facts.readings.isEmpty())
        json += ",\"pinyin\":" + list(facts.readings);
    if (!facts.radical.isEmpty())
        json += ",\"radical\":" + quoted(facts.radical);
    if (!facts.structure.isEmpty())
        json += ",\"structure\":" + quoted(facts.structure);
    if (facts.strokeCount > 0)
        json += ",\"strokeCount\":" + QByteArray::number(facts.strokeCount);
    if (!facts.strokeNames.isEmpty())
        json += ",\"strokeNames\":" + list(facts.strokeNames);
    if (!facts.words.isEmpty()) {
        json += ",\"words\":[";
        for (int i = 0; i < facts.words.size(); ++i)
            json += (i > 0 ? ",{\"word\":" : "{\"word\":") + quoted(facts.words[i].word)
                + ",\"pinyin\":" + quoted(facts.words[i].pinyin) + '}';
        json += ']';
    }
    return json + '}';
}
