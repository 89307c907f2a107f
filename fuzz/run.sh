#!/usr/bin/env bash
# Fuzzes the bike file reader for a bounded time: builds the libFuzzer target with clang++
# (whatever compiler the rest of the project uses), writes a seed corpus with the format's own
# writer, then runs the fuzzer on it. Everything it makes goes into WORK_DIR.
#
# Usage: fuzz/run.sh WORK_DIR [SECONDS]   (CLANGXX overrides the compiler, default clang++)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
src="$here/../src"
work="${1:?usage: run.sh WORK_DIR [SECONDS]}"
seconds="${2:-60}"
cxx="${CLANGXX:-clang++}"

if ! command -v "$cxx" >/dev/null; then
    echo "run.sh: $cxx not found; scripts/install-deps.sh installs clang" >&2
    exit 1
fi

mkdir -p "$work"
work="$(cd "$work" && pwd)"
format=("$src/bikefile/cp1252.cpp" "$src/bikefile/bikefile.cpp")
flags=(-std=c++20 -g -O1 -Wall -Wextra -I"$src")

"$cxx" "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    "$here/bikefile_reader_fuzz.cpp" "${format[@]}" -o "$work/bikefile_reader_fuzz"
"$cxx" "${flags[@]}" "$here/write_seeds.cpp" "${format[@]}" -o "$work/write_seeds"

rm -rf "$work/seeds" "$work/corpus"
mkdir -p "$work/seeds" "$work/corpus"
"$work/write_seeds" "$work/seeds"

# New inputs go to corpus/, crashes to WORK_DIR as crash-*.
exec "$work/bikefile_reader_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/" \
    "$work/corpus" "$work/seeds"
