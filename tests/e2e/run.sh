#!/usr/bin/env bash
# Drives the built program on a private X server with real input events only:
# mouse clicks and key presses through XTEST (xdotool), the clipboard through
# xclip. Openbox manages the windows, so that Alt+F4 closes the main window the
# way a desktop does (WM_DELETE_WINDOW).
#
#   run.sh PATH/TO/drevkalk [ARTIFACT_DIR]
#
# On failure a screenshot is saved in ARTIFACT_DIR (default: the current
# directory): e2e-failure.png, or e2e-failure.xwd without ImageMagick.
set -Eeuo pipefail

program=$(realpath "${1:?usage: run.sh PATH/TO/drevkalk [ARTIFACT_DIR]}")
artifacts=$(realpath "${2:-$PWD}")

for tool in Xvfb openbox xdotool xclip xwininfo xprop xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps.sh installs it)"; exit 1; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/drevkalk-e2e.XXXXXX")
bikes=$tmp/bikes
mkdir -p "$bikes" "$tmp/config/openbox" "$tmp/cache" "$tmp/screen"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$tmp/runtime
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
fi

xvfb_pid= wm_pid= app_pid= clip_pid=
step() { echo "--- $*"; }
fail() { echo "FAIL: $*"; exit 1; }

finish() {
    local status=$?
    trap - EXIT
    if [ "$status" -ne 0 ] && [ -n "$xvfb_pid" ]; then
        # Xvfb keeps its screen as an XWD file; ImageMagick makes a PNG of it.
        local shot=$artifacts/e2e-failure.png
        if ! { command -v import >/dev/null && import -window root "$shot" 2>/dev/null; }; then
            shot=$artifacts/e2e-failure.xwd
            cp "$tmp/screen/Xvfb_screen0" "$shot" 2>/dev/null || true
        fi
        [ -s "$shot" ] && echo "screenshot of the failure: $shot"
        if [ -n "$app_pid" ] && ended; then
            local app_status=0
            wait "$app_pid" || app_status=$?
            app_pid=
            echo "the program had ended, with status $app_status"
        fi
        local log
        for log in xvfb openbox drevkalk; do
            if [ -s "$tmp/$log.log" ]; then
                echo "$log's output:"
                cat "$tmp/$log.log"
            fi
        done
    fi
    for pid in $app_pid $clip_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $app_pid $clip_pid $wm_pid $xvfb_pid; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$tmp"
    exit "$status"
}
trap finish EXIT
# A command that fails outside a check names itself (not in subshells, where
# a failing command is an answer the caller looks at).
trap '[ "$BASHPID" != $$ ] || echo "FAIL: line $LINENO: \"$BASH_COMMAND\" exited with status $?"' ERR
trap 'echo "FAIL: interrupted"; exit 1' INT TERM

# Whether the program has ended: gone, or a zombie waiting for its status.
ended() {
    local state
    state=$(ps -o stat= -p "$app_pid") || return 0
    [[ $state == Z* ]]
}

# Polls COMMAND every 0.05 s for at most SECONDS seconds.
poll() {
    local seconds=$1
    shift
    local tries=$((seconds * 20))
    while ! "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.05
    done
}

# --- The X server, on a free display, and the window manager. Display :0 and
# the numbers near it are what other programs try first, so the display is a
# high one, chosen at random; if another server takes it first, the next try
# takes another.
# Whether the server answers, or has given up (the display was taken).
xvfb_settled() { ! kill -0 "$xvfb_pid" 2>/dev/null || xdpyinfo -display "$1" >/dev/null 2>&1; }
for n in $(shuf -i 200-899 -n 10); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset -fbdir "$tmp/screen" \
        >"$tmp/xvfb.log" 2>&1 &
    xvfb_pid=$!
    if poll 10 xvfb_settled ":$n" && kill -0 "$xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$n"
        break
    fi
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
done
[ -n "$xvfb_pid" ] || { cat "$tmp/xvfb.log"; fail "Xvfb did not start"; }
unset WAYLAND_DISPLAY
step "Xvfb on $DISPLAY"

cat >"$tmp/config/openbox/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew></focus>
  <keyboard><keybind key="A-F4"><action name="Close"/></keybind></keyboard>
</openbox_config>
EOF
XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache \
    openbox --sm-disable --config-file "$tmp/config/openbox/rc.xml" >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
poll 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    fail "openbox did not start"

# --- The program, in an empty directory, under Swedish regional settings.
(
    cd "$bikes"
    exec env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI -u QT_STYLE_OVERRIDE \
        QT_QPA_PLATFORM=xcb LANG=sv_SE.UTF-8 LC_ALL=sv_SE.UTF-8 "$program"
) >"$tmp/drevkalk.log" 2>&1 &
app_pid=$!

win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Drevkalk $' | head -n1) ||
    fail "the main window \"Drevkalk \" did not appear"
step "main window $win, process $app_pid"

# A window's place on the screen and its size, from the server: "x y width height".
geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {if (h) print x, y, w, h; else exit 1}'
}
wx= wy= ww= wh=
main_geometry() { read -r wx wy ww wh < <(geometry "$win") && [ -n "$wh" ]; }
# The window manager places the window after mapping it: wait until it stays.
placed() {
    local before="$wx $wy $ww $wh"
    main_geometry && [ "$before" = "$wx $wy $ww $wh" ]
}
poll 5 placed || fail "the main window does not keep its place"
# The client area of enkelt is 439 pixels high; the menu bar is the rest.
menubar=$((wh - 439))
[ "$ww" -eq 297 ] && [ "$menubar" -gt 10 ] && [ "$menubar" -lt 40 ] ||
    fail "main window is ${ww}x${wh}, expected 297 wide and 439 plus a menu bar high"
step "window at $wx,$wy, ${ww}x${wh}, menu bar $menubar px"

active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
poll 5 active_is "$win" || fail "the main window did not get the focus"

# Controls, as left top width height in twips (15 twips to a pixel), from the layout.
declare -A box=(
    [varv]="1100 120 855 360" [vev]="1100 720 855 360" [koppling]="1100 1080 855 360"
    [primär]="2280 900 855 360" [ettanutv]="1095 1920 855 360" [ettanhast]="2280 1920 855 360"
    [framdrev]="1080 4200 855 360" [bakdrev]="1080 4560 855 360" [sekundär]="2280 4365 855 360"
    [omkrets]="1100 5040 855 360" [Beräkna]="3000 4920 1335 495" [File1]="60 5520 4335 1050"
    [TrFilnamn]="60 6600 4335 360" [spara1]="1620 7080 1215 495" [tabort1]="3060 7080 1215 495"
)
px() { echo $((($1 + 7) / 15)); }

# Moves the pointer to X,Y on the screen and clicks. (xdotool's own --sync
# can wait for seconds when the pointer is already there.)
pointer_at() { [ "$(xdotool getmouselocation | sed -E 's/^x:([0-9]+) y:([0-9]+).*/\1 \2/')" = "$1 $2" ]; }
click_at() {
    xdotool mousemove "$1" "$2"
    poll 5 pointer_at "$1" "$2" || fail "the pointer does not go to $1,$2"
    xdotool click 1
}

# Clicks a control at its centre, or at DX,DY pixels from its top left corner.
click() {
    local l t w h x y
    read -r l t w h <<<"${box[$1]}"
    x=$(($(px "$l") + ${2:-$(($(px "$w") / 2))}))
    y=$(($(px "$t") + ${3:-$(($(px "$h") / 2))}))
    click_at $((wx + x)) $((wy + menubar + y))
}

# Types into a field after clicking into it and selecting what it holds: a
# teeth count typed first puts 1 into the empty count beside it.
type_into() {
    click "$1"
    xdotool key ctrl+a
    xdotool type --delay 15 "$2"
}

# What a user gets by clicking into a field, selecting all and copying.
clipboard() { timeout 2 xclip -o -selection clipboard 2>/dev/null; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
# Puts a marker in the clipboard, so that nothing copied before can pass for
# what a copy brings; xclip holds it until the program takes the clipboard over.
clip_marker=
empty_clipboard() {
    clip_marker="(nothing copied $RANDOM)"
    printf '%s' "$clip_marker" | xclip -i -selection clipboard 2>/dev/null &
    clip_pid=$!
    poll 5 clipboard_is "$clip_marker" || fail "could not clear the clipboard"
}

expect_copied() {
    local want=$1
    poll 5 clipboard_is "$want" ||
        fail "copied \"$(clipboard || true)\", expected \"$want\""
}
expect_field() {
    empty_clipboard
    click "$1"
    xdotool key ctrl+a ctrl+c
    expect_copied "$2"
    echo "    $1 = \"$2\""
}

# Top-level popups of the program (menus): mapped children of the root window.
popups() {
    local id
    for id in $(xwininfo -root -children | awk '/"drevkalk" "Drevkalk"/ {print $1}'); do
        if [ "$((id))" -ne "$win" ] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable; then
            echo "$id"
        fi
    done
}
px_= py_= pw_= ph_=
new_popup() { # finds a popup that was not in the list $1
    local id
    for id in $(popups); do
        if ! grep -qx "$id" <<<"$1"; then
            read -r px_ py_ pw_ ph_ < <(geometry "$id") && return 0
        fi
    done
    return 1
}
# Clicks item INDEX (from 0) of COUNT items in the popup just found.
click_item() {
    click_at $((px_ + pw_ / 2)) $((py_ + ph_ * (2 * $1 + 1) / (2 * $2)))
}

# --- 1. The worked example.
step "1. typing the worked example"
type_into varv 11000
type_into vev 24
type_into koppling 60
type_into framdrev 14
type_into bakdrev 40
type_into ettanutv 1
type_into omkrets 190
# The reductions follow the teeth at once, with the Swedish decimal comma.
expect_field primär "2,500"
expect_field sekundär "2,857"

# --- 2, 3. Beräkna, and the speed read back through the clipboard.
step "2. clicking Beräkna"
click Beräkna
step "3. reading ettanhast back"
expect_field ettanhast "175"
expect_field varv "11000"
# Nothing else was needed: no message came up, no menu is open.
active_is "$win" && [ -z "$(popups)" ] || fail "Beräkna brought up a message"

# --- 4. Inställningar > Mode > Avancerat, with the mouse.
step "4. Inställningar > Mode > Avancerat"
[ -z "$(popups)" ] || fail "a menu is open before the menu bar was clicked"
click_at $((wx + 30)) $((wy + menubar / 2))
poll 5 new_popup "" || fail "the Inställningar menu did not open"
first=$(popups)
click_item 0 3 # Mode, Måttenhet, bakhjulet
poll 5 new_popup "$first" || fail "the Mode submenu did not open"
click_item 1 2 # enkelt, Avancerat
tall() { main_geometry && [ "$wh" -eq $((518 + menubar)) ]; }
poll 5 tall || fail "the window is $wh px high after Avancerat, expected $((518 + menubar))"
poll 5 eval '[ -z "$(popups)" ]' || fail "the menus stay open after Avancerat"
echo "    window is now ${ww}x${wh}"

# --- 5. Saving under a typed name.
step "5. saving as Testhoj"
type_into TrFilnamn Testhoj
click spara1
saved=$bikes/Testhoj.hoj
poll 5 test -s "$saved" || fail "no $saved after spara: $(ls -A "$bikes")"
printf '"11000","24","60","2,500","40","14","2,857","190","1","","","","","","",234\r\n' \
    >"$tmp/expected.hoj"
cmp "$tmp/expected.hoj" "$saved" ||
    fail "the saved bytes differ: $(od -c "$saved" | head -n 8)"
[ "$(ls -A "$bikes")" = "Testhoj.hoj" ] || fail "the directory holds: $(ls -A "$bikes")"
echo "    Testhoj.hoj holds exactly the expected bytes"

# --- 6. Selecting it in the list and deleting it after the question.
step "6. selecting Testhoj.hoj and deleting it"
click File1 40 10
expect_field TrFilnamn "Testhoj.hoj" # loading the file names it in the box
question() { timeout 10 xdotool search --sync --onlyvisible --name '^OJOJOJ!!!$' | head -n1; }
answer_box() { # waits for the question and for the focus to be in it
    click tabort1
    dialog=$(question) || fail "no question titled \"OJOJOJ!!!\" after Ta bort"
    poll 5 active_is "$dialog" || fail "the question did not get the focus"
}
answer_box
xdotool key Return # the default answer is Nej
poll 5 eval '! xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable' ||
    fail "Return did not close the question"
[ -e "$saved" ] || fail "Return (the default, Nej) deleted the file"
echo "    Return answered Nej: the file is still there"
poll 5 active_is "$win" || fail "the main window did not get the focus back"
answer_box
xdotool key shift+Tab space # from Nej to Ja, and press it
poll 5 eval '[ ! -e "$saved" ]' || fail "Ja did not delete $saved"
poll 5 eval '! xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable' ||
    fail "the question stays open after Ja"
[ -z "$(ls -A "$bikes")" ] || fail "the directory still holds: $(ls -A "$bikes")"
echo "    Ja deleted the file"

# --- 7. Closing the window as a desktop does, and the program ending by itself.
step "7. closing the window with Alt+F4"
poll 5 active_is "$win" || fail "the main window did not get the focus back"
xdotool key alt+F4
poll 5 ended || fail "the program is still running 5 s after Alt+F4"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
if [ -s "$tmp/drevkalk.log" ]; then
    echo "drevkalk wrote:"
    cat "$tmp/drevkalk.log"
    fail "the program wrote warnings"
fi
step "passed: the program ended with status 0"
