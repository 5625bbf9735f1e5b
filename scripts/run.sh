#!/usr/bin/env bash
# Sets up everything on a fresh Debian 12 machine, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "error: no display: the program opens a window and needs an X11 or Wayland session" >&2
  echo "       (DISPLAY and WAYLAND_DISPLAY are both unset). It is built at build/default/app/kelvo-barre." >&2
  exit 1
fi
exec build/default/app/kelvo-barre
