#!/usr/bin/env bash
# Fuzzes the bike file reader for a bounded time: builds the libFuzzer target with clang++
# (whatever compiler the rest of the project uses), writes a seed corpus with the format's own
# writer, then runs the fuzzer on it. Everything it makes goes into WORK_DIR.
#
# Usage: fuzz/run.sh FORMAT WORK_DIR [SECONDS]   (CLANGXX overrides the compiler, default clang++)
# FORMAT is the format library as the build describes it (fuzz/CMakeLists.txt writes it), one
# item to a line: "dir" the library's source directory, "std" the C++ standard, and any number of
# "source", "include", "define" and "option" lines.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
format="${1:?usage: run.sh FORMAT WORK_DIR [SECONDS]}"
work="${2:?usage: run.sh FORMAT WORK_DIR [SECONDS]}"
seconds="${3:-60}"
cxx="${CLANGXX:-clang++}"

if ! command -v "$cxx" >/dev/null; then
    echo "run.sh: $cxx not found; scripts/install-deps.sh installs clang" >&2
    exit 1
fi

dir="" std="" sources=() flags=()
while read -r kind value; do
    [ -n "$value" ] || continue
    case $kind in
    dir) dir=$value ;;
    std) std=$value ;;
    source) case $value in *.cpp | *.cc | *.cxx) sources+=("$value") ;; esac ;;
    include) flags+=("-I$value") ;;
    define) flags+=("-D$value") ;;
    option) flags+=("$value") ;;
    *) echo "run.sh: $format: unknown line: $kind $value" >&2; exit 1 ;;
    esac
done <"$format"
[ -n "$dir" ] && [ -n "$std" ] && [ ${#sources[@]} -gt 0 ] ||
    { echo "run.sh: $format names no directory, standard or source" >&2; exit 1; }
for i in "${!sources[@]}"; do # relative to the library's directory, as CMake lists them
    [[ ${sources[$i]} = /* ]] || sources[$i]=$dir/${sources[$i]}
done
flags=(-std=c++"$std" -g -O1 "${flags[@]}")

mkdir -p "$work"
work="$(cd "$work" && pwd)"
"$cxx" "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    "$here/bikefile_reader_fuzz.cpp" "${sources[@]}" -o "$work/bikefile_reader_fuzz"
"$cxx" "${flags[@]}" "$here/write_seeds.cpp" "${sources[@]}" -o "$work/write_seeds"

rm -rf "$work/seeds" "$work/corpus"
mkdir -p "$work/seeds" "$work/corpus"
"$work/write_seeds" "$work/seeds"

# New inputs go to corpus/, crashes to WORK_DIR as crash-*.
exec "$work/bikefile_reader_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/" \
    "$work/corpus" "$work/seeds"
