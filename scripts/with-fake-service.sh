#!/bin/sh
# Runs a command with the fake translation service listening on a free
# loopback port, given to the command as TARVEX_FAKE_SERVICE=127.0.0.1:PORT.
# Usage: scripts/with-fake-service.sh COMMAND [ARGS...]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
portfile=$(mktemp)
rm -f "$portfile"
python3 "$root/tests/fake_service/fake_service.py" --port-file "$portfile" &
service=$!
trap 'kill $service 2>/dev/null; rm -f "$portfile"' EXIT INT TERM
i=0
while [ ! -s "$portfile" ]; do
  i=$((i + 1))
  if [ $i -gt 100 ]; then echo "with-fake-service: the service did not start" >&2; exit 1; fi
  sleep 0.05
done
TARVEX_FAKE_SERVICE="127.0.0.1:$(cat "$portfile")"
export TARVEX_FAKE_SERVICE
status=0
"$@" || status=$?
exit $status
