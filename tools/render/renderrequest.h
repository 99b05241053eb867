#pragma once

#include "optiontable.h"

#include <QString>
#include <QStringList>

class CopyBook;

// What one run of the renderer is asked to do. The option defaults are the program's first-run
// settings, so a sheet made here matches one saved from the window.
struct RenderRequest
{
    enum class Action { Render, ShowHelp, ShowVersion, Fail };

    Action action = Action::Render;
    QString error;
    QString helpText;

    QString inputPath;
    QString outputPath;
    bool layoutOnly = false;
    // --print: every page to `printer`, the default printer when it is empty.
    bool prints = false;
    QString printer;
    int page = 0;

    // The copybook's options, at the program's first-run settings unless given.
    CopyBookOptions::OptionValues options;
    // Export threads; 0 for one per core.
    int jobs = 0;
    // Font files registered for this run, so that --font-family can name their families.
    QStringList fontFiles;

    bool writesPdf() const;

    void applyTo(CopyBook *book) const;
    CopyBookOptions::PdfExportOptions pdfExportOptions() const { return {options.vectorPdf, jobs}; }
};

// Parses the full argument list, program name first.
RenderRequest parseRenderRequest(const QStringList &arguments);
