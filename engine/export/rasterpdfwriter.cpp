#include "rasterpdfwriter.h"

#include "checkedwritedevice.h"
#include "rasterpageencoder.h"

#include <QIODevice>
#include <exception>
#include <map>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

namespace {

// The reasons go to the renderer's messages and the tests, which are in English like the rest of them.
QString errorText(const char *text)
{
    return QString::fromLatin1(text);
}

// Thrown through QPDFWriter to abandon the document; an empty reason means a cancel.
struct Abandoned
{
    QString reason;
};

// QPDFWriter's output, passed on to the device one write at a time, each checked whole: the document
// must stop at the first short write rather than be finished with a hole in it.
class DevicePipeline final : public Pipeline
{
public:
    explicit DevicePipeline(QIODevice *device) : Pipeline("QIODevice", nullptr), checked(device)
    {
        checked.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    void write(unsigned char const *data, size_t size) override
    {
        if (checked.hasFailed())
            return;
        checked.write(reinterpret_cast<const char *>(data), qint64(size));
        // Thrown at once to stop the document, except while an exception is already leaving QPDFWriter
        // (it finishes its pipelines from destructors), where a second one would end the program; the
        // failure is checked again once QPDFWriter::write() returns.
        if (checked.hasFailed() && std::uncaught_exceptions() == 0)
            throw Abandoned {checked.failureReason()};
    }

    void finish() override { }

    const QString &writeFailure() const { return checked.failureReason(); }

private:
    CheckedWriteDevice checked;
};

// Gives each page image its compressed pixels as QPDFWriter reaches it, and reports the pages before it,
// which the writer has passed to the device by then.
class PageImageProvider final : public QPDFObjectHandle::StreamDataProvider
{
public:
    PageImageProvider(RasterPageEncoder *encoder, int pageCount, const PageProgress &progress)
        : encoder(encoder), pageCount(pageCount), progress(progress)
    { }

    void addImage(QPDFObjGen image, int page) { pages[image] = page; }

    using QPDFObjectHandle::StreamDataProvider::provideStreamData;
    void provideStreamData(QPDFObjGen const &image, Pipeline *pipeline) override
    {
        reportProgress(pagesDelivered);
        QByteArray data;
        QString error;
        const auto page = pages.find(image);
        if (page == pages.end())
            throw Abandoned {errorText("The PDF writer asked for an image that is not a page.")};
        if (!encoder->take(page->second, &data, &error))
            throw Abandoned {error};
        pipeline->write(reinterpret_cast<const unsigned char *>(data.constData()), size_t(data.size()));
        ++pagesDelivered;
    }

    // Tells the progress callback of each page up to `done` not yet reported.
    void reportProgress(int done)
    {
        for (; pagesReported < done; ++pagesReported) {
            if (progress && !progress(pagesReported + 1, pageCount))
                throw Abandoned {};
        }
    }

    int delivered() const { return pagesDelivered; }

private:
    RasterPageEncoder *encoder;
    const int pageCount;
    const PageProgress progress;
    std::map<QPDFObjGen, int> pages;
    int pagesDelivered = 0;
    int pagesReported = 0;
};

// A PDF number without an exponent (which PDF does not have) or needless trailing zeros.
std::string pdfNumber(double value)
{
    QByteArray text = QByteArray::number(value, 'f', 4);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text == "-0" ? std::string("0") : text.toStdString();
}

// Each page shows its image the way the QPdfWriter export did, in the same steps, so that readers
// resample it exactly as before: points to pixels with y downwards from the top of the page, the image
// squeezed into the writer's viewport (the media box rounded to whole pixels: 2479 x 3508), then drawn
// upright. Flattened into one matrix, the same placement comes out a shade differently in poppler.
std::string pageContents(QSize mediaBox, QSize image, double pointsPerPixel)
{
    const double viewportWidth = qRound(mediaBox.width() / pointsPerPixel);
    const QByteArray squeeze = QByteArray::number(viewportWidth / image.width(), 'f', 9);
    return "q\n" + pdfNumber(pointsPerPixel) + " 0 0 " + pdfNumber(-pointsPerPixel) + " 0 "
        + std::to_string(mediaBox.height()) + " cm\n" + squeeze.toStdString() + " 0 0 1 0 0 cm\n"
        + std::to_string(image.width()) + " 0 0 " + std::to_string(-image.height()) + " 0 "
        + std::to_string(image.height()) + " cm\n/Im0 Do\nQ\n";
}

void addPages(
    QPDF *pdf, const std::shared_ptr<PageImageProvider> &provider, int pageCount, const RasterPdfSettings &settings)
{
    const double pointsPerPixel = 72.0 / settings.resolution;
    const QSize mediaBox(
        qRound(settings.pageSize.width() * pointsPerPixel), qRound(settings.pageSize.height() * pointsPerPixel));
    // Every page shows its image the same way, so they share one content stream: fewer objects for the
    // writer to hold, which a book of thousands of pages would otherwise feel.
    const QPDFObjectHandle contents = pdf->newStream(pageContents(mediaBox, settings.pageSize, pointsPerPixel));
    for (int page = 0; page < pageCount; ++page) {
        QPDFObjectHandle image = pdf->newStream();
        QPDFObjectHandle imageDictionary = image.getDict();
        imageDictionary.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
        imageDictionary.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
        imageDictionary.replaceKey("/Width", QPDFObjectHandle::newInteger(settings.pageSize.width()));
        imageDictionary.replaceKey("/Height", QPDFObjectHandle::newInteger(settings.pageSize.height()));
        imageDictionary.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
        imageDictionary.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        // Readers built on Ghostscript sample the page image without it when they draw it smaller, and
        // drop most of the one-pixel grid lines at screen resolution; at print resolution it changes nothing.
        imageDictionary.replaceKey("/Interpolate", QPDFObjectHandle::newBool(true));
        image.replaceStreamData(provider, QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
        // The data is compressed already and final: the writer is neither to decode it nor to compress
        // it again.
        image.setFilterOnWrite(false);
        provider->addImage(image.getObjGen(), page);

        QPDFObjectHandle xObjects = QPDFObjectHandle::newDictionary();
        xObjects.replaceKey("/Im0", image);
        QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/XObject", xObjects);
        QPDFObjectHandle pageDictionary = QPDFObjectHandle::newDictionary();
        pageDictionary.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
        pageDictionary.replaceKey("/MediaBox",
            QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(0, 0, mediaBox.width(), mediaBox.height())));
        pageDictionary.replaceKey("/Resources", resources);
        pageDictionary.replaceKey("/Contents", contents);
        pdf->addPage(pdf->makeIndirectObject(pageDictionary), false);
    }
}

void addInfo(QPDF *pdf, const QString &creator)
{
    QPDFObjectHandle info = pdf->makeIndirectObject(QPDFObjectHandle::newDictionary());
    info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(creator.toStdString()));
    info.replaceKey("/Producer", QPDFObjectHandle::newUnicodeString("qpdf " + QPDF::QPDFVersion()));
    info.replaceKey(
        "/CreationDate", QPDFObjectHandle::newString(QUtil::qpdf_time_to_pdf_time(QUtil::get_current_qpdf_time())));
    pdf->getTrailer().replaceKey("/Info", info);
}

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
    // Started first, so the first pages are on their way while the document is put together.
    RasterPageEncoder encoder(pageCount, settings.pageSize, render, settings.jobs);
    const auto provider = std::make_shared<PageImageProvider>(&encoder, pageCount, progress);

    QPDF pdf;
    pdf.emptyPDF();
    addPages(&pdf, provider, pageCount, settings);
    addInfo(&pdf, settings.creator);

    DevicePipeline output(device);
    QPDFWriter writer(pdf);
    writer.setOutputPipeline(&output);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setCompressStreams(false); // the page contents are a few dozen bytes
    writer.write();
    if (!output.writeFailure().isEmpty())
        throw Abandoned {output.writeFailure()};
    if (provider->delivered() != pageCount)
        throw Abandoned {errorText("The PDF writer left out some of the pages.")};
    provider->reportProgress(pageCount);
    return true;
}

} // namespace

bool writeRasterPdf(QIODevice *device, int pageCount, const PageRenderer &render, const RasterPdfSettings &settings,
    const PageProgress &progress, QString *error)
{
    QString reason = invalidArguments(device, pageCount, render, settings);
    bool written = false;
    if (reason.isEmpty()) {
        // Every way out of qpdf, the page workers and the callbacks ends here; the workers are joined
        // while the exception leaves write().
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
