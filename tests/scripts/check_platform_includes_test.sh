#!/usr/bin/env bash
# The platform check against small trees: each case plants one line in one
# file and expects the check to pass or fail. Usage: <path of the check>
set -uo pipefail
check="$1"
failures=0

# case <expected: pass|fail> <file> <line>
case_() {
  local expected="$1" file="$2" line="$3"
  local root
  root=$(mktemp -d)
  mkdir -p "$root/$(dirname "$file")"
  printf '%s\n' "$line" > "$root/$file"
  local out rc
  out=$(bash "$check" "$root" 2>&1)
  rc=$?
  rm -rf "$root"
  local got=pass
  [ $rc -ne 0 ] && got=fail
  if [ "$got" != "$expected" ]; then
    echo "FAIL: $file with '$line': expected $expected, got $got" >&2
    failures=$((failures + 1))
  elif [ "$got" = fail ] && ! grep -q "$file" <<<"$out"; then
    echo "FAIL: the message does not name $file:" >&2
    echo "$out" >&2
    failures=$((failures + 1))
  fi
}

case_ fail imaging/core/planted.cpp '#include <unistd.h>'
case_ fail imaging/io/planted.h '  #  include <sys/stat.h>'
case_ fail app/planted.cpp '#include <dirent.h>'
case_ fail tests/imaging/core/planted_test.cpp '#include <fcntl.h>'
case_ fail tests/support/planted.cpp '#include <pwd.h>'
case_ fail app/planted.cpp 'std::ifstream in("/proc/self/status");'
case_ fail imaging/core/planted.cpp 'const char* cpus = "/sys/devices/system/cpu";'
case_ pass platform/rtl/planted.cpp '#include <unistd.h>'
case_ pass platform/shell/planted.cpp 'std::ifstream in("/proc/self/status");'
case_ pass tests/platform/classes/planted_test.cpp '#include <sys/resource.h>'
case_ pass imaging/view/planted.cpp '#include "imaging/processing/ieresample.h"'
case_ pass imaging/core/planted.cpp '#include <cstdio>'

if [ $failures -ne 0 ]; then
  echo "$failures case(s) failed" >&2
  exit 1
fi
