#include "pdftools.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QImage firstImageIn(const QString &directory)
{
    const QStringList files = QDir(directory).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    return files.isEmpty() ? QImage() : QImage(directory + QLatin1Char('/') + files.first());
}

} // namespace

namespace PdfTools {

QMap<QString, QString> info(const QString &pdfPath)
{
    QMap<QString, QString> fields;
    const QStringList lines = run(QStringLiteral("pdfinfo"), {pdfPath}).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0)
            fields.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return fields;
}

QVector<ImageEntry> images(const QString &pdfPath)
{
    QVector<ImageEntry> entries;
    const QStringList lines
        = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath}).split(QLatin1Char('\n'));
    // Two header lines, then: page num type width height color comp bpc enc interp object ID x-ppi y-ppi ...
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines[i].simplified().split(QLatin1Char(' '));
        if (fields.size() < 14)
            continue;
        entries.append({fields[0].toInt(), fields[2], fields[3].toInt(), fields[4].toInt(), fields[12].toInt()});
    }
    return entries;
}

QImage embeddedImage(const QString &pdfPath, int page)
{
    QTemporaryDir directory;
    const QString number = QString::number(page);
    run(QStringLiteral("pdfimages"),
        {QStringLiteral("-png"), QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdfPath,
            directory.filePath(QStringLiteral("image"))});
    return firstImageIn(directory.path());
}

QImage renderedPage(const QString &pdfPath, int page, int dpi)
{
    QTemporaryDir directory;
    const QString number = QString::number(page);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), number,
            QStringLiteral("-l"), number, pdfPath, directory.filePath(QStringLiteral("page"))});
    return firstImageIn(directory.path());
}

} // namespace PdfTools
