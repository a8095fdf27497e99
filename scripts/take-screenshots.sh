#!/usr/bin/env bash
# Screenshots of the window program under Xvfb with a plain window manager
# (twm), for docs/ and the README: the window after Calculate, the save
# dialog, and the box of a Calculate error.
#
#   scripts/take-screenshots.sh [PROGRAM]     (default build/app/orsela)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh xvfb xauth imagemagick xdotool twm x11-utils
program=${1:-build/app/orsela}
[ -x "$program" ] || { echo "no program at $program (make build)" >&2; exit 1; }

if [ -z "${ORSELA_SHOTS_INNER:-}" ]; then
    ORSELA_SHOTS_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$program"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
mkdir -p "$work/Documents"
# Something in the folder, so that its columns have values to show.
printf 'an earlier report\r\n' >"$work/Documents/Orsela结果.doc"
# Windows placed where they ask, without an interactive placement.
cat >"$work/.twmrc" <<'TWMRC'
RandomPlacement
UsePPosition "on"
NoGrabServer
DecorateTransients
TitleFont "fixed"
ResizeFont "fixed"
MenuFont "fixed"
IconFont "fixed"
IconManagerFont "fixed"
TWMRC
twm >/dev/null 2>&1 &
sleep 1

window_of() { # waits for a shown window whose title is $1 (the unmapped group leader is named "orsela")
    for _ in $(seq 50); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.2
    done
    echo "no window titled $1" >&2
    return 1
}

shoot() { sleep 1; import -window root "$1"; }

# twm draws titles in an X core font without Chinese: the title as the X
# server holds it (_NET_WM_NAME, what any window manager shows) goes under
# the picture.
caption() { # image window-id
    local title
    title=$(xprop -id "$2" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//')
    convert "$1" -background white -gravity south -splice 0x36 \
        -font /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc -pointsize 18 \
        -annotate +0+6 "窗口标题 (_NET_WM_NAME): $title" "$1"
}

# The save dialog: Calculate, then Save.
"$program" >/dev/null 2>&1 &
pid=$!
main=$(window_of 'Quorlan\\Orsela')
xdotool windowfocus --sync "$main" key Return
sleep 1
import -window "$main" docs/screenshot.png
xdotool key alt+s
dialog=$(window_of '保存')
shoot docs/save-dialog.png
caption docs/save-dialog.png "$dialog"
xdotool key Escape
sleep 0.3
xdotool key Escape
wait "$pid" || true

# A Calculate error: the mean diameter equal to the wire diameter.
"$program" >/dev/null 2>&1 &
pid=$!
main=$(window_of 'Quorlan\\Orsela')
xdotool windowfocus --sync "$main"
xdotool key Tab Tab Tab Tab Tab # from 压缩弹簧 to 弹簧中径 (Text5)
xdotool type 4
xdotool key Return
box=$(window_of 'Orsela')
shoot docs/calculate-error.png
caption docs/calculate-error.png "$box"
xdotool key Return
sleep 0.3
xdotool key Escape
wait "$pid" || true
echo "docs/screenshot.png docs/save-dialog.png docs/calculate-error.png"
