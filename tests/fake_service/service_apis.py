"""The four translation APIs of the fake service, each written from its
public documentation: LibreTranslate (POST /translate), DeepL (POST
/v2/translate), OpenAI's chat completions (POST /chat/completions, also
under /v1) and Google's gtx endpoint (GET /translate_a/single).

Each checks method, path, headers and body strictly and answers a fault the
way the real service does (its own error shape and status). The
"translation" is the text with its ASCII letters in upper case, so outputs
are predictable. Keys: only TEST_KEY is accepted; any other is refused as
the service refuses it. OpenAI knows only TEST_MODEL.

Modes set through /_control that these APIs follow besides the shared ones
(status, flaky, delay, drop and the hostile ones):
  malformed   200 with a body that is not JSON (cut off)
  wrongcount  one translation fewer than texts sent (openai: one block fewer)
  merge       openai: blocks 1 and 2 answered as one, the rest renumbered
  think       openai: a <think>...</think> section before the answer
  quota       deepl: 456; openai: 429 insufficient_quota; libretranslate: 403
"""

import json
import re
import time
import urllib.parse

TEST_KEY = "tarvex-test-key"
TEST_MODEL = "tarvex-test-model"

DEEPL_SOURCES = {"AR", "BG", "CS", "DA", "DE", "EL", "EN", "ES", "ET", "FI", "FR", "HU", "ID", "IT", "JA", "KO",
                 "LT", "LV", "NB", "NL", "PL", "PT", "RO", "RU", "SK", "SL", "SV", "TR", "UK", "ZH"}
# Plain EN, PT and ZH still pass as targets, kept for older clients.
DEEPL_TARGETS = DEEPL_SOURCES | {"EN-GB", "EN-US", "PT-BR", "PT-PT", "ZH-HANS", "ZH-HANT"}
LIBRE_KEYS = {"q", "source", "target", "format", "api_key", "alternatives"}
OPENAI_KEYS = {"model", "messages", "stream", "temperature", "top_p", "max_tokens", "seed", "stop"}
OPENAI_ROLES = {"system", "user", "assistant"}
NUMBER_LINE = re.compile(r"^\s*\[(\d+)\]\s*(.*)$")


class Refusal(Exception):
    """A request the real service would refuse: status, body."""

    def __init__(self, status, body, reason=None):
        super().__init__(status)
        self.status, self.body, self.reason = status, body, reason


def upper(text: str) -> str:
    return "".join(c.upper() if "a" <= c <= "z" else c for c in text)


def dumps(value) -> bytes:
    return json.dumps(value, ensure_ascii=False).encode("utf-8")


def header(headers, name):
    """The one value of a header; None when absent."""
    values = headers.get_all(name) or []
    return values[0] if len(values) == 1 else (None if not values else "<repeated>")


def json_body(handler, body: bytes, error):
    if (header(handler.headers, "Content-Type") or "").split(";")[0].strip().lower() != "application/json":
        raise error("Content-Type must be application/json")
    try:
        value = json.loads(body.decode("utf-8"))
    except (UnicodeDecodeError, ValueError):
        raise error("the body is not JSON")
    if not isinstance(value, dict):
        raise error("the body is not a JSON object")
    return value


# --- LibreTranslate ---------------------------------------------------------

def libre_error(message, status=400):
    return Refusal(status, dumps({"error": message}))


def libretranslate(handler, body, mode):
    request = json_body(handler, body, libre_error)
    unknown = set(request) - LIBRE_KEYS
    if unknown:
        raise libre_error("Invalid request: unknown parameter %s" % sorted(unknown)[0])
    q = request.get("q")
    texts = q if isinstance(q, list) else [q]
    if q is None or not texts or not all(isinstance(t, str) for t in texts):
        raise libre_error("Invalid request: missing q parameter")
    for name in ("source", "target"):
        if not isinstance(request.get(name), str) or not request[name]:
            raise libre_error("Invalid request: missing %s parameter" % name)
    if request.get("format", "text") not in ("text", "html"):
        raise libre_error("Invalid request: format must be text or html")
    if "api_key" in request and request["api_key"] != TEST_KEY:
        raise libre_error("Invalid API key", 403)
    if mode == "quota":
        raise libre_error("Too many request limits violations", 403)
    translated = [upper(t) for t in texts]
    if mode == "wrongcount":
        translated = translated[:-1]
    answer = {"translatedText": translated if isinstance(q, list) else translated[0]}
    if request["source"] == "auto":
        detected = {"confidence": 90.0, "language": "en"}
        answer["detectedLanguage"] = [detected] * len(translated) if isinstance(q, list) else detected
    return answer


# --- DeepL ------------------------------------------------------------------

def deepl_error(message, status=400):
    return Refusal(status, dumps({"message": message}))


def deepl(handler, body, mode):
    # The key is checked first: DeepL answers 403 before it reads the body.
    if header(handler.headers, "Authorization") != "DeepL-Auth-Key " + TEST_KEY:
        raise Refusal(403, b"", "Forbidden")
    request = json_body(handler, body, deepl_error)
    texts = request.get("text")
    if not isinstance(texts, list) or not texts or not all(isinstance(t, str) for t in texts):
        raise deepl_error("Parameter 'text' not specified.")
    if len(texts) > 50:
        raise Refusal(413, b"", "Payload Too Large")
    if request.get("target_lang") not in DEEPL_TARGETS:
        raise deepl_error("Value for 'target_lang' not supported.")
    if "source_lang" in request and request["source_lang"] not in DEEPL_SOURCES:
        raise deepl_error("Value for 'source_lang' not supported.")
    if mode == "quota":
        raise Refusal(456, dumps({"message": "Quota Exceeded"}), "Quota Exceeded")
    source = request.get("source_lang", "EN")
    translations = [{"detected_source_language": source, "text": upper(t)} for t in texts]
    if mode == "wrongcount":
        translations = translations[:-1]
    return {"translations": translations}


# --- OpenAI chat completions ------------------------------------------------

def openai_error(message, status=400, kind="invalid_request_error", code=None):
    return Refusal(status, dumps({"error": {"message": message, "type": kind, "param": None, "code": code}}))


def numbered_blocks(text):
    """The blocks of the numbered layout: [(number, [lines])]."""
    blocks = []
    for line in text.split("\n"):
        match = NUMBER_LINE.match(line)
        if match:
            blocks.append((int(match.group(1)), [match.group(2)] if match.group(2) else []))
        elif blocks and line.strip():
            blocks[-1][1].append(line)
    return blocks


def numbered_text(blocks):
    return "\n".join("[%d]\n%s" % (index + 1, "\n".join(lines)) for index, lines in enumerate(blocks))


def openai(handler, body, mode):
    authorization = header(handler.headers, "Authorization")
    if authorization is not None and authorization != "Bearer " + TEST_KEY:
        raise openai_error("Incorrect API key provided.", 401, code="invalid_api_key")
    request = json_body(handler, body, openai_error)
    unknown = set(request) - OPENAI_KEYS
    if unknown:
        raise openai_error("Unrecognized request argument supplied: %s" % sorted(unknown)[0])
    if request.get("stream", False) is not False:
        raise openai_error("this fake answers whole replies only: stream must be false")
    messages = request.get("messages")
    if not isinstance(messages, list) or not messages or not all(
            isinstance(m, dict) and m.get("role") in OPENAI_ROLES and isinstance(m.get("content"), str)
            and set(m) == {"role", "content"} for m in messages):
        raise openai_error("'messages' must be a list of {role, content}")
    if not isinstance(request.get("model"), str):
        raise openai_error("you must provide a model parameter")
    if request["model"] != TEST_MODEL:
        raise openai_error('model "%s" not found, try pulling it first' % request["model"], 404, "api_error")
    if mode == "quota":
        raise openai_error("You exceeded your current quota, please check your plan and billing details.", 429,
                           "insufficient_quota", "insufficient_quota")
    if messages[-1]["role"] != "user":
        raise openai_error("the last message must be the user's")
    blocks = numbered_blocks(messages[-1]["content"])
    if not blocks or [number for number, _ in blocks] != list(range(1, len(blocks) + 1)):
        raise openai_error("the last message is not in the numbered layout")
    answer = [[upper(line) for line in lines] for _, lines in blocks]
    if mode == "merge" and len(answer) > 1:
        answer = [answer[0] + answer[1]] + answer[2:]
        answer[0] = [" ".join(answer[0])]
    elif mode == "wrongcount":
        answer = answer[:-1]
    content = numbered_text(answer)
    if mode == "think":
        content = "<think>\nThe user wants [1] translated; [2] too.\n</think>\n\n" + content
    return {
        "id": "chatcmpl-fake",
        "object": "chat.completion",
        "created": int(time.time()),
        "model": request["model"],
        "choices": [{"index": 0, "message": {"role": "assistant", "content": content}, "logprobs": None,
                     "finish_reason": "stop"}],
        "usage": {"prompt_tokens": 1, "completion_tokens": 1, "total_tokens": 2},
    }


# --- Google's gtx endpoint --------------------------------------------------

def google_api(query):
    fields = urllib.parse.parse_qs(query, keep_blank_values=True)
    for name in ("client", "sl", "tl", "dt", "q"):
        if len(fields.get(name, [])) != 1:
            raise Refusal(400, b"<html>Error 400 (Bad Request)</html>", "Bad Request")
    if fields["client"][0] != "gtx" or fields["dt"][0] != "t":
        raise Refusal(400, b"<html>Error 400 (Bad Request)</html>", "Bad Request")
    lines = fields["q"][0].split("\n")
    segments = []
    for index, line in enumerate(lines):
        brk = "\n" if index + 1 < len(lines) else ""
        segments.append([upper(line) + brk, line + brk, None, None, 10])
    return [segments, None, fields["sl"][0] if fields["sl"][0] != "auto" else "en", None, None, None, 1, [],
            [["en"], None, [1], ["en"]]]


POST_APIS = {
    "/translate": ("libretranslate", libretranslate, libre_error),
    "/v2/translate": ("deepl", deepl, deepl_error),
    "/chat/completions": ("openai", openai, openai_error),
    "/v1/chat/completions": ("openai", openai, openai_error),
}


def post_api(path):
    """(service, answer, error) for a POST path, also under /r/ (where the
    redirect modes send a request); None for any other path."""
    return POST_APIS.get(path[2:] if path.startswith("/r/") else path)


def status_body(service, status):
    """A refusal by status (the status and flaky modes) in the service's shape."""
    message = "fake refusal %d" % status
    if service == "libretranslate":
        return dumps({"error": message})
    if service == "deepl":
        return dumps({"message": message})
    if service == "openai":
        return dumps({"error": {"message": message, "type": "api_error", "param": None, "code": None}})
    return b"<html>refused</html>"


def malformed(service):
    return {"libretranslate": b'{"translatedText": ["CUT',
            "deepl": b'{"translations": [{"text": "CUT',
            "openai": b'{"choices": [{"message": {"content": "[1]',
            "google-api": b'[[["CUT'}[service]
