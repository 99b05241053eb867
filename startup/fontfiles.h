#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QIODevice;

// Font files the program registers itself, beside the families the system has: those a user added in the
// window, copied into the program's data folder and registered at every start; those the renderer is
// handed for one run; and on Windows those installed in the fonts folder beside the programs. The
// registration lasts for the run: nothing is installed system-wide.
namespace FontFiles {

// Why a font file cannot be used: it cannot be read (or, when added, copied), it is no TrueType or
// OpenType font or collection, its tables run past its end (a download cut short), or the font system
// would not take it.
enum class Problem { None, Unreadable, NotAFont, Damaged, NotCopied, Refused };

struct FontFile
{
    Problem problem = Problem::None;
    // The system's reason for a file that cannot be read or copied, what is cut short in a damaged one.
    QString detail;
    QString path;
    int id = -1;
    QStringList families;
};

// Whether the device (open for reading) holds a whole TrueType or OpenType font or collection: its table
// directory, and every table it lists, within it. Only the first bytes and the directories are read; the
// rest is judged by the device's size, so a file that is no font is refused however large it is.
Problem checkFont(QIODevice *font, QString *detail);

// Registers the file for this run.
FontFile registerFontFile(const QString &path);
// Takes a registered file out of the font database again.
void unregisterFontFile(const FontFile &font);
// The problem in a sentence of the renderer's, which names no file.
QString problemText(const FontFile &font);

// The folder the added fonts are copied into, in the program's data folder.
QString addedFontsFolder();
// Registers every font of that folder, as addedFonts() then lists them, anew: as a start finds them. A file
// that cannot be used is left out. Call at start, before the window lists the families, once the
// application's identity is applied.
void registerAddedFonts();
// Registers the fonts installed beside the programs, which the Windows installer ships; nothing elsewhere.
void registerBundledFonts();
QVector<FontFile> addedFonts();
// Copies the file into the folder and registers it. A file that is there already is not copied again; one
// that cannot be used leaves the folder and the font database as they were.
FontFile addFont(const QString &path);
// Unregisters an added font and deletes its copy; false, with the reason, where the copy stays.
bool removeAddedFont(const FontFile &font, QString *error);

} // namespace FontFiles
