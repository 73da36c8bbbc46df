#!/usr/bin/env bash
# Makes the two downloads for Windows users (`make dist`):
#   dist/velquor-<version>.zip        the program folder, to unpack anywhere
#   dist/velquor-<version>-setup.exe  the installer (packaging/velquor.nsi)
# Both hold velquor.exe, the console program velquor-abbild.exe, the 32-bit Orbeno.Exe that
# Velquor copies onto every disc, the help pages in hilfe\ and the license notices in lizenzen\.
#
# VELQUOR_DIST_DIR       where the downloads go (dist)
# VELQUOR_DIST_LAUNCHER  the 32-bit Orbeno.Exe; by default the windows-x86 preset's, built here
# VELQUOR_SIGN_*         a code-signing key, see packaging/sign.sh; without one it stays unsigned
set -eu
cd "$(dirname "$0")/.."

cmake --build --preset windows --target velquor velquor_abbild
default_launcher=build/windows-x86/bin/Orbeno.Exe
launcher=${VELQUOR_DIST_LAUNCHER:-$default_launcher}
if [ "$launcher" = "$default_launcher" ] && grep -q '"name": *"windows-x86"' CMakePresets.json; then
  cmake --preset windows-x86 >/dev/null
  cmake --build --preset windows-x86 --target orbeno
fi
# Every disc must start on any Windows PC, 32-bit ones too.
if ! x86_64-w64-mingw32-objdump -f "$launcher" 2>/dev/null | grep -q 'file format pei-i386'; then
  echo "make-dist: $launcher is no 32-bit Windows program; build it with the windows-x86 preset" \
    "or name it in VELQUOR_DIST_LAUNCHER" >&2
  exit 1
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
bin=build/windows/bin
stage=build/dist/velquor-$version
out=${VELQUOR_DIST_DIR:-dist}
rm -rf build/dist
mkdir -p "$stage/hilfe" "$stage/lizenzen" "$out"
cp "$bin/velquor.exe" "$bin/velquor-abbild.exe" "$stage/"
cp "$launcher" "$stage/Orbeno.Exe"
cp "$bin"/hilfe/* "$stage/hilfe/"

# The notices, as Windows' editor shows them everywhere: UTF-8 with a byte-order mark, CR LF.
notice() {
  { printf '\xef\xbb\xbf'; sed 's/$/\r/' "$2"; } >"$stage/lizenzen/$1"
}
package_version() { dpkg-query -W -f='${Version}' "$1"; }
notice Velquor.txt - <<EOF
Velquor $version
Copyright © Morvane und Jonas Albrecht. Alle Rechte vorbehalten. 1995 - $(date +%Y)

velquor.exe, velquor-abbild.exe und Orbeno.Exe enthalten Teile anderer Urheber, die unter
deren Bedingungen weitergegeben werden. Die Texte stehen in diesem Ordner:

Symbole.txt       Die Bilder der Symbolbibliothek und die Symbole von Velquor und Orbeno.Exe:
                  Fluent Emoji Flat und Flat Color Icons (MIT-Lizenz),
                  Noto Emoji (Apache-Lizenz 2.0).

mingw-w64.txt     Die Laufzeit von MinGW-w64 (Programmstart, C-Laufzeit, Importbibliotheken;
                  in velquor.exe und velquor-abbild.exe auch winpthreads), in allen drei
                  Programmen enthalten.
                  Aus dem Debian-Paket mingw-w64-common $(package_version mingw-w64-common).

GCC-Laufzeit.txt  libgcc (alle drei Programme) und libstdc++ (velquor.exe, velquor-abbild.exe)
                  der GNU Compiler Collection, unter der GPL 3 mit der GCC Runtime Library
                  Exception 3.1.
                  Aus dem Debian-Paket gcc-mingw-w64-base $(package_version gcc-mingw-w64-base).

GPL-3.txt         Die GNU General Public License, Version 3, auf die sich die
                  GCC Runtime Library Exception bezieht.
EOF
notice Symbole.txt resources/icons/NOTICE
notice mingw-w64.txt /usr/share/doc/mingw-w64-common/copyright
notice GCC-Laufzeit.txt /usr/share/doc/gcc-mingw-w64-base/copyright
notice GPL-3.txt /usr/share/common-licenses/GPL-3

if packaging/sign.sh --enabled; then
  packaging/sign.sh "$stage/velquor.exe" "$stage/velquor-abbild.exe" "$stage/Orbeno.Exe"
else
  echo "make-dist: no code-signing key given (VELQUOR_SIGN_PFX or VELQUOR_SIGN_PKCS11_MODULE):" \
    "the downloads are unsigned"
fi

zip=$(realpath "$out")/velquor-$version.zip
rm -f "$zip"
(cd "$stage" && zip -qrX9 "$zip" .)
packaging/make-installer.sh "$stage" "$version" "$out/velquor-$version-setup.exe"
ls -l "$zip" "$out/velquor-$version-setup.exe"
