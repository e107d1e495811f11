#!/usr/bin/env bash
# Times orvane-tag embed against cp: a large recording (default 1024 MiB of audio)
# tagged in place and with -o, and 1000 small recordings tagged in one call against
# one cp process each. Prints wall time and peak memory; nothing is asserted.
#   bench/cli_bench.sh [MIB]     (BUILD=<folder> to choose the build folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-/tmp/build-cli-bench}
mib=${1:-1024}
dir=$(mktemp -d "${TMPDIR:-/tmp}/cli-bench.XXXXXX")
trap 'rm -rf "$dir"' EXIT

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF >/dev/null
cmake --build "$build" --target orvane-tag >/dev/null
tag="$build/src/orvane-tag"
cp "$root/resources/GeneratedSML.xml" "$dir/station.sml"

# A PCM recording: 44-byte header, then the audio (random, so nothing is sparse).
make_wav() { # FILE BYTES
    python3 - "$1" "$2" <<'PY'
import struct, sys
path, size = sys.argv[1], int(sys.argv[2])
fmt = struct.pack('<4sIHHIIHH', b'fmt ', 16, 1, 2, 48000, 192000, 4, 16)
with open(path, 'wb') as f:
    f.write(b'RIFF' + struct.pack('<I', 4 + len(fmt) + 8 + size) + b'WAVE' + fmt)
    f.write(b'data' + struct.pack('<I', size))
PY
    head -c "$2" /dev/urandom >>"$1"
}

printf '%-34s %12s %16s\n' step "wall (s)" "peak RSS (KiB)"
measure() {
    local label=$1
    shift
    /usr/bin/time -v "$@" >/dev/null 2>"$dir/time.txt" || { cat "$dir/time.txt"; exit 1; }
    printf '%-34s %12s %16s\n' "$label" \
        "$(sed -n 's/.*Elapsed (wall clock) time.*: //p' "$dir/time.txt")" \
        "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$dir/time.txt")"
}

make_wav "$dir/rec.wav" $((mib * 1024 * 1024))
sync
echo "recording: $(stat -c %s "$dir/rec.wav") bytes"
measure "cp" cp "$dir/rec.wav" "$dir/copy.wav"
rm -f "$dir/copy.wav"
sync
measure "embed -o new file" "$tag" embed --sml "$dir/station.sml" "$dir/rec.wav" -o "$dir/out.wav"
rm -f "$dir/out.wav"
sync
measure "embed in place" "$tag" embed --sml "$dir/station.sml" "$dir/rec.wav"
measure "  ... again" "$tag" embed --sml "$dir/station.sml" "$dir/rec.wav"
rm -f "$dir/rec.wav"

mkdir "$dir/small" "$dir/copies"
make_wav "$dir/small/0.wav" 14700
for i in $(seq 1 999); do cp "$dir/small/0.wav" "$dir/small/$i.wav"; done
sync
measure "cp of 1000 small files (1 each)" bash -c 'for f in "$0"/small/*.wav; do cp "$f" "$0/copies/"; done' "$dir"
measure "embed 1000 small files, 1 call" "$tag" embed --sml "$dir/station.sml" "$dir"/small/*.wav
measure "  ... again" "$tag" embed --sml "$dir/station.sml" "$dir"/small/*.wav
