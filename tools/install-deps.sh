#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Velquor need, and the German
# locale that Wine takes its user locale from (our users run a German Windows).
# Does nothing when all of it is present.
set -eu

packages=(
  cmake ninja-build make g++ googletest
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine64 xvfb xauth imagemagick locales
  nsis osslsigncode zip unzip openssl
  xorriso genisoimage 7zip udftools udfclient python3-pycdlib
)
locale_entry="de_DE.UTF-8 UTF-8"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  $sudo apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

# `locale -a` names it de_DE.utf8.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8"
  # Enabled in /etc/locale.gen, so that a later locale-gen (a locales upgrade) keeps it.
  if grep -q "^$locale_entry\$" /etc/locale.gen 2>/dev/null; then
    : # enabled, only not generated
  elif grep -q "^# *$locale_entry\$" /etc/locale.gen 2>/dev/null; then
    $sudo sed -i "s/^# *$locale_entry\$/$locale_entry/" /etc/locale.gen
  else
    echo "$locale_entry" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen --keep-existing
fi
