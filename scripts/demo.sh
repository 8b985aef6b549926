#!/usr/bin/env bash
# The main job: builds the Windows side and runs the show on the test bench's three monitors.
# The stand-in presentation program shows the sample deck on monitor 1, the engine shows the
# slide before on monitor 2 and the four slides before that on monitor 3. The deck is stepped
# through with real key presses, and screenshots of the whole desktop are saved into out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDRY_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64
bench="$build/win64/winebench"
"$root/scripts/wine-env.sh" start "$bench"
trap '"$root/scripts/wine-env.sh" stop "$bench"' EXIT

out="$root/out"
mkdir -p "$out"
rm -f "$out"/demo-*.png
# shellcheck disable=SC1091
. "$bench/env"
export DISPLAY

deck="Z:$(printf '%s' "$root/standin/decks/sample.deck" | tr / '\\')"
"$root/scripts/wine-env.sh" run "$bench" "$build/win64/bin/standin.exe" \
  --monitors 0,1,2 --four-slide "$deck" &
show=$!

window=
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Slide Show - sample\.deck$' 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "demo: the slide show did not open" >&2; exit 1; }

# There is no window manager: the keys go to the window that has the X focus.
press() {
  xdotool windowfocus "$window"
  sleep 0.2
  local key
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.4
  done
}

shot() {
  sleep 1
  import -window root "$out/demo-$1.png"
  echo "demo: $out/demo-$1.png  $2"
}

shot 1-start "slide 1; nothing came before it"
# Slide 2 and its three build steps, slide 3 and its two, then slide 4.
press Right space Return Down Next Right n Right
shot 2-slide4 "slide 4; slide 3 on monitor 2, slides 2 and 1 in the four-slide window"
# On through every build step to slide 7 and three of its five.
press $(printf 'Right %.0s' $(seq 14))
shot 3-slide7 "slide 7 with three points; slide 6 on monitor 2, slides 5 to 2 in the four"
# Back: the three points go one at a time, then slide 6 returns complete.
press BackSpace Left Up Prior
shot 4-back "back on slide 6; slide 5 on monitor 2, slides 4 to 1 in the four"
# Forward again through every build step of slides 7 to 11, to the last slide.
press $(printf 'Right %.0s' $(seq 19))
shot 5-last "the last slide, 12; slide 11 on monitor 2, slides 10 to 7 in the four"
press Escape
for _ in $(seq 100); do kill -0 "$show" 2>/dev/null || break; sleep 0.1; done
shot 6-ended "the show has ended; the engine's windows are gone with it"
echo "demo: screenshots in $out"
