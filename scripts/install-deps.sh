#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the test suite need.
# Idempotent: asks apt only for what is missing. Runs as root or through sudo.
set -euo pipefail

BUILD_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
  fonts-liberation fonts-dejavu-core
)
TEST_PACKAGES=(
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  gputils
  xvfb openbox xdotool x11-utils imagemagick adwaita-qt6
  dbus at-spi2-core python3-pyatspi xclip
  desktop-file-utils appstream lintian dpkg-dev file shared-mime-info xdg-utils libfile-mimeinfo-perl
)

want=("${BUILD_PACKAGES[@]}")
if [[ "${1:-}" == "--test" ]]; then
  want+=("${TEST_PACKAGES[@]}")
fi

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing Debian packages: ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "error: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
