#!/usr/bin/env bash
# Builds the .deb from an already built tree, checks it with lintian, unpacks
# it into a scratch root and runs the installed programs from there.
#   install_test.sh CPACK BUILD_DIR VERSION
set -euo pipefail

cpack=$1
build=$2
version=$3

scratch=$(mktemp -d)
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# --- the package --------------------------------------------------------------
"$cpack" -G DEB -B "$scratch/out" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
debs=("$scratch"/out/lmx4410_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: cpack made no lmx4410_*.deb" >&2; exit 1; }
deb=${debs[0]}

expect_field() { # FIELD PATTERN: the control field matches the extended regex
  local value
  value=$(dpkg-deb -f "$deb" "$1")
  [[ $value =~ $2 ]] || fail "control field $1 is '$value', expected /$2/"
}
expect_field Package '^lmx4410$'
expect_field Version "^${version//./\\.}-[0-9]+$"
expect_field Architecture '^[a-z0-9]+$'
expect_field Maintainer '.+ <.+@.+>'
# dpkg-shlibdeps saw the Qt libraries the programs link.
expect_field Depends 'libqt6widgets6'
expect_field Depends 'libqt6svg6'

# Errors fail the test, and so does any hardening tag (some are only
# information); the warnings stay visible in the log.
if ! lintian --fail-on error --display-info --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1; then
  cat "$scratch/lintian.log" >&2
  fail "lintian reports errors"
else
  cat "$scratch/lintian.log"
fi
if grep -q ' hardening-' "$scratch/lintian.log"; then
  grep ' hardening-' "$scratch/lintian.log" >&2
  fail "lintian finds programs built without the hardening"
fi

# --- the files, where they belong ----------------------------------------------
root=$scratch/root
dpkg-deb -x "$deb" "$root"
usr=$root/usr

expected_files=(
  bin/lmx4410 bin/lmxtool bin/lmx4410-sim
  share/lmx4410/LangPack.rcc share/lmx4410/LangPack-de.rcc
  share/applications/lmx4410.desktop
  share/mime/packages/lmx4410.xml
  share/icons/hicolor/scalable/apps/lmx4410.svg
  share/icons/hicolor/scalable/mimetypes/application-x-lmx4410-document.svg
  share/man/man1/lmx4410.1.gz share/man/man1/lmxtool.1.gz share/man/man1/lmx4410-sim.1.gz
  share/doc/lmx4410/copyright share/doc/lmx4410/changelog.Debian.gz
)
for file in "${expected_files[@]}"; do
  [ -f "$usr/$file" ] || fail "the package lacks /usr/$file"
done

for program in lmx4410 lmxtool lmx4410-sim; do
  [ -x "$usr/bin/$program" ] || fail "/usr/bin/$program is not executable"
  [[ $(file -b "$usr/bin/$program") == *", stripped"* ]] || fail "/usr/bin/$program is not stripped"
done

# PIE, stack protector, fortified calls, RELRO, BIND_NOW and control-flow
# protection, each one required. A program is marked for control-flow
# protection only when every object linked into it is, and the C library's
# start files of some systems (Debian 12) are not: there it cannot be had.
no_cfi=()
readelf -n "$(c++ -print-file-name=Scrt1.o)" | grep -q IBT || no_cfi=(--nocfprotection)
if ! hardening-check "${no_cfi[@]}" "$usr"/bin/* >"$scratch/hardening.log" 2>&1; then
  cat "$scratch/hardening.log" >&2
  fail "hardening-check"
fi

# Every icon size is a real PNG of that size, drawn at build time.
for size in 16 32 48 64 128 256; do
  for icon in apps/lmx4410 mimetypes/application-x-lmx4410-document; do
    png=$usr/share/icons/hicolor/${size}x${size}/$icon.png
    [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] ||
      fail "$png is not a $size x $size PNG"
  done
done

for page in "$usr"/share/man/man1/*.1.gz; do
  gzip -t "$page" || fail "$page is not gzip data"
done

grep -q '^Exec=lmx4410 %F$' "$usr/share/applications/lmx4410.desktop" ||
  fail "the desktop entry does not start lmx4410 with the files"
grep -q '^MimeType=application/x-lmx4410-document;$' "$usr/share/applications/lmx4410.desktop" ||
  fail "the desktop entry does not claim the document type"
grep -q '<glob pattern="\*.lmx"/>' "$usr/share/mime/packages/lmx4410.xml" ||
  fail "the document type does not cover *.lmx"
# The desktop's own tool reads the type and maps *.lmx to it.
if command -v update-mime-database >/dev/null; then
  mkdir -p "$scratch/mime/packages"
  cp "$usr/share/mime/packages/lmx4410.xml" "$scratch/mime/packages/"
  if ! update-mime-database "$scratch/mime" 2>"$scratch/mime.err"; then
    cat "$scratch/mime.err" >&2
    fail "update-mime-database"
  fi
  grep -q '^application/x-lmx4410-document:\*\.lmx$' "$scratch/mime/globs" ||
    fail "the mime database does not map *.lmx to application/x-lmx4410-document"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/lmx4410.desktop" || fail "desktop-file-validate"
else
  echo "desktop-file-validate is not installed; the desktop entry is not validated"
fi

# --- the installed programs -------------------------------------------------------
# No setting of the user's may be read or written by these runs.
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

[[ $("$usr/bin/lmxtool" --help) == "usage:"* ]] || fail "lmxtool --help"
[[ $("$usr/bin/lmx4410-sim" --help) == "usage: lmx4410-sim"* ]] || fail "lmx4410-sim --help"

# A download from the installed simulator by the installed lmxtool.
"$usr/bin/lmx4410-sim" --fast >"$scratch/sim.out" 2>"$scratch/sim.err" &
sim_pid=$!
for _ in $(seq 300); do
  [ -s "$scratch/sim.out" ] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
device=$(head -n 1 "$scratch/sim.out")
if [ -c "$device" ]; then
  if "$usr/bin/lmxtool" download --port "$device" --out "$scratch/dl" --timeout 20 \
    >"$scratch/download.out" 2>"$scratch/download.err"; then
    saved=("$scratch"/dl/DB*.lmx)
    [ -f "${saved[0]}" ] || fail "the download saved no DB"
    [[ $("$usr/bin/lmxtool" dump "${saved[0]}") == *'"record"'* ]] ||
      fail "lmxtool dump of a downloaded DB"
  else
    cat "$scratch/download.err" >&2
    fail "lmxtool download from lmx4410-sim"
  fi
else
  cat "$scratch/sim.err" >&2
  fail "lmx4410-sim printed no device ('$device')"
fi
kill "$sim_pid" 2>/dev/null || true
wait "$sim_pid" 2>/dev/null || true
sim_pid=""

# The program finds each pack relative to its own folder.
for case in ":LangPack.rcc" "de:LangPack-de.rcc"; do
  lang=${case%%:*}
  pack=${case#*:}
  arguments=(--version)
  [ -z "$lang" ] || arguments+=(--lang "$lang")
  if output=$(QT_QPA_PLATFORM=offscreen "$usr/bin/lmx4410" "${arguments[@]}" 2>"$scratch/app.err"); then
    expected="lmx4410 $version"$'\n'"resource pack: $usr/share/lmx4410/$pack"
    [ "$output" = "$expected" ] ||
      fail "lmx4410 ${arguments[*]} printed '$output', expected '$expected'"
  else
    status=$?
    cat "$scratch/app.err" >&2
    fail "lmx4410 ${arguments[*]} exited with $status"
  fi
done
[ ! -e "$XDG_CONFIG_HOME/Quelmo/LMX-4410.conf" ] || fail "lmx4410 --version wrote the settings"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "the package installs and its programs run from $usr"
