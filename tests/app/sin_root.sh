#!/bin/sh
# Runs a command as an ordinary user: as root, as nobody (permissions mean
# nothing to root); otherwise as it is.
if [ "$(id -u)" = 0 ]; then
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
fi
exec "$@"
