#!/usr/bin/env bash
# compare_dump.sh NATIVE_BUILD_DIR EMULATOR... WINDOWS_TOOL
# Dumps 2001-01-01..2099-12-31 with the native tool and, under Wine, with
# the Windows tool, and compares the two byte for byte. Exit 77 (skipped)
# when no native build tree is given.
set -euo pipefail
native_dir=$1
shift
if [[ -z $native_dir ]]; then
  echo "HIYOMI_NATIVE_BINARY_DIR is not set: skipped"
  exit 77
fi
native_tool=$native_dir/tools/almanac/hiyomi-almanac
if [[ ! -x $native_tool ]]; then
  echo "no native tool at $native_tool: skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$native_tool" dump 2001-01-01 2099-12-31 >"$work/native.txt"
"$@" dump 2001-01-01 2099-12-31 >"$work/windows.txt"
lines=$(wc -l <"$work/native.txt")
if [[ $lines -ne 36159 ]]; then
  echo "native dump has $lines lines, not 36159"
  exit 1
fi
if ! cmp "$work/native.txt" "$work/windows.txt"; then
  diff "$work/native.txt" "$work/windows.txt" | head -20
  exit 1
fi
echo "native and Wine dumps are byte-identical ($lines days)"
