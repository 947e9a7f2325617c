#!/usr/bin/env bash
# Runs a program inside a private D-Bus session with its own Secret Service:
#   con_almacen.sh PROGRAM [ARGS...]
# gnome-keyring-daemon gets a fresh home (its keyrings live there) and the
# keyring's password on standard input, so the login keyring opens unlocked.
set -euo pipefail
casa=$(mktemp -d) && trap 'rm -rf "$casa"' EXIT
export HOME=$casa XDG_RUNTIME_DIR=$casa XDG_DATA_HOME=$casa/datos
unset DISPLAY WAYLAND_DISPLAY
exec dbus-run-session -- bash -c '
  printf "clave-del-llavero" | gnome-keyring-daemon --unlock --components=secrets >/dev/null
  "$@"' _ "$@"
