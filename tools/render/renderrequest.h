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
    // --chars: the text is these characters of the national list instead of a file's.
    QString listedCharacters;
    QString outputPath;
    // --all-pages: every page of a picture output, each to its numbered file.
    bool allPages = false;
    // --save-worksheet: the text and options kept as a worksheet at this path.
    QString worksheetPath;
    bool layoutOnly = false;
    // --char-info: each Han character's facts as a JSON line instead of pages.
    bool charInfo = false;
    // --print: every page to `printer`, the default printer when it is empty.
    bool prints = false;
    QString printer;
    int page = 0;

    // The copybook's options, at the program's first-run settings unless given; the settings keys of
    // those given.
    CopyBookOptions::OptionValues options;
    QStringList optionsGiven;
    // Export threads; 0 for one per core.
    int jobs = 0;
    // Font files registered for this run, so that --font-family can name their families.
    QStringList fontFiles;

    bool writesPdf() const;
    // Whether pages are asked for at all (or only a worksheet).
    bool makesPages() const { return layoutOnly || prints || !outputPath.isEmpty(); }
    // Whether anything is asked for at all.
    bool writesSomething() const { return makesPages() || charInfo || !worksheetPath.isEmpty(); }

    void applyTo(CopyBook *book) const;
    // `base` (a worksheet's options) with the options given on the command line in place of its own.
    CopyBookOptions::OptionValues givenOver(const CopyBookOptions::OptionValues &base) const;
};

// Parses the full argument list, program name first.
RenderRequest parseRenderRequest(const QStringList &arguments);
