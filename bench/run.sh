#!/usr/bin/env bash
# Runs every benchmark of Drevkalk and prints each figure beside its baseline.
#   bench/run.sh [BUILD_DIR]        (default build-bench; `make bench` builds it and runs this)
# BENCH_RUNS sets the number of start-up runs and of benchmark repetitions (default 15).
# A missed target is printed, not treated as a failure.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-build-bench}/bin" && pwd)
runs=${BENCH_RUNS:-15}
for program in drevkalk drevkalk_minimal mapwatch panel_bench bikefile_bench; do
    [ -x "$bin/$program" ] || { echo "run.sh: $bin/$program is missing; build first" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb=
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime

# --- Start-up on an X server -----------------------------------------------------------------
# Directories of 0, 10,000 and 100,000 bike files, the programs started in each.
sizes="0 10000 100000"
for n in $sizes; do
    mkdir "$work/bikes$n"
    (cd "$work/bikes$n" && for ((i = 1; i <= n; i++)); do
        printf '"%d","24","60","2,500","40","%d","2,857","190","2,769","1,882","1,450","1,174","1,000","","Hoj %d",234\r\n' \
            $((9000 + i % 300 * 10)) $((12 + i % 5)) "$i" >"Hoj $i.hoj"
    done)
done

# Xvfb picks a free display itself and writes its number to the descriptor given.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "run.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

startup() { # name files: one run, one line "name files map_ms hwm_kb rss_kb" on startup.txt
    local line
    line=$(cd "$work/bikes$2" && "$bin/mapwatch" "$bin/$1" 2>>"$work/programs.log") || {
        echo "run.sh: $1 did not start:" >&2; cat "$work/programs.log" >&2; exit 1; }
    line=${line//map_ms=/}; line=${line//hwm_kb=/}; line=${line//rss_kb=/}
    echo "$1 $2 $line" >>"$results"
}
echo "Start-up on Xvfb $DISPLAY: $runs runs of each program in each directory, interleaved..."
for n in $sizes; do
    results=$work/warm-up.txt # the caches and the directory warmed; not counted
    startup drevkalk_minimal "$n"; startup drevkalk "$n"
    results=$work/startup.txt
    for i in $(seq 1 "$runs"); do
        if [ $((i % 2)) -eq 1 ]; then startup drevkalk_minimal "$n"; startup drevkalk "$n"
        else startup drevkalk "$n"; startup drevkalk_minimal "$n"; fi
    done
done

median() { # program files column
    awk -v p="$1" -v n="$2" -v c="$3" '$1 == p && $2 == n { print $c }' "$work/startup.txt" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# One line per directory for the summary: files, then the medians of both programs.
for n in $sizes; do
    echo "$n $(median drevkalk "$n" 3) $(median drevkalk_minimal "$n" 3)" \
        "$(median drevkalk "$n" 4) $(median drevkalk_minimal "$n" 4)" \
        "$(median drevkalk "$n" 5) $(median drevkalk_minimal "$n" 5)"
done >"$work/startup-medians.txt"

# --- In-process benchmarks -------------------------------------------------------------------
gbench() { # program: runs it with repetitions, keeping the aggregates as CSV
    echo
    echo "$1: $runs repetitions..."
    # Repetitions of the benchmarks in random order, so that a busy moment of the machine does
    # not fall on one figure only. (Debian's library says it was built as DEBUG; that is the
    # library's own assertions, not this code.)
    "$bin/$1" --benchmark_repetitions="$runs" --benchmark_min_time=0.2 \
        --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
        --benchmark_out="$work/$1.csv" --benchmark_out_format=csv 2>&1 | grep -E '_median' || true
}
(cd "$work" && QT_QPA_PLATFORM=offscreen gbench panel_bench)
gbench bikefile_bench

# --- Summary ---------------------------------------------------------------------------------
echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')," \
    "$(. /etc/os-release && echo "$PRETTY_NAME"), Qt $(qtpaths6 --qt-version 2>/dev/null || echo '?')," \
    "files on $(df -T "$work" | awk 'NR == 2 { print $2 }')"
echo "Load: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) at the end of the run"
awk -v runs="$runs" -f "$here/summarize.awk" "$work/startup-medians.txt" "$work/panel_bench.csv" \
    "$work/bikefile_bench.csv"
