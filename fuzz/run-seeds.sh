#!/usr/bin/env bash
# Runs every fuzz harness once over its seed files (fuzz/semillas and the test
# data), in a few seconds. With clang the harnesses are the libFuzzer programs
# of build-fuzz (AddressSanitizer, UBSan); without clang they are plain drivers
# built with the normal compiler under the same sanitizers.
#   fuzz/run-seeds.sh          build (incrementally) and run
#   AVISO_SIN_FUZZ=1 ...       skip
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${AVISO_SIN_FUZZ:-}" ] && exit 0
dir=build-fuzz
if command -v clang++ >/dev/null 2>&1; then
  compiladores=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang)
else
  compiladores=()
fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${compiladores[@]}" -DAVISO_FUZZ=ON -DAVISO_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
objetivos=$(sed -n 's/^set(harnesses \(.*\))$/\1/p' fuzz/CMakeLists.txt)
cmake --build "$dir" -j"${AVISO_JOBS:-$(nproc)}" --target $objetivos >/dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp
# Each harness's seeds: fuzz/semillas/NAME, and test files of its kind.
declare -A mas=([fuzz_inf]="tests/data/intake tests/golden/importar/entrada" [fuzz_tab]=tests/data/intake
                [fuzz_trabajo]="tests/data/batch tests/golden/abrir/entrada"
                [fuzz_revisar]="tests/golden/revisar/entrada tests/data/batch"
                [fuzz_recuperacion]=tests/data/recuperacion)
fallas=0
for h in $objetivos; do
  dirs=()
  for d in "fuzz/semillas/${h#fuzz_}" ${mas[$h]:-}; do [ -d "$d" ] && dirs+=("$d"); done
  if ! "$dir/fuzz/$h" -runs=0 "${dirs[@]}" >"$dir/$h.log" 2>&1; then
    echo "FALLA $h (ver $dir/$h.log)"
    tail -30 "$dir/$h.log"
    fallas=1
  else
    echo "$h: semillas sin falla"
  fi
done
exit $fallas
