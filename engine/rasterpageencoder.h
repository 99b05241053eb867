#pragma once

#include "rasterpdfwriter.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <condition_variable>
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

    void work();
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
    std::vector<std::thread> workers;
};
