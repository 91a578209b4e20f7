#!/usr/bin/env python3
"""A Vardex network peer of the test harness, written apart from the program: it speaks the
datagram format to a machine under test, as an administrator would.

    vxpeer.py --bind PORT --to ADDR:PORT --name NAME [--state FILE] [--key KEY] STEP...

Messages go to NAME at ADDR:PORT and say they come from "admin" (--as names another sender)
at 127.0.0.1:PORT (--as-port changes the port they name). Every queued message received is
acknowledged. With --key, every datagram sent carries the network key's eighth field: the time
and the first 16 bytes of HMAC-SHA256 under KEY over the seven fields, ";" and the time. Steps:

    send CODE PARAM         a queued message; resent after 2 s, five sends in all, until acked
    plain CODE PARAM        a message that wants no acknowledgement
    expect CODE[=PARAM] S   wait up to S seconds for a message of that code (and parameter)
    drain S                 listen (and acknowledge) for S seconds
    hostile                 a burst of datagrams no peer would send
    unanswered CODE PARAM S a queued message sent once, after which nothing at all may come
                            back for S seconds
    latency N               N remote starts of a minute each: the time from the start sent to
                            the countdown-started report received; prints median and worst
    flood N S               N datagrams of junk, spread evenly over S seconds
    capture CODE S FILE     wait up to S seconds for a message of that code and keep the
                            datagram as it came, byte for byte, in FILE
    replay FILE S           send FILE's datagram unchanged; nothing may come back for S seconds

Or, as a room of clients of an administrator at ADDR:PORT:

    vxpeer.py --room N --bind FIRST_PORT --to ADDR:PORT --seconds S --every P

N clients "PC000"... on ports FIRST_PORT... check in, then each reports its state every P
seconds (client i: lock, timing, options or paused by i mod 4) and answers pings, for S
seconds or until SIGTERM; queued messages are resent after 2 s, five sends in all. Prints
the counts.

Prints one line per message expected, "ok" at the end; exits 1 with "FAIL: ..." otherwise.
"""
import argparse
import hashlib
import hmac
import os
import random
import signal
import socket
import statistics
import sys
import time


def shift(p):
    return 29 + p if p <= 226 else 29 + ((p - 1) % 226) + 1


def swap_pairs(t):
    n = len(t)
    for p in range(1, n // 2 + 1, 2):
        t[p - 1], t[n - p - 1] = t[n - p - 1], t[p - 1]


def scramble(text):
    t = bytearray(b if b >= 32 else 32 for b in text.encode("latin-1"))
    swap_pairs(t)
    for i in range(len(t)):
        c = t[i] - shift(i + 1)
        t[i] = c + 224 if c < 32 else c
    return bytes(t)


def unscramble(data):
    t = bytearray(data.split(b"\0", 1)[0])
    for i in range(len(t)):
        c = t[i] + shift(i + 1)
        t[i] = c - 224 if c > 255 else c
    swap_pairs(t)
    return t.decode("latin-1")


class Peer:
    def __init__(self, args):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.sock.bind(("127.0.0.1", args.bind))
        host, port = args.to.split(":")
        self.to = (host, int(port))
        self.name = args.name
        self.sender = args.sender
        self.from_port = args.as_port or args.bind
        self.state = args.state
        self.next_id = 1
        if self.state and os.path.exists(self.state):
            self.next_id = int(open(self.state).read() or "1")
        self.acked = set()
        self.inbox = []
        self.key = args.key.encode("latin-1") if args.key else None
        self.last_datagram = b""

    def sign(self, text):
        if self.key is None:
            return text
        now = str(int(time.time()))
        tag = hmac.new(self.key, (text + ";" + now).encode("latin-1"), hashlib.sha256)
        return text + ";" + now + "." + tag.hexdigest()[:32]

    def save(self):
        if self.state:
            with open(self.state, "w") as f:
                f.write(str(self.next_id))

    def datagram(self, msg_id, code, param):
        text = f"{msg_id};{self.name};{self.sender};127.0.0.1;{self.from_port};{code};{param}"
        self.sock.sendto(scramble(self.sign(text)), self.to)

    def receive(self, timeout):
        """One message from the machine, or None; queued ones are acknowledged."""
        self.sock.settimeout(max(timeout, 0.001))
        try:
            data, _ = self.sock.recvfrom(65536)
        except socket.timeout:
            return None
        self.last_datagram = data
        fields = unscramble(data).split(";")
        if len(fields) < 7:
            return None
        msg_id, code, param = int(fields[0]), int(fields[5]), fields[6]
        if msg_id != -2:
            text = f"-2;{fields[2]};{self.sender};127.0.0.1;{self.from_port};10;{msg_id}"
            self.sock.sendto(scramble(self.sign(text)), (fields[3], int(fields[4])))
        if code == 10:
            self.acked.add(int(param))
        return (code, param, fields)

    def pump(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            m = self.receive(end - time.monotonic())
            if m:
                self.inbox.append(m)

    def send(self, code, param):
        msg_id = self.next_id
        self.next_id = self.next_id % 30000 + 1
        for _ in range(5):
            self.datagram(msg_id, code, param)
            end = time.monotonic() + 2
            while time.monotonic() < end:
                m = self.receive(end - time.monotonic())
                if m:
                    self.inbox.append(m)
                if msg_id in self.acked:
                    return msg_id
        raise SystemExit(f"FAIL: code {code} {param!r} never acknowledged")

    def expect(self, wanted, seconds):
        code, _, param = wanted.partition("=")
        code = int(code)
        end = time.monotonic() + seconds
        while True:
            for i, (c, p, fields) in enumerate(self.inbox):
                if c == code and (not param or p == param):
                    del self.inbox[i]
                    return fields
            left = end - time.monotonic()
            if left <= 0:
                seen = [f"{c}:{p}" for c, p, _ in self.inbox]
                raise SystemExit(f"FAIL: no code {wanted} within {seconds}s (seen {seen})")
            m = self.receive(left)
            if m:
                self.inbox.append(m)

    def unanswered(self, code, param, seconds):
        msg_id = self.next_id
        self.next_id = self.next_id % 30000 + 1
        self.datagram(msg_id, code, param)
        self.sock.settimeout(seconds)
        try:
            data, _ = self.sock.recvfrom(65536)
        except socket.timeout:
            return
        raise SystemExit(f"FAIL: {unscramble(data)!r} came back")

    def hostile(self):
        rng = random.Random(7)
        bursts = [b"", b"x" * 65000, bytes(rng.randrange(256) for _ in range(300))]
        for text in ["", ";;;;;;", "1;PC7;admin;127.0.0.1;9500;1", "x;PC7;admin;1.2.3.4;9;1;60",
                     "99999;PC7;admin;127.0.0.1;9500;1;60", "5;PC7;admin;127.0.0.1;99999;1;60",
                     "6;PC7;admin;127.0.0.1;9500;1;-600", "7;PC7;admin;127.0.0.1;9500;1;1e99",
                     "8;PC7;admin;999.0.0.1;9500;50;never shown", "9;PC7;;127.0.0.1;9500;50;x",
                     "10;PC7;admin;127.0.0.1;9500;12;junk", "-2;PC7;admin;127.0.0.1;0;16;0"]:
            bursts.append(scramble(text))
        for _ in range(200):
            bursts.append(bytes(rng.randrange(256) for _ in range(rng.randrange(1, 400))))
        for data in bursts:
            self.sock.sendto(data, self.to)

    def flood(self, count, seconds):
        rng = random.Random(11)
        started = time.monotonic()
        for i in range(count):
            if i % 100 == 0:
                # Evenly over the time: wait for this hundred's turn.
                due = started + seconds * i / count
                while time.monotonic() < due:
                    time.sleep(0.001)
            self.sock.sendto(bytes(rng.randrange(256) for _ in range(rng.randrange(20, 200))),
                             self.to)

    def capture(self, code, seconds, path):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            m = self.receive(end - time.monotonic())
            if m and m[0] == code:
                with open(path, "wb") as f:
                    f.write(self.last_datagram)
                return m[2]
        raise SystemExit(f"FAIL: no code {code} to capture within {seconds}s")

    def replay(self, path, seconds):
        with open(path, "rb") as f:
            self.sock.sendto(f.read(), self.to)
        self.sock.settimeout(seconds)
        try:
            data, _ = self.sock.recvfrom(65536)
        except socket.timeout:
            return
        raise SystemExit(f"FAIL: {unscramble(data)!r} came back to a replay")

    def latency(self, count):
        times = []
        for i in range(count):
            self.inbox.clear()
            started = time.monotonic()
            msg_id = self.next_id
            self.next_id = self.next_id % 30000 + 1
            self.datagram(msg_id, 1, str(60 + i))
            while True:
                m = self.receive(5)
                if m is None:
                    raise SystemExit(f"FAIL: no countdown report for start {i}")
                if m[0] == 28:
                    times.append((time.monotonic() - started) * 1000)
                    break
        times.sort()
        print(f"start to report over {count}: median {statistics.median(times):.1f} ms, "
              f"worst {times[-1]:.1f} ms, best {times[0]:.1f} ms")


ROOM_STATES = [(21, lambda t: "0"), (22, lambda t: str(3600 - int(t))), (24, lambda t: "0"),
               (25, lambda t: "0")]


class RoomClient:
    def __init__(self, index, port, to):
        self.name = f"PC{index:03d}"
        self.port = port
        self.to = to
        self.state = ROOM_STATES[index % 4]
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.sock.bind(("127.0.0.1", port))
        self.sock.setblocking(False)
        self.next_id = 1
        self.pending = {}  # id -> [datagram, next send, sends left]

    def queue(self, code, param, now):
        msg_id = self.next_id
        self.next_id += 1
        data = scramble(f"{msg_id};admin;{self.name};127.0.0.1;{self.port};{code};{param}")
        self.pending[msg_id] = [data, now, 5]

    def report(self, started, now):
        code, param = self.state
        self.queue(code, param(now - started), now)

    def flush(self, now, counts):
        for msg_id, entry in list(self.pending.items()):
            data, due, left = entry
            if due > now:
                continue
            if left == 0:
                del self.pending[msg_id]
                counts["given up"] += 1
                continue
            self.sock.sendto(data, self.to)
            counts["sent"] += 1
            entry[1], entry[2] = now + 2, left - 1


def room(args):
    import selectors
    host, port = args.to.split(":")
    to = (host, int(port))
    clients = [RoomClient(i, args.bind + i, to) for i in range(args.room)]
    sel = selectors.DefaultSelector()
    for c in clients:
        sel.register(c.sock, selectors.EVENT_READ, c)
    counts = {"sent": 0, "acknowledged": 0, "given up": 0, "pings answered": 0, "reports": 0}
    started = time.monotonic()
    stop = []
    # Ended early by the harness once it has seen what it wanted.
    signal.signal(signal.SIGTERM, lambda *_: stop.append(True))
    for c in clients:
        c.queue(11, "0", started)
    # Reports spread over the period, so the administrator hears a steady stream.
    next_report = [started + 1 + args.every * i / len(clients) for i in range(len(clients))]
    while not stop and (now := time.monotonic()) < started + args.seconds:
        for i, c in enumerate(clients):
            if next_report[i] <= now:
                c.report(started, now)
                counts["reports"] += 1
                next_report[i] += args.every
            c.flush(now, counts)
        for key, _ in sel.select(0.02):
            c = key.data
            try:
                data = c.sock.recv(65536)
            except OSError:
                continue
            fields = unscramble(data).split(";")
            if len(fields) < 7:
                continue
            msg_id, code, param = int(fields[0]), int(fields[5]), fields[6]
            if msg_id != -2:
                ack = f"-2;admin;{c.name};127.0.0.1;{c.port};10;{msg_id}"
                c.sock.sendto(scramble(ack), to)
            if code == 10 and c.pending.pop(int(param), None):
                counts["acknowledged"] += 1
            elif code == 16:
                c.report(started, time.monotonic())
                counts["pings answered"] += 1
    print("room of %d: %s" % (len(clients), ", ".join(f"{v} {k}" for k, v in counts.items())))
    if counts["given up"]:
        raise SystemExit(f"FAIL: {counts['given up']} messages never acknowledged")


def main():
    if "--room" in sys.argv:
        parser = argparse.ArgumentParser()
        parser.add_argument("--room", type=int, required=True)
        parser.add_argument("--bind", type=int, required=True)
        parser.add_argument("--to", required=True)
        parser.add_argument("--seconds", type=float, required=True)
        parser.add_argument("--every", type=float, default=3)
        room(parser.parse_args())
        print("ok")
        return 0
    parser = argparse.ArgumentParser()
    parser.add_argument("--bind", type=int, required=True)
    parser.add_argument("--as-port", type=int, default=0)
    parser.add_argument("--as", dest="sender", default="admin")
    parser.add_argument("--to", required=True)
    parser.add_argument("--name", required=True)
    parser.add_argument("--state")
    parser.add_argument("--key")
    parser.add_argument("steps", nargs="+")
    args = parser.parse_args()
    peer = Peer(args)
    try:
        for step in args.steps:
            words = step.split(" ", 2)
            verb = words[0]
            if verb == "send":
                peer.send(int(words[1]), words[2] if len(words) > 2 else "0")
            elif verb == "plain":
                peer.datagram(-2, int(words[1]), words[2] if len(words) > 2 else "0")
            elif verb == "expect":
                fields = peer.expect(words[1], float(words[2]))
                print("got " + ";".join(fields))
            elif verb == "drain":
                peer.pump(float(words[1]))
            elif verb == "hostile":
                peer.hostile()
            elif verb == "unanswered":
                code, rest = words[1], words[2].rsplit(" ", 1)
                peer.unanswered(int(code), rest[0], float(rest[1]))
            elif verb == "latency":
                peer.latency(int(words[1]))
            elif verb == "flood":
                peer.flood(int(words[1]), float(words[2]))
            elif verb == "capture":
                seconds, path = words[2].split(" ", 1)
                fields = peer.capture(int(words[1]), float(seconds), path)
                print("captured " + ";".join(fields))
            elif verb == "replay":
                path, seconds = words[1], float(words[2])
                peer.replay(path, seconds)
            else:
                raise SystemExit(f"FAIL: unknown step {step!r}")
    finally:
        peer.save()
    print("ok")


if __name__ == "__main__":
    sys.exit(main())
