#!/usr/bin/env bash
# Installs the Debian packages the build needs, when some are missing.
set -euo pipefail
paquetes=(build-essential cmake qt6-base-dev qt6-base-dev-tools libgl-dev libgtest-dev libgmock-dev googletest
          libbenchmark-dev xvfb xauth libzint-dev fonts-dejavu-core poppler-utils zbar-tools gcovr
          qtkeychain-qt6-dev libsecret-1-0 gnome-keyring dbus-daemon libsecret-tools
          libcurl4-openssl-dev libssl-dev openssh-server openssh-client vsftpd openssl python3 util-linux passwd
          qt6-multimedia-dev)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Instalando: ${faltan[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${faltan[@]}"
fi
