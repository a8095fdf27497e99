#!/usr/bin/env bash
# Regenerates every icon file from the one master, orsela.svg:
#   orsela-16.png, orsela-32.png, orsela-48.png  the window icon and the hicolor theme icons
#   orsela.ico                                   the Windows program icon: 48, 32 and 16 pixels,
#                                                each in 16 colours (4 bits) and 256 colours (8 bits)
# Needs ImageMagick (Debian: imagemagick). Run it after changing the SVG and commit the results.
set -euo pipefail
cd "$(dirname "$0")"

if ! command -v convert >/dev/null || ! convert -version 2>/dev/null | grep -q ImageMagick \
    || ! command -v identify >/dev/null; then
    echo "make-icons.sh: ImageMagick's convert and identify are missing." >&2
    echo "Install them: apt-get install imagemagick (or: scripts/install-deps.sh imagemagick)" >&2
    exit 1
fi

master=orsela.svg
sizes=(48 32 16)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# No time stamps or other metadata, so the same SVG always gives the same bytes.
stable=(-strip -define "png:exclude-chunks=date,time")

for n in "${sizes[@]}"; do
    convert -background none -density 384 "$master" -resize "${n}x${n}" "${stable[@]}" \
        "PNG32:orsela-$n.png"
done

# A palette icon has a one-bit transparency mask: cut the alpha at half, then choose the
# palette without dithering (dither noise is ugly at 16 pixels).
frames=()
for n in "${sizes[@]}"; do
    for colours in 16 256; do
        frames+=(\( "orsela-$n.png" -channel A -threshold 50% +channel +dither -colors "$colours" \))
    done
done
convert "${frames[@]}" "$work/orsela.ico"

# The writer picks the bit depth from the colour count; make sure it picked the six we want.
expected="48x48 4
48x48 8
32x32 4
32x32 8
16x16 4
16x16 8"
actual=$(identify -format '%wx%h %z\n' "$work/orsela.ico")
if [ "$actual" != "$expected" ]; then
    echo "make-icons.sh: orsela.ico came out with other images than expected:" >&2
    echo "$actual" >&2
    exit 1
fi
mv "$work/orsela.ico" orsela.ico

identify orsela-48.png orsela-32.png orsela-16.png
identify -format '%f[%p] %wx%h %z-bit, %k colours\n' orsela.ico
