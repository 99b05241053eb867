// Any bytes: a text, or a refusal that names an offset within the input.
#include "textinput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const DecodedText decoded = decodeText(bytes);
    if (decoded.problem == DecodedText::Problem::None) {
        if (decoded.invalidByteOffset != -1 || decoded.text.contains(QChar(0))
            || decoded.text.contains(QLatin1Char('\r')))
            std::abort();
    } else if (decoded.invalidByteOffset < 0 || decoded.invalidByteOffset > bytes.size()) {
        std::abort();
    }
    return 0;
}
