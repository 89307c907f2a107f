#!/usr/bin/env bash
# check-install.sh tree|deb
#   tree: cmake --install into a fresh prefix; every file in its place, and nothing else.
#   deb:  cpack makes the Debian package; it is unpacked into a fresh tree, its fields and
#         files are checked, and the unpacked program is started offscreen.
# The build directory and the names come from the environment that CTest sets.
set -euo pipefail

mode=${1:?tree or deb}
build=${DREVKALK_BUILD_DIR:?}
src=${DREVKALK_SOURCE_DIR:?}
id=${DREVKALK_APP_ID:?}
version=${DREVKALK_VERSION:?}
bindir=${DREVKALK_BINDIR:?}
datadir=${DREVKALK_DATADIR:?}

tmp=$(mktemp -d)
pid=
cleanup() {
    [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() { echo "FAIL: $*" >&2; exit 1; }

# png_size FILE: "WIDTHxHEIGHT" from the PNG header.
png_size() {
    local b
    read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
    echo "$(( (b[0]<<24) + (b[1]<<16) + (b[2]<<8) + b[3] ))x$(( (b[4]<<24) + (b[5]<<16) + (b[6]<<8) + b[7] ))"
}

# check_tree PREFIX: the installed files are exactly the expected ones, and the right ones.
check_tree() {
    local prefix=$1 icons=$1/$datadir/icons/hicolor
    local expected actual
    expected=$(printf '%s\n' \
        "$bindir/drevkalk" \
        "$datadir/applications/$id.desktop" \
        "$datadir/metainfo/$id.metainfo.xml" \
        "$datadir/icons/hicolor/16x16/apps/$id.png" \
        "$datadir/icons/hicolor/32x32/apps/$id.png" \
        "$datadir/icons/hicolor/scalable/apps/$id.svg" | sort)
    actual=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
    if [ "$expected" != "$actual" ]; then
        diff -u --label expected --label found <(echo "$expected") <(echo "$actual") >&2 || true
        fail "the files under $prefix are not the expected ones (- expected, + found)"
    fi

    [ -x "$prefix/$bindir/drevkalk" ] || fail "$bindir/drevkalk is not executable"
    cmp "$src/desktop/$id.desktop" "$prefix/$datadir/applications/$id.desktop"
    cmp "$src/desktop/$id.metainfo.xml" "$prefix/$datadir/metainfo/$id.metainfo.xml"
    cmp "$src/desktop/icons/drevkalk.svg" "$icons/scalable/apps/$id.svg"
    for size in 16 32; do
        local png=$icons/${size}x${size}/apps/$id.png
        [ "$(png_size "$png")" = "${size}x${size}" ] ||
            fail "$png is $(png_size "$png"), not ${size}x${size}"
    done
    grep -qx "Icon=$id" "$prefix/$datadir/applications/$id.desktop" ||
        fail "the desktop entry does not name the icon $id"
    grep -q "<release version=\"$version\"" "$prefix/$datadir/metainfo/$id.metainfo.xml" ||
        fail "the metainfo has no release $version"
    # The installed tree as a software centre sees it: the launchable entry, the icons.
    "${APPSTREAMCLI:-appstreamcli}" validate-tree --no-net "$prefix" >"$tmp/validate-tree.log" 2>&1 ||
        { cat "$tmp/validate-tree.log" >&2; fail "appstreamcli validate-tree $prefix"; }
}

# run_offscreen BINARY: it starts and keeps running for two seconds without a warning,
# in an empty directory; then it is ended.
run_offscreen() {
    local bin=$1 run=$tmp/run home=$tmp/home runtime=$tmp/runtime rc
    mkdir "$run" "$home" "$runtime"
    chmod 700 "$runtime"
    (cd "$run" && exec env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" \
        HOME="$home" XDG_CONFIG_HOME="$home/.config" "$bin") >"$tmp/drevkalk.out" 2>"$tmp/drevkalk.err" &
    pid=$!
    sleep 2
    if ! kill -0 "$pid" 2>/dev/null; then
        rc=0
        wait "$pid" || rc=$?
        pid=
        cat "$tmp/drevkalk.err" >&2
        fail "$bin ended by itself within two seconds, status $rc"
    fi
    kill -TERM "$pid"
    rc=0
    wait "$pid" || rc=$?
    pid=
    [ "$rc" -eq 143 ] || fail "$bin answered SIGTERM with status $rc"
    # The offscreen plugin says these two of itself, as the other window tests allow.
    if grep -vxE 'This plugin does not support (propagateSizeHints|raise)\(\)' "$tmp/drevkalk.err" >&2; then
        fail "$bin wrote to stderr"
    fi
    [ -z "$(ls -A "$run")" ] || fail "$bin left files in its working directory: $(ls -A "$run")"
}

case $mode in
tree)
    "${CMAKE_COMMAND:-cmake}" --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log" ||
        { cat "$tmp/install.log" >&2; fail "cmake --install"; }
    check_tree "$tmp/prefix"
    ;;
deb)
    "${CPACK_COMMAND:-cpack}" --config "$build/CPackConfig.cmake" -B "$tmp/package" >"$tmp/cpack.log" 2>&1 ||
        { cat "$tmp/cpack.log" >&2; fail "cpack"; }
    debs=("$tmp"/package/*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made ${#debs[@]} .deb files"
    deb=${debs[0]}
    dpkg_deb=${DPKG_DEB:-dpkg-deb}
    [ "$("$dpkg_deb" -f "$deb" Package)" = drevkalk ] || fail "the package is not called drevkalk"
    [ "$("$dpkg_deb" -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
    depends=$("$dpkg_deb" -f "$deb" Depends)
    for lib in libqt6widgets6 libqt6gui6 libqt6core6; do
        [[ ", $depends," =~ ", $lib"[\ ,] ]] ||
            fail "the package does not depend on $lib: Depends: $depends"
    done
    [ -n "$("$dpkg_deb" -f "$deb" Maintainer)" ] || fail "the package has no maintainer"
    "$dpkg_deb" -x "$deb" "$tmp/root"
    [ -z "$(ls -A "$tmp/root" | grep -vx usr)" ] || fail "the package installs outside /usr: $(ls -A "$tmp/root")"
    check_tree "$tmp/root/usr"
    run_offscreen "$tmp/root/usr/$bindir/drevkalk"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "install $mode: ok"
