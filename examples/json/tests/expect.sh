#!/usr/bin/env bash
# Usage: expect.sh PROGRAM EXPECTED
# EXPECTED holds blocks, each a line "$ ARGUMENTS" followed by what PROGRAM
# ARGUMENTS prints (standard output and error together) and a line "[exit N]".
# Runs every block's command in EXPECTED's folder (ARGUMENTS may redirect,
# as in a shell) and fails, showing the differences, unless the output is
# EXPECTED byte for byte.
set -u
program=$1
expected=$2
cd "$(dirname "$expected")" || exit 1
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
while IFS= read -r line; do
    [[ $line == '$ '* ]] || continue
    {
        printf '%s\n' "$line"
        eval "\"\$program\" ${line#\$ }" 2>&1
        printf '[exit %d]\n' $?
    } >>"$actual"
done <"$expected"
diff -u "$expected" "$actual"
