#!/bin/sh
# stats reads and writes nothing: an empty file stays empty, a fault is one line of bounded size.
set -eu
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

: >"$dir/empty.sqlite3"
"$cli" stats --records "$dir/empty.sqlite3" >"$dir/out" || fail "stats of an empty file failed"
[ ! -s "$dir/empty.sqlite3" ] || fail "stats wrote $(wc -c <"$dir/empty.sqlite3") bytes into an empty file"
grep -q '^problems: 0 ' "$dir/out" || fail "an empty file does not read as no answers"
[ "$(ls "$dir" | wc -l)" -eq 2 ] || fail "stats left files beside: $(ls "$dir")"

long=$(head -c 100000 /dev/zero | tr '\0' 'a')
status=0
"$cli" stats --records "$dir/$long" >"$dir/out" 2>"$dir/err" || status=$?
[ "$status" -eq 1 ] || fail "a too long path gives status $status"
[ "$(wc -l <"$dir/err")" -eq 1 ] || fail "not one line on stderr"
[ "$(wc -c <"$dir/err")" -le 600 ] || fail "a $(wc -c <"$dir/err")-byte line on stderr"
grep -q 'too long' "$dir/err" || fail "the reason is cut off: $(cat "$dir/err")"
