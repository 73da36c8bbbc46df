#!/usr/bin/env bash
# Tests the downloads (`make test-dist`): builds them signed with a certificate made here, checks
# the signatures, unpacks the zip and starts the program, installs an older version and this one
# over it under Wine, starts the installed program and uninstalls it. A Wine prefix of its own,
# made afresh each run, so nothing of an earlier run counts.
set -eu
cd "$(dirname "$0")/.."
export LC_ALL=C  # the listings below sort as written
work=$PWD/build/dist-test
rm -rf "$work"
mkdir -p "$work"
export VELQUOR_WINE_HOME=$work/wine VELQUOR_WINE_PRIVATE_DISPLAY=1 VELQUOR_WINE_UNMANAGED=1
trap 'cmake/wine-run.sh --teardown' EXIT
cmake/wine-run.sh --setup
failures=0
fail() { echo "test-dist: FAIL: $*" >&2; failures=$((failures + 1)); }
wine() { cmake/wine-run.sh "$@"; }
start_check() { wine build/windows/bin/velquor_start_check.exe "Z:${1//\//\\}" || fail "$2"; }

# A code-signing certificate of our own, as a PKCS#12 file with a password.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velquor Test" -keyout "$work/key.pem" \
  -out "$work/cert.pem" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/sign.pfx" \
  -passout pass:vq-test
VELQUOR_SIGN_PFX=$work/sign.pfx VELQUOR_SIGN_PASSWORD=vq-test VELQUOR_DIST_DIR=$work/out \
  packaging/make-dist.sh >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null || fail "$1 unsigned"; }

# The zip: the program folder, unpacked into a folder with a blank, signed and running.
unpacked="$work/ein Ordner"
unzip -q "$work/out/velquor-$version.zip" -d "$unpacked"
expected="Orbeno.Exe hilfe lizenzen velquor-abbild.exe velquor.exe |"
expected+=" GCC-Laufzeit.txt GPL-3.txt Symbole.txt Velquor.txt mingw-w64.txt"
[ "$(cd "$unpacked" && echo * \| $(ls lizenzen))" = "$expected" ] ||
  fail "zip holds $(ls -R "$unpacked")"
terms=$(printf '\xef\xbb\xbfVelquor %s\r\nCopyright \xc2\xa9 Morvane und Jonas Albrecht.' "$version")
[ "$(head -c ${#terms} "$unpacked/lizenzen/Velquor.txt")" = "$terms" ] ||
  fail "Velquor's terms"
diff -r build/windows/bin/hilfe "$unpacked/hilfe" || fail "zip: help pages differ"
x86_64-w64-mingw32-objdump -f "$unpacked/Orbeno.Exe" | grep -q pei-i386 ||
  fail "launcher not 32-bit"
verify "$unpacked/velquor.exe"
verify "$unpacked/velquor-abbild.exe"
verify "$unpacked/Orbeno.Exe"
verify "$work/out/velquor-$version-setup.exe"
start_check "$unpacked/velquor.exe" "the unpacked velquor.exe did not show its window"
wine "$unpacked/velquor-abbild.exe" /? | grep -q '^velquor-abbild <Projektordner>' ||
  fail "the unpacked velquor-abbild.exe did not show its usage"

# An older version with a file this one no longer has, then this one over it.
cp -r "build/dist/velquor-$version" "$work/old"
echo alt >"$work/old/hilfe/alt.htm"
packaging/make-installer.sh "$work/old" 1.0.0.0 "$work/old-setup.exe" >/dev/null
wine "$work/old-setup.exe" /S || fail "old setup failed"
wine "$work/out/velquor-$version-setup.exe" /S || fail "setup failed"

drive_c=$VELQUOR_WINE_HOME/prefix/drive_c
folder="$drive_c/Program Files/Velquor"
link="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velquor.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velquor'
list() { (cd "$1" && find . -type f | sort); }
diff -r -x uninst.exe "$unpacked" "$folder" || fail "installed files differ from the zip's"
[ -f "$folder/uninst.exe" ] || fail "no uninstaller"
[ -f "$link" ] || fail "no Start menu link"
verify "$folder/uninst.exe"
C='C:\Program Files\Velquor'
cat >"$work/entry" <<EOF
HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velquor
    DisplayIcon    REG_SZ    $C\\velquor.exe,0
    DisplayName    REG_SZ    Velquor
    DisplayVersion    REG_SZ    $version
    InstallLocation    REG_SZ    $C
    NoModify    REG_DWORD    0x1
    NoRepair    REG_DWORD    0x1
    Publisher    REG_SZ    Morvane
    QuietUninstallString    REG_SZ    "$C\\uninst.exe" /S
    UninstallString    REG_SZ    "$C\\uninst.exe"
EOF
wine reg query "$key" | tr -d '\r' | grep -v '^$' >"$work/entry.found"
grep -q '^    EstimatedSize    REG_DWORD    0x[1-9a-f]' "$work/entry.found" ||
  fail "no EstimatedSize"
grep -v EstimatedSize "$work/entry.found" | diff "$work/entry" - || fail "uninstall entry"
start_check "$folder/velquor.exe" "the installed velquor.exe did not show its window"

# Uninstalled as an upgrade does it, waiting for the end: a project kept in the program folder
# stays, and of the installed files only the running uninstaller itself, which cannot delete
# itself and is left to its caller.
mkdir -p "$folder/Projekt" && echo "[autorun]" >"$folder/Projekt/AutoRun.Inf"
printf '@"%s\\uninst.exe" /S _?=%s\r\n@exit /b %%errorlevel%%\r\n' "$C" "$C" >"$work/uninstall.bat"
wine cmd /c "Z:${work//\//\\}\\uninstall.bat" || fail "uninstall failed"
[ "$(list "$folder")" = "$(printf './Projekt/AutoRun.Inf\n./uninst.exe')" ] ||
  fail "left after uninstall: $(list "$folder")"
[ ! -e "$link" ] || fail "Start menu link left"
! wine reg query "$key" >/dev/null 2>&1 || fail "uninstall entry left"

if [ $failures -ne 0 ]; then
  echo "test-dist: $failures failed"
  exit 1
fi
echo "test-dist: the downloads passed"
