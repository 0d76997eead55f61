#!/bin/sh
# The end of each failed test's output in the given build trees, so that a
# long log's last screen says what failed and where.
for tree in "$@"; do
    failed="$tree/Testing/Temporary/LastTestsFailed.log"
    log="$tree/Testing/Temporary/LastTest.log"
    [ -s "$failed" ] && [ -f "$log" ] || continue
    cut -d: -f2- "$failed" | while read -r name; do
        echo "==== $name (last lines)"
        awk -v name="$name" '
            $0 ~ "^[0-9]+/[0-9]+ Test: " && substr($0, index($0, "Test: ") + 6) == name { mine = 1; next }
            mine && /^Output:/ { getline; taking = 1; next }
            taking && /^<end of output>/ { exit }
            taking { print }
        ' "$log" | tail -n 30
    done
done
