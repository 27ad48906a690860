#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz into build-fuzz/ and runs each for SECONDS
# (default 30), one after the other; exits non-zero when any target finds an input that breaks
# it. New inputs collect in build-fuzz/corpus/, findings in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${1:-30}
jobs=${PACKWELL_JOBS:-2}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DPACKWELL_FUZZ=ON -DPACKWELL_BASE_URL=http://127.0.0.1:9 "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$jobs" --target packwell_fuzz

failed=()
for seeds in tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus" build-fuzz/findings
  echo "== fuzz_$target for ${seconds}s"
  # The first folder takes what the run finds new; the seeds in the repository stay as they are.
  if build-fuzz/tests/fuzz/fuzz_"$target" "$corpus" "$seeds" -dict=tests/fuzz/dict/"$target".dict \
    -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/findings/"$target"- >build-fuzz/fuzz_"$target".log 2>&1; then
    grep -h 'stat::number_of_executed_units' build-fuzz/fuzz_"$target".log | sed "s/^/fuzz_$target: /" || true
  else
    tail -n 40 build-fuzz/fuzz_"$target".log
    failed+=("$target")
  fi
done
if ((${#failed[@]})); then
  echo "Findings in: ${failed[*]} (inputs in build-fuzz/findings/, logs in build-fuzz/fuzz_*.log)" >&2
  exit 1
fi
