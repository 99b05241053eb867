#pragma once

#include "rasterpdfwriter.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Renders pages on worker threads and compresses each into the zlib stream of its 8-bit RGB pixels,
// ready to be a PDF image's FlateDecode data. The workers keep only a few pages ahead of the pages taken,
// so memory stays flat however long the document is.
class RasterPageEncoder
{
public:
    RasterPageEncoder(int pageCount, QSize pageSize, const PageRenderer &render, int jobs);
    // Stops the workers and waits for them; a page being rendered is finished first.
    ~RasterPageEncoder();

    RasterPageEncoder(const RasterPageEncoder &) = delete;
    RasterPageEncoder &operator=(const RasterPageEncoder &) = delete;

    // Blocks until the page is encoded and hands its data over. Pages may be taken in any order, each
    // once. False when a page could not be made; *error then says why.
    bool take(int page, QByteArray *data, QString *error);

private:
    enum class State { Waiting, Claimed, Ready, Taken };
    class Workspace;

    // The life of the thread working in one slot: a few pages, after which it hands the slot over to a
    // fresh thread (see kPagesPerThread).
    void work(int slot);
    // Starts the slot's next thread; false when none could be started. Called with the mutex held.
    bool handOver(int slot);
    // The page a worker should make next, or -1 for none yet. Called with the mutex held.
    int claimablePage();

    const QSize pageSize;
    const PageRenderer render;
    const int threads;
    // Pages claimed or encoded but not yet taken: enough that no worker idles while the writer takes a
    // page, few enough that memory does not grow with the document.
    const int window;

    std::mutex mutex;
    std::condition_variable workAvailable;
    std::condition_variable pageReady;
    std::vector<State> states;
    std::vector<QByteArray> encoded;
    int nextInOrder = 0;
    int pagesInFlight = 0;
    int wanted = -1; // the page take() waits for
    bool stopping = false;
    QString failure;
    // For each slot: the thread working in it, the one that has just handed it over (joined by its
    // successor) and the workspace that they pass on.
    std::vector<std::thread> workers;
    std::vector<std::thread> retired;
    std::vector<std::unique_ptr<Workspace>> workspaces;
};
