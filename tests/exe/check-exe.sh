#!/usr/bin/env bash
# Checks the built installer as a file: a 32-bit Windows GUI program that
# imports only system DLLs and carries its manifest and resources.
#   check-exe.sh PellucorSetup.exe
set -euo pipefail
exe=$1
fail() { echo "FAIL: $*"; exit 1; }

headers=$(i686-w64-mingw32-objdump -p "$exe")
grep -q "file format pei-i386" <<<"$headers" || fail "not a PE32 i386 image"
grep -qE "^Magic\s+010b" <<<"$headers" || fail "not PE32"
grep -qE "^Subsystem\s+0+2\s" <<<"$headers" || fail "not a GUI program"

allowed="advapi32 comctl32 gdi32 gdiplus kernel32 msvcrt ole32 shell32 shlwapi user32 wininet winhttp"
for dll in $(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers"); do
  grep -qw "${dll%.dll}" <<<"$allowed" || fail "imports $dll, which is no Windows system DLL"
done

rc=$(mktemp --suffix=.rc)
trap 'rm -f "$rc"' EXIT
i686-w64-mingw32-windres -i "$exe" -o "$rc"
grep -q "^129 DIALOGEX 0, 0, 365, 215" "$rc" || fail "dialog 129 missing"
grep -q "^128 14 " "$rc" || fail "icon 128 missing"
grep -q '^253 "INI"' "$rc" || fail "language file missing"
for id in 202 207 213 214 215 239 240 243 244 263 273 283 293 303 313 323 333 343 353 363 373 383 393 403 413; do
  grep -q "^$id \"PNG\"" "$rc" || fail "image $id missing"
done
grep -q 'requestedExecutionLevel level=""requireAdministrator""' "$rc" || fail "manifest does not ask for administrator rights"
grep -q 'Microsoft.Windows.Common-Controls"" version=""6.0.0.0""' "$rc" || fail "manifest does not ask for common controls 6"
echo "installer file checks: ok"
