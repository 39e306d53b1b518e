#!/bin/sh
# The fixed-format lines of table and deal, over the whole output.
set -eu
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
tab=$(printf '\t')
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cli" table >"$dir/table"
[ "$(wc -l <"$dir/table")" -eq 93600 ] || fail "table has $(wc -l <"$dir/table") lines, not 93600"
[ "$(head -n 1 "$dir/table")" = "1111222233334${tab}45${tab}10000001000,00000000000" ] ||
    fail "first line: $(head -n 1 "$dir/table")"
[ "$(tail -n 1 "$dir/table")" = "6777788889999${tab}56${tab}00000000000,10000001000" ] ||
    fail "last line: $(tail -n 1 "$dir/table")"
grep -qxF "1111234567888${tab}34679${tab}00000000000,00000000000,00000000000,00000000000,00001000000" \
    "$dir/table" || fail "table lacks the line of 1111234567888"
LC_ALL=C sort -c "$dir/table" || fail "table is not ascending"
[ "$(cut -f 1 "$dir/table" | uniq -d | wc -l)" -eq 0 ] || fail "table repeats a hand"

# $2 is the field of the waits. Each wait has one flag string; digits ascend; no number five times.
check_fields() {
    awk -F '\t' -v at="$2" '
        function ascending(s,   i) {
            for (i = 2; i <= length(s); ++i) if (substr(s, i - 1, 1) > substr(s, i, 1)) return 0
            return 1
        }
        {
            hand = $1; waits = $at; flags = $(at + 1)
            if (NF != at + 1 || length(hand) != 13 || hand !~ /^[1-9]+$/ || waits !~ /^[1-9]*$/) {
                print "format: " $0; exit 1
            }
            if (!ascending(hand) || !ascending(waits)) { print "order: " $0; exit 1 }
            count = flags == "" ? 0 : split(flags, parts, ",")
            if (count != length(waits)) { print "count: " $0; exit 1 }
            for (i = 1; i <= count; ++i) {
                if (length(parts[i]) != 11 || parts[i] !~ /^[01]+$/) { print "flags: " $0; exit 1 }
            }
            for (n = 1; n <= 9; ++n) if (gsub(n, n, hand) > 4) { print "fifth copy: " $0; exit 1 }
        }' "$1" || fail "bad line in $1"
}
check_fields "$dir/table" 2

"$cli" deal --seed 7 --count 500 >"$dir/deal"
[ "$(wc -l <"$dir/deal")" -eq 500 ] || fail "deal --count 500 printed $(wc -l <"$dir/deal") lines"
check_fields "$dir/deal" 3
# The display order holds the same tiles, and every dealt hand has a wait.
awk -F '\t' '{
    a = $2; b = ""
    for (n = 1; n <= 9; ++n) { c = gsub(n, n, a); while (c-- > 0) b = b n }
    if (b != $1 || $3 == "") { print "deal: " $0; exit 1 }
}' "$dir/deal" || fail "deal line is not a permutation with a wait"

# Nothing is drawn between deals, so a shorter run is a prefix of a longer one.
"$cli" deal --seed 7 --count 3 >"$dir/deal3"
head -n 3 "$dir/deal" | cmp -s - "$dir/deal3" || fail "deal --count 3 is not the start of --count 500"

# A band keeps every line's wait count inside it; 1-9 is plain dealing, byte for byte.
for band in 1-2 3-4 5-9 6-7; do
    "$cli" deal --seed 11 --count 200 --waits "$band" >"$dir/band"
    [ "$(wc -l <"$dir/band")" -eq 200 ] || fail "deal --waits $band printed $(wc -l <"$dir/band") lines"
    check_fields "$dir/band" 3
    awk -F '\t' -v low="${band%-*}" -v high="${band#*-}" '
        length($3) < low + 0 || length($3) > high + 0 { print "band: " $0; exit 1 }' "$dir/band" ||
        fail "deal --waits $band printed a line outside the band"
done
"$cli" deal --seed 7 --count 500 --waits 1-9 | cmp -s - "$dir/deal" ||
    fail "deal --waits 1-9 differs from plain dealing"

# Short tables: every hand of the size once, ascending; 13 is the table above.
for size in 4:495 7:6030 10:32211; do
    tiles=${size%:*}
    "$cli" table --tiles "$tiles" >"$dir/short"
    [ "$(wc -l <"$dir/short")" -eq "${size#*:}" ] || fail "table --tiles $tiles has $(wc -l <"$dir/short") lines"
    LC_ALL=C sort -c -u "$dir/short" || fail "table --tiles $tiles is not ascending and distinct"
    awk -F '\t' -v n="$tiles" 'NF != 2 || length($1) != n || $2 !~ /^[1-9]*$/ { print; exit 1 }' \
        "$dir/short" >/dev/null || fail "bad line in table --tiles $tiles"
done
"$cli" table --tiles 13 | cmp -s - "$dir/table" || fail "table --tiles 13 differs from table"

# Every family deal at every size it allows has the size and a wait; the worksheet is the seed's.
for family in $("$cli" families | cut -f 1); do
    for tiles in 4 7 10 13; do
        "$cli" deal --tiles "$tiles" --family "$family" --seed 5 --count 30 >"$dir/family" 2>/dev/null || continue
        awk -F '\t' -v n="$tiles" 'length($1) != n || $NF == "" && n < 13 || n == 13 && $3 == "" { print; exit 1 }' \
            "$dir/family" >/dev/null || fail "deal --tiles $tiles --family $family: bad line"
        [ "$(wc -l <"$dir/family")" -eq 30 ] || fail "deal --family $family printed too few lines"
    done
done

if [ -w /dev/full ]; then
    status=0
    "$cli" table >/dev/full 2>"$dir/err" || status=$?
    [ "$status" -eq 1 ] || fail "a failed write gives status $status"
    grep -q "cannot write" "$dir/err" || fail "a failed write is not reported"
    # The first failed write ends the run, however many problems were asked for.
    status=0
    timeout 60 "$cli" deal --seed 1 --count 2147483647 >/dev/full 2>/dev/null || status=$?
    [ "$status" -eq 1 ] || fail "deal into a full disk gives status $status (124: still running)"
fi
echo "table, deal and band lines are well formed"
