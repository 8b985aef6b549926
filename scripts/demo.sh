#!/usr/bin/env bash
# The main job: builds the Windows side and follows a user's path on the test bench's three
# monitors with real mouse clicks and key presses. The add-in is registered, the stand-in
# presentation program starts with the sample deck and loads it, and the user starts Tandry from
# the Slide Show menu: in the settings dialog three monitors are chosen with the notes view
# (notes, show, one earlier slide), the show is stepped through and Alt+M inserts a blank slide;
# a second run puts four earlier slides on the last monitor. Screenshots of the whole desktop go
# into out/, each named and described here. Nothing of the run is left registered.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDRY_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64
bin="$build/win64/bin"
bench="$build/win64/winebench"
wine() { "$root/scripts/wine-env.sh" run "$bench" "$@"; }
settings='HKCU\Software\VB and VBA Program Settings\Tandry'

"$root/scripts/wine-env.sh" start "$bench"
cleanup() {
  wine regsvr32 /s /u "$bin/tandryaddin.dll" || true
  wine reg delete "$settings" /f >/dev/null 2>&1 || true
  "$root/scripts/wine-env.sh" stop "$bench"
}
trap cleanup EXIT

out="$root/out"
mkdir -p "$out"
rm -f "$out"/demo-*.png
# shellcheck disable=SC1091
. "$bench/env"
export DISPLAY

shot() {
  sleep 1
  import -window root "$out/demo-$1.png"
  echo "demo: $out/demo-$1.png  $2"
}

# The X window of the Windows window titled exactly $1, once it is there.
find_window() {
  local window=
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && { echo "$window"; return; }
    sleep 0.1
  done
  echo "demo: no window '$1'" >&2
  exit 1
}

# Waits until the window titled $1 has gone.
wait_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
}

# A click at (x, y) inside an X window. There is no window manager: X windows hold the Windows
# windows' client areas, at their own positions.
click_in() {
  local geometry x y
  geometry=$(xdotool getwindowgeometry --shell "$1")
  x=$(sed -n 's/^X=//p' <<<"$geometry")
  y=$(sed -n 's/^Y=//p' <<<"$geometry")
  xdotool mousemove $((x + $2)) $((y + $3)) click 1
  sleep 0.4
}

# Keys go to the window that has the X focus.
press() {
  xdotool windowfocus "$1"
  sleep 0.2
  shift
  local key
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.4
  done
}

# The settings dialog's controls, as designed at 96 dots per inch (client coordinates).
excluded_first=(360 176)
include_arrow=(304 176)
notes_check=(104 124)
four_slide_check=(104 268)
start_show=(400 316)

wine reg delete "$settings" /f >/dev/null 2>&1 || true  # a user's first start
wine regsvr32 /s "$bin/tandryaddin.dll"
echo "demo: tandryaddin.dll registered with regsvr32"

deck="Z:$(printf '%s' "$root/standin/decks/sample.deck" | tr / '\\')"
wine "$bin/standin.exe" "$deck" &
program=$!
host=$(find_window 'Stand-in - sample.deck')
shot 01-program "the presentation program with the sample deck; it has loaded the add-in"

press "$host" alt+d
shot 02-menu "the Slide Show menu: Tandry's 'Start Tandry...' and 'About Tandry...' buttons"
xdotool key Return
dialog=$(find_window 'Setup Tandry')
shot 03-settings "the settings dialog of a first start: monitor 1 chosen, monitors 2 and 3 left out"

# Monitors 2 and 3 join, the notes view goes on monitor 1, the four-slide box is cleared.
click_in "$dialog" "${excluded_first[@]}"
click_in "$dialog" "${include_arrow[@]}"
click_in "$dialog" "${excluded_first[@]}"
click_in "$dialog" "${include_arrow[@]}"
click_in "$dialog" "${notes_check[@]}"
click_in "$dialog" "${four_slide_check[@]}"
shot 04-choices "monitor 1 notes, monitor 2 the slide show, monitor 3 an earlier slide"
click_in "$dialog" "${start_show[@]}"

show=$(find_window 'Slide Show - sample.deck')
shot 05-started "notes of slide 1 on monitor 1, the show on monitor 2 (left), nothing before it on monitor 3"
# Slide 2 and its three build steps, then slide 3 and its two.
press "$show" Right space Return Down Right Right Next
shot 06-slide3 "slide 3 complete, its notes on monitor 1; slide 2 on monitor 3"
press "$show" alt+m Right
shot 07-inserted "Alt+M put a blank slide 4 after slide 3: the show is on it, slide 3 on monitor 3"
press "$show" Right
shot 08-slide5 "slide 5 with its notes; the blank slide 4 on monitor 3"
press "$show" Escape
wait_gone 'Slide Show - sample.deck'
shot 09-ended "the show has ended; the engine's windows and the notes view are gone with it"

# The second run: the dialog remembers the monitors; the notes view goes, the last monitor
# shows four slides.
press "$host" alt+d Return
dialog=$(find_window 'Setup Tandry')
click_in "$dialog" "${notes_check[@]}"
click_in "$dialog" "${four_slide_check[@]}"
shot 10-settings-four "the second start: monitors 1 to 3 kept, no notes, four slides on monitor 3"
click_in "$dialog" "${start_show[@]}"
show=$(find_window 'Slide Show - sample.deck')
press "$show" $(printf 'Right %.0s' $(seq 16))
shot 11-four "slide 7 on monitor 1; slide 6 on monitor 2 (left), slides 5 to 2 on monitor 3"
press "$show" Escape
wait_gone 'Slide Show - sample.deck'
shot 12-ended "the end of the second show: everything of it is gone"

# File, Exit: the program shuts the add-in down on its way out.
press "$host" alt+f x
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$program" 2>/dev/null; then
  echo "demo: the presentation program did not end" >&2
  exit 1
fi
echo "demo: the presentation program has ended; screenshots in $out"
