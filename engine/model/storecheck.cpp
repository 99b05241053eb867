#include "storecheck.h"

#include <QStringList>

namespace StoreCheck {

namespace {

// A serialized QVariant in a settings value starts with its type's number, four bytes big-endian, as
// Qt 4 numbered the types (the stream version the store keeps). The program writes colours (67) and
// single-precision numbers (135) so, each read in a fixed dozen bytes or fewer.
bool isWrittenByTheProgram(const QStringRef &type)
{
    static const QString prefix = QString(QChar(0)).repeated(3);
    return type.size() == 4 && type.startsWith(prefix) && (type.at(3) == QChar(67) || type.at(3) == QChar(135));
}

bool isSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

// The next line of an INI text from `at` on, as QSettings cuts it: a backslash escapes the line's end, a
// double quote runs to the next one across line ends, a line starting with ';' is a comment. Gives the
// line's start and length and where its first '=' outside quotes is (-1 for none); false at the end.
bool nextLine(const QByteArray &data, int &at, int &start, int &length, int &equals)
{
    const int size = data.size();
    bool inQuotes = false;
    equals = -1;
    start = at;
    while (start < size && isSpace(data.at(start)))
        ++start;
    int i = start;
    while (i < size) {
        const char ch = data.at(i++);
        if (ch == '=') {
            if (!inQuotes && equals == -1)
                equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < size) {
                const char escaped = data.at(i++);
                if (i < size) {
                    const char next = data.at(i);
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == start + 1) {
                while (i < size && data.at(i) != '\n' && data.at(i) != '\r')
                    ++i;
                while (i < size && isSpace(data.at(i)))
                    ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    at = i;
    length = i - start;
    return length > 0;
}

void chopTrailingSpaces(QString &text, int limit)
{
    while (text.size() > limit && (text.back() == QLatin1Char(' ') || text.back() == QLatin1Char('\t')))
        text.chop(1);
}

// A value as QSettings unescapes it: C escapes (octal and hexadecimal of any length among them), double
// quotes around parts, and commas outside quotes, which make it a list. Runs of plain bytes are UTF-8
// where the file starts with a byte-order mark, Latin-1 otherwise.
QStringList unescapedValue(const QByteArray &data, int from, int to, bool utf8)
{
    static const char escapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
        {'v', '\v'}, {'"', '"'}, {'?', '?'}, {'\'', '\''}, {'\\', '\\'}};
    QStringList values;
    QString current;
    bool inQuotes = false;
    bool quoted = false;
    int i = from;
    const auto skipSpaces = [&] {
        while (i < to && (data.at(i) == ' ' || data.at(i) == '\t'))
            ++i;
    };
    skipSpaces();
    int chopLimit = 0;
    while (i < to) {
        const char ch = data.at(i);
        if (ch == '\\') {
            if (++i >= to)
                break;
            const char code = data.at(i++);
            const auto escape = std::find_if(
                std::begin(escapes), std::end(escapes), [code](const char(&pair)[2]) { return pair[0] == code; });
            if (escape != std::end(escapes)) {
                current += QLatin1Char((*escape)[1]);
            } else if (code == 'x' || (code >= '0' && code <= '7')) {
                const int base = code == 'x' ? 16 : 8;
                char16_t value = code == 'x' ? 0 : char16_t(code - '0');
                bool digits = code != 'x';
                for (; i < to; ++i) {
                    const int digit = QChar::fromLatin1(data.at(i)).digitValue();
                    const char lower = char(data.at(i) | 0x20);
                    const int hex = base == 16 && lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : digit;
                    if (hex < 0 || hex >= base)
                        break;
                    value = char16_t(value * base + hex);
                    digits = true;
                }
                if (digits)
                    current += QChar(value);
            } else if ((code == '\n' || code == '\r') && i < to) {
                const char next = data.at(i);
                if ((next == '\n' || next == '\r') && next != code)
                    ++i;
            }
            chopLimit = current.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipSpaces();
        } else if (ch == ',' && !inQuotes) {
            if (!quoted)
                chopTrailingSpaces(current, chopLimit);
            values.append(current);
            current.clear();
            quoted = false;
            chopLimit = 0;
            ++i;
            skipSpaces();
        } else {
            int end = i + 1;
            while (end < to && data.at(end) != '\\' && data.at(end) != '"' && (data.at(end) != ',' || inQuotes))
                ++end;
            current += utf8 ? QString::fromUtf8(data.constData() + i, end - i)
                            : QString::fromLatin1(data.constData() + i, end - i);
            i = end;
        }
    }
    if (!quoted)
        chopTrailingSpaces(current, chopLimit);
    values.append(current);
    return values;
}

} // namespace

bool isSafeValueText(const QString &value)
{
    if (!value.startsWith(QLatin1Char('@')) || !value.endsWith(QLatin1Char(')')))
        return true;
    if (value.startsWith(QLatin1String("@DateTime(")))
        return false;
    if (!value.startsWith(QLatin1String("@Variant(")))
        return true;
    return isWrittenByTheProgram(value.midRef(9, 4));
}

bool isSafeIniText(const QByteArray &text)
{
    const bool utf8 = text.startsWith("\xEF\xBB\xBF");
    int at = utf8 ? 3 : 0;
    int start = 0;
    int length = 0;
    int equals = -1;
    while (nextLine(text, at, start, length, equals)) {
        if (text.at(start) == '[' || equals < 0)
            continue;
        for (const QString &value : unescapedValue(text, equals + 1, start + length, utf8)) {
            if (!isSafeValueText(value))
                return false;
        }
    }
    return true;
}

} // namespace StoreCheck
