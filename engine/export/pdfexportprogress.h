#pragma once

#include <functional>

// Told after each page written to a PDF, with the pages done and the page count; returning false
// cancels the export.
using PdfExportProgress = std::function<bool(int pagesDone, int pageCount)>;
