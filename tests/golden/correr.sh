#!/usr/bin/env bash
# One golden case of aviso-lote: correr.sh AVISO_LOTE CASO
#   CASO/entrada/   files copied into a fresh program folder (also the working folder)
#   CASO/comandos   one command line a line (bash quoting); run with --carpeta and
#                   --hoy 07/12/2026 in front, or as written when it begins with "-- ";
#                   a line "! ..." is a shell step in the folder (files set up between commands)
#   CASO/salida     what the run prints: each line, its messages, "= status"; then the files left
#   CASO/esperado/  files that must come out byte for byte
#   CASO/registro   (optional) the log lines, date and time cut off
# A shell step may run the program itself as "$AVISO_LOTE", and as an ordinary user
# with como_usuario (privileges dropped when the suite runs as root; the case's
# folder is then opened to everyone).
# AVISO_GOLDEN=escribir rewrites salida, registro and the files of esperado/ from the run.
set -uo pipefail
lote=$(realpath "$1") caso=$(realpath "$2")
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
export AVISO_LOTE=$lote
como_usuario() {
  if [ "$(id -u)" = 0 ]; then
    chmod 755 "$tmp"
    # nobody runs a copy of the program: the checkout may lie where it cannot reach.
    local programa=$1 bin r; shift
    bin=$(mktemp -d) && chmod 755 "$bin" && cp "$programa" "$bin/" || return 2
    setpriv --reuid=nobody --regid=nogroup --clear-groups "$bin/$(basename "$programa")" "$@"; r=$?
    rm -rf "$bin"; return $r
  else "$@"; fi
}
export -f como_usuario; export tmp
[ -d "$caso/entrada" ] && cp -r "$caso/entrada/." "$tmp/"
obtenido=$tmp.salida && trap 'rm -rf "$tmp" "$tmp.salida"' EXIT
while IFS= read -r linea; do
  [[ -z "$linea" || "$linea" == \#* ]] && continue
  if [[ "$linea" == "! "* ]]; then echo "$linea"; (cd "$tmp" && eval "${linea#! }"); continue; fi
  if [[ "$linea" == "-- "* ]]; then eval "args=(${linea#-- })"
  else eval "args=(--carpeta \"\$tmp\" --hoy 07/12/2026 $linea)"; fi
  echo "\$ $linea"
  (cd "$tmp" && "$lote" "${args[@]}" 2>&1 </dev/null); echo "= $?"
done <"$caso/comandos" | sed "s|$tmp|DIR|g" >"$obtenido"
(cd "$tmp" && find . -type f | sort | sed 's|^\./|archivo: |') >>"$obtenido"
registro() { cat "$tmp"/Log/* 2>/dev/null | iconv -f WINDOWS-1252 -t UTF-8 | sed "s/^[^,]*, //; s/\r\$//; s|$tmp|DIR|g"; }
if [ "${AVISO_GOLDEN:-}" = escribir ]; then
  cp "$obtenido" "$caso/salida"
  [ -f "$caso/registro" ] && registro >"$caso/registro"
  [ -d "$caso/esperado" ] && (cd "$caso/esperado" && find . -type f | while read -r f; do cp "$tmp/$f" "$f"; done)
  exit 0
fi
falla=0
diff -u "$caso/salida" "$obtenido" || falla=1
[ -f "$caso/registro" ] && { registro | diff -u "$caso/registro" - || falla=1; }
if [ -d "$caso/esperado" ]; then
  while read -r f; do cmp "$caso/esperado/$f" "$tmp/$f" || falla=1; done < <(cd "$caso/esperado" && find . -type f)
fi
exit $falla
