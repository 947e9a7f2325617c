#!/usr/bin/env bash
# Installs what is missing, builds and starts the window.
set -euo pipefail
cd "$(dirname "$0")"
./deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target aviso -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No hay pantalla (DISPLAY); se abre la ventana en un Xvfb."
  exec xvfb-run -a -s "-screen 0 1280x800x24" ./build/src/app/aviso "$@"
fi
exec ./build/src/app/aviso "$@"
