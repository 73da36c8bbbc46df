#!/usr/bin/env bash
# Checks the launcher's file as a Windows PC would see it, without running it (Wine here runs no
# 32-bit code): code for the processor asked for, no DLL but Windows' own and its C runtime, at
# most 64 KiB, and the version resource and manifest of the project version.
# Usage: check_launcher_file.sh <Orbeno.Exe> <MinGW objdump> <i386|x86-64> <project version>
set -u
exe=$1 objdump=$2 processor=$3 version=$4
status=0
fail() {
  echo "$exe: $*" >&2
  status=1
}

case $processor in
  i386) format=pei-i386 magic=010b kind=PE32 manifest=x86 ;;
  x86-64) format=pei-x86-64 magic=020b kind=PE32+ manifest=amd64 ;;
  *) echo "unknown processor: $processor" >&2; exit 2 ;;
esac

headers=$("$objdump" -p "$exe") || { fail "objdump cannot read it"; exit 1; }
grep -q "file format $format\$" <<<"$headers" || fail "not $format: $(grep -o 'file format .*' <<<"$headers")"
grep -qE "^Magic[[:space:]]+$magic[[:space:]]" <<<"$headers" || fail "not $kind (magic $magic)"

# A DLL that Windows does not bring (libgcc, libstdc++, libwinpthread) keeps the disc from starting.
dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$headers")
grep -qix kernel32.dll <<<"$dlls" || fail "its imports cannot be read: $dlls"
for dll in $dlls; do
  case ${dll,,} in
    kernel32.dll | user32.dll | gdi32.dll | shell32.dll | advapi32.dll | ole32.dll | oleaut32.dll | \
      comctl32.dll | shlwapi.dll | msvcrt.dll) ;;
    *) fail "imports $dll, which Windows does not bring" ;;
  esac
done

size=$(stat -c %s "$exe")
((size <= 65536)) || fail "$size bytes, more than 64 KiB"

# VS_FIXEDFILEINFO follows the key "VS_VERSION_INFO" (UTF-16) and its signature 0xFEEF04BD; its
# versions are two DWORDs each, the high word first in reading order: major.minor, patch.tweak.
fixed=$(LC_ALL=C grep -obUaP 'V\x00S\x00_\x00V\x00E\x00R\x00S\x00I\x00O\x00N\x00_\x00I\x00N\x00F\x00O\x00\x00\x00(\x00\x00)?\K\xbd\x04\xef\xfe' "$exe" | cut -d: -f1)
if [ -z "$fixed" ]; then
  fail "no version resource"
else
  read -r fminor fmajor ftweak fpatch pminor pmajor ptweak ppatch < <(od -An -tu2 -j $((fixed + 8)) -N16 "$exe")
  [ "$fmajor.$fminor.$fpatch.$ftweak" = "$version" ] || fail "file version $fmajor.$fminor.$fpatch.$ftweak, not $version"
  [ "$pmajor.$pminor.$ppatch.$ptweak" = "$version" ] || fail "product version $pmajor.$pminor.$ppatch.$ptweak, not $version"
fi

# The version texts: each key is followed by its value, both UTF-16 strings of their own.
texts=$(LC_ALL=C strings -a -el "$exe")
while read -r key value; do
  got=$(grep -m1 -xF -A1 "$key" <<<"$texts" | sed -n 2p)
  [ "$got" = "$value" ] || fail "$key is \"$got\", not \"$value\""
done <<TABLE
StringFileInfo 040704B0
CompanyName Morvane
FileDescription Orbeno - startet Dokumente und Ordner von Autostart-CDs
FileVersion $version
InternalName orbeno
OriginalFilename Orbeno.Exe
ProductName Velquor
ProductVersion $version
TABLE

identity=$(LC_ALL=C grep -aoP '<assemblyIdentity type="win32" name="Morvane\.Orbeno"[^>]*>' "$exe")
expected="<assemblyIdentity type=\"win32\" name=\"Morvane.Orbeno\" version=\"$version\" processorArchitecture=\"$manifest\"/>"
[ "$identity" = "$expected" ] || fail "manifest identity \"$identity\", not \"$expected\""

[ $status -eq 0 ] && echo "$exe: $format, $size bytes, imports" $dlls
exit $status
