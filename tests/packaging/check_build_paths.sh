#!/bin/sh
# No program the build makes names the folder it was built in or the clone it came from, debug
# information aside: two clones in two folders must build the same bytes.
# Usage: check_build_paths.sh SOURCE_DIR BUILD_DIR BINARY...
set -eu
source_dir=$1 build_dir=$2
shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail=0
for binary in "$@"; do
    stripped=$scratch/$(basename "$binary")
    strip --strip-all -o "$stripped" "$binary"
    # Qt's string literals are UTF-16.
    { strings -a "$stripped"; strings -a -e l "$stripped"; } >"$stripped.text"
    for dir in "$build_dir" "$source_dir"; do
        if grep -qF "$dir" "$stripped.text"; then
            echo "FAIL: $(basename "$binary") holds $dir: $(grep -F "$dir" "$stripped.text" | head -3)" >&2
            fail=1
            break
        fi
    done
done
[ $fail -eq 0 ] && echo "$# programs name neither $source_dir nor $build_dir"
