#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine (run as root).
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake make ninja-build python3
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  googletest
  wine wine32 xvfb xauth
  nginx openssl
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
for p in "${packages[@]}"; do
  name=$p
  [ "$p" = wine32 ] && name=wine32:i386
  dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' || missing+=("$name")
done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
