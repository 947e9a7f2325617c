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
semillas() {
  case "$1" in
    fuzz_inf) echo fuzz/semillas/inf tests/data/intake ;;
    fuzz_tab) echo fuzz/semillas/tab tests/data/intake ;;
    fuzz_ajustes) echo fuzz/semillas/ajustes ;;
    fuzz_aviso) echo fuzz/semillas/aviso ;;
    fuzz_trabajo) echo fuzz/semillas/trabajo tests/data/batch ;;
    fuzz_escritura) echo fuzz/semillas/escritura ;;
    fuzz_pegar) echo fuzz/semillas/pegar ;;
    fuzz_lote) echo fuzz/semillas/lote ;;
    fuzz_revisar) echo tests/golden/revisar/entrada tests/data/batch ;;
  esac
}
fallas=0
for h in $objetivos; do
  dirs=()
  for d in $(semillas "$h"); do [ -d "$d" ] && dirs+=("$d"); done
  if ! "$dir/fuzz/$h" -runs=0 "${dirs[@]}" >"$dir/$h.log" 2>&1; then
    echo "FALLA $h (ver $dir/$h.log)"
    tail -30 "$dir/$h.log"
    fallas=1
  else
    echo "$h: semillas sin falla"
  fi
done
exit $fallas
