#!/usr/bin/env python3
"""Checks the fake's four service APIs answer as their documentation says
and refuse what the real services refuse. Run under
scripts/with-fake-service.sh, which gives the address in TARVEX_FAKE_SERVICE."""

import json
import os
import sys
import urllib.error
import urllib.request

from service_apis import TEST_KEY, TEST_MODEL

BASE = "http://" + os.environ["TARVEX_FAKE_SERVICE"]
FAILURES = []


def call(path, body=None, headers=None, method=None):
    data = None if body is None else (body if isinstance(body, bytes) else json.dumps(body).encode())
    request = urllib.request.Request(BASE + path, data=data, method=method or ("POST" if data is not None else "GET"))
    for name, value in {"Content-Type": "application/json", **(headers or {})}.items():
        if value is not None:
            request.add_header(name, value)
    try:
        with urllib.request.urlopen(request) as reply:
            return reply.status, reply.read(), reply.headers
    except urllib.error.HTTPError as error:
        return error.code, error.read(), error.headers


def expect(name, got, wanted):
    if got != wanted:
        FAILURES.append("%s: got %r, wanted %r" % (name, got, wanted))


def control(query):
    call("/_control?" + query)


def main():
    control("mode=normal")
    libre = {"q": ["Hello\nWorld", "Bye"], "source": "en", "target": "id", "format": "text", "api_key": TEST_KEY}
    status, body, _ = call("/translate", libre)
    expect("libretranslate", (status, json.loads(body)), (200, {"translatedText": ["HELLO\nWORLD", "BYE"]}))
    expect("libretranslate other key", call("/translate", {**libre, "api_key": "other"})[0], 403)
    expect("libretranslate no target", json.loads(call("/translate", {"q": ["x"], "source": "en"})[1]),
           {"error": "Invalid request: missing target parameter"})
    expect("libretranslate not json", call("/translate", b"q=x&source=en", {"Content-Type": "text/plain"})[0], 400)

    deepl = {"text": ["Hallo", "Welt"], "target_lang": "EN-US"}
    auth = {"Authorization": "DeepL-Auth-Key " + TEST_KEY}
    status, body, _ = call("/v2/translate", deepl, auth)
    expect("deepl", (status, [t["text"] for t in json.loads(body)["translations"]]), (200, ["HALLO", "WELT"]))
    expect("deepl other key", call("/v2/translate", deepl, {"Authorization": "DeepL-Auth-Key x"})[0], 403)
    expect("deepl no key", call("/v2/translate", deepl)[0], 403)
    expect("deepl EN as target", call("/v2/translate", {**deepl, "target_lang": "EN"}, auth)[0], 200)
    expect("deepl unknown target", call("/v2/translate", {**deepl, "target_lang": "XX"}, auth)[0], 400)
    expect("deepl GET", call("/v2/translate", method="GET")[0], 405)

    chat = {"model": TEST_MODEL, "stream": False, "messages": [
        {"role": "system", "content": "Translate."}, {"role": "user", "content": "before"},
        {"role": "user", "content": "[1]\nHello\nWorld\n[2]\nBye\n[3]\nEnd\n"}]}
    bearer = {"Authorization": "Bearer " + TEST_KEY}
    status, body, _ = call("/v1/chat/completions", chat, bearer)
    content = json.loads(body)["choices"][0]["message"]["content"]
    expect("openai", (status, content), (200, "[1]\nHELLO\nWORLD\n[2]\nBYE\n[3]\nEND"))
    expect("openai without key", call("/chat/completions", chat)[0], 200)
    expect("openai other key", call("/chat/completions", chat, {"Authorization": "Bearer sk-x"})[0], 401)
    expect("openai unknown model", call("/chat/completions", {**chat, "model": "llama9"})[0], 404)
    expect("openai stream", call("/chat/completions", {**chat, "stream": True})[0], 400)
    for mode, wanted in (("merge", "[1]\nHELLO WORLD BYE\n[2]\nEND"), ("wrongcount", "[1]\nHELLO\nWORLD\n[2]\nBYE")):
        control("mode=" + mode)
        expect("openai " + mode, json.loads(call("/chat/completions", chat)[1])["choices"][0]["message"]["content"],
               wanted)

    control("mode=normal")
    status, body, _ = call("/translate_a/single?client=gtx&sl=en&tl=id&dt=t&q=Hello%0AWorld")
    expect("google-api", (status, [s[0] for s in json.loads(body)[0]]), (200, ["HELLO\n", "WORLD"]))
    expect("google-api without dt", call("/translate_a/single?client=gtx&sl=en&tl=id&q=x")[0], 400)

    control("mode=quota")
    expect("deepl quota", call("/v2/translate", deepl, auth)[0], 456)
    expect("openai quota", json.loads(call("/chat/completions", chat)[1])["error"]["code"], "insufficient_quota")
    control("mode=status&status=429&retry_after=3")
    status, body, headers = call("/translate", libre)
    expect("status mode", (status, headers.get("Retry-After"), "error" in json.loads(body)), (429, "3", True))
    for mode, origin in (("redirect", BASE), ("crossredirect", "http://localhost:" + BASE.rsplit(":", 1)[1])):
        control("mode=" + mode)
        status, _, headers = call("/v2/translate", deepl, auth)
        expect(mode, (status, headers.get("Location")), (307, origin + "/r/v2/translate"))
        expect(mode + " target", call("/r/v2/translate", deepl, auth)[0], 200)
    control("mode=malformed")
    status, body, _ = call("/v2/translate", deepl, auth)
    try:
        json.loads(body)
        FAILURES.append("malformed: the body was JSON")
    except ValueError:
        pass
    records = json.loads(call("/_requests")[1])["requests"]
    expect("records", {(r.get("service"), r.get("method")) for r in records} >= {
        ("libretranslate", "POST"), ("deepl", "POST"), ("openai", "POST"), ("google-api", "GET")}, True)
    call("/_reset")
    for failure in FAILURES:
        print(failure, file=sys.stderr)
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
