#!/usr/bin/env bash
# `aviso-lote importar` of a generated 50,000-line INF file beside coreutils
# doing the same reading, tab copy, two-key sort (store, then SKU) and
# durable write, in one run: paired runs, alternating, median of each and
# their ratio. Then the open of a 50,000-line work file without the per-cell
# log (the command bench's AbrirSinTrazaPorCelda row).
#   bench/importar_vs_coreutils.sh [RUNS]   (default 7)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-bench
runs=${1:-7}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DAVISO_BENCH=ON >/dev/null
cmake --build "$dir" -j"${AVISO_JOBS:-1}" --target aviso_bench aviso_generar_inf aviso-lote >/dev/null
export QT_QPA_PLATFORM=offscreen
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/prog"
mapfile -t ordenes < <("$dir/bench/aviso_generar_inf" 50000 "$tmp/pedidos.inf")
lote=("$dir/src/batch/aviso-lote" --carpeta "$tmp/prog" importar "$tmp/pedidos.inf" "${ordenes[@]}" --trabajo "$tmp/t.006")
"${lote[@]}" 2>/dev/null || { echo "aviso-lote importar falló" >&2; exit 1; }
ms() { local a b; a=$(date +%s%N); "$@" >/dev/null 2>&1; b=$(date +%s%N); echo $(((b - a) / 1000)); }
coreutils() { tr ',' '\t' <"$tmp/pedidos.inf" | tail -n +2 | sort -t "$(printf '\t')" -s -k5,5 -k6,6 >"$tmp/c.txt" && sync -d "$tmp/c.txt"; }
lote_una() { rm -f "$tmp/t.006"; "${lote[@]}"; }
a=() c=()
for ((i = 0; i < runs; i++)); do
  c+=("$(ms coreutils)")
  a+=("$(ms lote_una)")
done
mediana() { printf '%s\n' "$@" | sort -n | sed -n "$(($# / 2 + 1))p"; }
ma=$(mediana "${a[@]}") mc=$(mediana "${c[@]}")
printf 'importar 50,000 líneas INF: aviso-lote %.1f ms, coreutils %.1f ms, razón %.2f (mediana de %d pares)\n' \
  "$(echo "$ma / 1000" | bc -l)" "$(echo "$mc / 1000" | bc -l)" "$(echo "$ma / $mc" | bc -l)" "$runs"
"$dir/bench/aviso_bench" --benchmark_filter='AbrirSinTrazaPorCelda/50000' --benchmark_min_time=1 \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_color=false 2>/dev/null |
  sed 's/\x1b\[[0-9;]*m//g' |
  awk '/_median/ { printf "abrir 50,000 líneas sin traza por celda: %s %s (mediana de 5)\n", $2, $3 }'
