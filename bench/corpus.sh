#!/usr/bin/env bash
# Writes the benchmark corpus to the file named by $1 (default: corpus.h beside
# this script): every regular *.h file under /usr/include (symlinks left out),
# in C-locale order, concatenated, cut to its first 40 MiB and then back to the
# end of its last complete line.
set -eu
out=${1:-"$(dirname "$0")/corpus.h"}
export LC_ALL=C
# head closes the pipe after 40 MiB, so cat ends on SIGPIPE: not an error here.
find /usr/include -type f -name '*.h' -print0 | sort -z | xargs -0 cat -- 2>/dev/null \
    | head -c $((40 * 1024 * 1024)) > "$out" || true
if [ "$(tail -c 1 "$out" | od -An -tx1 | tr -d ' \n')" != "0a" ]; then
    partial=$(tail -n 1 "$out" | wc -c)
    truncate -s -"$partial" "$out"
fi
echo "$out: $(stat -c %s "$out") bytes, $(wc -l < "$out") lines"
