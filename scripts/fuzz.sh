#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets of tests/fuzz (the "fuzz" preset: clang with libFuzzer, ASan and UBSan, in
# build-fuzz/) and runs each for SECONDS (default 20), then reports the executions of each.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     TARGET: a name as in tests/fuzz/<name>_fuzz.cpp
#
# FUZZ_JOBS targets run side by side (default 2). The inputs that reach new code are kept in
# build-fuzz/fuzz-corpus/<target>/, so later runs go on from there; the seeds (tests/fuzz/make_seeds.sh)
# and the inputs that once found a fault (tests/fuzz/regressions/<target>/) are read at every start.
# An input that makes a target fail is saved in build-fuzz/fuzz-artifacts/ and the exit status is 1.
# Without clang and libFuzzer (scripts/install-deps.sh installs them) nothing is run and the status is 0.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift $(($# > 0 ? 1 : 0))
case $seconds in
  '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2; exit 2 ;;
esac
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then # every target that tests/fuzz/CMakeLists.txt builds
  mapfile -t targets < <(sed -n 's/^trimvox_fuzz_target(\([a-z0-9_]*\).*/\1/p' tests/fuzz/CMakeLists.txt)
fi
jobs=${FUZZ_JOBS:-2}

# clang and its libFuzzer runtime (Debian: clang and libclang-rt-dev).
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  >"$probe/probe.cpp"
if ! command -v clang++ >/dev/null 2>&1 ||
  ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1; then
  echo "fuzz: skipped (no clang++ with libFuzzer; scripts/install-deps.sh installs them)"
  exit 0
fi

build=build-fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/%/_fuzz}"

seeds=$build/fuzz-seeds
rm -rf "$seeds"
bash tests/fuzz/make_seeds.sh "$seeds"
mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"

run() { # target: runs it for $seconds; its log in fuzz-logs/<target>.log
  local t=$1 corpus=$build/fuzz-corpus/$1 dirs
  mkdir -p "$corpus" "$seeds/$t"
  dirs=("$corpus" "$seeds/$t")
  if [ -d "tests/fuzz/regressions/$t" ]; then dirs+=("tests/fuzz/regressions/$t"); fi
  "$build/tests/fuzz/${t}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$t-" "${dirs[@]}" \
    >"$build/fuzz-logs/$t.log" 2>&1
}

echo "fuzz: ${#targets[@]} targets, ${seconds} s each, $jobs at a time"
declare -A status
pending=("${targets[@]}")
while [ ${#pending[@]} -gt 0 ]; do
  batch=("${pending[@]:0:$jobs}")
  pending=("${pending[@]:$jobs}")
  declare -A pids=()
  for t in "${batch[@]}"; do
    run "$t" &
    pids[$t]=$!
  done
  for t in "${batch[@]}"; do
    if wait "${pids[$t]}"; then status[$t]=ok; else status[$t]=FAILED; fi
  done
  unset pids
done

final_stat() { # log name: the value of libFuzzer's final statistic
  sed -n "s/^stat::$2: *//p" "$1" | tail -1
}
passed=0
failed=0
printf '%-20s %14s %10s %8s  %s\n' target executions exec/s corpus result
for t in "${targets[@]}"; do
  log=$build/fuzz-logs/$t.log
  corpus=$(find "$build/fuzz-corpus/$t" -type f | wc -l)
  printf '%-20s %14s %10s %8s  %s\n' "$t" "$(final_stat "$log" number_of_executed_units)" \
    "$(final_stat "$log" average_exec_per_sec)" "$corpus" "${status[$t]}"
  if [ "${status[$t]}" = ok ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "---- $t (log $log):"
    grep -E -A25 'ERROR:|check failed|runtime error' "$log" | head -60 || tail -30 "$log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
