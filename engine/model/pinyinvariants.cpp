#include "pinyinvariants.h"

#include "pinyinvarianttable.h"

#include <algorithm>
#include <bitset>

namespace PinyinVariants {

namespace {

using namespace PinyinVariantTable;

char16_t simplifiedCharacter(char16_t c)
{
    const Variant *end = characters + characterCount;
    const Variant *found
        = std::lower_bound(characters, end, c, [](const Variant &v, char16_t unit) { return v.traditional < unit; });
    return found != end && found->traditional == c ? found->simplified : c;
}

// The longest phrase that starts at units[0], as its index, or -1.
int phraseAt(const char16_t *units, int count)
{
    // Phrases are sorted, so those starting with this character are one run.
    const std::uint32_t *end = phraseStarts + phraseCount;
    const std::uint32_t *first = std::lower_bound(
        phraseStarts, end, units[0], [](std::uint32_t start, char16_t unit) { return phraseUnits[start] < unit; });
    int best = -1;
    int bestLength = 0;
    for (const std::uint32_t *p = first; p != end && phraseUnits[*p] == units[0]; ++p) {
        const int length = int(p[1] - p[0]);
        if (length <= count && length > bestLength && std::equal(units, units + length, phraseUnits + *p)) {
            best = int(p - phraseStarts);
            bestLength = length;
        }
    }
    return best;
}

// A bit for each code unit that is a traditional character or starts a phrase: most text has neither.
const std::bitset<0x10000> &traditional()
{
    static const std::bitset<0x10000> bits = [] {
        std::bitset<0x10000> set;
        for (int k = 0; k < characterCount; ++k)
            set.set(characters[k].traditional);
        for (int k = 0; k < phraseCount; ++k)
            set.set(phraseUnits[phraseStarts[k]]);
        return set;
    }();
    return bits;
}

} // namespace

void simplify(const char16_t *units, int count, char16_t *out)
{
    for (int i = 0; i < count;) {
        if (!traditional().test(units[i])) {
            out[i] = units[i];
            ++i;
            continue;
        }
        const int phrase = phraseAt(units + i, count - i);
        if (phrase < 0) {
            out[i] = simplifiedCharacter(units[i]);
            ++i;
            continue;
        }
        const std::uint32_t start = phraseStarts[phrase];
        const int length = int(phraseStarts[phrase + 1] - start);
        std::copy(phraseTargets + start, phraseTargets + start + length, out + i);
        i += length;
    }
}

} // namespace PinyinVariants
