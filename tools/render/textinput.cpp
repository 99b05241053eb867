#include "textinput.h"

namespace {

// Returns the length of the valid sequence starting at bytes[i], or 0 when it is not valid UTF-8.
int sequenceLength(const QByteArray &bytes, int i)
{
    const auto byteAt = [&bytes](int k) { return static_cast<unsigned char>(bytes.at(k)); };
    const unsigned char lead = byteAt(i);
    if (lead < 0x80)
        return 1;
    int length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        else if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90; // overlong
        else if (lead == 0xF4)
            high = 0x8F; // past U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char continuation = byteAt(i + k);
        const unsigned char min = k == 1 ? low : 0x80;
        const unsigned char max = k == 1 ? high : 0xBF;
        if (continuation < min || continuation > max)
            return 0;
    }
    return length;
}

} // namespace

DecodedText decodeText(const QByteArray &bytes)
{
    DecodedText decoded;
    for (int i = 0; i < bytes.size();) {
        const int length = sequenceLength(bytes, i);
        if (length == 0) {
            decoded.invalidByteOffset = i;
            return decoded;
        }
        i += length;
    }
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    decoded.text = text;
    return decoded;
}
