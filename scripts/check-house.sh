#!/usr/bin/env bash
# Keeps the house in order: fails when a file of a lower folder includes a
# header of a higher one, or when a program file grows past 700 lines.
# Layers, lowest first: core < codec < channels, features < link
# < safewrite, fleet, exchange, compare, history < app, cli, tools.
# Folders of one layer may use each other; a lower layer reaches a higher one
# only through a registration list or a hook set up from above.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

rank() {
    case "$1" in
        core) echo 0 ;;
        codec) echo 1 ;;
        channels | features) echo 2 ;;
        link) echo 3 ;;
        safewrite | fleet | exchange | compare | history) echo 4 ;;
        app | cli | tools) echo 5 ;;
        *) echo "" ;;
    esac
}

folders=(core codec channels features link safewrite fleet exchange compare history app cli tools)
status=0
for folder in "${folders[@]}"; do
    own=$(rank "$folder")
    while IFS= read -r line; do
        file=${line%%:*}
        rest=${line#*:}
        target=$(sed -E 's/^[^"]*"([^/"]+)\/.*$/\1/' <<<"$rest")
        other=$(rank "$target")
        [ -n "$other" ] || continue
        if [ "$other" -gt "$own" ]; then
            echo "layering: $file includes $target/ (${rest#*#include })" >&2
            status=1
        fi
    done < <(grep -rH --include='*.h' --include='*.cpp' -E '^\s*#\s*include\s+"[^/"]+/' "$folder")
done
[ "$status" -eq 0 ] && echo "layering: every folder includes only its own and lower layers"

# A file a reader can hold in mind: split a longer one along its seams.
limit=700
while IFS= read -r file; do
    lines=$(wc -l <"$file")
    if [ "$lines" -gt "$limit" ]; then
        echo "size: $file has $lines lines (at most $limit)" >&2
        status=1
    fi
done < <(find "${folders[@]}" fuzz tests -name '*.cpp' -o -name '*.h' | sort)
exit "$status"
