#!/usr/bin/env bash
# Configures and builds everything into build/ (pass extra CMake options, e.g.
# -DPELLUCOR_DOWN_URL=...). Installs the build's packages first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja "$@" >/dev/null
cmake --build "$root/build" -j2
