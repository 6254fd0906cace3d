"""velmarto-server on SQLite, end to end: refusals, recording with a position, the event stream
and its resumption, a slow client, the page's headers and the club key."""
import base64
import hashlib
import json
import os
import re
import socket
import sys
import tempfile
import unittest

import harness

SERVER = os.environ["VELMARTO_SERVER"]
ABORT = {"kind": "abort"}


class Api(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.server = harness.Server(SERVER, "--db", os.path.join(cls.folder.name, "games.sqlite3"),
                                    "--site", os.path.join(cls.folder.name, "no-site"))

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        cls.folder.cleanup()

    def test_bad_requests(self):
        s = self.server
        game = s.create()
        events = "/api/games/%s/events" % game["id"]
        key = {"Authorization": "Bearer " + game["write_key"]}
        self.assertEqual(s.record(game, 0, ABORT)[0], 201)
        cases = [
            # (why, method, path, body, headers, status)
            ("no write key", "POST", events, json.dumps({"at": 1, "event": ABORT}), {}, 403),
            ("another game's key", "POST", events, json.dumps({"at": 1, "event": ABORT}),
             {"Authorization": "Bearer " + s.create()["write_key"]}, 403),
            ("not a bearer key", "POST", events, json.dumps({"at": 1, "event": ABORT}),
             {"Authorization": game["write_key"]}, 403),
            ("unknown game", "GET", "/api/games/AAAAAAAAAAAAAAAAAAAAAA", None, {}, 404),
            ("unknown game's export", "GET", "/api/games/AAAAAAAAAAAAAAAAAAAAAA/export", None, {},
             404),
            ("unknown game's events", "POST", "/api/games/AAAAAAAAAAAAAAAAAAAAAA/events",
             json.dumps({"at": 0, "event": ABORT}), key, 404),
            ("unknown game's stream", "GET", "/api/games/AAAAAAAAAAAAAAAAAAAAAA/events", None, {},
             404),
            ("the store's own number", "GET", "/api/games/1", None, {}, 404),
            ("not an address", "GET", "/api/games/..%2F1", None, {}, 404),
            ("no such route", "GET", "/api/nothing", None, {}, 404),
            ("body not JSON", "POST", events, "{at: 1", key, 400),
            ("no position", "POST", events, json.dumps({"event": ABORT}), key, 400),
            ("negative position", "POST", events, json.dumps({"at": -1, "event": ABORT}), key,
             400),
            ("unknown kind", "POST", events, json.dumps({"at": 1, "event": {"kind": "nap"}}),
             key, 400),
            ("ron on one's own discard", "POST", events, json.dumps(
                {"at": 1, "event": {"kind": "ron", "discarder": 0,
                                    "wins": [{"winner": 0, "han": 1, "fu": 30}]}}), key, 400),
            ("a game of two", "POST", "/api/games",
             harness.game_body(players=["東家", "南家"]), {}, 400),
            ("body over 64 KiB", "POST", events, json.dumps({"at": 1, "pad": "x" * 65536}), key,
             413),
            ("stale position", "POST", events, json.dumps({"at": 0, "event": ABORT}), key, 409),
            ("position ahead", "POST", events, json.dumps({"at": 5, "event": ABORT}), key, 409),
            ("wrong method", "DELETE", "/api/games/" + game["id"], None, {}, 405),
            ("QR code of nothing", "POST", "/api/qr", "", {}, 400),
            ("QR code of a book", "POST", "/api/qr", "x" * 1025, {}, 400),
            ("QR code by GET", "GET", "/api/qr", None, {}, 405),
        ]
        for why, method, path, body, headers, status in cases:
            with self.subTest(why):
                got, head, text = s.request(method, path, body, headers)
                self.assertEqual(got, status, text)
                answer = json.loads(text)
                self.assertIn("error", answer)
                self.assertEqual(head.get("Content-Type"), "application/json")
                self.assertNotIn("Access-Control-Allow-Origin", head)
                if status in (400, 403, 404):
                    self.assertTrue(answer["japanese"])
                if status == 409:
                    self.assertEqual((answer["position"], answer["game"]["position"]), (1, 1))
        # Nothing refused was recorded.
        self.assertEqual(s.json("GET", "/api/games/" + game["id"])[1]["position"], 1)

    def test_record_at_the_position_seen(self):
        s = self.server
        game = s.create(label="卓A")
        self.assertEqual(game["game"]["position"], 0)
        self.assertEqual(game["game"]["id"], game["id"])
        self.assertGreaterEqual(len(base64.urlsafe_b64decode(game["id"] + "==")), 16)
        status, shown = s.record(game, 0, {"kind": "riichi", "player": 2})
        self.assertEqual((status, shown["position"], shown["sticks"]), (201, 1, 1))
        # A second device that still saw position 0 is told, and shown the game as it is.
        status, conflict = s.record(game, 0, {"kind": "riichi", "player": 3})
        self.assertEqual((status, conflict["position"]), (409, 1))
        self.assertEqual(conflict["game"]["sticks"], 1)
        status, shown = s.record(game, 1, {"kind": "ron", "discarder": 1,
                                           "wins": [{"winner": 0, "han": 3, "fu": 30}]})
        self.assertEqual((status, shown["position"]), (201, 2))
        # The dealer's 3 han 30 fu is 5,800, and the riichi stick goes to the winner.
        self.assertEqual([p["points"] for p in shown["players"]],
                         ["31800", "19200", "24000", "25000"])
        _, read = s.json("GET", "/api/games/" + game["id"])
        self.assertEqual(read, shown)
        _, history = s.json("GET", "/api/games/%s/history" % game["id"])
        self.assertEqual([row["kind"] for row in history], ["riichi", "ron"])
        _, exported = s.json("GET", "/api/games/%s/export" % game["id"])
        self.assertEqual((exported["label"], len(exported["events"])), ("卓A", 2))
        # The export creates the same game again, under a new address.
        status, again = s.json("POST", "/api/games", json.dumps(exported))
        self.assertEqual((status, again["game"]["players"]), (201, shown["players"]))
        self.assertNotEqual(again["id"], game["id"])

    def test_stream_in_order_and_resumed(self):
        s = self.server
        game = s.create()
        stream = harness.EventStream(s.port, game["id"])
        self.assertEqual(stream.status, 200)
        self.assertEqual(stream.next()[0], 0)
        for at in range(3):
            self.assertEqual(s.record(game, at, ABORT)[0], 201)
        got = [stream.next() for _ in range(3)]
        self.assertEqual([(i, show["position"], show["honba"]) for i, show in got],
                         [(1, 1, 1), (2, 2, 2), (3, 3, 3)])
        stream.close()
        # Back after position 1: the missed positions, then what comes next.
        resumed = harness.EventStream(s.port, game["id"], last_event_id=1)
        self.assertEqual([resumed.next()[0] for _ in range(2)], [2, 3])
        self.assertEqual(s.record(game, 3, {"kind": "undo"})[0], 201)
        position, show = resumed.next()
        self.assertEqual((position, show["position"], show["honba"]), (4, 4, 2))
        resumed.close()
        # Up to date: nothing until the next event.
        current = harness.EventStream(s.port, game["id"], last_event_id=4)
        self.assertEqual(s.record(game, 4, ABORT)[0], 201)
        self.assertEqual(current.next()[0], 5)
        current.close()

    def test_slow_client_is_cut(self):
        folder = self.folder.name
        with harness.Server(SERVER, "--db", os.path.join(folder, "slow.sqlite3"),
                            "--read-timeout-ms", "300") as s:
            slow = socket.create_connection(("127.0.0.1", s.port), timeout=harness.REPLY_SECONDS)
            slow.sendall(b"GET /healthz HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ")
            self.assertEqual(slow.recv(1024), b"")
            slow.close()
            self.assertEqual(s.request("GET", "/healthz")[0], 200)
            # A kept connection that goes quiet after its answer is cut too.
            idle = socket.create_connection(("127.0.0.1", s.port), timeout=harness.REPLY_SECONDS)
            idle.sendall(b"GET /healthz HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n")
            answer = b""
            while chunk := idle.recv(4096):
                answer += chunk
            self.assertTrue(answer.startswith(b"HTTP/1.1 200"), answer)
            idle.close()

    def test_page_and_its_policy(self):
        site = os.path.join(self.folder.name, "site")
        os.makedirs(site)
        script, style = "window.ready = 1;", "body { color: green; }"
        with open(os.path.join(site, "index.html"), "w") as page:
            page.write('<!doctype html><style>%s</style><script src="app.js"></script>'
                       '<script>%s</script>' % (style, script))
        with open(os.path.join(site, "velmarto.wasm"), "wb") as wasm:
            wasm.write(b"\0asm")
        with harness.Server(SERVER, "--db", os.path.join(self.folder.name, "page.sqlite3"),
                            "--site", site) as s:
            status, head, body = s.request("GET", "/")
            self.assertEqual(status, 200)
            self.assertIn(script, body)
            policy = head["Content-Security-Policy"]
            digest = lambda text: base64.b64encode(hashlib.sha256(text.encode()).digest()).decode()
            self.assertIn("default-src 'self'", policy)
            self.assertIn("'wasm-unsafe-eval'", policy)
            self.assertIn("'sha256-%s'" % digest(script), policy)
            self.assertIn("'sha256-%s'" % digest(style), policy)
            self.assertEqual(head["X-Content-Type-Options"], "nosniff")
            status, head, _ = s.request("GET", "/velmarto.wasm")
            self.assertEqual((status, head["Content-Type"]), (200, "application/wasm"))
            for outside in ["/../api_test.py", "/%2e%2e/x", "/.hidden", "/nothing.html"]:
                with self.subTest(outside):
                    self.assertEqual(s.request("GET", outside)[0], 404)

    def test_qr_code(self):
        # A code is 21 modules at version 1 and 4 more a version, drawn with a quiet zone of 4 on
        # each side: a short link fits version 1, a long one needs more. Every code has the
        # corners of its three finder squares, and the white separator beside them.
        sides = []
        for text in ["https://x.jp/", "https://mahjong.example.org/#" + "k" * 90]:
            with self.subTest(text=text):
                status, head, svg = self.server.request("POST", "/api/qr", text)
                self.assertEqual((status, head["Content-Type"]), (200, "image/svg+xml"))
                side = int(re.search(r'viewBox="0 0 (\d+) \1"', svg).group(1))
                modules = side - 8
                self.assertEqual((modules - 21) % 4, 0)
                dark = set(re.findall(r"M(\d+) (\d+)h1v1h-1z", svg))
                for x, y in [(0, 0), (modules - 1, 0), (0, modules - 1)]:
                    self.assertIn((str(x + 4), str(y + 4)), dark)
                self.assertNotIn(("11", "4"), dark)
                sides.append(side)
        self.assertEqual(sides[0], 29)
        self.assertGreater(sides[1], 29)

    def test_club_key(self):
        folder = self.folder.name
        key_file = os.path.join(folder, "club-key")
        with open(key_file, "w") as f:
            f.write("sakura-club-key\n")
        with harness.Server(SERVER, "--db", os.path.join(folder, "club.sqlite3"),
                            "--club-key-file", key_file) as s:
            member = {"Authorization": "Bearer sakura-club-key"}
            for headers, status in [({}, 403), ({"Authorization": "Bearer sakura"}, 403),
                                    (member, 201)]:
                with self.subTest(headers=headers):
                    self.assertEqual(s.request("POST", "/api/games", harness.game_body(),
                                               headers)[0], status)
            self.assertEqual(s.request("GET", "/api/season")[0], 403)
            status, season = s.json("GET", "/api/season", headers=member)
            self.assertEqual((status, sorted(season)), (200, ["four", "three"]))

    def test_bad_command_lines(self):
        import subprocess
        for args in [["--listen", "nowhere"], ["--listen", "127.0.0.1:99999"],
                     ["--club-key-file", os.path.join(self.folder.name, "missing")],
                     ["--frobnicate"]]:
            with self.subTest(args):
                run = subprocess.run([SERVER, *args], capture_output=True, text=True,
                                     timeout=harness.REPLY_SECONDS)
                self.assertEqual((run.returncode, run.stdout), (2, ""))
                self.assertEqual(len(run.stderr.strip().splitlines()), 1, run.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
