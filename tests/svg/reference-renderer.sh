#!/bin/sh
# Stand-in for build/apps/orbsvg-render, drawn by rsvg-convert, with the same interface:
#   reference-renderer.sh IN.svg OUT.png [WIDTH]
# Draws IN.svg into OUT.png, WIDTH pixels wide (default: the view box width), the height
# following the document's view box (or its width and height when it has none), on white.
# Exit 0 on success; non-zero with a message on stderr when the file does not load.
# librsvg ignores xml:id, so it draws a copy in which xml:id is an id. It lets
# scripts/fidelity-report run (and be tested) before our own renderer exists.
set -eu

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 IN.svg OUT.png [WIDTH]" >&2
    exit 2
fi
in=$1
out=$2
width=${3:-}
case $width in
    '' | *[!0-9]*) [ -z "$width" ] || { echo "$0: WIDTH must be a positive integer" >&2; exit 2; } ;;
esac
if [ ! -r "$in" ]; then
    echo "$0: cannot read $in" >&2
    exit 1
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/reference-renderer.XXXXXX")
trap 'rm -rf "$tmp"' EXIT INT TERM

# Prints "WIDTH HEIGHT" for the output and writes the xml:id copy; fails on XML it cannot read.
size=$(python3 - "$in" "$tmp/in.svg" "$width" <<'EOF'
import re, sys
import xml.etree.ElementTree as ET

src, dst, width = sys.argv[1], sys.argv[2], sys.argv[3]
data = open(src, 'rb').read()


def fix(m):
    tag = m.group(0)
    if not re.search(rb'\sxml:id\s*=', tag):
        return tag
    if re.search(rb'\sid\s*=', tag):
        return re.sub(rb'\sxml:id\s*=\s*("[^"]*"|\'[^\']*\')', b'', tag)
    return re.sub(rb'(\s)xml:id(\s*=)', rb'\1id\2', tag)


data = re.sub(rb'<[A-Za-z][^<>]*>', fix, data)
open(dst, 'wb').write(data)
try:
    root = ET.fromstring(data)
except ET.ParseError as e:
    sys.exit('cannot read %s: %s' % (src, e))
num = r'[+-]?(?:\d+(?:\.\d*)?|\.\d+)(?:[eE][+-]?\d+)?'
box = None
parts = re.split(r'[\s,]+', root.get('viewBox', '').strip())
if len(parts) == 4 and all(re.fullmatch(num, p) for p in parts) and float(parts[2]) > 0 and float(parts[3]) > 0:
    box = (float(parts[2]), float(parts[3]))
else:
    w, h = (re.fullmatch('(' + num + ')(px)?', root.get(k, '').strip()) for k in ('width', 'height'))
    if w and h and float(w.group(1)) > 0 and float(h.group(1)) > 0:
        box = (float(w.group(1)), float(h.group(1)))
if not box:
    sys.exit('%s has neither a view box nor a width and height in pixels' % src)
out_w = int(width) if width else max(1, int(round(box[0])))
print(out_w, max(1, int(round(out_w * box[1] / box[0]))))
EOF
) || exit 1

set -- $size
if ! rsvg-convert -w "$1" -h "$2" -b white -f png -o "$out" "$tmp/in.svg"; then
    echo "$0: rsvg-convert could not draw $in" >&2
    rm -f "$out"
    exit 1
fi
