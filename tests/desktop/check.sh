#!/usr/bin/env bash
# check.sh setup|package|wayland, in the environment that CTest sets:
#   setup    ./run and ./test without make (apt-get and sudo stand-ins): make installed, called
#   package  dpkg-buildpackage, lintian --pedantic, hardening-check; the unpacked program runs
#   wayland  the program natively on a headless weston; then wayland_test there; under the
#            sanitizers without a GL driver, and a leak planted in the program is reported
set -euo pipefail
src=${DREVKALK_SOURCE_DIR:?} id=${DREVKALK_APP_ID:?} tmp=$(mktemp -d) pids=()
trap 'kill ${pids[*]} 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR" "$tmp/run" "$tmp/bin"

# start CHECK SIGNAL STATUS COMMAND...: in an empty directory COMMAND runs for two seconds (CHECK
# runs then), ends on SIGNAL with STATUS, writes nothing but the offscreen plugin's notices to
# stderr and no files.
start() {
    local check=$1 signal=$2 status=$3 rc=0 name=${*: -1}; shift 3
    (cd "$tmp/run" && exec "$@") 2>"$tmp/err" & pids+=($!)
    sleep 2; kill -0 $! 2>/dev/null || { cat "$tmp/err" >&2; fail "$name ended by itself"; }
    $check
    kill -"$signal" $!; wait $! || rc=$?
    [ $rc -eq "$status" ] || { cat "$tmp/err" >&2; fail "$name ended on SIG$signal with $rc"; }
    ! grep -vxE 'This plugin does not support (propagateSizeHints|raise)\(\)' "$tmp/err" >&2 ||
        fail "$name wrote to stderr"
    [ -z "$(ls -A "$tmp/run")" ] || fail "$name left files in its directory"
}

case $1 in
setup)
    for tool in bash dirname id grep cp; do ln -s "$(command -v $tool)" "$tmp/bin/"; done
    printf '#!/bin/sh\nexit 1\n' >"$tmp/bin/dpkg-query" # nothing is installed
    printf '#!/bin/sh\nexec "$@"\n' >"$tmp/bin/sudo"
    printf '#!/bin/sh\necho "make $* DEPS_INSTALLED=$DEPS_INSTALLED" >>%s/log\n' "$tmp" >"$tmp/make"
    printf '#!/bin/sh\necho "apt-get $*" >>%s/log\n[ "$1" != install ] || cp %s/make %s/bin\n' \
        "$tmp" "$tmp" "$tmp" >"$tmp/bin/apt-get"
    chmod +x "$tmp"/bin/* "$tmp/make"
    for command in run test; do
        rm -f "$tmp/bin/make" "$tmp/log"
        PATH=$tmp/bin "$src/$command" >/dev/null
        grep -q "^apt-get install .* make " "$tmp/log" || fail "./$command installed no make"
        [ "$(tail -1 "$tmp/log")" = "make $command DEPS_INSTALLED=1" ] || fail "no make $command"
        # make installs what is missing once, and not again after ./run or ./test did.
        [ "$(env -u DEPS_INSTALLED make -n -C "$src" $command | grep -c install-deps)" = 1 ] ||
            fail "make $command does not install what is missing"
        [ "$(DEPS_INSTALLED=1 make -n -C "$src" $command | grep -c install-deps)" = 0 ] ||
            fail "make $command installs again after ./$command"
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
    QT_QPA_PLATFORM=offscreen start true TERM 143 "$bin"
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
    # weston shows a top-level window of the app id, its client area 297 pixels wide: the opaque
    # part of the window, or all of it where Qt draws no title bar ("[fully opaque]").
    shown() {
        weston-debug -o "$tmp/scene" scene-graph
        [ "$(awk -v id="$id" 'index($0, "xdg_toplevel") && index($0, " of " id ",") { f = 1 }
            f && /position:|opaque:/ { gsub(/[^0-9]+/, " "); split($0, n); w = n[3] - n[1] }
            f && /outputs:/ { print w; exit }' "$tmp/scene")" = 297 ] ||
            { cat "$tmp/scene" >&2; fail "weston shows no $id window"; }
    }
    # The program closes its window on SIGUSR1 (closeonsignal.cpp) and must then end by itself
    # with status 0, through its own code, as after a click on the window's close button.
    program=(env LD_PRELOAD="${DREVKALK_CLOSE_ON_SIGNAL:?}" "$DREVKALK_PROGRAM")
    if [ "${DREVKALK_SANITIZE:-0}" = 0 ]; then
        start shown USR1 0 "${program[@]}"
        "$DREVKALK_WAYLAND_TEST" || fail wayland_test
    else
        # Under the leak checker no GL driver is loaded. Drevkalk draws with the raster engine
        # only, yet Qt 6.4's Wayland plugin loads its EGL integration, and with it the machine's
        # GL driver (Mesa's llvmpipe where there is no GPU), only to ask whether it may draw the
        # window's title bar. What such a driver leaves allocated, if anything, depends on the
        # driver and the processor, and the driver is unloaded before the leak check, so no
        # suppression can name it. Without Qt's own title bar nothing loads EGL, and the leak
        # checker sees the program, Qt and the Wayland client library, on any machine. The run
        # without sanitizers keeps the title bar, as on a desktop.
        export QT_WAYLAND_DISABLE_WINDOWDECORATION=1
        # The sanitizer runtime asks to come first; the preloaded library does not need that.
        export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
        # The libraries that both programs load are logged: none may be a GL driver.
        loaded=(env LD_DEBUG=files LD_DEBUG_OUTPUT="$tmp/loaded")
        start shown USR1 0 "${loaded[@]}" "${program[@]}"
        "${loaded[@]}" "$DREVKALK_WAYLAND_TEST" || fail wayland_test
        [ "$(grep -l 'file=[^ ]*/platforms/libqwayland' "$tmp"/loaded.* | wc -l)" = 2 ] ||
            fail "the log of loaded libraries shows no two programs on Wayland"
        driver='file=[^ ]*(wayland-graphics-integration-client/|lib(EGL|GLX)_|_dri\.so|gallium)'
        ! grep -hoE "$driver[^ ]*" "$tmp"/loaded.* >&2 || fail "a GL driver was loaded"
        # A leak planted in the program on its way out is reported and fails the program.
        rc=0; (cd "$tmp/run" && DREVKALK_PLANT_LEAK=1 exec "${program[@]}") 2>"$tmp/err" &
        pids+=($!); sleep 2; kill -USR1 $!; wait $! || rc=$?
        [ $rc -ne 0 ] && grep -q 'Direct leak of 128 byte' "$tmp/err" &&
            grep -q plantLeak "$tmp/err" || { cat "$tmp/err" >&2; fail "planted leak: status $rc"; }
    fi ;;
esac
echo "$1: ok"
