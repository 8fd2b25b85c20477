#!/usr/bin/env bash
# Builds zelvaron-cli and backs up the bundled example tree (examples/tree) into a new
# temporary folder, with the project described by examples/beispiel.json.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVARON_WERROR=ON
cmake --build build --target zelvaron-cli
cli=build/src/cli/zelvaron-cli

out=$(mktemp -d "${TMPDIR:-/tmp}/zelvaron-beispiel.XXXXXX")
# Fill the paths into the project description; json.dumps escapes them for JSON.
python3 - "$PWD/examples/beispiel.json" "$PWD/examples/tree" "$out" > "$out/beispiel.json" <<'PY'
import json, sys
template, source, output = sys.argv[1:4]
text = open(template, encoding="utf-8").read()
text = text.replace("@QUELLE@", json.dumps(source)[1:-1]).replace("@AUSGABE@", json.dumps(output)[1:-1])
sys.stdout.write(text)
PY
"$cli" save "$out/beispiel.zelv" < "$out/beispiel.json"

status=0
"$cli" run "$out/beispiel.zelv" || status=$?

echo
echo "Sicherung:  $out/Sicherung"
echo "Projekt:    $out/beispiel.zelv  (zeigen mit: $cli show $out/beispiel.zelv)"
echo "Protokoll, Listen und Prüfdatei (UTF-16LE) liegen in $out:"
(cd "$out" && ls -1 ./*.txt 2>/dev/null | sed 's|^\./|  |') || true
echo "Gesicherte Dateien:"
if [ -d "$out/Sicherung" ]; then
  (cd "$out/Sicherung" && find . -type f | sort | sed 's|^\./|  |')
fi
exit "$status"
