#!/usr/bin/env python3
"""A stand-in for the web translation service, for tests only (loopback).

The services' own APIs (LibreTranslate, DeepL, OpenAI's chat completions,
Google's gtx endpoint) are in service_apis.py, on their documented paths.

GET /translate_a/t answers like the real service: one ["...", segment per
sent line, every one but the last ending in an escaped line break, the
"translation" being the line in upper case (ASCII letters only, so any
other byte passes through unchanged). It also serves as an HTTP proxy: a
request with an absolute-form target is answered the same way.

Control (plain GETs on the same port):
  /_control?mode=M[&count=N][&status=S][&delay=MS][&retry_after=SEC][&redirect=S]
      mode: normal | empty | nomarks | gzip | deflate | rawdeflate | brotli | status | flaky | drop | redirect
            | silent | slowheaders | endlessheaders | trickle | endless | huge | bomb | redirectloop
            | sentences | sparse
        sentences: one segment per sentence, as the service answers today: a
                sentence may end inside a line or run over a line break; the
                text escaped as the service escapes it (\u003c for "<"...),
                left-out fields written as null
        sparse: the same, in the older shape that leaves fields out (",,")
        brotli: the normal body, labelled with a content coding we do not read
        status: answer S (e.g. 429, 500) to every request
        flaky:  answer S (default 429) N times, then normally
        drop:   close the connection without an answer
        redirect: answer 302 to the same request under /r/, then normally
        crossredirect: the same, but to a second listener on another port (another origin)
        silent: read the request and never answer
        slowheaders: a status line, then one header byte every 200 ms
        endlessheaders: header lines as fast as they go, never an empty line
        trickle: a million-byte body announced, one byte sent every 200 ms
        endless: a chunked body that never ends
        huge: a plain body of N bytes (default 64 MiB)
        bomb: a gzip body that inflates to N bytes of zeros (default 1 GiB)
        redirectloop: 302 to the very same address, every time
        secureredirect: 302 to https on the blackhole's port (an HTTPS leg that never connects)
        malformed | wrongcount | merge | think | quota: see service_apis.py
        redirect, crossredirect (the services' APIs): 307 (or the status
                redirect=S names) to the same path under /r/, on this origin
                or on localhost (another origin, which a client must not give
                its key)
      delay: wait MS milliseconds before every answer
      retry_after: the Retry-After of refusals; SEC1,SEC2,... gives each refusal the next one (the last repeats)
  /_requests   the recorded translation requests as JSON, each with the
               number of the connection it came on; those of the services'
               APIs also with their service, method, path, headers and body
  /_reset      forget requests and behaviour
  /_blackhole  the port of a listener whose backlog is full, so that a
               connection to it is never made

Started with --port-file FILE, it writes its port there once listening.
"""

import argparse
import gzip
import itertools
import json
import re
import select
import socket
import socketserver
import threading
import time
import urllib.parse
import zlib
from http.server import BaseHTTPRequestHandler, HTTPServer

import service_apis


class State:
    def __init__(self):
        self.lock = threading.Lock()
        self.reset()

    def reset(self):
        self.mode = "normal"
        self.count = 0
        self.status = 429
        self.delay_ms = 0
        self.retry_after = None
        self.refusals = 0
        self.size = None
        self.redirect = 307
        self.requests = []
        self.connections = 0


STATE = State()
CONNECTION_NUMBERS = itertools.count(1)  # never reset, so records cannot mix two connections
BOMBS = {}
BOMBS_LOCK = threading.Lock()


def gzip_bomb(size):
    """size bytes of zeros, gzip-compressed (about 1/1000 of that); made once per size."""
    with BOMBS_LOCK:
        if size not in BOMBS:
            compressor = zlib.compressobj(9, zlib.DEFLATED, 31)
            block = bytes(1 << 20)
            parts = [compressor.compress(block) for _ in range(size >> 20)]
            parts.append(compressor.compress(bytes(size & ((1 << 20) - 1))))
            parts.append(compressor.flush())
            BOMBS[size] = b"".join(parts)
        return BOMBS[size]


class Blackhole:
    """A listener that accepts nothing, its backlog filled by connections of
    its own: further connection attempts get no answer at all."""

    def __init__(self):
        self.listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(0)
        self.port = self.listener.getsockname()[1]
        self.fillers = []
        for _ in range(4):
            filler = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            filler.setblocking(False)
            filler.connect_ex(("127.0.0.1", self.port))
            self.fillers.append(filler)
        time.sleep(0.2)


BLACKHOLE = None
OTHER_PORT = None  # the second listener, same service, another origin


def blackhole_port():
    global BLACKHOLE
    with STATE.lock:
        if BLACKHOLE is None:
            BLACKHOLE = Blackhole()
        return BLACKHOLE.port


def translate(line: bytes) -> bytes:
    return line.upper()


def escape(text: bytes) -> bytes:
    return text.replace(b"\\", b"\\\\").replace(b'"', b'\\"')


def reply_body(lines):
    segments = []
    for index, line in enumerate(lines):
        brk = b"\\n" if index + 1 < len(lines) else b""
        segments.append(b'["' + escape(translate(line)) + brk + b'","' + escape(line) + brk + b'",null,null,1]')
    return b"[[" + b",".join(segments) + b'],null,"en"]'


SENTENCE = re.compile(rb"[^.?!]*(?:[.?!]+\s*|$)")
JSON_ESCAPES = {b'"': b'\\"', b"\\": b"\\\\", b"\n": b"\\n", b"\r": b"\\r", b"\t": b"\\t",
                b"<": b"\\u003c", b">": b"\\u003e", b"&": b"\\u0026", b"=": b"\\u003d"}


def json_text(text: bytes) -> bytes:
    """A JSON string's inside as the service writes it: HTML-significant
    characters as \\u escapes, other bytes (UTF-8 included) as they are."""
    out = bytearray()
    for byte in text:
        char = bytes([byte])
        if char in JSON_ESCAPES:
            out += JSON_ESCAPES[char]
        elif byte < 0x20:
            out += b"\\u%04x" % byte
        else:
            out += char
    return bytes(out)


def sentence_reply_body(lines, sparse):
    """[[[translation, original, ...], ...], null, "en", ...] with one segment
    per sentence of the whole text, as the service cuts it."""
    text = b"\n".join(lines)
    sentences = [m.group(0) for m in SENTENCE.finditer(text) if m.group(0)]
    gap = b"" if sparse else b"null"
    segments = []
    for sentence in sentences:
        fields = [b'"' + json_text(translate(sentence)) + b'"', b'"' + json_text(sentence) + b'"', gap, gap, b"3"]
        if not sparse:
            fields += [b"null", b"null", b"[[]]", b'[[["0f2f0b6c","tea_GermanicA_en2deesfrit_2022q2.md"]]]']
        segments.append(b"[" + b",".join(fields) + b"]")
    tail = [gap, b'"en"', gap, gap, gap, b"1", b"[]" if not sparse else b"", b'[["en"],' + gap + b',[1],["en"]]']
    return b"[[" + b",".join(segments) + b"]," + b",".join(tail) + b"]"


class RecordingReader:
    """Keeps the header lines exactly as they arrived (spacing included)."""

    def __init__(self, inner):
        self.inner = inner
        self.lines = []

    def readline(self, *args):
        line = self.inner.readline(*args)
        self.lines.append(line)
        return line

    def __getattr__(self, name):
        return getattr(self.inner, name)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Headers and body go out in two writes; with Nagle's algorithm the body
    # would wait for the client's delayed ACK (40 ms a request).
    disable_nagle_algorithm = True

    def parse_request(self):
        real = self.rfile
        recorder = RecordingReader(real)
        self.rfile = recorder
        try:
            return super().parse_request()
        finally:
            self.rfile = real
            self.raw_headers = [line.decode("latin-1").rstrip("\r\n") for line in recorder.lines if line.strip()]

    def setup(self):
        super().setup()
        with STATE.lock:
            STATE.connections += 1
            self.connection_number = next(CONNECTION_NUMBERS)

    def log_message(self, *args):
        pass

    def finish(self):
        try:
            super().finish()
        except OSError:
            pass  # a client that gave up on a hostile answer

    def send(self, status, body=b"", headers=None, reason=None):
        self.send_response(status, reason)
        for name, value in (headers or {}).items():
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        target = self.path
        via_proxy = target.startswith("http://")
        parts = urllib.parse.urlsplit(target)
        path = parts.path
        if path == "/_control":
            self.control(parts.query)
            return
        if path == "/_requests":
            with STATE.lock:
                body = json.dumps({"connections": STATE.connections, "requests": STATE.requests}).encode()
            self.send(200, body, {"Content-Type": "application/json"})
            return
        if path == "/_blackhole":
            self.send(200, str(blackhole_port()).encode())
            return
        if path == "/_reset":
            with STATE.lock:
                STATE.reset()
            self.send(200, b"reset")
            return
        if path in ("/translate_a/t", "/r/translate_a/t"):
            self.translate(parts, via_proxy)
            return
        if path in ("/translate_a/single", "/r/translate_a/single"):
            self.api_request("google-api", parts, b"")
            return
        if path in service_apis.POST_APIS:
            self.send(405, b"", reason="Method Not Allowed")
            return
        self.send(404, b"not found")

    def do_POST(self):
        parts = urllib.parse.urlsplit(self.path)
        length = self.headers.get("Content-Length")
        if length is None or not length.isdigit() or self.headers.get("Transfer-Encoding"):
            self.send(411, b"", reason="Length Required")
            self.close_connection = True
            return
        body = self.rfile.read(int(length))
        api = service_apis.post_api(parts.path)
        if api is None:
            self.send(404, b"not found")
            return
        self.api_request(api[0], parts, body)

    def api_request(self, service, parts, body):
        """One request to a service's API: recorded, then answered as the
        control modes say, else as the API answers it."""
        with STATE.lock:
            STATE.requests.append({
                "service": service,
                "method": self.command,
                "path": parts.path,
                "raw_query": parts.query,
                "headers": self.raw_headers,
                "body": body.decode("utf-8", "replace"),
                "connection": self.connection_number,
            })
            mode, delay = STATE.mode, STATE.delay_ms
            status = 200
            if mode == "flaky" and STATE.count > 0:
                STATE.count -= 1
                status = STATE.status
            elif mode == "status":
                status = STATE.status
            retry_after, size = STATE.retry_after, STATE.size
        if delay:
            time.sleep(delay / 1000.0)
        if mode == "drop":
            self.close_connection = True
            self.connection.shutdown(2)
            return
        if mode in HOSTILE:
            try:
                HOSTILE[mode](self, parts, size)
            except OSError:
                pass
            self.close_connection = mode != "redirectloop"
            return
        if status != 200:
            headers = {"Retry-After": retry_after} if retry_after is not None else {}
            headers["Content-Type"] = "application/json"
            self.send(status, service_apis.status_body(service, status), headers)
            return
        if mode in ("redirect", "crossredirect") and not parts.path.startswith("/r/"):
            host = self.headers.get("Host", "")
            if mode == "crossredirect":
                host = "localhost:%d" % self.server.server_address[1]
            target = "http://%s/r%s" % (host, parts.path) + ("?" + parts.query if parts.query else "")
            with STATE.lock:
                code = STATE.redirect
            self.send(code, b"", {"Location": target}, "Redirect")
            return
        json_type = {"Content-Type": "application/json"}
        if mode == "malformed":
            self.send(200, service_apis.malformed(service), json_type)
            return
        try:
            if service == "google-api":
                answer = service_apis.google_api(parts.query)
            else:
                answer = service_apis.post_api(parts.path)[1](self, body, mode)
        except service_apis.Refusal as refusal:
            self.send(refusal.status, refusal.body, json_type if refusal.body[:1] == b"{" else {}, refusal.reason)
            return
        self.send(200, service_apis.dumps(answer), json_type)

    def control(self, query):
        values = urllib.parse.parse_qs(query)
        with STATE.lock:
            STATE.mode = values.get("mode", ["normal"])[0]
            STATE.count = int(values.get("count", ["0"])[0])
            STATE.status = int(values.get("status", ["429"])[0])
            STATE.delay_ms = int(values.get("delay", ["0"])[0])
            STATE.retry_after = values.get("retry_after", [None])[0]
            STATE.size = int(values["size"][0]) if "size" in values else None
            STATE.redirect = int(values.get("redirect", ["307"])[0])
        if STATE.mode == "bomb":
            gzip_bomb(STATE.size or 1 << 30)  # made now, so that answering takes no time
        self.send(200, b"ok")

    def translate(self, parts, via_proxy):
        raw_query = parts.query
        fields = {}
        for pair in raw_query.split("&"):
            name, _, value = pair.partition("=")
            fields.setdefault(name, urllib.parse.unquote_to_bytes(value))
        text = fields.get("text", b"")
        lines = text.split(b"\n") if text else []
        with STATE.lock:
            STATE.requests.append({
                "path": parts.path,
                "raw_query": raw_query,
                "keys": [pair.partition("=")[0] for pair in raw_query.split("&")],
                "text": text.decode("latin-1"),
                "sl": fields.get("sl", b"").decode("latin-1"),
                "tl": fields.get("tl", b"").decode("latin-1"),
                "headers": self.raw_headers,
                "via_proxy": via_proxy,
                "connection": self.connection_number,
            })
            mode, delay = STATE.mode, STATE.delay_ms
            if mode == "flaky":
                if STATE.count > 0:
                    STATE.count -= 1
                    status = STATE.status
                else:
                    status = 200
            elif mode == "status":
                status = STATE.status
            else:
                status = 200
            retry_after = None
            if STATE.retry_after is not None and status != 200:
                values = STATE.retry_after.split(",")
                retry_after = values[min(STATE.refusals, len(values) - 1)]
                STATE.refusals += 1
            size = STATE.size
        if delay:
            time.sleep(delay / 1000.0)
        if mode == "drop":
            self.close_connection = True
            self.connection.shutdown(2)
            return
        if mode in HOSTILE:
            try:
                HOSTILE[mode](self, parts, size)
            except OSError:
                pass  # the client gave up, as it should
            self.close_connection = mode != "redirectloop"
            return
        if mode == "secureredirect":
            port = blackhole_port()
            self.send(302, b"", {"Location": "https://127.0.0.1:%d/translate_a/t?%s" % (port, raw_query)})
            return
        if mode == "crossredirect" and parts.path == "/translate_a/t":
            self.send(302, b"", {"Location": "http://127.0.0.1:%d/r/translate_a/t?%s" % (OTHER_PORT, raw_query)})
            return
        if mode == "redirect" and parts.path == "/translate_a/t":
            host = self.headers.get("Host", "")
            self.send(302, b"", {"Location": "http://%s/r/translate_a/t?%s" % (host, raw_query)})
            return
        if status != 200:
            headers = {"Retry-After": retry_after} if retry_after is not None else {}
            self.send(status, b"<html>refused</html>", headers)
            return
        body = reply_body(lines)
        headers = {"Content-Type": "text/javascript; charset=UTF-8"}
        if mode == "empty":
            body = b"   "
        elif mode == "nomarks":
            body = b"<html><body>Our systems have detected unusual traffic</body></html>"
        elif mode == "gzip":
            body = gzip.compress(body)
            headers["Content-Encoding"] = "gzip"
        elif mode == "deflate":
            body = zlib.compress(body)  # zlib-wrapped, as the HTTP standard has it
            headers["Content-Encoding"] = "deflate"
        elif mode == "rawdeflate":
            compressor = zlib.compressobj(wbits=-15)  # bare deflate, as many servers send it
            body = compressor.compress(body) + compressor.flush()
            headers["Content-Encoding"] = "deflate"
        elif mode == "brotli":
            headers["Content-Encoding"] = "br"
        elif mode in ("sentences", "sparse"):
            body = sentence_reply_body(lines, mode == "sparse")
        self.send(200, body, headers)


def client_gone(handler, seconds):
    """Waits up to `seconds`; true once the client has closed the connection."""
    readable, _, _ = select.select([handler.connection], [], [], seconds)
    return bool(readable) and handler.connection.recv(1, socket.MSG_PEEK) == b""


def answer_silent(handler, parts, size):
    while not client_gone(handler, 1.0):
        pass


def answer_slow_headers(handler, parts, size):
    handler.wfile.write(b"HTTP/1.1 200 OK\r\nX-Slow: ")
    while not client_gone(handler, 0.2):
        handler.wfile.write(b"z")
        handler.wfile.flush()


def answer_endless_headers(handler, parts, size):
    handler.wfile.write(b"HTTP/1.1 200 OK\r\n")
    line = b"X-Pad: " + b"p" * 1000 + b"\r\n"
    while True:
        handler.wfile.write(line * 64)


def answer_trickle(handler, parts, size):
    handler.wfile.write(b"HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n")
    handler.wfile.flush()
    while not client_gone(handler, 0.2):
        handler.wfile.write(b"[")
        handler.wfile.flush()


def answer_endless(handler, parts, size):
    handler.wfile.write(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
    chunk = b"10000\r\n" + b"e" * 0x10000 + b"\r\n"
    while True:
        handler.wfile.write(chunk)


def answer_huge(handler, parts, size):
    size = 64 << 20 if size is None else size
    handler.wfile.write(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % size)
    block = b"h" * (1 << 20)
    while size > 0:
        handler.wfile.write(block[:size])
        size -= len(block)


def answer_bomb(handler, parts, size):
    body = gzip_bomb(1 << 30 if size is None else size)
    handler.send(200, body, {"Content-Encoding": "gzip"})


def answer_redirect_loop(handler, parts, size):
    host = handler.headers.get("Host", "")
    handler.send(302, b"", {"Location": "http://%s%s?%s" % (host, parts.path, parts.query)})


HOSTILE = {
    "silent": answer_silent,
    "slowheaders": answer_slow_headers,
    "endlessheaders": answer_endless_headers,
    "trickle": answer_trickle,
    "endless": answer_endless,
    "huge": answer_huge,
    "bomb": answer_bomb,
    "redirectloop": answer_redirect_loop,
}


class Server(socketserver.ThreadingMixIn, HTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    # Many clients connect at once; a short backlog would drop their SYNs
    # and hold them back by a whole retransmission second.
    request_queue_size = 128


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    args = parser.parse_args()
    server = Server(("127.0.0.1", args.port), Handler)
    global OTHER_PORT
    other = Server(("127.0.0.1", 0), Handler)
    OTHER_PORT = other.server_address[1]
    threading.Thread(target=other.serve_forever, daemon=True).start()
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(str(server.server_address[1]))
        import os
        os.replace(args.port_file + ".tmp", args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
