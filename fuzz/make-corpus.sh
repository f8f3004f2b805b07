#!/bin/sh
# Makes the seed corpora of the fuzzers, one folder per target:
#   fuzz/make-corpus.sh build/src/cli/irvata-cli build-fuzz/fuzz/irvata_fuzz_seeds [CORPUS_DIR]
# network_file/ comes from generated mines. A seed there is one byte choosing the way in (0-17:
# a decompressed body of that version, 18: a whole file) followed by the bytes. Bodies of the
# small mines are also offered under older version numbers, so the fuzzer starts inside the
# record layouts of those versions too. settings_text/, clipboard/, hand_over/, profile_file/ and
# reducer_file/ are written by irvata_fuzz_seeds (fuzz/MakeSeeds.cpp) with the program's own writers.
# torvex_file/ comes from the converter.
set -e
CLI=${1:?usage: make-corpus.sh IRVATA_CLI IRVATA_FUZZ_SEEDS [CORPUS_DIR]}
SEEDS=${2:?usage: make-corpus.sh IRVATA_CLI IRVATA_FUZZ_SEEDS [CORPUS_DIR]}
OUT=${3:-$(dirname "$0")/corpus}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$CLI" generate --preset sample "$tmp/sample-17.irv"
"$CLI" generate --preset sample --format 16 "$tmp/sample-16.irv"
"$CLI" generate --branches 1 --seed 1 "$tmp/one-17.irv"
"$CLI" generate --branches 6 --seed 2 "$tmp/tiny-17.irv"
"$CLI" generate --branches 40 --seed 3 --format 16 "$tmp/small-16.irv"
python3 - "$tmp" "$OUT/network_file" <<'PY'
import pathlib, sys, zlib
src, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
out.mkdir(parents=True, exist_ok=True)
for f in sorted(src.glob('*.irv')):
    data = f.read_bytes()
    version = int(f.stem.rsplit('-', 1)[1])
    body = zlib.decompress(data[24:])
    (out / f'body-{f.stem}').write_bytes(bytes([version]) + body)
    (out / f'file-{f.stem}').write_bytes(bytes([18]) + data)
    if f.stem.startswith(('one', 'tiny')):
        for old in (0, 3, 5, 7, 10, 12, 13, 14):
            (out / f'body-{f.stem}-as-{old}').write_bytes(bytes([old]) + body)
PY
"$SEEDS" "$OUT"
# torvex_file/ holds exchange files written by the program's own converter.
mkdir -p "$OUT/torvex_file"
"$CLI" convert "$tmp/sample-17.irv" "$OUT/torvex_file/sample.mdf"
"$CLI" convert "$tmp/tiny-17.irv" "$OUT/torvex_file/tiny.mdf"
