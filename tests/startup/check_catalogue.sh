#!/usr/bin/env bash
# The catalogue must hold exactly the texts the program passes to tr(), each translated. lupdate updates a
# scratch copy of it from the sources: a tr() text the catalogue lacks comes back unfinished, a catalogue
# text no tr() uses any more vanished or obsolete; an empty translation would show the English text.
# Usage: check_catalogue.sh CATALOGUE SOURCE_ROOT DIRECTORY...
set -euo pipefail
catalogue=$1 root=$2
shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$catalogue" "$scratch/catalogue.ts"
(cd "$root" && lupdate -locations none "$@" -ts "$scratch/catalogue.ts") >/dev/null
if grep -q -E 'type="(unfinished|vanished|obsolete)"|<translation></translation>' "$scratch/catalogue.ts"; then
    echo "$(basename "$catalogue") and the sources' tr() texts differ:"
    grep -B 2 -E 'type="(unfinished|vanished|obsolete)"|<translation></translation>' "$scratch/catalogue.ts" | grep '<source>'
    echo "Update it with: lupdate -locations none $* -ts $catalogue, then translate the new messages."
    exit 1
fi
echo "$(grep -c '<message>' "$scratch/catalogue.ts") messages, each a tr() text, each translated"
