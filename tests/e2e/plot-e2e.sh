#!/usr/bin/env bash
# End to end in a real X server: starts the program in a folder with one data file, double-clicks
# the file in the file list with real mouse input, takes a screenshot of the plot window and
# compares its pixels with the picture the file must give. Then starts it again with the file
# named on its command line, which must show the same picture without any click, and copies the
# picture with Ctrl+C on the plot window: the X clipboard must hold that picture as a PNG.
#
#   plot-e2e.sh VARNESKA_BINARY
set -euo pipefail

binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool import convert xclip python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

work=$(mktemp -d -t varneska-e2e.XXXXXX)
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

python3 "$here/e2e_picture.py" write "$work/data/picture.txt"

# Xvfb picks a free display and tells us which.
exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

(cd "$work/data" && exec "$binary") >"$work/app.log" 2>&1 &
app_pid=$!

find_window() {
  for _ in $(seq 200); do
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.05
  done
  echo "no window named $1 appeared" >&2
  cat "$work/app.log" >&2
  return 1
}

form1=$(find_window Varneska)
eval "$(xdotool getwindowgeometry --shell "$form1")"
# File1 stands at (152, 48) in the main window; its only entry is the first line.
xdotool mousemove $((X + 180)) $((Y + 58))
sleep 0.2
xdotool click --repeat 2 --delay 80 1

form2=$(find_window Form2)
for attempt in $(seq 40); do
  sleep 0.25
  import -window "$form2" -depth 8 "$work/form2.ppm" 2>/dev/null || continue
  if python3 "$here/e2e_picture.py" check "$work/form2.ppm" >"$work/check.log" 2>&1; then
    cat "$work/check.log"
    matched=1
    break
  fi
done
if [ -z "${matched:-}" ]; then
  echo "the plot window never showed the expected picture:"
  cat "$work/check.log"
  exit 1
fi
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# The file on the command line: the picture appears with no click at all.
(cd "$work" && exec "$binary" data/picture.txt) >"$work/app.log" 2>&1 &
app_pid=$!
form2=$(find_window Form2)
shown=
for attempt in $(seq 40); do
  sleep 0.25
  import -window "$form2" -depth 8 "$work/form2.ppm" 2>/dev/null || continue
  if python3 "$here/e2e_picture.py" check "$work/form2.ppm" >"$work/check.log" 2>&1; then
    echo "started with the file named: $(cat "$work/check.log")"
    shown=1
    break
  fi
done
if [ -z "$shown" ]; then
  echo "started with the file named, the plot window never showed the expected picture:"
  cat "$work/check.log"
  exit 1
fi

# Ctrl+C on the plot window puts the picture on the clipboard, read back as PNG.
xdotool windowfocus --sync "$form2"
xdotool key --clearmodifiers ctrl+c
for attempt in $(seq 40); do
  sleep 0.25
  if xclip -selection clipboard -t image/png -o >"$work/clip.png" 2>/dev/null && [ -s "$work/clip.png" ]; then
    convert "$work/clip.png" -depth 8 "$work/clip.ppm"
    if python3 "$here/e2e_picture.py" check "$work/clip.ppm" >"$work/check.log" 2>&1; then
      echo "clipboard: $(cat "$work/check.log")"
      exit 0
    fi
  fi
done
echo "the clipboard never held the expected picture:"
cat "$work/check.log" 2>/dev/null || true
exit 1
