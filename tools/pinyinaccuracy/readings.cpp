// Prints the program's reading of every character of each line of standard input, for the measures of
// this folder: one line out for each line in, the characters' readings separated by spaces ("-" for a
// character without one), each followed by "?" where the review would underline it. A character beyond
// the Basic Multilingual Plane is one reading, so the n-th reading is the line's n-th code point.
// --plain-tones reads 一 and 不 in their own tones.

#include "pinyinwords.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool plain = QCoreApplication::arguments().contains(QStringLiteral("--plain-tones"));
    QTextStream in(stdin);
    QTextStream out(stdout);
    in.setCodec("UTF-8");
    out.setCodec("UTF-8");
    QString line;
    while (in.readLineInto(&line)) {
        PinyinWords::Reader reader(line, plain ? PinyinWords::Tones::Plain : PinyinWords::Tones::Changed);
        QStringList readings;
        for (int at = 0; at < line.size(); ++at) {
            if (line.at(at).isLowSurrogate() && at > 0 && line.at(at - 1).isHighSurrogate())
                continue;
            const QString reading = reader.readingAt(at);
            readings.append((reading.isEmpty() ? QStringLiteral("-") : reading)
                + (reader.isSettled(at) ? QString() : QStringLiteral("?")));
        }
        out << readings.join(QLatin1Char(' ')) << '\n';
    }
    return 0;
}
