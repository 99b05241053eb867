#pragma once

#include <QStringList>

class QIODevice;

// The renderer's standard streams, so that a run can be driven in-process as well as from main().
struct RendererStreams
{
    QIODevice *input = nullptr;
    QIODevice *output = nullptr;
    QIODevice *errors = nullptr;
    // A terminal sees a long job's progress as one line rewritten page by page; a log (anything else) as
    // a line every so many milliseconds.
    bool errorsAreTerminal = false;
    int progressIntervalMs = 5000;
};

enum RendererExitStatus { RendererSuccess = 0, RendererInputOutputError = 1, RendererUsageError = 2 };

// One run of lattiscribe-render with the full argument list, program name first. Needs the application
// object (fonts), with its identity applied.
int runRenderer(const QStringList &arguments, const RendererStreams &streams);
