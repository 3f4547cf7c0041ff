#!/bin/sh
# Starts textmd5.exe as a person would, photographs the screen, checks a few
# pixels of the window, and closes it with Esc.
#   screenshot.sh PROGRAM.exe OUT.png
set -eu
program=$1 out=$2
: "${WINEPREFIX:?}" "${DISPLAY:?}"
here=$(dirname "$0")

"$here/../cmake/wine-run" "$program" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT

read -r sw sh <<EOT
$(xdotool getdisplaygeometry)
EOT
x=$(( (sw - 380) / 2 )) y=$(( (sh - 250) / 2 ))

# Wait for the window's caption to be drawn at its centred place.
pixel() { convert "$1" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop "1x1+$2+$3" info:; }
shot=$(mktemp --suffix=.png)
for _ in $(seq 60); do
  sleep 0.5
  import -window root "$shot" 2>/dev/null || continue
  [ "$(pixel "$shot" $((x + 200)) $((y + 10)))" != "0,0,0" ] && break
done
sleep 1
import -window root "$shot"
convert "$shot" -crop "380x250+$x+$y" +repage "$out"
rm -f "$shot"

fail=0
check() {  # name x y expected (within the window)
  got=$(pixel "$out" "$2" "$3")
  if [ "$got" = "$4" ]; then echo "ok   $1 ($2,$3) = $got"; else echo "FAIL $1 ($2,$3) = $got, want $4"; fail=1; fi
}
face=$(pixel "$out" 10 240)  # the client area, left of the button: the face colour
check "input box, upper band" 200 40 255,255,255
check "input box, line" 200 62 255,255,255
check "output box" 200 132 255,255,255
check "client area, left of the boxes" 90 200 "$face"
check "client area, below the button" 250 235 "$face"
[ "$face" != "255,255,255" ] || { echo "FAIL the window face is white"; fail=1; }

xdotool key Escape
code=0
wait $app || code=$?
trap - EXIT
echo "exit code after Esc: $code"
[ "$code" -eq 0 ] || fail=1
exit $fail
