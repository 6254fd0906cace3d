// Cases shared by the engine and page tests, and the command line that must agree with them.
import { execFileSync } from "node:child_process";
import path from "node:path";

export const SITE = path.resolve(process.env.VELMARTO_SITE ?? "../build/wasm/web/site");
export const SCORE = path.resolve(process.env.VELMARTO_SCORE ?? "../build/dev/cli/velmarto-score");

// What velmarto-score prints for these arguments, without the last newline.
export function cli(...args) {
  return execFileSync(SCORE, args, { encoding: "utf8" }).replace(/\n$/, "");
}

export const SELECTIONS = [
  { han: 1, fu: 30, dealer: true },
  { han: 0, fu: 30, dealer: false },
  { han: 3, fu: 40, dealer: false },
  { han: 13, fu: 25, dealer: true },
  { han: 119, fu: 200, dealer: false },
];

export function selectionArgs({ han, fu, dealer }) {
  return [dealer ? "--dealer" : "--non-dealer", String(han), String(fu)];
}

// A hand as the page and the engine take it, and as velmarto-score hand takes it.
export const HANDS = [
  { request: { tiles: "234067m234p6799s8s", tsumo: true, riichi: true, dora: "1m", seat: 1 },
    args: ["234067m234p6799s8s", "--tsumo", "--riichi", "--dora", "1m", "--seat", "S"] },
  { request: { tiles: "789m11z55z5z", chi: "123m 456m", honba: 1, sticks: 2 },
    args: ["789m11z55z5z", "--chi", "123m", "--chi", "456m", "--honba", "1", "--sticks", "2"] },
  { request: { tiles: "19m19p19s1234567z1m" }, args: ["19m19p19s1234567z1m"] },
  { request: { tiles: "123m456p789s23455s", seat: 2 }, args: ["123m456p789s23455s", "--seat", "W"] },
  { request: { tiles: "11z", ankan: "5555z 6666z 7777z 2222z", seat: 1, tsumo: true, rinshan: true,
            double_riichi: true, ippatsu: true, dora: "1z1z4z4z4z", ura: "4z" },
    args: ["11z", "--ankan", "5555z", "--ankan", "6666z", "--ankan", "7777z", "--ankan", "2222z",
           "--seat", "S", "--tsumo", "--rinshan", "--double-riichi", "--ippatsu", "--dora", "1z1z4z4z4z", "--ura", "4z"] },
];

export function handJson(args) {
  return JSON.parse(cli("hand", ...args, "--json"));
}
