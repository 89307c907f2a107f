#!/usr/bin/env bash
# run.sh PATH/TO/drevkalk: one short path through the built program on a private X server
# (Xvfb, openbox managing the windows) with real input (xdotool) and the clipboard (xclip):
# Beräkna on empty fields, type the worked example, Beräkna, read the speed, switch to Avancerat,
# save, close.
set -Eeuo pipefail
program=$(realpath "$1") tmp=$(mktemp -d) pids=()
trap 'status=$?; kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$tmp"; exit $status' EXIT
fail() { echo "FAIL: $*"; [ ! -s "$tmp/log" ] || cat "$tmp/log"; exit 1; }
poll() { for _ in $(seq 100); do "$@" && return 0; sleep 0.05; done; return 1; }
for tool in Xvfb openbox xdotool xclip xprop; do
    command -v $tool >/dev/null || fail "$tool is not installed (scripts/install-deps.sh)"; done

Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
pids+=($!)
poll test -s "$tmp/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$tmp/display"); unset WAYLAND_DISPLAY
openbox --sm-disable >/dev/null 2>&1 & pids+=($!) # its default keys close a window on Alt+F4
poll eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' || fail openbox
mkdir "$tmp/bikes"
(cd "$tmp/bikes" && exec env -u QT_SCALE_FACTOR LC_ALL=sv_SE.UTF-8 QT_QPA_PLATFORM=xcb "$program") \
    >"$tmp/log" 2>&1 &
app=$!; pids+=($app)
win=$(timeout 60 xdotool search --sync --onlyvisible --name '^Drevkalk $' | head -n1) || fail window
poll eval '[ "$(xdotool getactivewindow 2>/dev/null)" = "$win" ]' || fail "the window got no focus"
eval "$(xdotool getwindowgeometry --shell "$win")"
bar=$((HEIGHT - 439)) # the menu bar above the client area of 297 x 439 pixels
[ "$WIDTH" -eq 297 ] && [ $bar -gt 10 ] && [ $bar -lt 40 ] || fail "the window is ${WIDTH}x$HEIGHT"
click() { xdotool mousemove --window "$win" "$1" $((bar + $2)) click 1; sleep 0.2; } # client pixels
copied() { [ "$(timeout 2 xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
expect() { click "$1" "$2"; xdotool key ctrl+a ctrl+c; poll copied "$3" || fail "no $3 at $1,$2"; }

# Beräkna on empty fields names varv; once the message is closed the window manager gives the
# focus back, and what is typed goes into varv. Tabbing goes varv vev koppling ettanutv ...
# framdrev bakdrev omkrets.
message() { # shown, and with the focus
    box=$(xdotool search --onlyvisible --name '^Drevkalk$' 2>/dev/null | head -n1)
    [ -n "$box" ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$box" ]
}
click 252 345; poll message || fail "Beräkna on empty fields showed no message with the focus"
xdotool key Return
poll eval '[ "$(xdotool getactivewindow 2>/dev/null)" = "$win" ]' || fail "no focus after the message"
xdotool type --delay 20 11000; xdotool key Tab; xdotool type 24; xdotool key Tab; xdotool type 60
xdotool key Tab; xdotool type 1; xdotool key Tab Tab Tab Tab; xdotool type 14
xdotool key Tab; xdotool type 40; xdotool key Tab; xdotool type 190
expect 180 76 "2,500"; click 252 345; expect 180 140 "175" # primär; Beräkna; ettanhast
xdotool mousemove --window "$win" 30 $((bar / 2)) click 1; sleep 0.3 # Inställningar
xdotool key Down Right Down Return # Mode > Avancerat
high() { [ "$(xdotool getwindowgeometry --shell "$win" | grep HEIGHT)" = "HEIGHT=$((bar + $1))" ]; }
poll high 518 || fail "Avancerat did not make the window 518 pixels high"
click 148 452; xdotool key ctrl+a; xdotool type Testhoj; click 148 488 # TrFilnamn, spara1
printf '"%s",' 11000 24 60 2,500 40 14 2,857 190 1 '' '' '' '' '' '' >"$tmp/expected"
printf '234\r\n' >>"$tmp/expected"
poll cmp -s "$tmp/expected" "$tmp/bikes/Testhoj.hoj" || fail "Testhoj.hoj: $(ls -A "$tmp/bikes")"
xdotool key alt+F4
ended() { ! kill -0 $app 2>/dev/null || [[ $(ps -o stat= -p $app) == Z* ]]; }
poll ended || fail "the program did not end on Alt+F4"
wait $app || fail "the program ended with status $?"
[ ! -s "$tmp/log" ] || fail "the program wrote warnings"
echo "passed"
