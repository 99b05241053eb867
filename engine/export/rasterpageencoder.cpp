#include "rasterpageencoder.h"

#include <QThread>
#include <cstring>
#include <libdeflate.h>
#include <memory>

namespace {

// Measured on Trace pages of glyphs: level 5 makes them about 5 % smaller than zlib's level 6 (what
// QPdfWriter used) in a third of its time. Levels 2 to 4 save a sixth of that time but give larger files
// than QPdfWriter did, level 1 is slower still on these pages, 6 gains nothing, and from 7 on the time
// grows far faster than the file shrinks.
constexpr int kCompressionLevel = 5;

// Rows drawn at a time below the head of the page (see Workspace): a strip of 1.3 MB at the A4 width, six
// of them to a page. Twice the rows take 1.3 MB more for each worker; half as many take twice the
// passes, each of which costs nearly a millisecond of going through the page's drawing, more with hollow
// glyphs.
constexpr int kStripRows = 128;

// Qt keeps fonts per thread, and each thread's FreeType faces map the font files for it alone: every
// glyph read adds the file pages around it to the thread's resident memory, which grows towards all of
// the 17 MB Kai font for each thread in a long book (some 18 MB more at 100 pages than at 10). The faces
// go when their thread ends, so a job of two pages has a fresh thread. A thread takes a few milliseconds
// to start and to set up its fonts; measured at A4, this costs about 3 % more time, a fresh thread for
// every page 7 % for 1 MB less, and one every four pages keeps 1.5 MB more.
constexpr int kPagesPerThread = 2;

// A page of glyphs compresses to well under 1 MiB; only a page far busier than any copybook needs the
// full bound (about the raw 26 MB), which is then allocated for that page.
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

// Turns 32-bit pixels into packed 8-bit RGB, which may start at the same memory: going front to back,
// pixel i is written at 3 * i, never past where it was read (4 * i), and each four pixels are read whole
// before their twelve bytes are written.
void packRgb(const uchar *in, size_t pixels, uchar *out)
{
    size_t i = 0;
    for (; i + 4 <= pixels; i += 4, in += 16, out += 12) {
        quint32 argb[4];
        std::memcpy(argb, in, sizeof argb);
        for (int j = 0; j < 4; ++j) {
            out[3 * j] = uchar(argb[j] >> 16);
            out[3 * j + 1] = uchar(argb[j] >> 8);
            out[3 * j + 2] = uchar(argb[j]);
        }
    }
    for (; i < pixels; ++i, in += 4, out += 3) {
        quint32 argb;
        std::memcpy(&argb, in, sizeof argb);
        out[0] = uchar(argb >> 16);
        out[1] = uchar(argb >> 8);
        out[2] = uchar(argb);
    }
}

struct CompressorDeleter
{
    void operator()(libdeflate_compressor *compressor) const { libdeflate_free_compressor(compressor); }
};

} // namespace

// What one worker keeps from page to page: the memory of the page packed to RGB, followed by that of a
// strip of ARGB32 pixels, which together take 27 MB at A4 where the page's ARGB32 image alone took 35 MB.
//
// Every part of the page is drawn into an image of the whole page, through a clip: only there do lines
// come out exactly as on the whole page (a dotted line cut by the edge of its image starts its dots
// afresh at the edge). Such an image is made over the worker's memory, within a block of address space
// of which nothing but the part being drawn is ever written, so the system never backs the rest with
// memory. The head of the page, as many rows as fit the packed page and the strip as ARGB32, is drawn into
// them in one go and packed in place; the rest follows in strips, each drawn into an image placed so that
// its rows fall on the strip's memory. Every part costs a pass through the page's drawing, which is why
// the head is not cut up too.
class RasterPageEncoder::Workspace
{
public:
    explicit Workspace(QSize size)
        : size(size)
        , stripRows(qMin(kStripRows, size.height()))
        , headRows(int(qMin(size_t(size.height()), (packedSize() + stripSize()) / rowBytes())))
        // Address space before the packed page, enough for the image of the last strip to start in it.
        , headroom(rowBytes() * lastStripTop() - qMin(rowBytes() * lastStripTop(), packedSize()))
        , memory(new (std::nothrow) uchar[headroom + rowBytes() * size.height()])
        , compressor(libdeflate_alloc_compressor(kCompressionLevel))
    { }

    bool isValid() const { return memory && compressor; }

    // Renders, packs and compresses one page into *data.
    bool encode(int page, const PageRenderer &render, QByteArray *data, QString *error)
    {
        uchar *const packed = memory.get() + headroom;
        uchar *const strip = packed + packedSize();
        if (!draw(page, render, packed, 0, headRows, error))
            return false;
        packRgb(packed, size_t(size.width()) * headRows, packed);
        for (int top = headRows; top < size.height(); top += stripRows) {
            const int rows = qMin(stripRows, size.height() - top);
            if (!draw(page, render, strip - rowBytes() * top, top, rows, error))
                return false;
            packRgb(strip, size_t(size.width()) * rows, packed + size_t(3) * size.width() * top);
        }
        // Compressed straight into the page's data, which keeps the room it was given; only the part
        // written takes memory.
        size_t compressed = 0;
        for (const size_t room :
            {kUsualCompressedSize, libdeflate_zlib_compress_bound(compressor.get(), packedSize())}) {
            *data = QByteArray(int(room), Qt::Uninitialized);
            compressed = libdeflate_zlib_compress(compressor.get(), packed, packedSize(), data->data(), room);
            if (compressed > 0)
                break;
        }
        if (compressed == 0) {
            *error = errorText("Page %1 could not be compressed.").arg(page + 1);
            return false;
        }
        data->resize(int(compressed));
        return true;
    }

private:
    size_t rowBytes() const { return size_t(4) * size.width(); }
    size_t packedSize() const { return size_t(3) * size.width() * size.height(); }
    size_t stripSize() const { return rowBytes() * stripRows; }
    int lastStripTop() const
    {
        return headRows < size.height() ? headRows + (size.height() - 1 - headRows) / stripRows * stripRows : 0;
    }

    // Draws rows [top, top + rows) of the page into an image of the page that starts at `origin`.
    bool draw(int page, const PageRenderer &render, uchar *origin, int top, int rows, QString *error)
    {
        QImage image(origin, size.width(), size.height(), int(rowBytes()), QImage::Format_ARGB32);
        render(page, &image, QRect(0, top, size.width(), rows));
        if (image.constBits() != origin || image.size() != size || !isFourByteRgb(image.format())) {
            *error = errorText("Page %1 was not drawn as a 32-bit image of the page size.").arg(page + 1);
            return false;
        }
        return true;
    }

    const QSize size;
    const int stripRows;
    const int headRows;
    const size_t headroom;
    std::unique_ptr<uchar[]> memory;
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor;
};

RasterPageEncoder::RasterPageEncoder(int pageCount, QSize pageSize, const PageRenderer &render, int jobs)
    : pageCount(qMax(0, pageCount))
    , pageSize(pageSize)
    , render(render)
    , workers(qBound(1, jobs > 0 ? jobs : QThread::idealThreadCount(), qMax(1, pageCount)))
{
    // Started at once, so the first pages are on their way while the document is put together; a
    // failure to start shows when the first page is taken.
    QString ignored;
    startJobs(&ignored);
}

RasterPageEncoder::~RasterPageEncoder()
{
    stopping = true;
    for (const std::unique_ptr<Job> &job : inFlight)
        job->thread.join();
}

bool RasterPageEncoder::startJobs(QString *error)
{
    while (int(inFlight.size()) < workers && nextToStart < pageCount) {
        try {
            auto job = std::make_unique<Job>();
            job->firstPage = nextToStart;
            job->pageCount = qMin(kPagesPerThread, pageCount - nextToStart);
            if (!pool.empty()) {
                job->workspace = std::move(pool.back());
                pool.pop_back();
            }
            // In the queue before its thread starts: a thread that started and then could not be queued
            // would be destroyed still joinable, which ends the program.
            inFlight.push_back(std::move(job));
            Job *queued = inFlight.back().get();
            try {
                queued->thread
                    = std::thread(&RasterPageEncoder::run, queued, pageSize, std::cref(render), std::cref(stopping));
            } catch (...) {
                if (queued->workspace)
                    pool.push_back(std::move(queued->workspace));
                inFlight.pop_back();
                throw;
            }
            nextToStart += queued->pageCount;
        } catch (...) {
            // Out of threads or of memory: fewer jobs at a time are slower but still get there.
            break;
        }
    }
    if (inFlight.empty() && nextToStart < pageCount) {
        *error = errorText("No thread could be started to render the pages.");
        return false;
    }
    return true;
}

void RasterPageEncoder::run(Job *job, QSize pageSize, const PageRenderer &render, const std::atomic<bool> &stopping)
{
    try {
        if (!job->workspace)
            job->workspace = std::make_unique<Workspace>(pageSize);
        if (!job->workspace->isValid()) {
            job->failure = errorText("There is not enough memory to render a page.");
            return;
        }
        job->pages.resize(size_t(job->pageCount));
        for (int i = 0; i < job->pageCount && !stopping; ++i) {
            if (!job->workspace->encode(job->firstPage + i, render, &job->pages[size_t(i)], &job->failure))
                return;
        }
    } catch (...) {
        job->failure = errorText("Page %1 could not be rendered.").arg(job->firstPage + 1);
    }
}

bool RasterPageEncoder::take(int page, QByteArray *data, QString *error)
{
    if (page != nextPage || page >= pageCount) {
        *error = errorText("Page %1 was asked for out of order or does not exist.").arg(page + 1);
        return false;
    }
    if (!current || page >= current->firstPage + current->pageCount) {
        current.reset();
        if (!startJobs(error))
            return false;
        current = std::move(inFlight.front());
        inFlight.pop_front();
        current->thread.join();
        // Its pages are done: its memory goes to the next job, which starts while they are written.
        if (current->workspace)
            pool.push_back(std::move(current->workspace));
        if (!startJobs(error))
            return false;
    }
    if (!current->failure.isEmpty()) {
        *error = current->failure;
        return false;
    }
    *data = std::move(current->pages[size_t(page - current->firstPage)]);
    ++nextPage;
    return true;
}
