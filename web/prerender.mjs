// Writes the page with its opening report already in it, from the engine itself, and its style
// inside (compacted), so the first figure is on screen before the WebAssembly, or anything else,
// has been fetched. Run at build time:
//   node prerender.mjs ENGINE_JS ENGINE_WASM PAGE_IN STYLE PAGE_OUT
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";

import { figurePieces } from "./figure_pieces.js";

const [script, wasm, input, styleFile, output] = process.argv.slice(2).map((arg) => path.resolve(arg));
const createVelmarto = createRequire(import.meta.url)(script);
const engine = await createVelmarto({ wasmBinary: readFileSync(wasm) });
const page = readFileSync(input, "utf8");

// The controls' opening state, read from the page so the two cannot differ.
const fu = Number(/<option selected>(\d+)<\/option>/.exec(page)[1]);
const han = Number(/id="score-han"[^>]* value="(\d+)"/.exec(page)[1]);
const dealer = /value="dealer" checked/.test(page);
const report = engine.report(han, fu, dealer);
if (!report) throw new Error(`no report for ${han} han ${fu} fu`);
const empty = '<output id="score-report" class="report" aria-live="polite"></output>';
const link = '<link rel="stylesheet" href="style.css">';
for (const part of [empty, link]) if (!page.includes(part)) throw new Error(`${input} has no ${part}`);
// The style without its comments and layout, its rules as they were: only whitespace beside braces
// and semicolons, and after colons and commas, goes, where it never means anything (the style
// holds no quoted text with either).
const style = readFileSync(styleFile, "utf8").replace(/\/\*[^]*?\*\//g, "").replace(/\s+/g, " ")
  .replace(/ ?([{};]) ?/g, "$1").replace(/([:,]) /g, "$1").replace(/;}/g, "}").trim();
// The markup without its comments and indentation; its line breaks stay, where a space may count.
const markup = page.replace(/<!--[^]*?-->\n?/g, "").replace(/^[ \t]+/gm, "");
const pieces = figurePieces(report).map((piece) => `<span>${piece}</span>`).join("<wbr>");
writeFileSync(output, markup.replace(empty, empty.replace("></output>", `>${pieces}</output>`))
  .replace(link, () => `<style>${style}</style>`));
