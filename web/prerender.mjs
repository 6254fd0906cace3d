// Writes the page with its opening report already in it, from the engine itself, so the first
// figure is on screen before the WebAssembly has even been fetched. Run at build time:
//   node prerender.mjs ENGINE_JS ENGINE_WASM PAGE_IN PAGE_OUT
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";

const [script, wasm, input, output] = process.argv.slice(2).map((arg) => path.resolve(arg));
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
if (!page.includes(empty)) throw new Error(`${input} has no empty score report`);
writeFileSync(output, page.replace(empty, empty.replace("></output>", `>${report}</output>`)));
