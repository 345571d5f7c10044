#!/bin/bash
# Installs, on Debian, what building, running and testing need, when it is
# missing: the mingw-w64 cross compilers, Wine, Xvfb, mscompress, xorriso
# for the disc image and fuseiso to mount it for the CD-drive scenario, the
# test framework's sources, fonts (CJK included), the locales the
# language tests and the demo run under and Python for the 95/98/Me call check.
set -euo pipefail

packages=(
  cmake make ninja-build
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  googletest
  wine wine64 wine32:i386
  xvfb xauth x11-utils imagemagick
  mscompress xorriso fuseiso
  locales fonts-liberation fonts-noto-cjk fonts-dejavu-core
  python3
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  # A mirror in mid-sync fails one index now and then; try again, and go on
  # with what was fetched: the install itself says if a package is missing.
  for attempt in 1 2 3; do
    $sudo apt-get update -q && break
    echo "apt-get update failed (attempt $attempt of 3)" >&2
    sleep $((attempt * 5))
  done
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes the user's language and code page from the Unix locale, which
# must exist: those the language tests run under, and the others of the
# demo's eight languages.
need_locales=()
for l in de_DE ja_JP zh_TW fr_FR es_MX pt_BR pt_PT; do
  locale -a 2>/dev/null | grep -qi "^${l}.utf-\?8$" || need_locales+=("$l")
done
if [ ${#need_locales[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  for l in "${need_locales[@]}"; do
    $sudo sed -i "s/^# *\(${l}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${l}.UTF-8 UTF-8" /etc/locale.gen || echo "${l}.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  done
  $sudo locale-gen >/dev/null
fi
