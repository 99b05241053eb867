#pragma once

#include <QByteArray>
#include <QString>

struct DecodedText
{
    QString text;
    // Offset of the first byte that is not part of valid UTF-8, or -1 when the whole input is valid.
    qint64 invalidByteOffset = -1;
};

// Decodes strict UTF-8 (no overlong forms, surrogates or code points past U+10FFFF), drops a leading
// byte-order mark and turns CR LF and lone CR into LF, as the program's text editor would.
DecodedText decodeText(const QByteArray &bytes);
