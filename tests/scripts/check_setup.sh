#!/usr/bin/env bash
# install-deps without root and run without a display must say what to do and exit non-zero at
# once; install-deps may use sudo only when it needs no password.
set -euo pipefail
src=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Stand-ins: a user who is not root, and no package installed.
stubs=$dir/bin
mkdir -p "$stubs"
printf '#!/bin/sh\necho 1000\n' >"$stubs/id"
printf '#!/bin/sh\nexit 1\n' >"$stubs/dpkg-query"
printf '#!/bin/sh\necho "apt-get $*" >>"%s/calls"\n' "$dir" >"$stubs/apt-get"
chmod +x "$stubs"/*

# sudo_behaviour: "absent", "refuses" (asks for a password) or "allows".
run_install_deps() {
    rm -f "$stubs/sudo" "$dir/calls"
    case $1 in
        refuses) printf '#!/bin/sh\nexit 1\n' >"$stubs/sudo" ;;
        allows) printf '#!/bin/sh\necho "sudo $*" >>"%s/calls"\n[ "$1" = -n ] || exit 1\nshift\n[ "$1" = true ] || exec "$@"\n' "$dir" >"$stubs/sudo" ;;
    esac
    [ -f "$stubs/sudo" ] && chmod +x "$stubs/sudo"
    status=0
    # Without /usr/sbin and /sbin, where no sudo lives, a real sudo cannot be found.
    PATH="$stubs:/usr/bin:/bin" "$src/scripts/install-deps" >"$dir/out" 2>"$dir/err" || status=$?
}

for sudo in absent refuses; do
    if [ $sudo = absent ] && { [ -x /usr/bin/sudo ] || [ -x /bin/sudo ]; }; then
        continue  # a real sudo on the PATH: the stand-in for "refuses" covers this machine
    fi
    run_install_deps $sudo
    [ "$status" -ne 0 ] || fail "install-deps with sudo $sudo: status 0"
    grep -q 'not found' "$dir/err" && fail "install-deps with sudo $sudo: $(cat "$dir/err")"
    grep -q '^  apt-get update && apt-get install --no-install-recommends .*qt6-base-dev' "$dir/err" ||
        fail "install-deps with sudo $sudo does not give the apt-get line: $(cat "$dir/err")"
    [ ! -e "$dir/calls" ] || fail "install-deps with sudo $sudo ran: $(cat "$dir/calls")"
done

run_install_deps allows
[ "$status" -eq 0 ] || fail "install-deps with sudo allowed: status $status: $(cat "$dir/err")"
grep -q '^sudo -n env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends .*libsqlite3-dev' \
    "$dir/calls" || fail "install-deps did not install through sudo -n: $(cat "$dir/calls")"
grep -q '^apt-get install ' "$dir/calls" || fail "sudo did not reach apt-get: $(cat "$dir/calls")"

# run installs first, so that the xvfb-run it names exists, then stops before building (a build
# would print and take minutes). A sudo that asks for a password stands in for this machine's.
run_without_display() {
    rm -f "$dir/calls"
    printf '#!/bin/sh\nexit 1\n' >"$stubs/sudo"
    chmod +x "$stubs/sudo"
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$stubs:/usr/bin:/bin" \
        "$src/scripts/run" >"$dir/out" 2>"$dir/err" || status=$?
    [ "$status" -ne 0 ] || fail "run without a display: status 0"
    [ ! -s "$dir/out" ] && [ ! -e "$dir/calls" ] || fail "run without a display went on"
}

printf '#!/bin/sh\necho "install ok installed"\n' >"$stubs/dpkg-query"
run_without_display
[ "$(wc -l <"$dir/err")" -eq 1 ] && grep -q 'no display.*xvfb-run' "$dir/err" ||
    fail "run without a display says: $(cat "$dir/err")"

# Packages missing: the install's advice, and no word of an xvfb-run that is not there yet.
printf '#!/bin/sh\nexit 1\n' >"$stubs/dpkg-query"
run_without_display
grep -q '^  apt-get update && apt-get install --no-install-recommends .*xvfb' "$dir/err" &&
    ! grep -q 'xvfb-run' "$dir/err" ||
    fail "run without a display or packages says: $(cat "$dir/err")"
echo "install-deps and run explain themselves"
