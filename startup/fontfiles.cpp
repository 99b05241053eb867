#include "fontfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>
#include <algorithm>

namespace FontFiles {

namespace {

constexpr quint32 kCollectionTag = 0x74746366; // "ttcf"
constexpr quint32 kTrueTypeVersion = 0x00010000;
constexpr quint32 kTrueTypeTag = 0x74727565; // "true", old Apple TrueType
constexpr quint32 kOpenTypeTag = 0x4F54544F; // "OTTO", CFF outlines
constexpr quint32 kCharacterMapTag = 0x636D6170; // "cmap"
constexpr int kDirectoryBytes = 12;
constexpr int kTableRecordBytes = 16;
// Collections hold a handful of fonts (a CJK family's weights and regions); a count beyond this is no
// font's, and would have every directory read again and again.
constexpr quint32 kMostFaces = 256;

QVector<FontFile> &added()
{
    static QVector<FontFile> fonts;
    return fonts;
}

// Reads a font's structure from its device, the few bytes asked for at a time, and knows the rest of the
// file by its size alone: a file that is no font, however large, is refused after its first bytes.
class Reader
{
public:
    explicit Reader(QIODevice *device) : device(device) { }
    bool holds(qint64 at, qint64 count) const { return at >= 0 && count >= 0 && at + count <= device->size(); }
    // The bytes at `at`, which holds() has vouched for; fewer only where the device fails to read.
    QByteArray read(qint64 at, qint64 count) const { return device->seek(at) ? device->read(count) : QByteArray(); }
    QString error() const { return device->errorString(); }

private:
    QIODevice *device;
};

// Big-endian numbers in bytes read.
quint32 u32(const QByteArray &bytes, int at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

quint16 u16(const QByteArray &bytes, int at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

QString tagName(quint32 tag)
{
    QString name;
    for (int shift = 24; shift >= 0; shift -= 8)
        name += QChar(ushort((tag >> shift) & 0xFF));
    return name.trimmed();
}

bool isFontTag(quint32 tag)
{
    return tag == kTrueTypeVersion || tag == kTrueTypeTag || tag == kOpenTypeTag;
}

// One font's table directory at `at`: every table within the file, a character map among them.
Problem checkFace(const Reader &reader, qint64 at, QString *detail)
{
    if (!reader.holds(at, kDirectoryBytes)) {
        *detail = QStringLiteral("its table directory is cut short");
        return Problem::Damaged;
    }
    const QByteArray head = reader.read(at, kDirectoryBytes);
    if (head.size() != kDirectoryBytes) {
        *detail = reader.error();
        return Problem::Unreadable;
    }
    if (!isFontTag(u32(head, 0)))
        return Problem::NotAFont;
    const int tables = u16(head, 4);
    if (!reader.holds(at + kDirectoryBytes, qint64(tables) * kTableRecordBytes)) {
        *detail = QStringLiteral("its table directory is cut short");
        return Problem::Damaged;
    }
    const QByteArray records = reader.read(at + kDirectoryBytes, qint64(tables) * kTableRecordBytes);
    if (records.size() != tables * kTableRecordBytes) {
        *detail = reader.error();
        return Problem::Unreadable;
    }
    bool characterMap = false;
    for (int table = 0; table < tables; ++table) {
        const int record = table * kTableRecordBytes;
        const quint32 tag = u32(records, record);
        characterMap = characterMap || tag == kCharacterMapTag;
        if (!reader.holds(u32(records, record + 8), u32(records, record + 12))) {
            *detail = QStringLiteral("its table '%1' runs past the end of the file").arg(tagName(tag));
            return Problem::Damaged;
        }
    }
    return characterMap ? Problem::None : Problem::NotAFont;
}

// A name for the copy of `source` in `folder` that is not taken by another file.
QString freeName(const QDir &folder, const QFileInfo &source)
{
    QString name = source.fileName();
    for (int n = 2; folder.exists(name); ++n)
        name = QStringLiteral("%1-%2.%3").arg(source.completeBaseName()).arg(n).arg(source.suffix());
    return folder.filePath(name);
}

QByteArray contents(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        *error = file.errorString();
    return bytes;
}

Problem checkFontFile(const QString &path, QString *detail)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *detail = file.errorString();
        return Problem::Unreadable;
    }
    return checkFont(&file, detail);
}

void registerFolder(const QString &path, QVector<FontFile> *into)
{
    const QDir folder(path);
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        const FontFile font = registerFontFile(folder.filePath(name));
        if (font.problem == Problem::None && into)
            into->append(font);
    }
}

} // namespace

Problem checkFont(QIODevice *font, QString *detail)
{
    const Reader reader(font);
    if (!reader.holds(0, kDirectoryBytes))
        return Problem::NotAFont;
    const QByteArray head = reader.read(0, kDirectoryBytes);
    if (head.size() != kDirectoryBytes) {
        *detail = reader.error();
        return Problem::Unreadable;
    }
    if (u32(head, 0) != kCollectionTag)
        return checkFace(reader, 0, detail);
    const quint32 faces = u32(head, 8);
    if (faces == 0 || faces > kMostFaces)
        return Problem::NotAFont;
    if (!reader.holds(kDirectoryBytes, qint64(faces) * 4)) {
        *detail = QStringLiteral("its list of fonts is cut short");
        return Problem::Damaged;
    }
    const QByteArray offsets = reader.read(kDirectoryBytes, qint64(faces) * 4);
    if (offsets.size() != qint64(faces) * 4) {
        *detail = reader.error();
        return Problem::Unreadable;
    }
    for (quint32 face = 0; face < faces; ++face) {
        const Problem problem = checkFace(reader, u32(offsets, int(face) * 4), detail);
        if (problem != Problem::None)
            return problem;
    }
    return Problem::None;
}

FontFile registerFontFile(const QString &path)
{
    FontFile font;
    font.path = path;
    font.problem = checkFontFile(path, &font.detail);
    if (font.problem != Problem::None)
        return font;
    // The font system reads the file itself.
    font.id = QFontDatabase::addApplicationFont(path);
    font.families = QFontDatabase::applicationFontFamilies(font.id);
    if (font.id < 0 || font.families.isEmpty()) {
        unregisterFontFile(font);
        font.id = -1;
        font.problem = Problem::Refused;
    }
    return font;
}

void unregisterFontFile(const FontFile &font)
{
    if (font.id >= 0)
        QFontDatabase::removeApplicationFont(font.id);
}

QString problemText(const FontFile &font)
{
    switch (font.problem) {
    case Problem::None:
        break;
    case Problem::Unreadable:
        return QStringLiteral("cannot read it: %1").arg(font.detail);
    case Problem::NotAFont:
        return QStringLiteral("it is not a TrueType or OpenType font");
    case Problem::Damaged:
        return QStringLiteral("it is damaged: %1").arg(font.detail);
    case Problem::NotCopied:
        return QStringLiteral("cannot copy it: %1").arg(font.detail);
    case Problem::Refused:
        return QStringLiteral("the font system cannot load it");
    }
    return {};
}

QString addedFontsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/fonts");
}

void registerAddedFonts()
{
    for (const FontFile &font : added())
        unregisterFontFile(font);
    added().clear();
    registerFolder(addedFontsFolder(), &added());
}

void registerBundledFonts()
{
#ifdef Q_OS_WIN
    registerFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"), nullptr);
#endif
}

QVector<FontFile> addedFonts()
{
    return added();
}

FontFile addFont(const QString &path)
{
    FontFile font;
    font.path = path;
    font.problem = checkFontFile(path, &font.detail);
    if (font.problem != Problem::None)
        return font;
    // A font, to all appearances: read whole to be compared and copied.
    const QByteArray bytes = contents(path, &font.detail);
    if (!font.detail.isEmpty()) {
        font.problem = Problem::Unreadable;
        return font;
    }
    for (const FontFile &known : added()) {
        QString unread;
        if (contents(known.path, &unread) == bytes)
            return known;
    }
    const QDir folder(addedFontsFolder());
    QSaveFile copy(freeName(folder, QFileInfo(path)));
    if (!QDir().mkpath(folder.path()) || !copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size()
        || !copy.commit()) {
        font.problem = Problem::NotCopied;
        font.detail = copy.errorString();
        return font;
    }
    font = registerFontFile(copy.fileName());
    if (font.problem != Problem::None) {
        QFile::remove(copy.fileName());
        font.path = path;
        return font;
    }
    added().append(font);
    return font;
}

bool removeAddedFont(const FontFile &font, QString *error)
{
    const auto entry
        = std::find_if(added().begin(), added().end(), [&](const FontFile &known) { return known.id == font.id; });
    if (entry == added().end())
        return true;
    // Unregistered first: Windows keeps a registered file open.
    unregisterFontFile(font);
    QFile copy(font.path);
    if (copy.exists() && !copy.remove()) {
        *error = copy.errorString();
        *entry = registerFontFile(font.path);
        return false;
    }
    added().erase(entry);
    return true;
}

} // namespace FontFiles
