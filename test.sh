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
# A test that waits on a modal box under heavy load must fail, not hold the run;
# one retry tells a load-bound timer race from a real fault.
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" --timeout 300 --repeat until-pass:2
if [ -x fuzz/run-seeds.sh ]; then fuzz/run-seeds.sh; fi
