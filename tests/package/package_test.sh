#!/bin/bash
# The portable package as a user gets it: made with CPack, unpacked into a folder of its own,
# Tallowcron.exe started from there under Wine, "保存配置" clicked with the real mouse, and
# config.ini looked for beside the exe.
#
#   package_test.sh <cpack> <CPackConfig.cmake> <version> <cmake>
#
# Runs in the test command's Wine set-up (DISPLAY, WINEPREFIX and the rest exported), in Wine's
# virtual desktop, whose windows are X windows at the same screen positions.
set -uo pipefail

CPACK=$1 CPACK_CONFIG=$2 VERSION=$3 CMAKE=$4
NAME=Tallowcron-$VERSION-win64
# The main window's client area at 96 dots per inch, and the middle of two toolbar buttons in it.
CLIENT_WIDTH=939 CLIENT_HEIGHT=579
SAVE_BUTTON_X=$((124 + 38)) SAVE_BUTTON_Y=$((2 + 12))
EXIT_BUTTON_X=$((292 + 26)) EXIT_BUTTON_Y=$((2 + 12))

WORK=$(mktemp -d /tmp/tallowcron-package.XXXXXX)
PROGRAM_PID=
START=$(date +%s%N)

cleanup() {
    if [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
        kill "$PROGRAM_PID" 2>/dev/null
        wait "$PROGRAM_PID" 2>/dev/null
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

elapsed() {
    local tenths=$((($(date +%s%N) - START) / 100000000))
    echo "$((tenths / 10)).$((tenths % 10)) s"
}

# Waits up to $1 tenths of a second for the command in the remaining arguments to succeed.
wait_for() {
    local tenths=$1 i
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

[ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] || fail "no Wine set-up (DISPLAY, WINEPREFIX)"

# 1. The package, made afresh in the work folder (the build's own zip is left alone).
"$CPACK" --config "$CPACK_CONFIG" -B "$WORK/out" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; fail "cpack"; }
ZIP=$WORK/out/$NAME.zip
[ -f "$ZIP" ] || fail "no $NAME.zip; made: $(ls "$WORK/out")"
echo "package made ($(elapsed)): $(stat -c %s "$ZIP") bytes"

# 2. It holds one folder with the program and the read-me, and nothing else.
CONTENTS=$(cd "$WORK" && "$CMAKE" -E tar tf "$ZIP" | sort | tr '\n' ' ')
EXPECTED="$NAME/README-Windows.txt $NAME/Tallowcron.exe "
[ "$CONTENTS" = "$EXPECTED" ] || fail "package holds '$CONTENTS', expected '$EXPECTED'"
mkdir "$WORK/unpacked"
(cd "$WORK/unpacked" && "$CMAKE" -E tar xf "$ZIP") || fail "unpacking"
FOLDER=$WORK/unpacked/$NAME

# 3. The read-me names the version and tells where config.ini and the log folder go.
README=$FOLDER/README-Windows.txt
for text in "Tallowcron $VERSION" "config.ini" "log" "Tallowcron.exe"; do
    grep -qF "$text" "$README" || fail "the read-me does not mention '$text'"
done
[ "$(head -c 3 "$README" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] || fail "read-me: no UTF-8 mark"
grep -q $'\r$' "$README" || fail "read-me: not in CR LF lines"

# 4. The exe's version information carries the project version (VS_FIXEDFILEINFO, found by its
# signature; the string table's FileVersion too).
python3 - "$FOLDER/Tallowcron.exe" "$VERSION" <<'EOF' || fail "version information"
import struct, sys
data = open(sys.argv[1], "rb").read()
want = [int(p) for p in sys.argv[2].split(".")] + [0] * (4 - len(sys.argv[2].split(".")))
at = data.find(struct.pack("<I", 0xFEEF04BD))
assert at >= 0, "no fixed version information"
ms, ls = struct.unpack_from("<II", data, at + 8)
got = [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
assert got == want, f"file version {got}, expected {want}"
assert data.find("FileVersion".encode("utf-16-le")) >= 0 and \
       data.find(sys.argv[2].encode("utf-16-le")) >= 0, "no FileVersion string"
print("version information:", ".".join(map(str, got)))
EOF

# 5. Started from another folder, as the Run key or a shortcut may start it.
(cd "$WORK" && exec wine "$FOLDER/Tallowcron.exe" >"$WORK/program.log" 2>&1) &
PROGRAM_PID=$!

main_window() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Tallowcron$' 2>/dev/null); do
        [ "$(xdotool getwindowpid "$w" 2>/dev/null)" = "$PROGRAM_PID" ] || continue
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" -gt "$CLIENT_WIDTH" ] || continue
        WINDOW=$w
        return 0
    done
    return 1
}
WINDOW=
wait_for 300 main_window || fail "no main window within 30 s"
echo "main window up ($(elapsed))"

# Where the client area is on the screen: the frame's left, right and bottom edges are equally
# wide, the caption is above.
read -r LEFT TOP < <(xwininfo -id "$WINDOW" |
    awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}')
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
BORDER=$(((WIDTH - CLIENT_WIDTH) / 2))
CLIENT_LEFT=$((LEFT + BORDER))
CLIENT_TOP=$((TOP + HEIGHT - CLIENT_HEIGHT - BORDER))

# Loading a missing config.ini writes nothing.
sleep 0.5
[ ! -e "$FOLDER/config.ini" ] || fail "config.ini exists before saving"

# 6. "保存配置", clicked as a user clicks it.
xdotool mousemove $((CLIENT_LEFT + SAVE_BUTTON_X)) $((CLIENT_TOP + SAVE_BUTTON_Y)) click 1
wait_for 100 test -s "$FOLDER/config.ini" || fail "no config.ini beside the exe after saving"
echo "config.ini written ($(elapsed))"
[ ! -e "$WORK/config.ini" ] || fail "config.ini also in the working folder"

# Every key of the three sections, in the system code page's plain "key=value" lines.
CONFIG=$(iconv -f GBK -t UTF-8 "$FOLDER/config.ini" | tr -d '\r')
for section in SoftWare SoftRun MouseRun; do
    grep -qx "\[$section\]" <<<"$CONFIG" || fail "config.ini has no section [$section]"
done
KEYS="counT AutoRun AutoTimeRun sysTask cdTask ptTask ptTaskDate ptTaskTime timeOn timeInv mouseX
      mouseY"
for n in 1 2 3 4 5; do
    KEYS="$KEYS exepath$n exechk$n exeTimeOn$n task$n TaskDate$n TaskTime$n"
done
for key in $KEYS; do
    grep -q "^$key=" <<<"$CONFIG" || fail "config.ini has no key $key"
done
[ "$(grep -c '=' <<<"$CONFIG")" -eq 42 ] || fail "config.ini holds $(grep -c '=' <<<"$CONFIG") keys"
grep -qx "counT=10" <<<"$CONFIG" || fail "counT is not the design value 10"

# 7. "退出" ends the program.
xdotool mousemove $((CLIENT_LEFT + EXIT_BUTTON_X)) $((CLIENT_TOP + EXIT_BUTTON_Y)) click 1
wait_for 100 eval '! kill -0 $PROGRAM_PID 2>/dev/null' || fail "the program did not end on 退出"
wait "$PROGRAM_PID" 2>/dev/null
PROGRAM_PID=
[ ! -e "$FOLDER/log" ] || fail "a log folder appeared without any command"
echo "PASSED in $(elapsed)"
