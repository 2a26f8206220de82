#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program. The last entry of the port list
# ("Тип порта") is the built-in gauge emulator, so every page can be used without gauges.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program on a virtual X server (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/src/shell/Orvessa
fi
exec build/src/shell/Orvessa
