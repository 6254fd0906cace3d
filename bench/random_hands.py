#!/usr/bin/env python3
"""Winning hands for `velmarto-score hand --batch`, one argument line each, drawn at random from
a fixed seed: sets and a pair (some called, some quads), seven pairs and thirteen orphans, red
fives, dora, winds, riichi, tsumo, honba and sticks.
    bench/random_hands.py [COUNT] [SEED]"""
import random
import sys

SUITS = "mpsz"
ORPHANS = [0, 8, 9, 17, 18, 26] + list(range(27, 34))


def name(tile, red=False):
    return ("0" if red else str(tile % 9 + 1)) + SUITS[tile // 9]


def notation(tiles):
    """Tiles in order, each run of one suit under one letter."""
    out, suit = "", None
    for tile, red in tiles:
        if suit is not None and tile // 9 != suit:
            out += SUITS[suit]
        out += name(tile, red)[0]
        suit = tile // 9
    return out + SUITS[suit]


class Wall:
    def __init__(self, rng):
        self.rng = rng
        self.counts = [0] * 34

    def take(self, tiles):
        if any(self.counts[t] + tiles.count(t) > 4 for t in set(tiles)):
            return False
        for t in tiles:
            self.counts[t] += 1
        return True


def random_set(rng):
    if rng.random() < 0.55:
        suit, start = rng.randrange(3), rng.randrange(7)
        return "run", [suit * 9 + start + i for i in range(3)]
    tile = rng.randrange(34)
    return "triplet", [tile] * 3


def standard(rng, wall, args):
    concealed = []
    for _ in range(4):
        while True:
            kind, tiles = random_set(rng)
            quad = kind == "triplet" and rng.random() < 0.1
            if wall.take(tiles + ([tiles[0]] if quad else [])):
                break
        call = rng.random()
        if quad:
            args.append(("--ankan " if call < 0.5 else "--kan ") + name(tiles[0]) * 4)
        elif call < 0.2:
            args.append(("--chi " if kind == "run" else "--pon ") + "".join(map(name, tiles)))
        else:
            concealed += tiles
    while True:
        pair = rng.randrange(34)
        if wall.take([pair, pair]):
            return concealed + [pair, pair]


def seven_pairs(rng, wall):
    pairs = rng.sample(range(34), 7)
    wall.take(pairs * 2)
    return pairs * 2


def orphans(rng, wall):
    tiles = ORPHANS + [rng.choice(ORPHANS)]
    wall.take(tiles)
    return tiles


def with_reds(rng, tiles):
    marked, used = [], set()
    for t in tiles:
        red = t < 27 and t % 9 == 4 and t // 9 not in used and rng.random() < 0.3
        if red:
            used.add(t // 9)
        marked.append((t, red))
    return marked


def hand_line(rng):
    wall, args = Wall(rng), []
    form = rng.random()
    concealed = (standard(rng, wall, args) if form < 0.9
                 else seven_pairs(rng, wall) if form < 0.97 else orphans(rng, wall))
    tiles = with_reds(rng, concealed)
    win = tiles.pop(rng.randrange(len(tiles)))
    words = [notation(sorted(tiles)) + name(*win)] + args
    closed = not any(a.split()[0] in ("--chi", "--pon", "--kan") for a in args)
    tsumo = rng.random() < 0.4
    if tsumo:
        words.append("--tsumo")
    if closed and rng.random() < 0.6:
        words.append("--riichi")
        if rng.random() < 0.2:
            words.append("--ippatsu")
        ura = rng.randrange(34)
        if rng.random() < 0.5 and wall.take([ura]):
            words.append("--ura " + name(ura))
    dora = [t for t in rng.sample(range(34), rng.randrange(1, 4)) if wall.take([t])]
    if dora:
        words.append("--dora " + "".join(map(name, dora)))
    words.append("--seat " + rng.choice("ESWN"))
    if rng.random() < 0.3:
        words.append("--round S")
    if rng.random() < 0.2:
        words.append("--honba " + str(rng.randrange(1, 5)))
    if rng.random() < 0.1:
        words.append("--sticks " + str(rng.randrange(1, 3)))
    rng.shuffle(words)
    return " ".join(words)


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 10000
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 1)
    for _ in range(count):
        print(hand_line(rng))


main()
