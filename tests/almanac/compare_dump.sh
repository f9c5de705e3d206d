#!/usr/bin/env bash
# compare_dump.sh NATIVE_BUILD_DIR EMULATOR... WINDOWS_TOOL
# Dumps 2001-01-01..2099-12-31 with the native tool and, under Wine, with
# the Windows tool, and compares the two byte for byte. Without a native
# tree the test is skipped (exit 77), unless HIYOMI_REQUIRE_NATIVE_TREE=1
# (the test command builds both trees, so there a missing one is a failure).
set -euo pipefail
native_dir=$1
shift
no_native_tree() {
  if [[ ${HIYOMI_REQUIRE_NATIVE_TREE:-} == 1 ]]; then
    echo "$1: failed (HIYOMI_REQUIRE_NATIVE_TREE=1)"
    exit 1
  fi
  echo "$1: skipped"
  exit 77
}
if [[ -z $native_dir ]]; then
  no_native_tree "HIYOMI_NATIVE_BINARY_DIR is not set"
fi
native_tool=$native_dir/tools/almanac/hiyomi-almanac
if [[ ! -x $native_tool ]]; then
  no_native_tree "no native tool at $native_tool"
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

# Rest days and regular schedules with rules of every kind and shift.
rules=(1000010 1000011 1000012 1000061 2000501 2000502 2003600 2003603 2003606 2003609
       2002904 2002905 2002907 2002908 2003908 3010501 3122900 3050311 2001013 2003504)
for settings in "0x141 0,0,0,0 0x002" "0x1E81 0x11002300,0x2C1D0103,0x12080303,0x280D0810 0x121"; do
  read -r weekday words move <<<"$settings"
  for tool in native windows; do
    if [[ $tool == native ]]; then run=("$native_tool"); else run=("$@"); fi
    "${run[@]}" regular 2001-01-01 2099-12-31 --weekday "$weekday" --rules "$words" \
      --bdaymove "$move" "${rules[@]}" >"$work/regular-$tool.txt"
    "${run[@]}" restdays 2001-01-01 2099-12-31 --weekday "$weekday" --rules "$words" \
      >"$work/restdays-$tool.txt"
  done
  for verb in regular restdays; do
    if ! cmp "$work/$verb-native.txt" "$work/$verb-windows.txt"; then
      diff "$work/$verb-native.txt" "$work/$verb-windows.txt" | head -20
      exit 1
    fi
  done
  echo "native and Wine regular and restdays are byte-identical (weekday $weekday)"
done
