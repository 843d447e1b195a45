#!/usr/bin/env bash
# Builds the installer and its tests, then runs every test under Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/build.sh" "$@"
cd "$root/build"
ctest --output-on-failure --timeout 900
