#!/bin/sh
# Every command and option that PROGRAM --help names has its place in the manual page, read from
# the help at test time so that a new command cannot go unwritten; every command the manual's
# SYNOPSIS names still exists.
# Usage: check_manual.sh PROGRAM MANUAL
set -eu
program=$1 manual=$2
name=$(basename "$program")
fail=0
complain() { echo "FAIL: $(basename "$manual"): $*" >&2; fail=1; }

help=$("$program" --help)
# The manual as text: roff's \- as -, font changes and quotes gone.
text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\&//g' -e 's/"//g' "$manual")
synopsis=$(echo "$text" | sed -n '/^\.SH SYNOPSIS/,/^\.SH /p')
# The first word of each tag of a .TP list: the entries of DESCRIPTION, OPTIONS and FILES.
tags=$(echo "$text" | awk 'tagged { sub(/^\.[A-Z]+ */, ""); split($0, w, " "); print w[1] } { tagged = ($0 ~ /^\.TP/) }')

commands=$(echo "$help" | sed -n "s/^  *$name \([a-z][a-z-]*\).*/\1/p" | sort -u)
for command in $commands; do
    echo "$synopsis" | grep -Eq "^\.[A-Z]+ $name $command( |$)" ||
        complain "SYNOPSIS lacks \"$name $command\""
    echo "$tags" | grep -qxF "$command" || complain "no entry (.TP) for the command $command"
done
for option in $(echo "$help" | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u); do
    echo "$text" | grep -Eq -- "(^|[^a-z-])$option([^a-z0-9-]|$)" || complain "never names $option"
done
for command in $(echo "$synopsis" | sed -n "s/^\.[A-Z]* $name \([a-z][a-z-]*\).*/\1/p" | sort -u); do
    echo "$commands" | grep -qxF "$command" ||
        complain "SYNOPSIS names \"$name $command\", which $name --help does not know"
done
[ $fail -eq 0 ] || exit 1
echo "$(basename "$manual"): $(echo "$commands" | grep -c . || true) commands and every option of $name --help"
