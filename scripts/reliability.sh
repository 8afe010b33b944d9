#!/usr/bin/env bash
# The reliability checks that CI runs after the normal build and tests, in
# one clang build under AddressSanitizer and UndefinedBehaviorSanitizer:
# the whole test suite, a short hostile soak of the plug-in, and a bounded
# run of each fuzz target. Each step prints the time it took; the README says
# how to run the long versions.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-reliability"
# The soak keeps popup windows open and drawn for much of its run, so each
# frame costs more: this many keep the step within its former time.
soak_frames=120000
fuzz_seconds=60

# Any sanitizer report ends the program with a failure, leaks included.
# The runtime's tracking of dynamic thread-local storage is off: after the
# tests load and unload plug-ins and graphics drivers many times, it can keep
# a record of a freed block that the leak check then reads and crashes on
# ("Tracer caught signal 11"), depending on nothing but the memory layout.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

timed() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  echo "reliability: $name took $((SECONDS - start)) s"
}

build_sanitized() {
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUIL_SANITIZE=ON -DQUIL_FUZZ=ON >/dev/null
  cmake --build "$build" -j"$(nproc)"
}

# The approaches flown with graphics stay out: minutes of software drawing
# each, for laws the flights without graphics take through the sanitizers.
sanitized_suite() {
  (cd "$build" && ctest --output-on-failure -j"$(nproc)" -LE drawn)
}

soak() {
  "$build/bin/quil-soak" --build "$build" --aircraft "$build/aircraft/Quil737/Quil737.acf" \
    --frames "$soak_frames" --seed 1
}

# New inputs collect in the build tree, never in the seed corpus. A finding
# stops the fuzzer with its report and the input that caused it.
fuzz() {
  local target=$1 work="$build/fuzz-work/$1" log="$build/fuzz-work/$1.log"
  mkdir -p "$work"
  if ! "$build/bin/${target}_fuzz" -max_total_time="$fuzz_seconds" -malloc_limit_mb=512 \
      -timeout=10 -print_final_stats=1 -artifact_prefix="$work/" \
      "$work" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 60 "$log"
    return 1
  fi
  echo "fuzz $target: $(grep -o 'number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*') executions, no finding"
}

timed "sanitizer build" build_sanitized
timed "test suite under the sanitizers" sanitized_suite
timed "soak of $soak_frames frames" soak
for target in config png protocol scenario; do
  timed "fuzzing $target" fuzz "$target"
done
