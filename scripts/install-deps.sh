#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine (run as root).
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake make ninja-build python3
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  googletest
  wine wine32:i386 xvfb xauth
  # What Wine only recommends but the installer and its tests use: TLS, the
  # X extensions for monitors, input, cursors and alpha blending, and fonts.
  libgnutls30:i386 libxcomposite1:i386 libxcursor1:i386 libxfixes3:i386 libxi6:i386
  libxinerama1:i386 libxrandr2:i386 libxrender1:i386 fonts-wine fonts-liberation
  nginx openssl
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
