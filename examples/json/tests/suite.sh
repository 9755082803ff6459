#!/usr/bin/env bash
# Usage: suite.sh PROGRAM DIRECTORY
# Runs PROGRAM on every JSONTestSuite parsing case in DIRECTORY: each y_ case
# must be accepted and each n_ case rejected; each i_ case may go either way,
# but like every case it must end in a verdict: exit 0 with nothing on the
# standard error stream, or exit 1 with one error line "file:line:column:
# message" (a crash, a hang or a sanitizer report is none). Every accepted
# document's pretty output, read again, must print the same. Prints the
# counts; exits 77 (skipped) when DIRECTORY does not exist.
set -u
program=$1
dir=$2
if [ ! -d "$dir" ]; then
    echo "no test suite at $dir: skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
declare -A count=()
failures=0
fail() {
    echo "FAIL $1: $2"
    failures=$((failures + 1))
}
for file in "$dir"/*.json; do
    name=$(basename "$file")
    kind=${name%%_*}
    timeout 60 "$program" --pretty "$file" >"$work/pretty1" 2>"$work/err"
    status=$?
    lines=$(wc -l <"$work/err")
    if [ "$status" -eq 0 ] && [ -s "$work/err" ]; then
        fail "$name" "accepted with messages: $(head -c 500 "$work/err")"
    elif [ "$status" -eq 1 ] && { [ "$lines" -ne 1 ] || ! grep -qE '^.+:[0-9]+:[0-9]+: .+$' "$work/err"; }; then
        fail "$name" "rejected without one error line: $(head -c 500 "$work/err")"
    elif [ "$status" -gt 1 ]; then
        fail "$name" "no verdict (exit $status): $(head -c 500 "$work/err")"
    elif [ "$kind" = y ] && [ "$status" -ne 0 ]; then
        fail "$name" "rejected: $(cat "$work/err")"
    elif [ "$kind" = n ] && [ "$status" -ne 1 ]; then
        fail "$name" "accepted"
    fi
    if [ "$status" -eq 0 ]; then
        count[$kind-accepted]=$((${count[$kind-accepted]:-0} + 1))
        "$program" --pretty - <"$work/pretty1" >"$work/pretty2" 2>&1
        cmp -s "$work/pretty1" "$work/pretty2" || fail "$name" "pretty output read again differs"
    else
        count[$kind-rejected]=$((${count[$kind-rejected]:-0} + 1))
    fi
done
for kind in y n i; do
    echo "$kind: ${count[$kind-accepted]:-0} accepted, ${count[$kind-rejected]:-0} rejected"
done
echo "$failures failures"
[ "$failures" -eq 0 ]
