#!/usr/bin/env node
// Writes engine/tables/data/pinyinwords.txt from the dictionaries of the npm package pinyin-pro (MIT licence,
// (c) zh-lx). Run again only to take a newer pinyin-pro; the build needs nothing but the written file,
// so a machine without Node.js builds and tests as before.
//
//   npm install --prefix /tmp/pinyin-pro pinyin-pro@3.29.4
//   node tools/pinyinwords/extract_pinyin_pro.mjs /tmp/pinyin-pro/node_modules/pinyin-pro > engine/tables/data/pinyinwords.txt
//
// Each line is a character or a word, a tab and its readings. A character's line gives its readings
// with the commonest first; a word's line gives one reading per character, as read in that word.
// Words come in pinyin-pro's order, longest first; the number words it makes (第一, 十一, 一行) are
// included. Characters outside the Basic Multilingual Plane and pinyin-pro's surname-only readings are
// left out.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const root = process.argv[2];
if (!root) {
    console.error('usage: extract_pinyin_pro.mjs PINYIN_PRO_PACKAGE_DIR');
    process.exit(2);
}
const data = (name) => import(pathToFileURL(join(root, 'dist', 'esm', 'data', name)).href);
const version = JSON.parse(readFileSync(join(root, 'package.json'), 'utf8')).version;

const isBmp = (text) => [...text].every((c) => c.codePointAt(0) <= 0xffff);
const lines = [];
const { default: chars } = await data('dict1.mjs');
const charLines = [];
chars.NumberDICT.forEach((readings, code) => {
    if (readings && code >= 0x3000)
        charLines.push(`${String.fromCharCode(code)}\t${readings.normalize('NFC')}`);
});

const seen = new Set();
const { PatternsNormal } = await data('patterns.mjs');
for (const pattern of PatternsNormal) {
    if (pattern.dict.description === 'surname' || seen.has(pattern.zh) || !isBmp(pattern.zh))
        continue;
    const syllables = pattern.pinyin.normalize('NFC').split(' ');
    if (syllables.length !== pattern.zh.length)
        throw new Error(`${pattern.zh}: ${pattern.pinyin} does not give one reading per character`);
    seen.add(pattern.zh);
    lines.push(`${pattern.zh}\t${syllables.join(' ')}`);
}

process.stdout.write(`# From pinyin-pro ${version}, MIT licence, (c) zh-lx; written by tools/pinyinwords/extract_pinyin_pro.mjs.\n`);
process.stdout.write(charLines.concat(lines).join('\n') + '\n');
