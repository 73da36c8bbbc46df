#!/usr/bin/env bash
# Builds the installer from a staged program folder:
#
#   make-installer.sh STAGE VERSION SETUP.exe
#
# The install and uninstall lists are made from what STAGE holds, so the uninstaller removes
# exactly the files the installer wrote. Signs both when packaging/sign.sh has a key.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
stage=$(cd "$1" && pwd)
version=$2
setup=$(realpath -m "$3")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# NSIS takes the file names literally; a $ would start one of its variables.
if find "$stage" -name '*[$"]*' | grep -q .; then
  echo "make-installer: a file name in $stage holds \$ or \"" >&2
  exit 1
fi

{
  echo '!macro InstallFiles'
  (cd "$stage" && find . -type d | sort) | while read -r dir; do
    rel=${dir#.} rel=${rel#/}
    files=$(cd "$stage/$dir" && find . -maxdepth 1 -type f | sort)
    [ -n "$files" ] || continue
    target='$INSTDIR'${rel:+\\${rel//\//\\}}
    echo "  SetOutPath \"$target\""
    while read -r f; do echo "  File \"$stage/${rel:+$rel/}${f#./}\""; done <<<"$files"
  done
  echo '!macroend'
  echo '!macro UninstallFiles'
  (cd "$stage" && find . -type f | sort) | while read -r f; do
    f=${f#./}; echo "  Delete \"\$INSTDIR\\${f//\//\\}\""
  done
  # Deepest first; a folder that holds something of the user's stays.
  (cd "$stage" && find . -mindepth 1 -depth -type d) | while read -r d; do
    d=${d#./}; echo "  RMDir \"\$INSTDIR\\${d//\//\\}\""
  done
  echo '!macroend'
} >"$work/files.nsh"

size_kb=$(du -sk --apparent-size "$stage" | cut -f1)
defines=(-DVERSION="$version" -DSTAGE="$stage" -DFILES="$work/files.nsh" -DSIZE_KB="$size_kb"
  -DOUTFILE="$setup" -DICON="$here/../resources/program.ico")
if "$here/sign.sh" --enabled; then
  defines+=(-DSIGN="$here/sign.sh")
fi
mkdir -p "$(dirname "$setup")"
makensis -V2 -WX "${defines[@]}" "$here/velquor.nsi"
