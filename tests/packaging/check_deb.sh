#!/bin/sh
# Makes the package with cpack, then checks its fields, its files and its metainfo.
# Usage: check_deb.sh CPACK_CONFIG OUT_DIR VERSION APPSTREAM_ID [HOMEPAGE]
set -eu
config=$1 out=$2 version=$3 id=$4 homepage=${5:-}
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
cpack --config "$config" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$out"/zelkon_*.deb)
[ "$(basename "$deb")" = "zelkon_${version}_$(dpkg --print-architecture).deb" ] || fail "file name $deb"

[ "$(dpkg-deb -f "$deb" Package)" = zelkon ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version"
depends=$(dpkg-deb -f "$deb" Depends)
# The font by name, the libraries through dpkg-shlibdeps.
for d in fonts-ipafont-gothic qt6-translations-l10n libqt6widgets6 libqt6svg6 libqt6charts6 libstdc++6 libc6; do
    echo "$depends" | grep -q "\(^\|, \)$d\( \|,\|$\)" || fail "Depends lacks $d: $depends"
done

dpkg-deb -c "$deb" | awk '{ print $NF }' >"$out/files"
for f in usr/bin/zelkon usr/bin/zelkon-cli usr/share/applications/zelkon.desktop \
    usr/share/man/man1/zelkon.1.gz usr/share/man/man1/zelkon-cli.1.gz \
    "usr/share/metainfo/$id.metainfo.xml" usr/share/icons/hicolor/scalable/apps/zelkon.svg \
    usr/lib/zelkon/zelkon_statistics.so; do
    grep -qxF "./$f" "$out/files" || fail "package lacks /$f"
done
for size in 16 24 32 48 64 128 256; do
    grep -qxF "./usr/share/icons/hicolor/${size}x${size}/apps/zelkon.png" "$out/files" ||
        fail "package lacks the ${size}px icon"
done
# Nothing of the build or the tests slips in.
grep -Ev '^\./usr/((bin|share|lib|lib/zelkon)/|bin/zelkon(-cli)?|share/(applications|icons|man|metainfo)/.*|lib/zelkon/zelkon_statistics\.so)?$' \
    "$out/files" >"$out/extra" && fail "unexpected files: $(cat "$out/extra")"

root=$out/root
dpkg-deb -x "$deb" "$root"
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
# Addresses are checked online, which a machine without a network cannot do.
no_net=
grep -q 'https\?://' "$metainfo" && no_net=--no-net
appstreamcli validate --pedantic $no_net "$metainfo" >"$out/validate.log" 2>&1 ||
    { cat "$out/validate.log" >&2; fail "appstreamcli validate --pedantic $no_net"; }
grep -q '<summary xml:lang="ja">' "$metainfo" || fail "no Japanese summary"
grep -q '<summary>' "$metainfo" || fail "no English summary"
if [ -n "$homepage" ]; then
    [ "$(dpkg-deb -f "$deb" Homepage)" = "$homepage" ] || fail "Homepage field"
    grep -qF "<url type=\"homepage\">$homepage</url>" "$metainfo" || fail "no homepage"
    grep -q '<image[^>]*>https\?://[^<]*\.png</image>' "$metainfo" || fail "no screenshot"
else
    # Without an address of the project's own, none at all: no made-up one.
    [ -z "$(dpkg-deb -f "$deb" Homepage)" ] || fail "a Homepage field without ZELKON_HOMEPAGE"
    ! grep -q 'https\?://' "$metainfo" || fail "an address without ZELKON_HOMEPAGE: $(grep 'https\?://' "$metainfo")"
fi
grep -q '<launchable type="desktop-id">zelkon.desktop</launchable>' "$metainfo" || fail "launchable"
grep -qx 'Exec=zelkon' "$root/usr/share/applications/zelkon.desktop" || fail "desktop entry"
for page in zelkon zelkon-cli; do
    gzip -dc "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH .*\"zelkon $version\"" ||
        fail "manual page $page"
done
"$root/usr/bin/zelkon-cli" waits 1112345678999 | grep -q "waits: 1 2 3 4 5 6 7 8 9" ||
    fail "the packaged zelkon-cli"
echo "$(basename "$deb"): fields, files and metainfo as expected"
