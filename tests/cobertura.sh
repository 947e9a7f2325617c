#!/usr/bin/env bash
# Line, function and branch coverage of src/ under the whole suite, in build-cobertura/.
set -uo pipefail
cd "$(dirname "$0")/.."
dir=build-cobertura
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage >/dev/null || exit 1
cmake --build "$dir" -j"${AVISO_JOBS:-$(nproc)}" || exit 1
find "$dir" -name '*.gcda' -delete
# Cases run as nobody write their counts too (and say nothing of a file they
# cannot write): the folders and the count files the others make are open to all.
chmod -R a+rwX "$dir"
umask 000
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" -j"${AVISO_JOBS:-$(nproc)}" >"$dir/ctest.log"
estado=$?
[ $estado -ne 0 ] && grep -A20 "FAILED:" "$dir/ctest.log"
gcovr -r . --filter "$PWD/src/" --exclude '.*_autogen.*' "$dir" -s | tail -3
exit $estado
