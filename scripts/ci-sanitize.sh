#!/usr/bin/env bash
# The second half of CI: the whole suite built again with clang 14 (warnings are errors there
# too) under AddressSanitizer and UndefinedBehaviorSanitizer, every test run in it, each fuzz
# target run for FUZZ_SECONDS (default 60) on its corpus, then the serial port and engine tests
# (tests/link) under ThreadSanitizer. Any sanitizer report, failed test or fuzz finding fails,
# with the reproducer printed.
#   scripts/ci-sanitize.sh [asan|fuzz|tsan ...]   (default: all three, in that order)
# Builds go to build-asan/ and build-tsan/; ccache is used where it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(asan fuzz tsan)
fuzz_seconds=${FUZZ_SECONDS:-60}
jobs=$(nproc)
fuzz_targets=(fuzz_response_decoders fuzz_survey_reader fuzz_value_texts fuzz_sim_request_parser
              fuzz_survey_round_trip)

install_tools() {
  local packages=(clang libclang-rt-14-dev llvm) missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

stamp() { echo "== $(date -u +%H:%M:%S) $*"; }

# clang configure of the whole project; $1 build dir, $2 sanitizer flags.
configure() {
  local launcher=()
  if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$root"
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$1" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCMAKE_CXX_FLAGS="$2 -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="$3" -DORVESSA_WERROR=ON "${@:4}" "${launcher[@]}" >/dev/null
}

export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer || true)}
# Leak checking is off: Qt keeps its own allocations (plugins, the font database, thread data)
# until exit on purpose, and the program's own ownership is plain (one main window owns all).
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

# Sanitizer reports go to files of their own, so that a report fails the run even in a test whose
# retry passed: timing tests get up to three tries here, as the sanitizers slow the program
# several times (the plain build in scripts/test.sh runs them once, without retry).
reports_dir() {
  rm -rf "$1" && mkdir -p "$1"
}
check_reports() {
  local found=0 f
  for f in "$1"/*; do
    [ -e "$f" ] || continue
    found=1
    echo "---- sanitizer report $f"
    cat "$f"
  done
  [ $found -eq 0 ] || { echo "sanitizer reports found (above)"; return 1; }
}

asan() {
  stamp "clang + address/undefined sanitizers: build"
  # Coverage instrumentation (fuzzer-no-link) on everything, so the fuzz targets of the same
  # build see the program's branches; the tests run with it too, at little cost.
  configure build-asan "-fsanitize=address,undefined -fno-sanitize-recover=all -fsanitize=fuzzer-no-link" \
    "-fsanitize=address,undefined" -DORVESSA_BENCH=ON
  cmake --build build-asan -j "$jobs"
  stamp "clang + address/undefined sanitizers: tests"
  local reports=$root/build-asan/sanitizer-reports status=0
  reports_dir "$reports"
  (cd build-asan &&
   ASAN_OPTIONS="$ASAN_OPTIONS:log_path=$reports/asan" UBSAN_OPTIONS="$UBSAN_OPTIONS:log_path=$reports/ubsan" \
     ctest --output-on-failure -j "$jobs" --timeout 600 --repeat until-pass:3) || status=1
  check_reports "$reports" || status=1
  return $status
}

fuzz() {
  local failed=() name out log
  for name in "${fuzz_targets[@]}"; do
    stamp "fuzz $name for ${fuzz_seconds}s"
    out=build-asan/fuzz-runs/$name
    rm -rf "$out" && mkdir -p "$out/corpus"
    log=$out/log.txt
    # New inputs go to the scratch corpus; the committed one is only read. Slow inputs (the
    # survey reader's 30000-line files) are picked less often, or they would take most of the time.
    if ! build-asan/fuzz/$name -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
        -entropic_scale_per_exec_time=1 \
        -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus" "fuzz/corpus/$name" >"$log" 2>&1; then
      failed+=("$name")
      tail -n 60 "$log"
      for artifact in "$out"/crash-* "$out"/leak-* "$out"/timeout-* "$out"/oom-*; do
        [ -e "$artifact" ] || continue
        echo "reproducer $artifact ($(stat -c %s "$artifact") bytes), base64:"
        base64 -w 76 "$artifact"
        echo "run again: build-asan/fuzz/$name $artifact"
      done
    fi
    grep -E "^#[0-9]+.*(DONE|INITED)|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" "$log" || true
  done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz findings in: ${failed[*]}"
    return 1
  fi
}

tsan() {
  stamp "clang + thread sanitizer: build of the serial port and engine tests"
  configure build-tsan "-fsanitize=thread" "-fsanitize=thread" -DORVESSA_BENCH=OFF -DORVESSA_FUZZ=OFF
  cmake --build build-tsan -j "$jobs" --target link_tests
  stamp "clang + thread sanitizer: tests/link"
  local reports=$root/build-tsan/sanitizer-reports log=$root/build-tsan/link_tests.log filter='*' try status=1
  reports_dir "$reports"
  # The one suppression is explained in the file. Tests that fail are tried again (twice at most);
  # one that still fails is listed but does not fail this stage, which looks for races only: the
  # thread sanitizer slows the program five to ten times, past what the link timing tests allow
  # on a busy machine (they run without it, and must pass, in scripts/test.sh and the asan stage).
  # A race report, or a test binary that dies, fails it.
  for try in 1 2 3; do
    if TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:log_path=$reports/tsan:suppressions=$root/scripts/tsan-qt-handover.supp" \
        build-tsan/tests/link/link_tests --gtest_brief=1 --gtest_filter="$filter" >"$log" 2>&1; then
      status=0
      break
    fi
    cat "$log"
    filter=$(grep -oE '^\[  FAILED  \] [^ ]+ \([0-9]+ ms\)' "$log" | cut -d' ' -f6 | paste -sd: -)
    [ -n "$filter" ] || break   # no test failed, the process did: nothing to try again
    echo "trying again: $filter"
  done
  if [ $status -ne 0 ] && [ -n "$filter" ] && grep -q '^\[  PASSED  \]\|^\[  FAILED  \]' "$log"; then
    echo "timing failures under the thread sanitizer, not counted: $filter"
    status=0
  fi
  check_reports "$reports" || status=1
  return $status
}

install_tools
failed=()
for stage in "${stages[@]}"; do
  start=$SECONDS
  "$stage" || failed+=("$stage")
  stamp "$stage took $((SECONDS - start)) s"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]}"
  exit 1
fi
