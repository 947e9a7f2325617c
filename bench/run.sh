#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench) and prints one table: the
# commands on 5,000 and 50,000 generated lines, one log line beside a bare
# open-append-close, and the peak memory of the window holding 50,000 lines;
# then the window bench: the main window's commands at 5,000 and 50,000 lines
# beside aviso-lote on the same files.
#   bench/run.sh [benchmark options, e.g. --benchmark_filter=Validar]
#   AVISO_SOLO_VENTANA=1 bench/run.sh   the window bench alone
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-bench
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DAVISO_BENCH=ON >/dev/null
cmake --build "$dir" -j"${AVISO_JOBS:-1}" --target aviso_bench aviso_memoria aviso_ventana aviso_banco_empaque aviso-lote >/dev/null
export QT_QPA_PLATFORM=offscreen
if [ -n "${AVISO_SOLO_VENTANA:-}" ]; then
  exec "$dir/bench/aviso_ventana" --lote "$dir/src/batch/aviso-lote"
fi
# The detail log of Google Benchmark goes to stderr; the table to stdout.
"$dir/bench/aviso_bench" --benchmark_min_time=1 --benchmark_repetitions=3 "$@" 2>/dev/null | sed -n '/^| comando/,$p'
echo
for n in 5000 50000; do
  salida=$(/usr/bin/time -v "$dir/bench/aviso_memoria" "$n" 2>&1)
  kb=$(echo "$salida" | sed -n 's/.*Maximum resident set size (kbytes): //p')
  vacio=$(echo "$salida" | sed -n 's/^VmHWM antes \([0-9]*\) kB/\1/p')
  importado=$(echo "$salida" | sed -n 's/^VmHWM con el envio \([0-9]*\) kB/\1/p')
  echo "Ventana con $n líneas: memoria máxima $((kb / 1024)) MB (ventana vacía $((vacio / 1024)) MB," \
    "tras importar $((importado / 1024)) MB, después aviso, guardar y abrir)"
  echo "$salida" | grep -q "comando fallido" && echo "ERROR: un comando de la ventana falló con $n líneas"
done
echo
"$dir/bench/aviso_ventana" --lote "$dir/src/batch/aviso-lote"
echo
"$dir/bench/aviso_banco_empaque" --lote "$dir/src/batch/aviso-lote"
