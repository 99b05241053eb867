#include "rasterpdfwriter.h"

#include "checkedwritedevice.h"
#include "rasterpageencoder.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QIODevice>
#include <exception>
#include <vector>

namespace {

// The reasons go to the renderer's messages and the tests, which are in English like the rest of them.
QString errorText(const char *text)
{
    return QString::fromLatin1(text);
}

// Thrown to abandon the document; an empty reason means a cancel.
struct Abandoned
{
    QString reason;
};

// The objects every document has, numbered first; page n (from 0) is then object kFirstPage + 2n and its
// image the object after it.
enum Object { kCatalog = 1, kInfo, kPageTree, kPageContents, kFirstPage };

// References written into one piece of the page tree or the cross-reference table at a time: pieces of a
// few dozen kilobytes, whatever the length of the book.
constexpr int kEntriesPerWrite = 2048;

// A PDF number without an exponent (which PDF does not have) or needless trailing zeros.
QByteArray pdfNumber(double value)
{
    QByteArray text = QByteArray::number(value, 'f', 4);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text == "-0" ? QByteArray("0") : text;
}

// A text string of the document's information: as it is where it is plain ASCII, otherwise in UTF-16
// with its byte-order mark, in hexadecimal.
QByteArray pdfText(const QString &text)
{
    QByteArray literal = "(";
    for (const QChar ch : text) {
        if (ch.unicode() < 0x20 || ch.unicode() > 0x7E) {
            QByteArray utf16 = "\xFE\xFF";
            for (const QChar unit : text)
                utf16 += char(unit.unicode() >> 8) + QByteArray(1, char(unit.unicode() & 0xFF));
            return '<' + utf16.toHex() + '>';
        }
        if (ch == QLatin1Char('(') || ch == QLatin1Char(')') || ch == QLatin1Char('\\'))
            literal += '\\';
        literal += char(ch.unicode());
    }
    return literal + ')';
}

// Each page shows its image the way the QPdfWriter export did, in the same steps, so that readers
// resample it exactly as before: points to pixels with y downwards from the top of the page, the image
// squeezed into the writer's viewport (the media box rounded to whole pixels: 2479 x 3508), then drawn
// upright. Flattened into one matrix, the same placement comes out a shade differently in poppler.
QByteArray pageContents(QSize mediaBox, QSize image, double pointsPerPixel)
{
    const double viewportWidth = qRound(mediaBox.width() / pointsPerPixel);
    const QByteArray squeeze = QByteArray::number(viewportWidth / image.width(), 'f', 9);
    return "q\n" + pdfNumber(pointsPerPixel) + " 0 0 " + pdfNumber(-pointsPerPixel) + " 0 "
        + QByteArray::number(mediaBox.height()) + " cm\n" + squeeze + " 0 0 1 0 0 cm\n"
        + QByteArray::number(image.width()) + " 0 0 " + QByteArray::number(-image.height()) + " 0 "
        + QByteArray::number(image.height()) + " cm\n/Im0 Do\nQ\n";
}

// The document, written front to back as its pages come: each page and its image go out as soon as the
// image is compressed, and what stays behind is the place of each object, for the cross-reference table
// at the end. No library writes a PDF that way (qpdf holds every object of the document until it
// writes, some 6 KB a page, which a book of 100,000 pages made 600 MB), and a document of page images
// has few enough kinds of objects to write them here.
class StreamedPdf
{
public:
    StreamedPdf(QIODevice *device, int pageCount) : checked(device), offsets(size_t(kFirstPage + 2 * pageCount))
    {
        checked.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        // The second line's bytes above 127 mark the file as binary for programs that look.
        write("%PDF-1.3\n%\xBF\xF7\xA2\xFE\n");
    }

    int pageCount() const { return int((offsets.size() - kFirstPage) / 2); }

    void writeObject(int number, const QByteArray &body)
    {
        startObject(number);
        write(body + "\nendobj\n");
    }

    void writeStream(int number, const QByteArray &dictionary, const QByteArray &data)
    {
        startObject(number);
        write(dictionary.chopped(2) + "/Length " + QByteArray::number(data.size()) + " >>\nstream\n");
        write(data);
        write("\nendstream\nendobj\n");
    }

    void writePageTree()
    {
        startObject(kPageTree);
        write("<< /Type /Pages /Count " + QByteArray::number(pageCount()) + " /Kids [");
        QByteArray kids;
        for (int page = 0; page < pageCount(); ++page) {
            kids += ' ' + QByteArray::number(kFirstPage + 2 * page) + " 0 R";
            if ((page + 1) % kEntriesPerWrite == 0 || page + 1 == pageCount()) {
                write(kids);
                kids.clear();
            }
        }
        write(" ] >>\nendobj\n");
    }

    // The cross-reference table and the trailer, which end the file.
    void finish(const QByteArray &identifier)
    {
        const qint64 table = position;
        const QByteArray objects = QByteArray::number(qint64(offsets.size()));
        QByteArray entries = "xref\n0 " + objects + "\n0000000000 65535 f \n";
        for (size_t number = 1; number < offsets.size(); ++number) {
            entries += QByteArray::number(offsets[number]).rightJustified(10, '0') + " 00000 n \n";
            if (number % kEntriesPerWrite == 0) {
                write(entries);
                entries.clear();
            }
        }
        write(entries + "trailer\n<< /Size " + objects + " /Root " + QByteArray::number(kCatalog) + " 0 R /Info "
            + QByteArray::number(kInfo) + " 0 R /ID [<" + identifier + "> <" + identifier + ">] >>\nstartxref\n"
            + QByteArray::number(table) + '\n');
        write("%%EOF\n");
    }

private:
    void startObject(int number)
    {
        offsets[size_t(number)] = position;
        write(QByteArray::number(number) + " 0 obj\n");
    }

    void write(const QByteArray &bytes)
    {
        if (checked.write(bytes) != bytes.size())
            throw Abandoned {checked.failureReason()};
        position += bytes.size();
    }

    CheckedWriteDevice checked;
    std::vector<qint64> offsets;
    qint64 position = 0;
};

QString invalidArguments(
    QIODevice *device, int pageCount, const PageRenderer &render, const RasterPdfSettings &settings)
{
    if (!device || !device->isWritable())
        return errorText("The PDF has nowhere to be written.");
    if (pageCount < 1 || settings.pageSize.isEmpty() || settings.resolution <= 0 || !render)
        return errorText("There is no page to write.");
    return {};
}

bool write(QIODevice *device, int pageCount, const PageRenderer &render, const RasterPdfSettings &settings,
    const PageProgress &progress)
{
    // Started first, so the first pages are on their way while the document's head is written.
    RasterPageEncoder encoder(pageCount, settings.pageSize, render, settings.jobs);
    const double pointsPerPixel = 72.0 / settings.resolution;
    const QSize mediaBox(
        qRound(settings.pageSize.width() * pointsPerPixel), qRound(settings.pageSize.height() * pointsPerPixel));
    const QByteArray created = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();

    StreamedPdf pdf(device, pageCount);
    pdf.writeObject(kCatalog, "<< /Type /Catalog /Pages " + QByteArray::number(kPageTree) + " 0 R >>");
    pdf.writeObject(kInfo,
        "<< /Creator " + pdfText(settings.creator) + " /Producer " + pdfText(settings.creator)
            + " /CreationDate (D:" + created + "Z) >>");
    // Every page shows its image the same way, so they share one content stream.
    pdf.writeStream(kPageContents, "<< >>", pageContents(mediaBox, settings.pageSize, pointsPerPixel));

    const QByteArray pageHead = "<< /Type /Page /Parent " + QByteArray::number(kPageTree) + " 0 R /MediaBox [ 0 0 "
        + QByteArray::number(mediaBox.width()) + ' ' + QByteArray::number(mediaBox.height()) + " ] /Contents "
        + QByteArray::number(kPageContents) + " 0 R /Resources << /XObject << /Im0 ";
    // Readers built on Ghostscript sample the page image without /Interpolate when they draw it smaller,
    // and drop most of the one-pixel grid lines at screen resolution; at print resolution it changes
    // nothing. The data comes compressed already, as FlateDecode takes it.
    const QByteArray imageDictionary = "<< /Type /XObject /Subtype /Image /Width "
        + QByteArray::number(settings.pageSize.width()) + " /Height " + QByteArray::number(settings.pageSize.height())
        + " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Interpolate true /Filter /FlateDecode >>";
    QCryptographicHash identifier(QCryptographicHash::Md5);
    identifier.addData(created + imageDictionary + QByteArray::number(pageCount));
    for (int page = 0; page < pageCount; ++page) {
        QByteArray data;
        QString error;
        if (!encoder.take(page, &data, &error))
            throw Abandoned {error};
        const int object = kFirstPage + 2 * page;
        pdf.writeObject(object, pageHead + QByteArray::number(object + 1) + " 0 R >> >> >>");
        pdf.writeStream(object + 1, imageDictionary, data);
        // The last page counts as written once the document is whole.
        if (page + 1 < pageCount && progress && !progress(page + 1, pageCount))
            throw Abandoned {};
    }
    pdf.writePageTree();
    pdf.finish(identifier.result().toHex());
    if (progress && !progress(pageCount, pageCount))
        throw Abandoned {};
    return true;
}

} // namespace

bool writeRasterPdf(QIODevice *device, int pageCount, const PageRenderer &render, const RasterPdfSettings &settings,
    const PageProgress &progress, QString *error)
{
    QString reason = invalidArguments(device, pageCount, render, settings);
    bool written = false;
    if (reason.isEmpty()) {
        // Every way out of the page workers, the writes and the callbacks ends here; the workers are
        // joined while the exception leaves write().
        try {
            written = write(device, pageCount, render, settings, progress);
        } catch (const Abandoned &abandoned) {
            reason = abandoned.reason;
        } catch (const std::exception &exception) {
            reason = errorText("The PDF could not be made: %1").arg(QString::fromLocal8Bit(exception.what()));
        } catch (...) {
            reason = errorText("The PDF could not be made.");
        }
    }
    if (error)
        *error = reason;
    return written;
}
