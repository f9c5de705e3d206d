#!/usr/bin/env bash
# Kill trials through the Win32 seam: the native driver starts the Windows
# saver with wine and kills the wine process.
#   kill_trials_wine.sh NATIVE_TREE PREFIX SAVER.EXE TRIALS
set -euo pipefail
driver="$1/tools/kill_trials/hiyomi-kill-trials"
if [[ ! -x $driver ]]; then
  echo "no native tree with $driver" >&2
  [[ -n ${HIYOMI_REQUIRE_NATIVE_TREE:-} ]] && exit 1
  exit 77
fi
here=$(cd "$(dirname "$0")" && pwd)
"$here/../wine-run" --prefix "$2"   # makes the prefix once
export WINEPREFIX=$(cd "$2" && pwd) WINEARCH=win64 WINEDEBUG=-all LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
exec "$driver" "$4" --wine "$3"
