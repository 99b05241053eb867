// Any text with bracketed readings: one reading (maybe empty) per code unit, every one a plausible
// tone-marked syllable, whichever tones are asked for.
#include "pinyin.h"
#include "pinyinwords.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const Pinyin::AnnotatedText annotated = Pinyin::parseReadingOverrides(input);
    if (annotated.readings.size() != annotated.text.size() || annotated.text.size() > input.size())
        std::abort();
    for (const PinyinWords::Tones tones : {PinyinWords::Tones::Changed, PinyinWords::Tones::Plain}) {
        const QVector<QString> readings = PinyinWords::readingsOf(annotated.text, tones);
        if (readings.size() != annotated.text.size())
            std::abort();
        for (const QString &reading : readings) {
            if (!reading.isEmpty() && Pinyin::toneMarked(reading) != reading)
                std::abort();
        }
    }
    return 0;
}
