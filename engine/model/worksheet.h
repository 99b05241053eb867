#pragma once

#include "copybookoptions.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// A worksheet: a sheet's text with every option it is made with, kept in a file to be opened again by the
// window or the renderer. The reading overrides travel in the text, as the brackets the editor holds
// (银行[háng]).
struct Worksheet
{
    // The file's format version; a file of a later one is refused rather than half understood.
    static constexpr int kVersion = 1;

    QString text;
    CopyBookOptions::OptionValues options;
    // The file as it was read: whatever it holds that this version does not know (an option of a later
    // version, a key of another program) is written back by the next save.
    QJsonObject kept;

    // Whether a file is taken for a worksheet rather than a text, by its name.
    static bool isWorksheetFile(const QString &path);
    static QString fileSuffix() { return QStringLiteral("lattiscribe"); }

    // As JSON: the format's name and version, the text, and the options under their settings keys.
    QByteArray toJson() const;
    // Writes beside `path` and replaces it only when complete. False with *error saying why.
    bool save(const QString &path, QString *error) const;
};

// A worksheet read from a file, or why it was refused. Values no control could produce are held to what
// the controls allow, as those of the settings store, but a choice off its list (a book type of 9) goes
// back to its default even where the store keeps one: a worksheet of a later format is refused, so such a
// number is damage, not a choice of a later version. An option the file lacks takes its default, so a
// sheet saved before an option existed comes out as it was.
struct WorksheetReading
{
    enum class Problem { None, Unreadable, Damaged, NotAWorksheet, NewerVersion, NulInText };

    Worksheet sheet;
    Problem problem = Problem::None;
    // What went wrong, in English, for the renderer's message and below the window's.
    QString reason;

    static WorksheetReading fromJson(const QByteArray &bytes);
    static WorksheetReading fromFile(const QString &path);
};
