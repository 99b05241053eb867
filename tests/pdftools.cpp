#include "pdftools.h"

#include <QDir>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

namespace {

// Runs a poppler tool that writes one page as PNG files into a scratch folder and reads the first back.
QImage firstImage(const QString &program, const QStringList &options, const QString &pdfPath, int page)
{
    QTemporaryDir directory;
    const QString number = QString::number(page);
    PdfTools::run(
        program, options + QStringList {"-png", "-f", number, "-l", number, pdfPath, directory.filePath("out")});
    const QStringList files = QDir(directory.path()).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    return files.isEmpty() ? QImage() : QImage(directory.filePath(files.first()));
}

} // namespace

namespace PdfTools {

bool available()
{
    return QSysInfo::kernelType() != QLatin1String("winnt");
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QMap<QString, QString> info(const QString &pdfPath)
{
    QMap<QString, QString> fields;
    for (const QString &line : run(QStringLiteral("pdfinfo"), {pdfPath}).split(QLatin1Char('\n'))) {
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0)
            fields.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return fields;
}

QStringList images(const QString &pdfPath)
{
    // Two header lines, then: page num type width height color comp bpc enc interp object ID x-ppi ...
    QStringList entries;
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath}).split('\n');
    for (const QString &line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (fields.size() >= 14)
            entries << QStringList {fields[0], fields[2], fields[3], fields[4], fields[9], fields[12]}.join(' ');
    }
    return entries;
}

QImage embeddedImage(const QString &pdfPath, int page)
{
    return firstImage(QStringLiteral("pdfimages"), {}, pdfPath, page);
}

QImage renderedPage(const QString &pdfPath, int page, int dpi)
{
    return firstImage(QStringLiteral("pdftoppm"), {"-r", QString::number(dpi)}, pdfPath, page);
}

} // namespace PdfTools
