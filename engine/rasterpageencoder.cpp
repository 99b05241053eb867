#include "rasterpageencoder.h"

#include <QThread>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <system_error>

namespace {

// Measured on Trace pages of glyphs: level 5 makes them about 5 % smaller than zlib's level 6 (what
// QPdfWriter used) in a third of its time. Levels 2 to 4 save a sixth of that time but give larger files
// than QPdfWriter did, level 1 is slower still on these pages, 6 gains nothing, and from 7 on the time
// grows far faster than the file shrinks.
constexpr int kCompressionLevel = 5;

// A page of glyphs compresses to well under 1 MiB; only a page far busier than any copybook needs the
// full bound (about the raw 26 MB), which is then allocated for that worker.
constexpr size_t kUsualCompressedSize = 4 * 1024 * 1024;

// The reasons go to the renderer's messages and the tests, which are in English like the rest of them.
QString errorText(const char *text)
{
    return QString::fromLatin1(text);
}

bool isFourByteRgb(QImage::Format format)
{
    return format == QImage::Format_ARGB32 || format == QImage::Format_RGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

// Turns the 32-bit pixels into packed 8-bit RGB at the start of the same memory, so no second page-sized
// buffer is needed. Going front to back is safe: pixel i of row y is written at 3 * (width * y + i), never
// past where it was read (y * bytesPerLine + 4 * i), and every pixel is read before its bytes are reused.
// Four pixels at a time are read whole before their twelve bytes are written.
size_t packRgbInPlace(QImage *image)
{
    uchar *const bits = image->bits();
    const int width = image->width();
    const qsizetype bytesPerLine = image->bytesPerLine();
    uchar *out = bits;
    for (int y = 0; y < image->height(); ++y) {
        const uchar *in = bits + y * bytesPerLine;
        int x = 0;
        for (; x + 4 <= width; x += 4, in += 16, out += 12) {
            quint32 pixels[4];
            std::memcpy(pixels, in, sizeof pixels);
            uchar rgb[12];
            for (int i = 0; i < 4; ++i) {
                rgb[3 * i] = uchar(pixels[i] >> 16);
                rgb[3 * i + 1] = uchar(pixels[i] >> 8);
                rgb[3 * i + 2] = uchar(pixels[i]);
            }
            std::memcpy(out, rgb, sizeof rgb);
        }
        for (; x < width; ++x, in += 4, out += 3) {
            quint32 pixel;
            std::memcpy(&pixel, in, sizeof pixel);
            out[0] = uchar(pixel >> 16);
            out[1] = uchar(pixel >> 8);
            out[2] = uchar(pixel);
        }
    }
    return size_t(out - bits);
}

struct CompressorDeleter
{
    void operator()(libdeflate_compressor *compressor) const { libdeflate_free_compressor(compressor); }
};

// What one worker keeps from page to page.
class PageWorkspace
{
public:
    explicit PageWorkspace(QSize size)
        : image(size, QImage::Format_ARGB32)
        , compressor(libdeflate_alloc_compressor(kCompressionLevel))
        , output(new (std::nothrow) uchar[kUsualCompressedSize])
        , outputSize(output ? kUsualCompressedSize : 0)
    { }

    bool isValid() const { return !image.isNull() && compressor && output; }

    // Renders, packs and compresses one page into *data.
    bool encode(int page, const PageRenderer &render, QByteArray *data, QString *error)
    {
        const QSize size = image.size();
        render(page, &image);
        if (image.size() != size || !isFourByteRgb(image.format())) {
            *error = errorText("Page %1 was not drawn as a 32-bit image of the page size.").arg(page + 1);
            return false;
        }
        const size_t packed = packRgbInPlace(&image);
        size_t compressed
            = libdeflate_zlib_compress(compressor.get(), image.constBits(), packed, output.get(), outputSize);
        if (compressed == 0) {
            outputSize = libdeflate_zlib_compress_bound(compressor.get(), packed);
            output.reset(new uchar[outputSize]);
            compressed
                = libdeflate_zlib_compress(compressor.get(), image.constBits(), packed, output.get(), outputSize);
        }
        if (compressed == 0) {
            *error = errorText("Page %1 could not be compressed.").arg(page + 1);
            return false;
        }
        *data = QByteArray(reinterpret_cast<const char *>(output.get()), int(compressed));
        return true;
    }

private:
    QImage image;
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor;
    std::unique_ptr<uchar[]> output;
    size_t outputSize;
};

} // namespace

RasterPageEncoder::RasterPageEncoder(int pageCount, QSize pageSize, const PageRenderer &render, int jobs)
    : pageSize(pageSize)
    , render(render)
    , threads(qBound(1, jobs > 0 ? jobs : QThread::idealThreadCount(), qMax(1, pageCount)))
    , window(2 * threads)
    , states(size_t(qMax(0, pageCount)), State::Waiting)
    , encoded(states.size())
{
    try {
        for (int i = 0; i < threads; ++i)
            workers.emplace_back(&RasterPageEncoder::work, this);
    } catch (const std::system_error &) {
        // Fewer workers are slower but still get there.
        if (workers.empty())
            failure = errorText("No thread could be started to render the pages.");
    }
}

RasterPageEncoder::~RasterPageEncoder()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    workAvailable.notify_all();
    for (std::thread &worker : workers)
        worker.join();
}

int RasterPageEncoder::claimablePage()
{
    // The page the writer waits for always goes first, past the window: were it asked for out of order
    // while the window is full of pages it does not want yet, nothing else would ever make it.
    if (wanted >= 0 && states[size_t(wanted)] == State::Waiting)
        return wanted;
    while (nextInOrder < int(states.size()) && states[size_t(nextInOrder)] != State::Waiting)
        ++nextInOrder;
    return nextInOrder < int(states.size()) && pagesInFlight < window ? nextInOrder : -1;
}

void RasterPageEncoder::work()
{
    std::unique_ptr<PageWorkspace> workspace;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        int page = -1;
        workAvailable.wait(lock, [&] { return stopping || (page = claimablePage()) >= 0; });
        if (stopping)
            return;
        states[size_t(page)] = State::Claimed;
        ++pagesInFlight;
        lock.unlock();

        QByteArray data;
        QString problem;
        try {
            if (!workspace)
                workspace.reset(new PageWorkspace(pageSize));
            if (!workspace->isValid())
                problem = errorText("There is not enough memory to render a page.");
            else
                workspace->encode(page, render, &data, &problem);
        } catch (...) {
            problem = errorText("Page %1 could not be rendered.").arg(page + 1);
        }

        lock.lock();
        if (!problem.isEmpty()) {
            if (failure.isEmpty())
                failure = problem;
            stopping = true;
            workAvailable.notify_all();
            pageReady.notify_all();
            return;
        }
        encoded[size_t(page)] = std::move(data);
        states[size_t(page)] = State::Ready;
        pageReady.notify_all();
    }
}

bool RasterPageEncoder::take(int page, QByteArray *data, QString *error)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (page < 0 || page >= int(states.size()) || states[size_t(page)] == State::Taken) {
        *error = errorText("Page %1 was asked for twice or does not exist.").arg(page + 1);
        return false;
    }
    wanted = page;
    workAvailable.notify_all();
    pageReady.wait(lock, [&] { return states[size_t(page)] == State::Ready || !failure.isEmpty(); });
    wanted = -1;
    if (states[size_t(page)] != State::Ready) {
        *error = failure;
        return false;
    }
    *data = std::move(encoded[size_t(page)]);
    encoded[size_t(page)] = QByteArray();
    states[size_t(page)] = State::Taken;
    --pagesInFlight;
    workAvailable.notify_all();
    return true;
}
