#!/usr/bin/env bash
# No folder of src/ includes one that stands above it (bottom to top below;
# app and batch share the top and include neither each other).
orden=(envio workspace subida client startup editing consolidation notice intake workfile empaque documents app batch)
nivel() {
  local nombre=$1; [ "$nombre" = batch ] && nombre=app
  for i in "${!orden[@]}"; do [ "${orden[$i]}" = "$nombre" ] && { echo "$i"; return; }; done; echo 99
}
cd "${1:-$(dirname "$0")/../src}" || exit 2
fallas=0
for f in */*.h */*.cpp */*/*.h */*/*.cpp; do
  [ -f "$f" ] || continue
  propio=$(nivel "${f%%/*}")
  for otro in $(sed -n 's|^#include "\([a-z]*\)/.*|\1|p' "$f" | sort -u); do
    if [ "$(nivel "$otro")" -gt "$propio" ]; then echo "$f incluye $otro/"; fallas=1; fi
  done
done
exit $fallas
