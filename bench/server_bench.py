#!/usr/bin/env python3
"""velmarto-server's figures, on 127.0.0.1 only and bounded in time:
  appends per second, SQLite and PostgreSQL, 16 writers on 16 games at a time (each its own
  connection, a new game after 60 events, as a table starts the next game);
  1,000 followers of one game: from a post to the last follower's message, p50 and p99, and the
  server's resident memory before and after they connect;
  GET /api/games/{id} with wrk (-t2 -c50 -d10s).
  bench/server_bench.py [build/release/server/velmarto-server]"""
import http.client
import json
import os
import selectors
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "server"))
import harness  # noqa: E402

SERVER = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(__file__), "..", "build", "release", "server", "velmarto-server")
WRITERS = 16
# A whole East-South game is some 20 hands: each writer starts a new game after this many events.
EVENTS_PER_GAME = 60
APPEND_SECONDS = 10
FOLLOWERS = 1000
POSTS_TO_FOLLOWERS = 50


def appends_per_second(server):
    counts = [0] * WRITERS
    stop = time.monotonic() + APPEND_SECONDS

    def writer(i):
        connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=30)
        while time.monotonic() < stop:
            game = server.create()
            headers = {"Authorization": "Bearer " + game["write_key"]}
            for at in range(EVENTS_PER_GAME):
                connection.request("POST", "/api/games/%s/events" % game["id"],
                                   json.dumps({"at": at, "event": {"kind": "abort"}}), headers)
                response = connection.getresponse()
                response.read()
                if response.status != 201:
                    raise RuntimeError("append answered %d" % response.status)
                counts[i] += 1
                if time.monotonic() >= stop:
                    break
        connection.close()

    started = time.monotonic()
    threads = [threading.Thread(target=writer, args=(i,)) for i in range(WRITERS)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    return sum(counts) / (time.monotonic() - started)


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def followers(server):
    game = server.create()
    before = resident_kib(server.process.pid)
    selector = selectors.DefaultSelector()
    streams = []
    for _ in range(FOLLOWERS):
        s = socket.create_connection(("127.0.0.1", server.port))
        s.sendall(("GET /api/games/%s/events HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                   "Accept: text/event-stream\r\n\r\n" % game["id"]).encode())
        s.setblocking(False)
        selector.register(s, selectors.EVENT_READ, bytearray())
        streams.append(s)

    def wait_for(position, deadline):
        """Reads until every follower has the message with this id; returns the last arrival."""
        mark = ("id: %d\n" % position).encode()
        pending = set(streams)
        last = None
        while pending and time.monotonic() < deadline:
            for key, _ in selector.select(timeout=1):
                buffer = key.data
                buffer += key.fileobj.recv(1 << 16)
                if key.fileobj in pending and mark in buffer:
                    pending.discard(key.fileobj)
                    last = time.monotonic()
                    del buffer[:]
        if pending:
            raise RuntimeError("%d followers did not get position %d" % (len(pending), position))
        return last

    wait_for(0, time.monotonic() + 60)
    after = resident_kib(server.process.pid)
    delays = []
    for at in range(POSTS_TO_FOLLOWERS):
        posted = time.monotonic()
        status, _ = server.record(game, at, {"kind": "abort"})
        assert status == 201
        delays.append((wait_for(at + 1, time.monotonic() + 60) - posted) * 1000)
    for s in streams:
        selector.unregister(s)
        s.close()
    delays.sort()
    p99 = delays[min(len(delays) - 1, int(len(delays) * 0.99))]
    return statistics.median(delays), p99, before, after


def wrk(server):
    game = server.create()
    for at in range(40):
        server.record(game, at, {"kind": "abort"})
    run = subprocess.run(["wrk", "-t2", "-c50", "-d10s",
                          "http://127.0.0.1:%d/api/games/%s" % (server.port, game["id"])],
                         capture_output=True, text=True, check=True)
    return [line.strip() for line in run.stdout.splitlines()
            if "Requests/sec" in line or "Latency" in line or "Non-2xx" in line]


def main():
    with tempfile.TemporaryDirectory() as folder:
        with harness.Server(SERVER, "--db", os.path.join(folder, "games.sqlite3")) as server:
            print("appends/s, SQLite, %d writers on %d games: %.0f"
                  % (WRITERS, WRITERS, appends_per_second(server)))
            p50, p99, before, after = followers(server)
            print("%d followers, post to the last one's message: p50 %.1f ms, p99 %.1f ms; "
                  "server RSS %d KiB before, %d KiB with them" % (FOLLOWERS, p50, p99, before, after))
            for line in wrk(server):
                print("wrk GET /api/games/{id}: " + line)
    with harness.Postgres() as pg:
        with harness.Server(SERVER, "--db", pg.url) as server:
            print("appends/s, PostgreSQL, %d writers on %d games: %.0f"
                  % (WRITERS, WRITERS, appends_per_second(server)))


if __name__ == "__main__":
    main()
