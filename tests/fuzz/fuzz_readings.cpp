// Any text with bracketed readings (in pinyin or zhuyin): one reading (maybe empty) per code unit, every
// one a plausible tone-marked syllable, whichever tones are asked for, that zhuyin spells and reads back
// or leaves in pinyin.
#include "pinyin.h"
#include "pinyinwords.h"
#include "zhuyin.h"

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
            if (reading.isEmpty())
                continue;
            if (Pinyin::toneMarked(reading) != reading)
                std::abort();
            const Zhuyin::Spelling spelling = Zhuyin::fromPinyin(reading);
            const QString written = Zhuyin::written(reading);
            if (spelling.symbols.isEmpty() ? written != reading : Zhuyin::toPinyin(written).isEmpty())
                std::abort();
        }
    }
    return 0;
}
