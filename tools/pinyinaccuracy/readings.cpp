// Prints the program's reading of every character of each line of standard input, for the measures of
// this folder: one line out for each line in, the characters' readings separated by spaces ("-" for a
// character without one), each followed by "?" where the review would underline it. A character beyond
// the Basic Multilingual Plane is one reading, so the n-th reading is the line's n-th code point.
// --plain-tones reads 一 and 不 in their own tones. --simplified prints instead each line as the reader
// reads it, traditional characters as simplified (those the context model reads itself kept), so that
// tools/pinyinmodel can read a traditional text as the program does.

#include "pinyinmodel.h"
#include "pinyinvariants.h"
#include "pinyinwords.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool plain = QCoreApplication::arguments().contains(QStringLiteral("--plain-tones"));
    const bool simplified = QCoreApplication::arguments().contains(QStringLiteral("--simplified"));
    QTextStream in(stdin);
    QTextStream out(stdout);
    in.setCodec("UTF-8");
    out.setCodec("UTF-8");
    QString line;
    while (in.readLineInto(&line)) {
        if (simplified) {
            QString read = line;
            auto *units = reinterpret_cast<char16_t *>(read.data());
            PinyinVariants::simplify(units, read.size(), units);
            for (int at = 0; at < read.size(); ++at) {
                if (PinyinModel::knows(line.at(at).unicode()))
                    units[at] = line.at(at).unicode();
            }
            out << read << '\n';
            continue;
        }
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
