#pragma once

#include "renderer.h"

#include <QBuffer>
#include <QStringList>

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// One run of the renderer in-process, with the standard streams in memory.
inline Run render(const QStringList &arguments, const QByteArray &input = {})
{
    QByteArray in = input;
    Run run;
    QBuffer inBuffer(&in), outBuffer(&run.out), errBuffer(&run.err);
    for (QBuffer *buffer : {&inBuffer, &outBuffer, &errBuffer})
        buffer->open(QIODevice::ReadWrite);
    run.exitCode = runRenderer(
        QStringList {QStringLiteral("lattiscribe-render")} + arguments, {&inBuffer, &outBuffer, &errBuffer, false});
    return run;
}
