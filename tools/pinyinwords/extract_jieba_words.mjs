#!/usr/bin/env node
// Writes engine/tables/data/pinyinphrases.txt: the words of jieba's dictionary (Debian's python3-jieba,
// MIT licence, (c) Sun Junyi) with their frequencies in running text, each read by pinyin-pro's converter
// (MIT licence, (c) zh-lx) from pinyin-pro's own lists. Run again only to take a newer release; the build
// reads the written file.
//
//   apt-get install python3-jieba opencc
//   npm install --prefix /tmp/pinyin-pro pinyin-pro@3.29.4
//   node tools/pinyinwords/extract_jieba_words.mjs /usr/lib/python3/dist-packages/jieba/dict.txt \
//       /tmp/pinyin-pro/node_modules > engine/tables/data/pinyinphrases.txt
//
// Each line is a character or a word, a tab, one tone-marked reading per character, a tab and its
// frequency: jieba's count times 10^-12, the scale the word table's costs are set for (a listed word
// without a frequency costs as one counted 100 times). Every character pinyin-pro reads is kept, for its
// frequency; of the 349 000 words, those that decide a reading are kept: every word with a polyphone in
// it (pinyin-pro's character list names them) and every other word counted at least 10 times, which the
// segmentation weighs against the words around it. Words with letters (T恤, C语言) are left out.
//
// Not @pinyin-pro/data: its readings of words come from a copyrighted dictionary (its modern.json, whose
// readings its complete.json repeats and carries into the longer words it makes of them).
//
// One change is made to the readings: a neutral tone is written with the character's own tone unless
// pinyin-pro's character list gives that character a neutral reading of its own (的 de, 们 men, 头 tou),
// as the words the program read before and both converters of measure.mjs do.
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';

const [dictionary, modules] = process.argv.slice(2);
if (!dictionary || !modules) {
    console.error('usage: extract_jieba_words.mjs JIEBA_DICT_TXT NODE_MODULES');
    process.exit(2);
}
const pinyinPro = join(modules, 'pinyin-pro');
const version = JSON.parse(readFileSync(join(pinyinPro, 'package.json'), 'utf8')).version;
const { pinyin } = createRequire(join(modules, 'x.js'))('pinyin-pro');
const { default: chars } = await import(pathToFileURL(join(pinyinPro, 'dist', 'esm', 'data', 'dict1.mjs')).href);

const polyphones = new Set();
const charReadings = new Map();
chars.NumberDICT.forEach((readings, code) => {
    if (!readings)
        return;
    charReadings.set(String.fromCharCode(code), readings.normalize('NFC').split(' '));
    if (new Set(readings.split(' ')).size > 1)
        polyphones.add(String.fromCharCode(code));
});

const toneless = (syllable) => syllable.normalize('NFD').replace(/[\u0304\u0301\u030c\u0300]/g, '').normalize('NFC');
// The character's own reading of the same letters for a neutral syllable it has no neutral reading for.
function fullTone(char, syllable) {
    const own = charReadings.get(char) || [];
    if (toneless(syllable) !== syllable || own.includes(syllable))
        return syllable;
    return own.find((reading) => toneless(reading) === syllable) || syllable;
}

const ideographs = /^[\u3400-\u9fff\u3007]+$/;
const commonEnough = 10;
const entries = readFileSync(dictionary, 'utf8').split('\n').map((line) => line.split(' '))
    .filter(([word]) => word && ideographs.test(word));
// A word in traditional characters is read as its simplified form (乾燥 as 干燥, gān zào; 乾隆 stays),
// as the program reads traditional text, through Debian's opencc.
const simplified = execFileSync('opencc', ['-c', 't2s'], { input: entries.map(([word]) => word).join('\n') + '\n',
    encoding: 'utf8', maxBuffer: 1 << 28 }).split('\n');
const readingOf = (text) => pinyin(text, { type: 'array' }).map((s) => s.normalize('NFC'));
// One syllable a character; a character pinyin-pro cannot read comes back as itself.
const readable = (syllables, units) =>
    syllables.length === units.length && syllables.every((syllable) => /^[\p{Ll}\p{M}]+$/u.test(syllable));
const lines = [];
const seen = new Set();
for (const [at, [word, count]] of entries.entries()) {
    if (seen.has(word))
        continue;
    const units = [...word];
    if (units.length > 1 && Number(count) < commonEnough && !units.some((c) => polyphones.has(c)))
        continue;
    let syllables = simplified[at].length === word.length ? readingOf(simplified[at]) : [];
    if (!readable(syllables, units))
        syllables = readingOf(word);
    if (!readable(syllables, units))
        continue;
    if (units.length > 1)
        syllables.forEach((syllable, i) => { syllables[i] = fullTone(units[i], syllable); });
    seen.add(word);
    lines.push(`${word}\t${syllables.join(' ')}\t${Number(`${count}e-12`)}`);
}
lines.sort();

process.stdout.write(`# From jieba's dict.txt (MIT licence, (c) Sun Junyi), read by pinyin-pro ${version} (MIT licence, ` +
    '(c) zh-lx); written by tools/pinyinwords/extract_jieba_words.mjs.\n');
process.stdout.write(lines.join('\n') + '\n');
