#!/usr/bin/env node
// Writes engine/tables/data/pinyinphrases.txt from the complete word list of the npm package
// @pinyin-pro/data (ISC licence), the data behind pinyin-pro: each word with its reading and its
// frequency in running text. Run again only to take a newer release; the build reads the written file.
//
//   npm install --prefix /tmp/pinyin-pro @pinyin-pro/data@1.3.1 pinyin-pro@3.29.4
//   node tools/pinyinwords/extract_pinyin_pro_data.mjs /tmp/pinyin-pro/node_modules > engine/tables/data/pinyinphrases.txt
//
// Each line is a character or a word, a tab, one tone-marked reading per character, a tab and its
// frequency as the list gives it. Every character is kept, for its frequency; of the 337 000 words,
// those that decide a reading are kept:
// every word with a polyphone in it (pinyin-pro's character list names them) and every other word
// seen at least once in 10^11 words (below that the list gives a floor value, not a count), which the
// segmentation weighs against the words around it.
//
// One change is made to the readings: a neutral tone (消息 xiāo xi) is written with the character's own
// tone (xiāo xī) unless pinyin-pro's character list gives that character a neutral reading of its own
// (的 de, 们 men, 头 tou), as the words the program read before and both converters of measure.mjs do.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const modules = process.argv[2];
if (!modules) {
    console.error('usage: extract_pinyin_pro_data.mjs NODE_MODULES');
    process.exit(2);
}
const dataRoot = join(modules, '@pinyin-pro', 'data');
const version = JSON.parse(readFileSync(join(dataRoot, 'package.json'), 'utf8')).version;
const complete = JSON.parse(readFileSync(join(dataRoot, 'json', 'complete.json'), 'utf8'));
const { default: chars } = await import(
    pathToFileURL(join(modules, 'pinyin-pro', 'dist', 'esm', 'data', 'dict1.mjs')).href);

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

const commonEnough = 1e-11;
const lines = [];
for (const [word, [reading, frequency]] of Object.entries(complete)) {
    const units = [...word];
    if (units.some((c) => c.codePointAt(0) > 0xffff))
        continue;
    if (units.length > 1 && frequency < commonEnough && !units.some((c) => polyphones.has(c)))
        continue;
    const syllables = reading.normalize('NFC').split(' ');
    if (syllables.length !== units.length)
        throw new Error(`${word}: ${reading} does not give one reading per character`);
    if (units.length > 1)
        syllables.forEach((syllable, i) => { syllables[i] = fullTone(units[i], syllable); });
    lines.push(`${word}\t${syllables.join(' ')}\t${frequency}`);
}
lines.sort();

process.stdout.write(`# From @pinyin-pro/data ${version} (complete.json), ISC licence; written by ` +
    'tools/pinyinwords/extract_pinyin_pro_data.mjs.\n');
process.stdout.write(lines.join('\n') + '\n');
