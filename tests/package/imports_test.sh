#!/bin/bash
# The program's import table against the committed list of what it may import: every library and
# function that Tallowcron.exe imports must be a line of the list, and every line of the list an
# import. A function newer than Windows 7 imported by mistake (the Windows 7 loader would refuse
# to start the program) fails here until it is looked up at run time instead, or added to the
# list on purpose, and a line that is no longer imported fails until it is taken out.
#
#   imports_test.sh <objdump> <Tallowcron.exe> <windows7-imports.txt>
set -uo pipefail

OBJDUMP=$1 PROGRAM=$2 LIST=$3

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

DUMP=$("$OBJDUMP" -p "$PROGRAM") || fail "$OBJDUMP -p $PROGRAM"

# objdump lists each library as "DLL Name: NAME", then its functions one a line as
# "<tab>address<tab> hint name".
IMPORTED=$(awk '
    /^\tDLL Name: / { library = $3; next }
    library != "" && /^\t[0-9a-f]+\t/ { print library "!" $3 }
' <<<"$DUMP" | LC_ALL=C sort -u)
[ -n "$IMPORTED" ] || fail "no imports read from $PROGRAM"

# The list without its comments and blank lines.
LISTED=$(sed -e 's/#.*//' -e 's/[[:space:]]*$//' -e '/^$/d' "$LIST" | LC_ALL=C sort -u)

NEW=$(LC_ALL=C comm -23 <(echo "$IMPORTED") <(echo "$LISTED"))
GONE=$(LC_ALL=C comm -13 <(echo "$IMPORTED") <(echo "$LISTED"))
if [ -n "$NEW" ]; then
    echo "Imported but not in $(basename "$LIST") (a function newer than Windows 7 must be" \
        "looked up at run time; add a line only for what Windows 7 SP1 exports):" >&2
    echo "$NEW" | sed 's/^/  /' >&2
fi
if [ -n "$GONE" ]; then
    echo "In $(basename "$LIST") but no longer imported (take the line out):" >&2
    echo "$GONE" | sed 's/^/  /' >&2
fi
[ -z "$NEW" ] && [ -z "$GONE" ] || exit 1
echo "PASSED: $(wc -l <<<"$IMPORTED") imports from $(awk '/^\tDLL Name: /' <<<"$DUMP" | wc -l)" \
    "libraries, each in the list"
