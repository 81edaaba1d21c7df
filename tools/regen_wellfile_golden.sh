#!/usr/bin/env bash
# Regenerates, on purpose, the golden outputs of the example wells the
# checked-in schema and field reference page from a built dlv command. Review the diff before committing.
# Usage: tools/regen_wellfile_golden.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
dlv="${1:-build/release}/cli/dlv"
for well in examples/wells/*.json; do
  "$dlv" run "$well" --format json -o "tests/wellfile/golden/$(basename "$well")"
done
"$dlv" schema > schema/well.schema.json
mkdir -p docs && "$dlv" schema --markdown > docs/fields.md
echo "regenerated $(ls examples/wells/*.json | wc -l) golden outputs and schema/well.schema.json"
