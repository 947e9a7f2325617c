#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through CTest.
#   ./test.sh          normal build in build/
#   ./test.sh --asan   the same under AddressSanitizer and UBSan, in build-asan/
set -euo pipefail
cd "$(dirname "$0")"
./deps.sh
dir=build
extra=()
if [ "${1:-}" = "--asan" ]; then
  dir=build-asan
  extra=(-DAVISO_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# Each test runs once: a failure is a fault. A test that hangs fails at the
# timeout instead of holding the run.
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" --timeout 300
if [ -x fuzz/run-seeds.sh ]; then fuzz/run-seeds.sh; fi
