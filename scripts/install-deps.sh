#!/usr/bin/env bash
# Installs the Debian packages Kalendra builds and runs with, when any is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  # The install's icons and manual pages, the Debian package, and the desktop's validators.
  librsvg2-bin gzip dpkg-dev lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin file man-db
  libgtest-dev libgmock-dev libbenchmark-dev libical-dev libcurl4-openssl-dev libxml2-dev
  clang-format tzdata python3 imagemagick
  qt6-base-dev libgl-dev
  xvfb xauth xdotool xdg-utils fonts-ipafont-gothic fonts-noto-cjk
  radicale curl python3-icalendar
  # The reminder's test: a private session bus and a notification service written in Python.
  dbus python3-dbus python3-gi
  # Qt's own choosers and buttons in Japanese (qtbase_ja.qm).
  qt6-translations-l10n
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then sudo="sudo"; else
    echo "Missing packages (${missing[*]}) and not root: install them with apt-get." >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
