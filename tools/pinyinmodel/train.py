#!/usr/bin/env python3
"""Trains the context model that reads polyphones from the sentence, and writes engine/tables/data/pinyinmodel.txt.

Usage: train.py CPP_DIR OUTPUT_TXT [--settled] WORDS_TXT...

CPP_DIR holds dev.sent and dev.lb of the CPP polyphone set (Park and Lee, Interspeech 2020, Apache-2.0):
sentences with one polyphone marked by U+2581 on each side, and its reading with a tone number. The
model is learnt from every one of them, with the settings that cross-validation on the same sentences
chose (tools/pinyinmodel/crossvalidate.py, model.py); so its score on them measures nothing, and the
estimate of how right it is comes from the folds (tools/pinyinaccuracy/measure_cpp.py). WORDS_TXT are
the word lists the program is built from, named as the build names them (--settled before
LattiScribe's own): the program's reading of each sentence before the model (its proposal) is a
feature, and the common words of the lists add their polyphones' readings, with their neighbours inside
the word as context, as examples of lesser weight.

One multinomial logistic regression per polyphone, over the candidate readings (the lists' readings of
the character and those the examples give it), with the features of engine/model/pinyinmodel.cpp: a
bias, the proposal and whether a word gave it, the character before and after, the two before and
after, and the word it stands in. AdaGrad with L2 decay, in a fixed order, so a second run writes the
same file.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from model import learn, read_cpp, write_model  # noqa: E402
from reading import lexicon_from_arguments  # noqa: E402

HEADER = """\
# Written by tools/pinyinmodel/train.py from every sentence of the CPP polyphone set (Apache-2.0) and the
# word lists of engine/tables/data/. A polyphone's line: the character, three tabs and its candidate
# readings; then one line a feature: character, kind, value, one weight a reading.
"""


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__.strip().splitlines()[2])
    cpp_dir, target = sys.argv[1], sys.argv[2]
    lexicon = lexicon_from_arguments(sys.argv[3:])
    write_model(learn(read_cpp(cpp_dir), lexicon), HEADER, target)


if __name__ == "__main__":
    main()
