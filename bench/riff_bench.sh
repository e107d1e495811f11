#!/usr/bin/env bash
# Times the RIFF container on a large recording (default 1024 MiB of audio) and
# compares with cp: load, tag to a new file, tag onto the file itself. Prints wall
# time and peak memory of each; nothing is asserted.
#   bench/riff_bench.sh [MIB]     (BUILD=<folder> to choose the build folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-/tmp/build-riff-bench}
mib=${1:-1024}
dir=$(mktemp -d "${TMPDIR:-/tmp}/riff-bench.XXXXXX")
trap 'rm -rf "$dir"' EXIT

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF >/dev/null
cmake --build "$build" --target riff_bench >/dev/null
bin="$build/bench/riff_bench"

"$bin" make "$dir/rec.wav" "$mib" >/dev/null
sync
echo "recording: $(stat -c %s "$dir/rec.wav") bytes in $dir"
printf '%-26s %12s %12s %14s\n' step "wall (s)" "inside (ms)" "peak RSS (KiB)"
measure() {
    local label=$1
    shift
    /usr/bin/time -v "$@" >"$dir/out.txt" 2>"$dir/time.txt"
    printf '%-26s %12s %12s %14s\n' "$label" \
        "$(sed -n 's/.*Elapsed (wall clock) time.*: //p' "$dir/time.txt")" \
        "$(awk '{print $2}' "$dir/out.txt")" \
        "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$dir/time.txt")"
}
measure "load" "$bin" load "$dir/rec.wav"
measure "cp" cp "$dir/rec.wav" "$dir/copy.wav"
rm -f "$dir/copy.wav"
sync
# The save flushes its file to disk before renaming it; cp does not.
measure "cp, then sync of the copy" sh -c 'cp "$1" "$2" && sync "$2"' sh "$dir/rec.wav" "$dir/copy.wav"
rm -f "$dir/copy.wav"
sync
measure "save tagged to new file" "$bin" save "$dir/rec.wav" "$dir/out.wav"
rm -f "$dir/out.wav"
sync
measure "save tagged onto itself" "$bin" inplace "$dir/rec.wav"
measure "  ... and again" "$bin" inplace "$dir/rec.wav"
echo "after two saves in place: $(stat -c %s "$dir/rec.wav") bytes"
