#!/usr/bin/env bash
# Takes the README's picture: the embedding example draws a known colour
# (#3366cc) into the view's engine display under a virtual X server; the
# window is cut out of a screenshot and its pixels are checked.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DLUMARO_TESTS=ON >/dev/null
cmake --build build --target lumaro-colour-example lumaro-test-services

shot=$(mktemp --suffix=.png)
xvfb-run -a -s "-screen 0 1000x700x24 -wr" bash scripts/screenshot.sh "$shot" \
  ./build/examples/lumaro-colour-example "$PWD/build/tests/engine-root/obs-plugins/64bit"
mkdir -p docs
convert "$shot" -crop 800x600+0+0 +repage docs/lumaro-window.png
rm -f "$shot"

# Every pixel of the window is the colour the engine was asked to draw.
colours=$(convert docs/lumaro-window.png -format %c histogram:info:- | wc -l)
colour=$(convert docs/lumaro-window.png -format '%[hex:p{400,300}]' info:-)
if [ "$colours" -ne 1 ] || [ "${colour:0:6}" != 3366CC ]; then
  echo "The window is not all #3366CC ($colours colours, centre $colour)." >&2
  exit 1
fi
echo "docs/lumaro-window.png: 800 x 600, every pixel #3366CC."
