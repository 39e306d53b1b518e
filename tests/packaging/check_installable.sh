#!/bin/sh
# Every file that the install rules copy out of the build tree is built by the target
# zelkon_installable, so that `cmake --install` and cpack work after scripts/run built only that.
# Usage: check_installable.sh NINJA BUILD_DIR
set -eu
ninja=$1 build=$2
# Every file on the way to the target, as the build graph names it.
needed=$("$ninja" -C "$build" -t graph zelkon_installable | sed -n 's/.*\[label="\([^"]*\)".*/\1/p')
checked=0 fail=0
for file in $(find "$build" -name cmake_install.cmake -exec grep -ho "\"$build/[^\"]*\"" {} + |
              tr -d '"' | sort -u); do
    relative=${file#"$build"/}
    # Files that configuring writes (the metainfo, the install scripts) need no build.
    "$ninja" -C "$build" -t query "$relative" 2>/dev/null | grep -q '^  input:' || continue
    checked=$((checked + 1))
    echo "$needed" | grep -qxF "$relative" ||
        { echo "FAIL: $relative is installed but zelkon_installable does not build it" >&2; fail=1; }
done
[ "$checked" -gt 0 ] || { echo "FAIL: no built file among the install rules of $build" >&2; exit 1; }
[ $fail -eq 0 ] && echo "zelkon_installable builds all $checked built files that the install copies"
