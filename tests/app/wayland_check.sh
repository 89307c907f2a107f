#!/usr/bin/env bash
# wayland_check.sh WAYLAND_TEST [sanitized]: WAYLAND_TEST natively on a headless weston. Sanitized,
# it runs without a GL driver, and the leak it plants on request is reported.
set -euo pipefail
tmp=$(mktemp -d)
trap 'kill $weston 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export XDG_RUNTIME_DIR=$tmp WAYLAND_DISPLAY=drevkalk-test QT_QPA_PLATFORM=wayland
unset DISPLAY
weston --backend=headless-backend.so --socket=$WAYLAND_DISPLAY --idle-time=0 >"$tmp/log" 2>&1 &
weston=$!
for _ in {1..50}; do [ -S "$tmp/$WAYLAND_DISPLAY" ] && break; sleep 0.2; done
if [ "${2:-}" != sanitized ]; then
    "$1" || fail "$1"
    exit 0
fi
# Qt 6.4 loads the machine's GL driver only to decide about its own title bar, and a driver such
# as Mesa's llvmpipe may leak from a library it unloads before the leak check, which no
# suppression can name (doc/desktops.md). Without that title bar no GL driver loads.
export QT_WAYLAND_DISABLE_WINDOWDECORATION=1
LD_DEBUG=files LD_DEBUG_OUTPUT="$tmp/loaded" "$1" || fail "$1"
driver='file=[^ ]*(wayland-graphics-integration-client/|lib(EGL|GLX)_|_dri\.so|gallium)'
! grep -hoE "$driver[^ ]*" "$tmp"/loaded.* >&2 || fail "a GL driver was loaded"
rc=0; DREVKALK_PLANT_LEAK=1 "$1" 2>"$tmp/err" || rc=$?
[ $rc -ne 0 ] && grep -q 'Direct leak of 128 byte' "$tmp/err" && grep -q plantLeak "$tmp/err" ||
    { cat "$tmp/err" >&2; fail "the planted leak: status $rc"; }
