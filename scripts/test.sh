#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
export LC_ALL=C.UTF-8
if [ "${1:-}" = "--sanitize" ]; then
  dir="$root/build-asan"
  "$root/scripts/build.sh" "$dir" -DORVANE_SANITIZE=ON
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS=suppressions=$root/tests/support/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir="$root/build"
  "$root/scripts/build.sh" "$dir"
fi
cd "$dir"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
