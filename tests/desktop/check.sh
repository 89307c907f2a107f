#!/usr/bin/env bash
# check.sh setup|package|wayland, in the environment that CTest sets:
#   setup    ./run and ./test without make (apt-get and sudo stand-ins): make installed, called
#   package  dpkg-buildpackage, lintian --pedantic, hardening-check; the unpacked program runs
#   wayland  the program natively on a headless weston; then wayland_test there
set -euo pipefail
src=${DREVKALK_SOURCE_DIR:?} id=${DREVKALK_APP_ID:?} tmp=$(mktemp -d) pids=()
trap 'kill ${pids[*]} 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR" "$tmp/run" "$tmp/bin"

# start PROGRAM [CHECK]: in an empty directory it runs for two seconds (CHECK runs then), ends
# on SIGTERM, writes nothing but the offscreen plugin's notices to stderr and no files.
start() {
    local rc=0
    (cd "$tmp/run" && exec "$1") 2>"$tmp/err" & pids+=($!)
    sleep 2; kill -0 $! 2>/dev/null || { cat "$tmp/err" >&2; fail "$1 ended by itself"; }
    ${2:-true}
    kill -TERM $!; wait $! || rc=$?; [ $rc -eq 143 ] || fail "$1 ended on SIGTERM with $rc"
    ! grep -vxE 'This plugin does not support (propagateSizeHints|raise)\(\)' "$tmp/err" >&2 ||
        fail "$1 wrote to stderr"
    [ -z "$(ls -A "$tmp/run")" ] || fail "$1 left files in its directory"
}

case $1 in
setup)
    for tool in bash dirname id grep cp; do ln -s "$(command -v $tool)" "$tmp/bin/"; done
    printf '#!/bin/sh\nexit 1\n' >"$tmp/bin/dpkg-query" # nothing is installed
    printf '#!/bin/sh\nexec "$@"\n' >"$tmp/bin/sudo"
    printf '#!/bin/sh\necho "make $*" >>%s/log\n' "$tmp" >"$tmp/make"
    printf '#!/bin/sh\necho "apt-get $*" >>%s/log\n[ "$1" != install ] || cp %s/make %s/bin\n' \
        "$tmp" "$tmp" "$tmp" >"$tmp/bin/apt-get"
    chmod +x "$tmp"/bin/* "$tmp/make"
    for command in run test; do
        rm -f "$tmp/bin/make" "$tmp/log"
        PATH=$tmp/bin "$src/$command" >/dev/null
        grep -q "^apt-get install .* make " "$tmp/log" || fail "./$command installed no make"
        [ "$(tail -1 "$tmp/log")" = "make $command" ] || fail "no make $command"
    done ;;
package)
    mkdir "$tmp/src" && tar -C "$src" --exclude=./.git --exclude='./build*' --exclude='./obj-*' \
        -cf - . | tar -C "$tmp/src" -xf -
    (cd "$tmp/src" && dpkg-buildpackage -b -us -uc -j"$(nproc)") >"$tmp/build.log" 2>&1 ||
        { tail -30 "$tmp/build.log" >&2; fail dpkg-buildpackage; }
    deb=$(echo "$tmp"/drevkalk_"${DREVKALK_VERSION:?}"_*.deb)
    lintian --pedantic -I --fail-on error,warning "$deb" || fail "lintian --pedantic $deb"
    dpkg-deb -x "$deb" "$tmp/root"; bin=$tmp/root/usr/bin/drevkalk
    hardening-check --nocfprotection "$bin" || fail hardening-check
    for file in {applications/$id.desktop,metainfo/$id.metainfo.xml,man/man1/drevkalk.1.gz} \
        icons/hicolor/{16x16,32x32}/apps/$id.png icons/hicolor/scalable/apps/$id.svg; do
        [ -f "$tmp/root/usr/share/$file" ] || fail "the package lacks $file"; done
    QT_QPA_PLATFORM=offscreen start "$bin"
    for display in DISPLAY=:87 WAYLAND_DISPLAY=nowhere; do # one line, and status 1
        rc=0; env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $display "$bin" 2>"$tmp/err" ||
            rc=$?
        [ $rc -eq 1 ] && grep -qx 'drevkalk: .*' "$tmp/err" && [ "$(wc -l <"$tmp/err")" -eq 1 ] ||
            { cat "$tmp/err" >&2; fail "$display: status $rc"; }
    done ;;
wayland)
    unset DISPLAY; export WAYLAND_DISPLAY=drevkalk-test QT_QPA_PLATFORM=wayland
    weston --backend=headless-backend.so --socket=$WAYLAND_DISPLAY --idle-time=0 --debug \
        >"$tmp/weston.log" 2>&1 & pids+=($!)
    for _ in {1..50}; do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.2; done
    shown() { # weston shows a top-level window of the app id, its client area 297 pixels wide
        weston-debug -o "$tmp/scene" scene-graph
        [ "$(awk -v id="$id" 'index($0, "xdg_toplevel") && index($0, " of " id ",") { f = 1 }
            f && /opaque:/ { gsub(/[^0-9]+/, " "); split($0, n); print n[3] - n[1]; exit }' \
            "$tmp/scene")" = 297 ] || { cat "$tmp/scene" >&2; fail "weston shows no $id window"; }
    }
    start "$DREVKALK_PROGRAM" shown
    "$DREVKALK_WAYLAND_TEST" || fail wayland_test ;;
esac
echo "$1: ok"
