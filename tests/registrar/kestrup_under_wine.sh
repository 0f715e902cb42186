#!/bin/sh
# Runs the cross-built kestrup.exe under Wine from a program folder whose name no ANSI code
# page holds, with two stand-in control files of our own beside it, and checks what lands in
# the prefix's C:\windows\system32. Usage: kestrup_under_wine.sh path/to/kestrup.exe
# WINEPREFIX must name a throwaway prefix (scripts/windows-test.sh makes one), since the
# stand-ins are copied into its system folder.
set -eu
: "${WINEPREFIX:?must name a throwaway Wine prefix}"
# The system's words in kestrup's messages follow Wine's locale; the checks compare the C ones.
export LC_ALL=C.UTF-8
kestrup=$1
system32=$WINEPREFIX/drive_c/windows/system32
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program="$work/program ñ 日本"
mkdir "$program"
cp "$kestrup" "$program/kestrup.exe"
passed=0
failed=0
check() {  # check WHAT COMMAND...: runs the command and counts the outcome
  what=$1
  shift
  if "$@"; then
    echo "ok: $what"
    passed=$((passed + 1))
  else
    echo "FAILED: $what"
    failed=$((failed + 1))
  fi
}
# Windows ends a line with CR LF; the text is compared without the CR.
same() { [ "$(tr -d '\r' < "$1")" = "$2" ]; }
run() {  # runs kestrup from another folder; its status in $status
  status=0
  (cd "$work" && wine "$program/kestrup.exe" > "$work/out" 2> "$work/err") || status=$?
}

# Only the first file beside it: that one is copied, nothing starts, one line says why.
rm -f "$system32/Controls.ocx" "$system32/Mscomctl.ocx"
printf 'stand-in suite' > "$program/Controls.ocx"
WINEDEBUG=-all run
check "a missing file ends with status 1" [ "$status" -eq 1 ]
windows_program=$(printf 'Z:%s' "$program" | tr / '\\')
check "the line names step 4 and the missing file in UTF-8" same "$work/err" \
  "kestrup: step 4 of 7 (copy Mscomctl.ocx to C:\\windows\\system32\\Mscomctl.ocx) failed: $windows_program\\Mscomctl.ocx: No such file or directory"
check "the first copy stays" same "$system32/Controls.ocx" 'stand-in suite'
check "the second file is not there" [ ! -e "$system32/Mscomctl.ocx" ]

# Both files beside it: both copies replace what was there, both commands start, status 0.
# Wine's process trace shows each command line as the system received it.
printf 'an older and much longer control suite' > "$system32/Controls.ocx"
printf 'stand-in common controls' > "$program/Mscomctl.ocx"
WINEDEBUG=-all,trace+process run
check "kestrup ends with status 0" [ "$status" -eq 0 ]
check "Controls.ocx replaced whole" same "$system32/Controls.ocx" 'stand-in suite'
check "Mscomctl.ocx copied" same "$system32/Mscomctl.ocx" 'stand-in common controls'
check "no temporary file left" [ -z "$(find "$system32" -name '*.partial')" ]
grep -o 'CreateProcessInternalW app (null) cmdline L"cmd.exe[^"]*"' "$work/err" | sed 's/.*cmdline //' \
  > "$work/started" || true
check "both commands started, in order, as written" same "$work/started" \
  "$(printf '%s\n' 'L"cmd.exe /RegSvr32 Controls.ocx"' 'L"cmd.exe /RegSvr32 Mscomctl.ocx"')"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
