#!/usr/bin/env bash
# Builds the table reader's fuzzer with clang (libFuzzer, ASan, UBSan) apart
# from the normal build, and runs it for SECONDS (default 0: build only).
#   tests/platform/database/fuzz/run.sh [SECONDS]
# New inputs go to $TARN_FUZZ_DIR/corpus (default build-fuzz/ in the
# repository), crashes to $TARN_FUZZ_DIR/crash-*; a crash input belongs in
# tests/platform/database/corpus once fixed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../../.." && pwd)"
out="${TARN_FUZZ_DIR:-$root/build-fuzz}"
mkdir -p "$out/corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/platform" "$here/ParadoxFuzz.cpp" \
    "$root/platform/database/ParadoxCipher.cpp" "$root/platform/database/ParadoxFormat.cpp" \
    "$root/platform/database/ParadoxValues.cpp" -o "$out/paradox-fuzz"
seconds="${1:-0}"
if [ "$seconds" -gt 0 ]; then
    "$out/paradox-fuzz" -max_total_time="$seconds" -max_len=70000 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$out/" -print_final_stats=1 "$out/corpus" "$here/seeds" "$here/../corpus"
fi
