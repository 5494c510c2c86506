#!/usr/bin/env bash
# lmxtool_under_wine.sh PREFIX LMXTOOL_EXE NATIVE_TOOLS_DIR
#
# The Windows lmxtool.exe under Wine, held against the native lmxtool. The
# simulator of the native build plays the tester on a pseudo-terminal, which
# the Wine prefix PREFIX names as a COM port, so the download goes through the
# Win32 serial channel: it must save the same documents, byte for byte, as the
# native download; a silent tester, a hang-up and a missing port must end with
# their messages and exit status 1. The commands without a port must write the
# same bytes as the native ones. Exits 77 (ctest: skipped), saying why, where
# Wine cannot start.
set -u
prefix=$1 exe=$2 native=$3
sim=$native/lmx4410-sim
tool=$native/lmxtool

command -v wine >/dev/null || { echo "skipped: Wine is not installed (scripts/setup installs it)"; exit 77; }
[ -d "$prefix/drive_c/windows/system32" ] || { echo "skipped: there is no Wine prefix at $prefix (wineboot could not make one)"; exit 77; }
for program in "$sim" "$tool"; do
  [ -x "$program" ] || { echo "missing $program: build the default preset first"; exit 1; }
done
export WINEPREFIX=$prefix WINEDEBUG=-all

work=$(mktemp -d)
pids=()
links=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for link in "${links[@]}"; do rm -f "$link"; done
  rm -rf "$work"
}
trap cleanup EXIT

passed=0 failed=0
check() { # check NAME CONDITION-EXIT-STATUS DETAIL
  if [ "$2" -eq 0 ]; then
    passed=$((passed + 1))
    echo "PASS: $1"
  else
    failed=$((failed + 1))
    echo "FAIL: $1 ($3)"
  fi
}

# start_sim NAME ARGS...: starts a simulator and waits for the first line of
# NAME.sim, the device it serves (device_of NAME).
start_sim() {
  local out=$work/$1.sim
  shift
  "$sim" "$@" >"$out" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 100); do
    [ -s "$out" ] && break
    sleep 0.1
  done
}
device_of() { head -1 "$work/$1.sim"; }

# sim_on_com N NAME ARGS...: a simulator whose device the prefix names COMn.
sim_on_com() {
  local link=$prefix/dosdevices/com$1
  shift
  start_sim "$@"
  ln -sfn "$(device_of "$1")" "$link"
  links+=("$link")
}

# wine_tool NAME ARGS...: lmxtool.exe with stdout in NAME.out and stderr in
# NAME.err; its exit status in $rc.
wine_tool() {
  local name=$1
  shift
  timeout 120 wine "$exe" "$@" >"$work/$name.out" 2>"$work/$name.err"
  rc=$?
}

last_error() { tail -1 "$work/$1.err"; }

# A download from COM5 saves what the native lmxtool saves.
sim_on_com 5 win --fast
wine_tool download download --port 5 --out "Z:$work/win"
check "lmxtool.exe downloads from COM5" $rc "exit $rc: $(last_error download)"
start_sim linux --fast
"$tool" download --port "$(device_of linux)" --out "$work/linux" >/dev/null 2>&1
count=$(ls "$work/linux" | wc -l)
[ "$count" -gt 0 ] && diff -r "$work/linux" "$work/win" >/dev/null
check "the same $count documents, byte for byte, as the native download" $? \
  "native: $count files, Windows: $(ls "$work/win" 2>/dev/null | wc -l) files"

# Ports above 9 open by their device path; DB headers that straddle reads
# still address the right records.
sim_on_com 12 split --fast --split-headers
wine_tool download12 download --port 12 --out "Z:$work/win12"
[ $rc -eq 0 ] && diff -r "$work/linux" "$work/win12" >/dev/null
check "COM12, with headers split across reads, gives the same documents" $? \
  "exit $rc: $(last_error download12)"

# expect_failure NAME TEXT ARGS...: lmxtool.exe exits 1 and says TEXT.
expect_failure() {
  local name=$1 text=$2
  shift 2
  wine_tool "$name" "$@"
  [ $rc -eq 1 ] && grep -qF "$text" "$work/$name.err"
  check "$name: exit 1 and '$text'" $? "exit $rc: $(last_error "$name")"
}

sim_on_com 6 silent --silent
expect_failure "a silent tester" "did not answer within 2 s" \
  download --port 6 --timeout 2 --out "Z:$work/silent"
sim_on_com 7 hangup --fast --hang-up-after 3000
expect_failure "a tester that hangs up" "was disconnected during the download" \
  download --port 7 --timeout 5 --out "Z:$work/hangup"
expect_failure "a port that is not there" "cannot open COM9: " \
  download --port 9 --out "Z:$work/missing"

wine_tool report report "Z:$work/win/DB01.lmx"
[ $rc -eq 2 ] && grep -qF "report is not in this build" "$work/report.err"
check "report says it is not in this build (exit 2)" $? "exit $rc: $(last_error report)"

# same_output NAME ARGS...: the native lmxtool and lmxtool.exe print the same
# bytes for the same command (native paths are given to both: Wine maps them).
same_output() {
  local name=$1
  shift
  "$tool" "$@" >"$work/$name.native" 2>/dev/null
  wine_tool "$name" "$@"
  [ $rc -eq 0 ] && cmp -s "$work/$name.native" "$work/$name.out"
  check "$name: the same bytes as the native lmxtool" $? "exit $rc: $(last_error "$name")"
}

first=$(ls "$work/linux" | head -1)
same_output dump dump "$work/linux/$first"
same_output "export to stdout" export "$work/linux/$first" "$work/linux/$(ls "$work/linux" | tail -1)"
same_output parse parse rate-frame "ADSL;G.DMT;8128;800"
"$tool" make -o "$work/made.native.lmx" --ping "ok" --trace-route "1;2" >/dev/null 2>&1
wine_tool make make -o "Z:$work/made.win.lmx" --ping "ok" --trace-route "1;2"
[ $rc -eq 0 ] && cmp -s "$work/made.native.lmx" "$work/made.win.lmx"
check "make writes the same document as the native lmxtool" $? "exit $rc: $(last_error make)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
