#!/usr/bin/env bash
# tool_arguments.sh [EMULATOR...] TOOL
# hiyomi-almanac: bad arguments give one message line, the usage and exit 2
# with nothing on stdout; good arguments give the expected lines.
set -uo pipefail
tool=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect_usage_error() {
  local status=0
  "${tool[@]}" "$@" >"$work/out" 2>"$work/err" || status=$?
  if [[ $status -ne 2 ]]; then
    echo "FAIL: $* exited $status, not 2"; failures=$((failures + 1)); return
  fi
  if [[ -s $work/out ]]; then
    echo "FAIL: $* wrote to stdout"; failures=$((failures + 1)); return
  fi
  if ! head -1 "$work/err" | grep -q '^hiyomi-almanac: ' || ! grep -q '^usage: ' "$work/err"; then
    echo "FAIL: $* gave no message and usage"; failures=$((failures + 1))
  fi
}

expect_usage_error
expect_usage_error frobnicate
expect_usage_error dump
expect_usage_error dump 2001-01-01
expect_usage_error dump 2001-01-01 2001-01-02 2001-01-03
expect_usage_error dump 2001-01-02 2001-01-01
expect_usage_error dump 2000-12-31 2001-01-01
expect_usage_error dump 2001-01-01 2100-01-01
expect_usage_error dump 2001-02-29 2001-03-01
expect_usage_error dump 2001-04-31 2001-05-01
expect_usage_error dump 2001-1-1 2001-01-02
expect_usage_error dump 2001/01/01 2001-01-02
expect_usage_error dump 2001-01-01x 2001-01-02
expect_usage_error dump 2001-13-01 2001-12-31
expect_usage_error dump 2001-00-10 2001-12-31
expect_usage_error dump '' 2001-01-01
expect_usage_error month
expect_usage_error month 2001-13
expect_usage_error month 2000-12
expect_usage_error month 2100-01
expect_usage_error month 2001-1
expect_usage_error regular 2001-01-01
expect_usage_error regular 2001-01-02 2001-01-01 1000010
expect_usage_error regular 2001-01-01 2001-01-02 --weekday
expect_usage_error regular 2001-01-01 2001-01-02 --weekday 0x2000 1000010
expect_usage_error regular 2001-01-01 2001-01-02 --rules 1,2,3 1000010
expect_usage_error regular 2001-01-01 2001-01-02 --bdaymove 547 1000010
expect_usage_error regular 2001-01-01 2001-01-02 --frobnicate 1 1000010
expect_usage_error regular 2001-01-01 2001-01-02 4000001
expect_usage_error regular 2001-01-01 2001-01-02 12x
expect_usage_error regular 2001-01-01 2001-01-02 $(seq 1000010 1000060)
expect_usage_error restdays 2001-01-01
expect_usage_error restdays 2001-01-01 2001-01-02 1000010
expect_usage_error restdays 2001-01-01 2001-01-02 --bdaymove 2
expect_usage_error items
expect_usage_error items 2001-01-01 2001-01-02
expect_usage_error items 2001-01-01 --now 2001-01-01
expect_usage_error items 2001-01-01 --now 2001-01-01T24:00
expect_usage_error items 2001-01-01 --ptnsday 36160

check_output() {  # expected-file args...
  local expected=$1
  shift
  if ! "${tool[@]}" "$@" >"$work/out" 2>"$work/err"; then
    echo "FAIL: $* failed: $(cat "$work/err")"; failures=$((failures + 1)); return
  fi
  if ! cmp -s "$work/out" "$expected"; then
    echo "FAIL: $* printed:"; cat "$work/out"; failures=$((failures + 1))
  fi
}

printf '1\t2001-01-01\t1\t3\t12\t7\t64\t-1\t1\t1\t1\n' >"$work/first"
check_output "$work/first" dump 2001-01-01 2001-01-01
printf '5518\t2016-02-09\t2\t-9\t1\t2\t5\t-1\t3\t8\t10\n36159\t2099-12-31\t4\t-9\t11\t20\t192\t-1\t1\t9\t3\n' \
  >"$work/two"
"${tool[@]}" dump 2016-02-09 2016-02-09 >"$work/a" && "${tool[@]}" dump 2099-12-31 2099-12-31 >>"$work/a"
if ! cmp -s "$work/a" "$work/two"; then
  echo "FAIL: single days:"; cat "$work/a"; failures=$((failures + 1))
fi

# The month table is UTF-8 text with a title, a header and one line a day.
if "${tool[@]}" month 2019-05 >"$work/month" 2>"$work/err"; then
  grep -q '^2019年5月$' "$work/month" || { echo "FAIL: month title"; failures=$((failures + 1)); }
  grep -q '^2019-05-01  水  即位の日' "$work/month" || { echo "FAIL: 2019-05-01 line"; failures=$((failures + 1)); }
  grep -q '^2019-05-06  月  振替休日 .*立夏$' "$work/month" || { echo "FAIL: 2019-05-06 line"; failures=$((failures + 1)); }
  [[ $(wc -l <"$work/month") -eq 33 ]] || { echo "FAIL: month line count"; failures=$((failures + 1)); }
  if grep -q $'\r' "$work/month"; then echo "FAIL: carriage return in output"; failures=$((failures + 1)); fi
else
  echo "FAIL: month 2019-05 failed"; failures=$((failures + 1))
fi

# The verbs of day information, rest days and regular schedules.
printf '5\t2001-01-05\t2\n6\t2001-01-06\t-\n7\t2001-01-07\t-\n8\t2001-01-08\t1\n' >"$work/regular"
check_output "$work/regular" regular 2001-01-05 2001-01-08 1000010 1000011 -1000010
printf '5\t2001-01-05\t0\n6\t2001-01-06\t1\n7\t2001-01-07\t1\n8\t2001-01-08\t1\n' >"$work/rest"
check_output "$work/rest" restdays 2001-01-05 2001-01-08
printf '5\t2001-01-05\t1\n6\t2001-01-06\t0\n' >"$work/rest2"
check_output "$work/rest2" restdays 2001-01-05 2001-01-06 --weekday 0x200 --rules 0x11000900,0,0,0
printf '0\t\n1\t\n2\t水\n3\tWed\n4\t水\n5\t友引 己卯\n6\t\n7\t閏2.1\n8\t閏如月1日\n9\t0.4\n10\t旧閏2.1(0.4) \n11\t2\n12\t3月\n13\t2\n14\t1\n15\t友引\n' \
  >"$work/items"
check_output "$work/items" items 2023-03-22 --now 2023-03-20T07:59 --bdaytime 480

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "tool arguments: all checks passed"
