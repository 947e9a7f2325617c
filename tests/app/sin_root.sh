#!/bin/sh
# Runs a window script as an ordinary user: as root, as nobody (permissions
# mean nothing to root); otherwise as it is. As nobody it runs from a copy of
# the program and of the case in a folder anyone can read, wherever the
# checkout lies (a checkout under /root is closed to nobody).
#   sin_root.sh PROGRAMA CASO
if [ "$(id -u)" != 0 ]; then exec "$@"; fi
programa=$1 caso=$2 aqui=$(pwd)
nombre=$(basename "$caso")
copia=$(mktemp -d) || exit 2
trap 'rm -rf "$copia"' EXIT
cp "$programa" "$copia/" && cp -r "$caso" "$copia/$nombre" || exit 2
chmod -R a+rwX "$copia"
cd "$copia" || exit 2
setpriv --reuid=nobody --regid=nogroup --clear-groups "$copia/$(basename "$programa")" "$copia/$nombre"
estado=$?
# What the run wrote goes back where the caller looks for it.
if [ "${AVISO_GOLDEN:-}" = escribir ]; then cp "$copia/$nombre/salida" "$caso/salida"; fi
if [ -f "$copia/$nombre.salida" ]; then cp "$copia/$nombre.salida" "$aqui/" 2>/dev/null; fi
exit $estado
