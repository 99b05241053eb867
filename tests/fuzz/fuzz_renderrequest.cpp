// Any command line (arguments separated by NUL bytes): a request to render, help, version or a usage
// error with its reason, never anything in between.
#include "fuzzapplication.h"
#include "renderrequest.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The help text takes the program's name from the application.
    ensureApplication();
    QStringList arguments {QStringLiteral("lattiscribe-render")};
    for (const QByteArray &argument : QByteArray(reinterpret_cast<const char *>(data), int(size)).split('\0'))
        arguments << QString::fromUtf8(argument);
    const RenderRequest request = parseRenderRequest(arguments);
    if ((request.action == RenderRequest::Action::Fail) == request.error.isEmpty())
        std::abort();
    if (request.action == RenderRequest::Action::Render) {
        const CopyBookOptions::OptionValues &o = request.options;
        if (!(o.cellSize >= CopyBookOptions::kMinCellSize && o.cellSize <= CopyBookOptions::kMaxCellSize)
            || o.gridColor.alpha() != 255 || o.textColor.alpha() != 255)
            std::abort();
    }
    return 0;
}
