#!/usr/bin/env node
// Measures how many syllables the pinyin band gets right on real text, against the readings on which two
// converters independent of the program's dictionary agree: the npm packages pinyin (hotoo, with jieba
// segmentation) and @napi-rs/pinyin (its phrase segmenter). Neither is pinyin-pro, the program's source.
//
//   npm install --prefix /tmp/pinyin-reference pinyin@4 @napi-rs/pinyin @node-rs/jieba@1
//   node tools/pinyinaccuracy/measure.mjs --modules /tmp/pinyin-reference/node_modules \
//       --render build/tools/render/lattiscribe-render [--errors 30]
//
// The texts, from Debian's packages: classical poems, the poem lines of fortunes-zh's tang300 and
// song100; modern prose, the zh_CN translations of the message catalogues under /usr/share/locale
// (msgunfmt, from gettext). The program reads each text whole as a Copy book with --plain-tones, since
// one of the two references prints 一 and 不 with their changed tones and the other does not; both are
// compared in their own tones. Syllables where the references disagree are counted apart.
import { execFileSync } from 'node:child_process';
import { readFileSync, readdirSync, writeFileSync, mkdtempSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { tmpdir } from 'node:os';

const args = process.argv.slice(2);
const option = (name, fallback) => {
    const at = args.indexOf(name);
    return at >= 0 ? args[at + 1] : fallback;
};
const modules = option('--modules');
const render = option('--render', 'build/tools/render/lattiscribe-render');
const errorsShown = Number(option('--errors', '25'));
if (!modules) {
    console.error('usage: measure.mjs --modules NODE_MODULES [--render LATTISCRIBE_RENDER] [--errors N]');
    process.exit(2);
}
const require = createRequire(join(modules, 'x.js'));
const hotoo = require('pinyin').default;
const napi = require('@napi-rs/pinyin');

const han = /[\u3400-\u4dbf\u4e00-\u9fff]+/g;

function poems() {
    const lines = [];
    for (const name of ['tang300', 'song100']) {
        for (const line of readFileSync(`/usr/share/games/fortunes/${name}`, 'utf8').split('\n')) {
            // Titles and authors are coloured with escape sequences; the poem's lines are plain.
            if (line && !line.includes('\u001b') && line !== '%')
                lines.push(line);
        }
    }
    return lines;
}

function prose() {
    const dir = '/usr/share/locale/zh_CN/LC_MESSAGES';
    const lines = [];
    for (const name of readdirSync(dir).filter((n) => n.endsWith('.mo')).sort()) {
        const po = execFileSync('msgunfmt', ['--no-wrap', join(dir, name)],
            { encoding: 'utf8', maxBuffer: 1 << 28, stdio: ['ignore', 'pipe', 'ignore'] });
        for (const line of po.split('\n')) {
            if (line.startsWith('msgstr') && han.test(line))
                lines.push(line.slice(line.indexOf('"') + 1, -1)); // escapes stand between runs of ideographs
            han.lastIndex = 0;
        }
    }
    return lines;
}

const base = (syllable, ch) => (ch === '一' ? 'yī' : ch === '不' ? 'bù' : syllable);

function references(lines) {
    const chars = [], first = [], second = [];
    for (const line of lines) {
        for (const run of line.match(han) || []) {
            const a = hotoo(run, { segment: '@node-rs/jieba', heteronym: false }).map((r) => r[0]);
            const b = napi.pinyin(run, { style: 1, segment: true, segmenter: 'phrase' });
            const units = [...run];
            if (a.length !== units.length || b.length !== units.length)
                continue;
            units.forEach((ch, i) => {
                chars.push(ch);
                first.push(base(a[i].normalize('NFC'), ch));
                second.push(base(b[i].normalize('NFC'), ch));
            });
        }
    }
    return { chars, first, second };
}

function ours(lines, expectedChars) {
    const dir = mkdtempSync(join(tmpdir(), 'pinyin-accuracy-'));
    try {
        // Runs that the references could not align are dropped from both sides by reading line by line.
        const path = join(dir, 'text.txt');
        writeFileSync(path, lines.join('\n'));
        const json = execFileSync(render, ['--layout', '--pinyin', '--plain-tones', '--book-type', 'copy',
            '--all-characters', path], { maxBuffer: 1 << 30, env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
        const cells = JSON.parse(json).cells.filter((c) => /^[\u3400-\u4dbf\u4e00-\u9fff]$/.test(c.char));
        return cells;
    } finally {
        rmSync(dir, { recursive: true, force: true });
    }
}

function measure(name, lines) {
    const ref = references(lines);
    const cells = ours(lines);
    // Both sides walk the same runs in the same order; a run a reference could not align is skipped by
    // matching characters.
    let c = 0, agreed = 0, right = 0, rightFirst = 0, rightSecond = 0, compared = 0;
    const errors = new Map();
    for (let i = 0; i < ref.chars.length; ++i) {
        while (c < cells.length && cells[c].char !== ref.chars[i])
            ++c;
        if (c === cells.length)
            break;
        const mine = cells[c++].pinyin;
        ++compared;
        rightFirst += mine === ref.first[i];
        rightSecond += mine === ref.second[i];
        if (ref.first[i] !== ref.second[i])
            continue;
        ++agreed;
        if (mine === ref.first[i]) {
            ++right;
        } else {
            const key = `${ref.chars[i]} ${mine} → ${ref.first[i]}`;
            errors.set(key, (errors.get(key) || 0) + 1);
        }
    }
    const pct = (n, d) => ((100 * n) / d).toFixed(2) + ' %';
    console.log(`${name}: ${compared} syllables, the references agree on ${agreed} (${pct(agreed, compared)})`);
    console.log(`  right where they agree: ${right} of ${agreed}, ${pct(right, agreed)}`);
    console.log(`  against pinyin alone: ${pct(rightFirst, compared)}; against @napi-rs/pinyin alone: ${pct(rightSecond, compared)}`);
    const worst = [...errors].sort((x, y) => y[1] - x[1]).slice(0, errorsShown);
    if (worst.length)
        console.log('  commonest differences: ' + worst.map(([k, n]) => `${k} (${n})`).join(', '));
}

measure('classical poems (fortunes-zh tang300, song100)', poems());
measure('modern prose (zh_CN message catalogues)', prose());
