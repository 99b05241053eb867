#pragma once

#include <QByteArray>
#include <QString>

struct DecodedText
{
    enum class Problem { None, InvalidUtf8, InvalidUtf16, NulByte };

    QString text;
    Problem problem = Problem::None;
    // Offset of the first byte that could not be taken as text, or -1 when the whole input could.
    qint64 invalidByteOffset = -1;
};

// Decodes a text as the program's text editor would hold it. UTF-16 (little or big endian) when it starts
// with that byte-order mark, else strict UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF) with an optional byte-order mark. Only the first mark is one: a second is text. CR LF and lone
// CR become LF. A NUL is refused: no text holds one, and laid out it would silently end the text.
DecodedText decodeText(const QByteArray &bytes);

// A message for a text that could not be decoded, naming the byte offset.
QString decodingProblem(const DecodedText &decoded);
