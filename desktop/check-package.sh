#!/usr/bin/env bash
# check-package.sh, in the environment that CTest sets: the package built from a copy of the
# sources with dpkg-buildpackage, lintian --pedantic and hardening-check on it, its files in place,
# and the unpacked program running for two seconds offscreen, until SIGTERM ends it, in an empty
# directory that it leaves empty, writing nothing to stderr but the offscreen plugin's notices.
set -euo pipefail
src=${DREVKALK_SOURCE_DIR:?} id=${DREVKALK_APP_ID:?} tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR" "$tmp/src" "$tmp/run"

tar -C "$src" --exclude=./.git --exclude='./build*' --exclude='./obj-*' -cf - . |
    tar -C "$tmp/src" -xf -
(cd "$tmp/src" && dpkg-buildpackage -b -us -uc -j"$(nproc)") >"$tmp/build.log" 2>&1 ||
    { tail -30 "$tmp/build.log" >&2; fail dpkg-buildpackage; }
deb=$(echo "$tmp"/drevkalk_"${DREVKALK_VERSION:?}"_*.deb)
lintian --pedantic -I --fail-on error,warning "$deb" || fail "lintian --pedantic $deb"
dpkg-deb -x "$deb" "$tmp/root"
hardening-check --nocfprotection "$tmp/root/usr/bin/drevkalk" || fail hardening-check
for file in {applications/$id.desktop,metainfo/$id.metainfo.xml,man/man1/drevkalk.1.gz} \
    icons/hicolor/{16x16,32x32}/apps/$id.png icons/hicolor/scalable/apps/$id.svg; do
    [ -f "$tmp/root/usr/share/$file" ] || fail "the package lacks $file"; done

(cd "$tmp/run" && QT_QPA_PLATFORM=offscreen exec "$tmp/root/usr/bin/drevkalk") 2>"$tmp/err" &
sleep 2; kill -0 $! 2>/dev/null || { cat "$tmp/err" >&2; fail "the program ended by itself"; }
rc=0; kill $!; wait $! || rc=$?
[ $rc -eq 143 ] || { cat "$tmp/err" >&2; fail "the program ended on SIGTERM with $rc"; }
! grep -vxE 'This plugin does not support (propagateSizeHints|raise)\(\)' "$tmp/err" >&2 ||
    fail "the program wrote to stderr"
[ -z "$(ls -A "$tmp/run")" ] || fail "the program left files in its directory"
echo "package: ok"
