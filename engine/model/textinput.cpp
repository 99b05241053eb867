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

DecodedText failure(DecodedText::Problem problem, qint64 offset)
{
    DecodedText decoded;
    decoded.problem = problem;
    decoded.invalidByteOffset = offset;
    return decoded;
}

// Decoded here rather than by QString::fromUtf8, which stops at a NUL and drops a leading mark of its own,
// so that a second mark would vanish too.
DecodedText decodeUtf8(const QByteArray &bytes, int start)
{
    QString text;
    text.reserve(bytes.size() - start);
    for (int i = start; i < bytes.size();) {
        const int length = sequenceLength(bytes, i);
        if (length == 0)
            return failure(DecodedText::Problem::InvalidUtf8, i);
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        if (lead == 0)
            return failure(DecodedText::Problem::NulByte, i);
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            codePoint = codePoint << 6 | (static_cast<unsigned char>(bytes.at(i + k)) & 0x3F);
        if (QChar::requiresSurrogates(codePoint)) {
            text += QChar(QChar::highSurrogate(codePoint));
            text += QChar(QChar::lowSurrogate(codePoint));
        } else {
            text += QChar(char16_t(codePoint));
        }
        i += length;
    }
    DecodedText decoded;
    decoded.text = text;
    return decoded;
}

DecodedText decodeUtf16(const QByteArray &bytes, bool bigEndian)
{
    QString text;
    text.reserve(bytes.size() / 2);
    const auto unitAt = [&](int i) {
        const auto first = static_cast<unsigned char>(bytes.at(i));
        const auto second = static_cast<unsigned char>(bytes.at(i + 1));
        return char16_t(bigEndian ? first << 8 | second : second << 8 | first);
    };
    for (int i = 2; i < bytes.size(); i += 2) {
        if (i + 1 >= bytes.size())
            return failure(DecodedText::Problem::InvalidUtf16, i);
        const char16_t unit = unitAt(i);
        if (unit == 0)
            return failure(DecodedText::Problem::NulByte, i);
        if (QChar::isLowSurrogate(unit))
            return failure(DecodedText::Problem::InvalidUtf16, i);
        if (QChar::isHighSurrogate(unit)) {
            if (i + 3 >= bytes.size() || !QChar::isLowSurrogate(unitAt(i + 2)))
                return failure(DecodedText::Problem::InvalidUtf16, i);
            text += QChar(unit);
            i += 2;
            text += QChar(unitAt(i));
            continue;
        }
        text += QChar(unit);
    }
    DecodedText decoded;
    decoded.text = text;
    return decoded;
}

} // namespace

DecodedText decodeText(const QByteArray &bytes)
{
    DecodedText decoded;
    if (bytes.startsWith("\xFF\xFE"))
        decoded = decodeUtf16(bytes, false);
    else if (bytes.startsWith("\xFE\xFF"))
        decoded = decodeUtf16(bytes, true);
    else
        decoded = decodeUtf8(bytes, bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0);
    decoded.text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    decoded.text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return decoded;
}

QString decodingProblem(const DecodedText &decoded)
{
    switch (decoded.problem) {
    case DecodedText::Problem::InvalidUtf8:
        return QStringLiteral("input is not valid UTF-8 at byte offset %1").arg(decoded.invalidByteOffset);
    case DecodedText::Problem::InvalidUtf16:
        return QStringLiteral("input is not valid UTF-16 at byte offset %1").arg(decoded.invalidByteOffset);
    case DecodedText::Problem::NulByte:
        return QStringLiteral("input holds a NUL at byte offset %1, which no text has").arg(decoded.invalidByteOffset);
    case DecodedText::Problem::None:
        break;
    }
    return {};
}
