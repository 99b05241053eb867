#include "worksheet.h"

#include "optiontable.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

using namespace CopyBookOptions;

namespace {

const QString kFormatKey = QStringLiteral("format");
const QString kFormatName = QStringLiteral("lattiscribe-worksheet");
const QString kVersionKey = QStringLiteral("version");
const QString kTextKey = QStringLiteral("text");
const QString kOptionsKey = QStringLiteral("options");

WorksheetReading refused(WorksheetReading::Problem problem, const QString &reason)
{
    WorksheetReading reading;
    reading.problem = problem;
    reading.reason = reason;
    return reading;
}

} // namespace

bool Worksheet::isWorksheetFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(fileSuffix(), Qt::CaseInsensitive) == 0;
}

QByteArray Worksheet::toJson() const
{
    QJsonObject root = kept;
    root[kFormatKey] = kFormatName;
    root[kVersionKey] = kVersion;
    root[kTextKey] = text;
    QJsonObject stored = kept.value(kOptionsKey).toObject();
    for (const OptionRow &row : optionTable())
        stored[QLatin1String(row.key)] = row.kind->jsonValue(options);
    root[kOptionsKey] = stored;
    // Qt writes U+FEFF as it is, and its reader drops one at the start of a string (the text's, a title's):
    // escaped, it reads back.
    return QJsonDocument(root).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

bool Worksheet::save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    const QByteArray json = toJson();
    if (file.open(QIODevice::WriteOnly) && file.write(json) == json.size() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

WorksheetReading WorksheetReading::fromJson(const QByteArray &bytes)
{
    using P = Problem;
    // JSON has no raw NUL, and Qt's reader, which takes one, orders keys holding one apart from the same
    // keys written escaped: such a file would not save the same twice.
    const int nulByte = bytes.indexOf('\0');
    if (nulByte >= 0)
        return refused(P::Damaged, QStringLiteral("not a worksheet: a NUL byte at byte offset %1").arg(nulByte));
    QJsonParseError parsing {};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parsing);
    if (parsing.error != QJsonParseError::NoError)
        return refused(P::Damaged,
            QStringLiteral("not a complete worksheet: %1 at byte offset %2")
                .arg(parsing.errorString())
                .arg(parsing.offset));
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(kFormatKey).toString() != kFormatName)
        return refused(P::NotAWorksheet, QStringLiteral("not a LattiScribe worksheet"));
    const QJsonValue version = root.value(kVersionKey);
    if (!version.isDouble() || version.toDouble() < 1)
        return refused(P::NotAWorksheet, QStringLiteral("a worksheet without a format version"));
    if (version.toDouble() > Worksheet::kVersion)
        return refused(P::NewerVersion,
            QStringLiteral("a worksheet of format version %1, newer than this program's %2")
                .arg(version.toDouble())
                .arg(Worksheet::kVersion));
    if (!root.value(kTextKey).isString())
        return refused(P::NotAWorksheet, QStringLiteral("a worksheet without its text"));
    WorksheetReading reading;
    reading.sheet.text = root.value(kTextKey).toString();
    // A NUL would silently end the text where it is laid out, as in a text file.
    const int nul = reading.sheet.text.indexOf(QChar(0));
    if (nul >= 0)
        return refused(P::NulInText, QStringLiteral("the worksheet's text holds a NUL at character %1").arg(nul));
    const QJsonObject stored = root.value(kOptionsKey).toObject();
    for (const OptionRow &row : optionTable()) {
        const QString key = QLatin1String(row.key);
        if (stored.contains(key))
            setFromStored(&reading.sheet.options, row, stored.value(key).toVariant(), false);
    }
    reading.sheet.kept = root;
    return reading;
}

WorksheetReading WorksheetReading::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(Problem::Unreadable, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refused(Problem::Unreadable, file.errorString());
    return fromJson(bytes);
}
