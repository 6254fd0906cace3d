"""What the server tests share: a velmarto-server process on 127.0.0.1 and a free port, a private
PostgreSQL in a temporary folder, plain HTTP requests, and a Server-Sent Events reader."""
import contextlib
import http.client
import json
import os
import shutil
import signal
import socket
import subprocess
import tempfile
import time

# Generous bounds, so a loaded machine does not fail a test; a hang still ends.
STARTUP_SECONDS = 30
REPLY_SECONDS = 30

GAME = {
    "format": "velmarto-game",
    "version": 2,
    "rules": {"players": 4},
    "players": ["東家", "南家", "西家", "北家"],
    "events": [],
}


def game_body(**changes):
    return json.dumps(dict(GAME, **changes))


class Server:
    """velmarto-server with the given arguments, on a port the system picks."""

    def __init__(self, binary, *args):
        self.process = subprocess.Popen(
            [binary, "--listen", "127.0.0.1:0", *args],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        if "listening on http://" not in line:
            self.process.kill()
            raise RuntimeError("server did not start: " + line + self.process.stderr.read())
        self.port = int(line.split("http://", 1)[1].split("/", 1)[0].rsplit(":", 1)[1])

    def request(self, method, path, body=None, headers=None, timeout=REPLY_SECONDS):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        try:
            connection.request(method, path, body=body, headers=headers or {})
            response = connection.getresponse()
            return response.status, dict(response.getheaders()), response.read().decode()
        finally:
            connection.close()

    def json(self, method, path, body=None, headers=None):
        status, _, text = self.request(method, path, body, headers)
        return status, json.loads(text) if text else None

    def create(self, **changes):
        status, created = self.json("POST", "/api/games", game_body(**changes))
        assert status == 201, (status, created)
        return created

    def record(self, created, at, event):
        return self.json("POST", "/api/games/%s/events" % created["id"],
                         json.dumps({"at": at, "event": event}),
                         {"Authorization": "Bearer " + created["write_key"]})

    def stop(self):
        """Stops a running server with SIGTERM: it must exit cleanly (under a sanitizer, with
        nothing to report)."""
        running = self.process.poll() is None
        if running:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=REPLY_SECONDS)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        errors = self.process.stderr.read()
        self.process.stdout.close()
        self.process.stderr.close()
        if running and self.process.returncode != 0:
            raise RuntimeError("server exited with %d: %s" % (self.process.returncode, errors))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


class EventStream:
    """A follower of one game: reads messages as (id, data) pairs."""

    def __init__(self, port, game_id, last_event_id=None):
        self.socket = socket.create_connection(("127.0.0.1", port), timeout=REPLY_SECONDS)
        extra = "Last-Event-ID: %d\r\n" % last_event_id if last_event_id is not None else ""
        self.socket.sendall(("GET /api/games/%s/events HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                             "Accept: text/event-stream\r\n%s\r\n" % (game_id, extra)).encode())
        self.buffer = b""
        head = self._until(b"\r\n\r\n")
        self.status = int(head.split(b" ", 2)[1])

    def _until(self, mark):
        while mark not in self.buffer:
            chunk = self.socket.recv(65536)
            if not chunk:
                raise EOFError("stream closed")
            self.buffer += chunk
        part, self.buffer = self.buffer.split(mark, 1)
        return part

    def next(self):
        """The next message, skipping keep-alive comments."""
        while True:
            block = self._until(b"\n\n").decode()
            fields = dict(line.split(": ", 1) for line in block.split("\n")
                          if line and not line.startswith(":"))
            if "data" in fields:
                return int(fields["id"]), json.loads(fields["data"])

    def close(self):
        self.socket.close()


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Postgres:
    """A private PostgreSQL 15 on a unix socket in a temporary folder, as an unprivileged user."""

    BIN = "/usr/lib/postgresql/15/bin"

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="velmarto-pg-")
        self.data = os.path.join(self.folder, "data")
        self.port = free_port()
        self.as_user = []
        if os.geteuid() == 0:
            # PostgreSQL refuses to run as root: "nobody" runs it, in a folder of its own.
            os.chown(self.folder, 65534, 65534)
            self.as_user = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
        self._run("initdb", "-D", self.data, "-U", "velmarto", "-A", "trust", "--no-sync",
                  "-E", "UTF8", "--locale=C")
        self.start()
        self._run("createdb", "-h", self.folder, "-p", str(self.port), "-U", "velmarto", "club")
        self.url = "postgresql://velmarto@/club?host=%s&port=%d" % (self.folder, self.port)

    def _run(self, tool, *args):
        subprocess.run(self.as_user + [os.path.join(self.BIN, tool), *args], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, cwd=self.folder)

    def start(self):
        options = "-c listen_addresses='' -c unix_socket_directories='%s' -p %d " \
                  "-c max_connections=200" % (self.folder, self.port)
        self._run("pg_ctl", "-D", self.data, "-o", options, "-l",
                  os.path.join(self.folder, "log"), "-w", "start")

    def stop(self, mode="fast"):
        self._run("pg_ctl", "-D", self.data, "-m", mode, "-w", "stop")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        with contextlib.suppress(subprocess.CalledProcessError):
            self.stop("immediate")
        shutil.rmtree(self.folder, ignore_errors=True)


def wait_until(check, seconds=REPLY_SECONDS, pause=0.1):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = check()
        if result:
            return result
        time.sleep(pause)
    raise AssertionError("not reached within %s s" % seconds)
