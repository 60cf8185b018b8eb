#!/usr/bin/env bash
# The program's command line, with no X display to reach: "--help" and "--version" print and
# exit 0 (so they open no window), an unknown option is refused on stderr with exit 2, and a
# start without a display, or with one that nothing serves, says so in one line and exits 1.
# Usage: commandline.sh PROGRAM
set -uo pipefail

program=$1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
faults=0

# expect STATUS STDOUT-PATTERN STDERR-PATTERN ENV... -- ARGS...: a pattern of "" wants nothing
# there; the word of a start that fails is wanted on one line.
expect() {
  local status=$1 stdout=$2 stderr=$3 environment=()
  shift 3
  while [[ $1 != -- ]]; do environment+=("$1"); shift; done
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${environment[@]}" \
    "$program" "$@" >"$out" 2>"$err" </dev/null
  local got=$? case="${environment[*]} lomtak $*"
  fault() { echo "FAIL $case: $1"; faults=$((faults + 1)); }
  [[ $got == "$status" ]] || fault "exit $got, expected $status ($(head -c 300 "$err"))"
  if [[ -z $stdout ]]; then [[ ! -s $out ]] || fault "prints on stdout: $(head -c 300 "$out")"
  else grep -qE "$stdout" "$out" || fault "stdout lacks /$stdout/: $(head -c 300 "$out")"; fi
  if [[ -z $stderr ]]; then [[ ! -s $err ]] || fault "prints on stderr: $(head -c 300 "$err")"
  else
    grep -qE "$stderr" "$err" || fault "stderr lacks /$stderr/: $(head -c 300 "$err")"
    [[ $status != 1 || $(wc -l <"$err") == 1 ]] || fault "stderr is not one line"
  fi
}

expect 0 '^Usage: lomtak \[/test\]$' '' -- --help
expect 0 '^Usage: lomtak' '' -- /test --help
expect 0 '^Lomtak [0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$' '' -- --version
expect 2 '' "unknown option '--bogus'" -- --bogus
expect 2 '' "unknown option '-x'" -- /test -x
expect 1 '' '^lomtak: no X display to show on: DISPLAY is not set$' --
expect 1 '' '^lomtak: no X display to show on: DISPLAY is not set$' QT_QPA_PLATFORM=xcb -- /test
expect 1 '' '^lomtak: cannot open the X display ":9999"$' DISPLAY=:9999 --
expect 1 '' '^lomtak: cannot open the X display ":9999"$' DISPLAY=:9999 QT_QPA_PLATFORM=xcb --
[[ $faults == 0 ]] && echo passed
