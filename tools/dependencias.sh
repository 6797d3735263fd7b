#!/usr/bin/env bash
# Installs the Debian packages that building, testing, the demo, the Debian package and its check
# with lintian need, when any is missing (the same list as .ci/run).
set -euo pipefail
paquetes=(cmake ninja-build g++ qt6-base-dev libqt6sql6-mysql mariadb-server mariadb-client
          libgl-dev xvfb xauth dpkg-dev file lintian openbox xdotool imagemagick x11-utils
          libxlsxwriter-dev unzip poppler-utils qt6-translations-l10n)
faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
[ ${#faltan[@]} -eq 0 ] && exit 0
echo "Instalando: ${faltan[*]}" >&2
sudo_=""
[ "$(id -u)" -eq 0 ] || sudo_="sudo"
$sudo_ apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
