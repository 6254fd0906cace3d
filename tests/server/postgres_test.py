"""Several velmarto-servers on one PostgreSQL started here: an event through one is seen on the
other's stream; concurrent posts at one position; a server killed mid-stream of posts; the
database restarted under a running server."""
import json
import os
import signal
import sys
import threading
import unittest

import harness

SERVER = os.environ["VELMARTO_SERVER"]
ABORT = {"kind": "abort"}


class Postgres(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pg = harness.Postgres()

    @classmethod
    def tearDownClass(cls):
        cls.pg.__exit__(None, None, None)

    def server(self):
        return harness.Server(SERVER, "--db", self.pg.url)

    def test_event_through_one_server_on_the_others_stream(self):
        with self.server() as a, self.server() as b:
            game = a.create()
            on_b = harness.EventStream(b.port, game["id"])
            self.assertEqual(on_b.next()[0], 0)
            self.assertEqual(a.record(game, 0, {"kind": "riichi", "player": 1})[0], 201)
            position, show = on_b.next()
            self.assertEqual((position, show["sticks"]), (1, 1))
            # And the other way round, with the write key that A gave out.
            self.assertEqual(b.record(game, 1, ABORT)[0], 201)
            self.assertEqual(on_b.next()[0], 2)
            on_b.close()

    def test_fifty_posts_at_one_position(self):
        with self.server() as a, self.server() as b:
            game = a.create()
            self.assertEqual(a.record(game, 0, ABORT)[0], 201)
            start = threading.Barrier(50)
            statuses = []

            def post(server):
                start.wait()
                statuses.append(server.record(game, 1, ABORT)[0])

            posters = [threading.Thread(target=post, args=(a if i % 2 else b,)) for i in range(50)]
            for t in posters:
                t.start()
            for t in posters:
                t.join()
            self.assertEqual(sorted(statuses), [201] + [409] * 49)
            self.assertEqual(a.json("GET", "/api/games/" + game["id"])[1]["position"], 2)

    def test_killed_server_keeps_every_answered_event(self):
        victim = self.server()
        games = [victim.create() for _ in range(4)]
        answered = {g["id"]: 0 for g in games}
        halfway = threading.Event()

        def poster(game):
            for at in range(50):
                try:
                    status, shown = victim.record(game, at, ABORT)
                except (OSError, ValueError, json.JSONDecodeError):
                    return
                if status != 201:
                    return
                answered[game["id"]] = shown["position"]
                if sum(answered.values()) >= 100:
                    halfway.set()

        posters = [threading.Thread(target=poster, args=(g,)) for g in games]
        for t in posters:
            t.start()
        self.assertTrue(halfway.wait(harness.REPLY_SECONDS))
        # Mid-stream: the posters are still sending.
        victim.process.send_signal(signal.SIGKILL)
        victim.process.wait()
        for t in posters:
            t.join()
        victim.stop()
        with self.server() as again:
            for g in games:
                _, shown = again.json("GET", "/api/games/" + g["id"])
                _, exported = again.json("GET", "/api/games/%s/export" % g["id"])
                self.assertGreaterEqual(shown["position"], answered[g["id"]])
                self.assertEqual(len(exported["events"]), shown["position"])

    def test_database_restarted_under_a_server(self):
        with self.server() as s:
            game = s.create()
            stream = harness.EventStream(s.port, game["id"])
            self.assertEqual(stream.next()[0], 0)
            self.pg.stop()
            try:
                status, head, _ = s.request("GET", "/api/games/" + game["id"])
                self.assertEqual(status, 503)
                self.assertIn("Retry-After", head)
                self.assertEqual(s.record(game, 0, ABORT)[0], 503)
            finally:
                self.pg.start()
            harness.wait_until(lambda: s.record(game, 0, ABORT)[0] == 201)
            # The stream carries on once the server listens again.
            position, show = stream.next()
            self.assertEqual((position, show["position"]), (1, 1))
            stream.close()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
