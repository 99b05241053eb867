#pragma once

#include <functional>

// Told after each page written to a PDF or sent to a printer, with the pages done and the page count;
// returning false cancels the job.
using PageProgress = std::function<bool(int pagesDone, int pageCount)>;
