#include "pinyinmodel.h"

#include "pinyinmodeltable.h"

#include <QVarLengthArray>
#include <QVector>
#include <algorithm>
#include <bitset>
#include <cmath>
#include <limits>

namespace PinyinModel {

namespace {

using namespace PinyinModelTable;

// Added to the score of the reading the words proposed, for every polyphone alike: one weight for all,
// found on a part of the training sentences held out from training, where each polyphone's own
// weights come from its few sentences; it keeps the model from overruling a word lightly.
constexpr int kProposalBonus = int(0.3 * kWeightScale);

const QVector<QString> &syllables()
{
    static const QVector<QString> all = [] {
        QVector<QString> list;
        list.reserve(syllableCount);
        for (int n = 0; n < syllableCount; ++n)
            list.append(
                QString::fromUtf8(syllableText + syllableOffsets[n], syllableOffsets[n + 1] - syllableOffsets[n]));
        return list;
    }();
    return all;
}

const Polyphone *find(char16_t c)
{
    // Most characters are no polyphone of the model's; a bit each answers them without a search.
    static const std::bitset<0x10000> known = [] {
        std::bitset<0x10000> bits;
        for (int k = 0; k < polyphoneCount; ++k)
            bits.set(polyphones[k].codePoint);
        return bits;
    }();
    if (!known.test(c))
        return nullptr;
    const Polyphone *end = polyphones + polyphoneCount;
    const Polyphone *found
        = std::lower_bound(polyphones, end, c, [](const Polyphone &p, char16_t unit) { return p.codePoint < unit; });
    return found != end && found->codePoint == c ? found : nullptr;
}

// Adds the weights of the feature, where the model has it, to the candidates' scores.
void add(Kind kind, char16_t polyphone, const char16_t *units, int count, int candidates, int *scores)
{
    const std::uint64_t key = featureKey(kind, polyphone, units, count);
    for (std::uint32_t at = key % featureSlotCount; featureKeys[at] != 0; at = (at + 1) % featureSlotCount) {
        if (featureKeys[at] == key) {
            const std::int16_t *w = weights + featureWeightStarts[at];
            for (int k = 0; k < candidates; ++k)
                scores[k] += w[k];
            return;
        }
    }
}

} // namespace

bool knows(char16_t polyphone)
{
    return find(polyphone) != nullptr;
}

Choice choose(const Context &context)
{
    const Polyphone *polyphone = find(context.polyphone);
    if (!polyphone)
        return {};
    const int count = polyphone->candidateCount;
    QVarLengthArray<int, 8> scores(count);
    std::fill(scores.begin(), scores.end(), 0);
    const char16_t c = context.polyphone;
    add(Kind::Bias, c, nullptr, 0, count, scores.data());
    add(context.word ? Kind::ProposalInWord : Kind::ProposalAlone, c,
        reinterpret_cast<const char16_t *>(context.proposal.utf16()), context.proposal.size(), count, scores.data());
    const char16_t twoBefore[2] = {context.before[1], context.before[0]};
    add(Kind::Before, c, context.before, 1, count, scores.data());
    add(Kind::After, c, context.after, 1, count, scores.data());
    add(Kind::TwoBefore, c, twoBefore, 2, count, scores.data());
    add(Kind::TwoAfter, c, context.after, 2, count, scores.data());
    if (context.word)
        add(Kind::Word, c, context.word, context.wordLength, count, scores.data());

    for (int k = 0; k < count; ++k) {
        if (syllables().at(candidateSyllables[polyphone->firstCandidate + k]) == context.proposal)
            scores[k] += kProposalBonus;
    }
    const int best = int(std::max_element(scores.begin(), scores.end()) - scores.begin());
    int runnerUp = std::numeric_limits<int>::min();
    for (int k = 0; k < count; ++k) {
        if (k != best)
            runnerUp = std::max(runnerUp, scores[k]);
    }
    const double confidence
        = count < 2 ? 1.0 : 1.0 / (1.0 + std::exp((double(runnerUp) - double(scores[best])) / kWeightScale));
    return {syllables().at(candidateSyllables[polyphone->firstCandidate + best]), confidence};
}

} // namespace PinyinModel
