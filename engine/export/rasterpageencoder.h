#pragma once

#include "rasterpdfwriter.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <atomic>
#include <deque>
#include <memory>
#include <thread>
#include <vector>

// Renders pages on worker threads and compresses each into the zlib stream of its 8-bit RGB pixels,
// ready to be a PDF image's FlateDecode data.
//
// The pages go to jobs of a few pages each, one thread per job, at most one job per worker in flight,
// and are taken in order: taking the first page of a job joins its thread, which is then done, and
// starts the next job. A job's thread gets its memory (a Workspace, from a pool) before it starts and
// gives it back when joined, so the threads share nothing with one another or with the caller while
// they run, and memory stays flat however long the document is.
class RasterPageEncoder
{
public:
    RasterPageEncoder(int pageCount, QSize pageSize, const PageRenderer &render, int jobs);
    // Waits for the jobs in flight, which stop after the page they are on.
    ~RasterPageEncoder();
    RasterPageEncoder(const RasterPageEncoder &) = delete;
    RasterPageEncoder &operator=(const RasterPageEncoder &) = delete;

    // Hands over the encoded page, waiting for it if need be. Pages are taken in order, each once.
    // False when a page could not be made or was asked for out of order; *error then says why.
    bool take(int page, QByteArray *data, QString *error);

private:
    class Workspace;
    struct Job
    {
        int firstPage = 0;
        int pageCount = 0;
        std::unique_ptr<Workspace> workspace;
        std::vector<QByteArray> pages;
        QString failure;
        std::thread thread;
    };

    // Starts jobs until the workers are all busy or every page has one; false when none is running and
    // none could be started.
    bool startJobs(QString *error);
    static void run(Job *job, QSize pageSize, const PageRenderer &render, const std::atomic<bool> &stopping);

    const int pageCount;
    const QSize pageSize;
    const PageRenderer render;
    const int workers;
    std::atomic<bool> stopping {false};
    // In page order; a job's thread writes only to its own Job.
    std::deque<std::unique_ptr<Job>> inFlight;
    std::vector<std::unique_ptr<Workspace>> pool;
    // The job whose pages are being taken, already joined; its memory is back in the pool.
    std::unique_ptr<Job> current;
    int nextPage = 0;
    int nextToStart = 0;
};
