#!/usr/bin/env bash
# Runs the native test program's ImageToolTest cases against velquor-abbild.exe under Wine:
# the exe writes the images, Debian's readers (Linux programs, which no Windows program can
# start under Wine) check them.
#
#   image_tool_with_readers.sh NATIVE_TESTS WINE_RUN TOOL_EXE [GTEST ARGS...]
set -u
native_tests=$1 wine_run=$2 tool=$3
shift 3
if [ ! -x "$native_tests" ]; then
  echo "skipped: $native_tests is missing; build the native preset first (make test-native)"
  exit 77
fi
VELQUOR_IMAGE_TOOL="'$wine_run' '$tool'" exec "$native_tests" --gtest_color=no \
  --gtest_filter='ImageToolTest.*' "$@"
