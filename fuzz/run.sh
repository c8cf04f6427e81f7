#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang in build-fuzz, replays the seed
# corpus in fuzz/corpus, then fuzzes each target for a while. Fails when any
# input crashes, hangs or breaks a checked property; the input is kept in
# build-fuzz/fuzz-artifacts for replaying with `build-fuzz/fuzz_<target> <file>`.
#
#   fuzz/run.sh [SECONDS]          each target for SECONDS (default 60)
#   fuzz/run.sh SECONDS TARGET...  only the named targets (trivia, notes, profile, commandline)
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_PER_TARGET=${1:-60}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(trivia notes profile commandline)
BUILD=${BRISALOO_FUZZ_BUILD:-build-fuzz}

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DBRISALOO_BUILD_FUZZ=ON -DBRISALOO_BUILD_TESTS=OFF
cmake --build "$BUILD" --target fuzzers

# Inputs up to the size of the largest seed and then some: the notes and
# trivia seeds include files past the 2,000 notes and 4,999 entries.
max_len() {
  case "$1" in
    notes) echo 12288 ;;
    trivia) echo 8192 ;;
    *) echo 4096 ;;
  esac
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${TARGETS[@]}"; do
  fuzzer="$BUILD/fuzz_$target"
  seeds="fuzz/corpus/$target"
  # New finds go to a working corpus in the build tree, never into the repository.
  work="$BUILD/fuzz-corpus/$target"
  artifacts="$BUILD/fuzz-artifacts/$target"
  mkdir -p "$work" "$artifacts"
  common=(-max_len="$(max_len "$target")" -timeout=10 -rss_limit_mb=2048
          -artifact_prefix="$artifacts/" -print_final_stats=1)

  echo "== fuzz_$target: replaying $seeds =="
  if ! "$fuzzer" "${common[@]}" -runs=0 "$seeds"; then
    failed+=("$target (seed corpus)")
    continue
  fi
  echo "== fuzz_$target: ${SECONDS_PER_TARGET}s =="
  if ! "$fuzzer" "${common[@]}" -max_total_time="$SECONDS_PER_TARGET" "$work" "$seeds"; then
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing failed: ${failed[*]}; inputs in $BUILD/fuzz-artifacts" >&2
  exit 1
fi
echo "fuzzing passed: ${TARGETS[*]}, ${SECONDS_PER_TARGET}s each"
