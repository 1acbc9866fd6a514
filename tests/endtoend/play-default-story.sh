#!/usr/bin/env bash
# Plays the default story in the real player under Wine and watches it as a person would:
# the screen through screenshots, the sound through the monitor of the PulseAudio null sink,
# the reader's click as a real mouse click. A second, shorter run opens the story by path
# in a window and stops it with Escape.
#   tests/endtoend/play-default-story.sh [PROGRAM [OUTPUT_FOLDER]]
# PROGRAM is narrabo.exe with data.TPD and Media/ beside it (by default build/bin's);
# OUTPUT_FOLDER keeps the last screenshot, the recorded sound and the program's output
# (by default "endtoend" in the build folder). Runs inside scripts/with-wine.sh, and starts
# itself there when the display or the sound sink is missing.
#
# Every stage waits for what a person would see or hear, polling, within a generous bound;
# a stage whose bound runs out fails, named, with its last screenshot kept. A page counts as
# shown only when its pixels hold in two screenshots in a row, and its checks include
# pictures the story puts on the page after its transition, so neither the splash nor a
# transition half done passes for it.
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
program=$(realpath "${1:-$root/build/bin/narrabo.exe}")
bin=$(dirname "$program")
out=${2:-$(dirname "$bin")/endtoend}

in_wine_environment() {
  [ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] \
    && pactl list short sinks 2>/dev/null | grep -qw nullsink
}
if ! in_wine_environment; then
  [ -z "${ENDTOEND_UNDER_WINE:-}" ] || { echo "endtoend: no display, sound sink or Wine prefix" >&2; exit 1; }
  export ENDTOEND_UNDER_WINE=1
  export BUILD_DIR=${BUILD_DIR:-$(dirname "$bin")}
  exec "$root/scripts/with-wine.sh" "$0" "$program" "$out"
fi

for tool in wine winepath import convert xdotool parec pactl od awk; do
  command -v "$tool" >/dev/null || { echo "endtoend: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
[ -f "$program" ] || { echo "endtoend: no program at $program" >&2; exit 1; }
[ -f "$bin/data.TPD" ] || { echo "endtoend: no default story beside the program in $bin" >&2; exit 1; }
mkdir -p "$out"
screen=$out/screen.png
rm -f "$out"/*.png "$out"/*.raw

# The player's own numbers: its preferences, and the page of the default story.
preferences='HKLM\SOFTWARE\Fabulo 3\MainPreferences'
page_width=800
page_height=600

# -- Reporting -------------------------------------------------------------------------------

now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }
run_start=$(now_ms)
seconds_since() { local ms=$(($(now_ms) - $1)); printf '%d.%d' $((ms / 1000)) $((ms % 1000 / 100)); }
say() { printf '[%6s s] %s\n' "$(seconds_since "$run_start")" "$*"; }

stage=starting
stage_start=$run_start
stage_bound=0
program_pid=
program_status=
recorder_pid=
detail=
window=

fail() {
  say "FAILED at stage \"$stage\": $*"
  if [ -f "$screen" ]; then
    cp "$screen" "$out/failed-screen.png"
    say "the last screenshot is $out/failed-screen.png"
  fi
  [ -s "$out/narrabo.log" ] && { say "the program's output:"; tail -n 20 "$out/narrabo.log"; }
  exit 1
}

# The player runs with its windows left to a window manager, as on a user's desktop, even
# where scripts/with-wine.sh lets Wine place them itself (a private display without one):
# the checks read the windows' client areas from the X windows, which then hold no frame.
x11_driver='HKCU\Software\Wine\X11 Driver'
managed_before=$(wine reg query "$x11_driver" /v Managed 2>/dev/null | awk '/Managed/ {print $NF}' | tr -d '\r')
wine reg add "$x11_driver" /v Managed /d Y /f >/dev/null 2>&1

stop_started() {
  # Only what this script started, by its process ID.
  [ -n "$recorder_pid" ] && kill "$recorder_pid" 2>/dev/null
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  if [ -n "$managed_before" ]; then
    wine reg add "$x11_driver" /v Managed /d "$managed_before" /f >/dev/null 2>&1
  else
    wine reg delete "$x11_driver" /v Managed /f >/dev/null 2>&1
  fi
  return 0
}
trap stop_started EXIT

begin_stage() {
  stage=$1
  stage_bound=$2
  stage_start=$(now_ms)
  detail=
  say "$stage: waiting at most $stage_bound s"
}

end_stage() { say "$stage: passed after $(seconds_since "$stage_start") s${1:+ ($1)}"; }

# -- The screen ------------------------------------------------------------------------------

read -r screen_width screen_height < <(xdotool getdisplaygeometry)
[ -n "${screen_width:-}" ] || { echo "endtoend: the display's size cannot be read" >&2; exit 1; }
# Where page coordinates land on the screen; the full-screen layout centres the page.
origin_x=$(((screen_width - page_width) / 2))
origin_y=$(((screen_height - page_height) / 2))

take_screenshot() {
  import -silent -window root "$screen.new.png" 2>/dev/null && mv -f "$screen.new.png" "$screen"
}

# page_shows "name x,y r,g,b tolerance" ...: whether every named pixel of the page is within
# its tolerance of its colour; what differs goes to $detail.
page_shows() {
  local format='' spec xy x y
  for spec in "$@"; do
    read -r _ xy _ <<<"$spec"
    x=$((origin_x + ${xy%,*}))
    y=$((origin_y + ${xy#*,}))
    format+="%[fx:int(255*p{$x,$y}.r+.5)] %[fx:int(255*p{$x,$y}.g+.5)] %[fx:int(255*p{$x,$y}.b+.5)]\n"
  done
  local seen
  seen=$(convert "$screen" -format "$format" info: 2>/dev/null) || { detail="the screenshot cannot be read"; return 1; }
  detail=$(paste <(printf '%s\n' "$@") <(printf '%s\n' "$seen") | awk -F'\t' '
    { split($1, want, " "); split(want[3], c, ","); split($2, got, " ")
      for (i = 1; i <= 3; i++) {
        d = got[i] - c[i]; if (d < 0) d = -d
        if (d > want[4] || got[i] == "") { printf "%s at (%s) is (%s,%s,%s), not (%s); ", want[1], want[2], got[1], got[2], got[3], want[3]; break }
      }
    }')
  [ -z "$detail" ]
}

# count_pixels MODE x y w h tolerance r,g,b ...: counts the pixels of a page rectangle that are
# within the tolerance of one of the colours (MODE "like") or of none of them ("unlike").
# Prints the count and the mean x and y of those pixels, in page coordinates.
count_pixels() {
  local mode=$1 x=$2 y=$3 w=$4 h=$5 tolerance=$6
  shift 6
  convert "$screen" -crop "${w}x${h}+$((origin_x + x))+$((origin_y + y))" +repage -depth 8 txt:- 2>/dev/null |
    awk -v mode="$mode" -v tol="$tolerance" -v colours="$*" -v ox="$x" -v oy="$y" '
      BEGIN { n = split(colours, list, " ")
              for (i = 1; i <= n; i++) { split(list[i], c, ","); r[i] = c[1]; g[i] = c[2]; b[i] = c[3] } }
      /^#/ { next }
      { split($1, xy, "[,:]"); v = $2; gsub(/[()]/, "", v); split(v, p, ",")
        near = 0
        for (i = 1; i <= n && !near; i++)
          near = (p[1] - r[i] <= tol && r[i] - p[1] <= tol && p[2] - g[i] <= tol && g[i] - p[2] <= tol \
                  && p[3] - b[i] <= tol && b[i] - p[3] <= tol)
        if ((mode == "like") == near) { count++; sx += xy[1]; sy += xy[2] } }
      END { if (count) printf "%d %d %d\n", count, ox + sx / count, oy + sy / count
            else print "0 -1 -1" }'
}

# The program's visible windows, one a line: id, x, y, width, height.
program_windows() {
  # shellcheck disable=SC2034  # xdotool's --shell output sets all of them
  local id WINDOW SCREEN X Y WIDTH HEIGHT
  for id in $(xdotool search --onlyvisible --class narrabo.exe 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" && echo "$id $X $Y $WIDTH $HEIGHT"
  done
}

# The full-screen layout: a window of the program covers the whole screen.
full_screen_window() {
  local id x y width height
  while read -r id x y width height; do
    if [ "$x" -eq 0 ] && [ "$y" -eq 0 ] && [ "$width" -eq "$screen_width" ] && [ "$height" -eq "$screen_height" ]; then
      window=$id
      return 0
    fi
  done < <(program_windows)
  return 1
}

program_running() { [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; }

# Collects the ended program's exit code into program_status.
collect_program() {
  wait "$program_pid"
  program_status=$?
  program_pid=
}

# poll CHECK [TIMES]: takes screenshots until CHECK holds in TIMES of them in a row (1 by
# default), within the stage's bound, while the program runs.
poll() {
  local check=$1 times=${2:-1} in_a_row=0 next_note=$(($(now_ms) + 5000))
  while :; do
    if [ "$(now_ms)" -ge "$next_note" ]; then
      say "$stage: still waiting${detail:+: $detail}"
      next_note=$((next_note + 5000))
    fi
    if ! program_running; then
      [ -n "$program_pid" ] || fail "the program is not running"
      collect_program
      fail "the program ended (exit code $program_status)${detail:+; last seen: $detail}"
    fi
    [ $(($(now_ms) - stage_start)) -le $((stage_bound * 1000)) ] \
      || fail "not reached within $stage_bound s${detail:+; last seen: $detail}"
    if take_screenshot && "$check"; then
      in_a_row=$((in_a_row + 1))
      [ "$in_a_row" -ge "$times" ] && return 0
    else
      in_a_row=0
    fi
    sleep 0.2
  done
}

wait_for_exit() {
  while program_running; do
    [ $(($(now_ms) - stage_start)) -le $((stage_bound * 1000)) ] \
      || fail "the program was still running after $stage_bound s"
    sleep 0.2
  done
  collect_program
  [ "$program_status" -eq 0 ] || fail "the program ended with exit code $program_status"
}

# -- The story's pages (page coordinates) ---------------------------------------------------

first_page() {
  page_shows "moon 700,95 255,241,184 10" "tree-crown 686,330 46,107,52 10" \
    "sky 10,10 10,23,57 10" "meadow 400,580 46,90,54 10"
}
# The fox sits down only once the wipe is over; the right edge is the last the wipe uncovers.
second_page() {
  page_shows "pond 450,520 24,56,96 10" "grass 30,340 36,71,47 10" \
    "right-edge-grass 790,480 36,71,47 10" "sitting-fox 127,443 226,114,38 12"
}
# The moon, the hills and the fox come after the box has opened all the way.
third_page() {
  page_shows "night 150,360 13,27,61 4" "corner 795,5 13,27,61 4" \
    "moon-face 600,200 255,233,138 10" "hills 400,560 47,90,54 10" "fox 257,403 226,114,38 12"
}
# The sleeping fox comes after the fade; the wait sign has gone with the wait.
fourth_page() {
  page_shows "night 40,40 10,20,48 4" "corner 795,595 10,20,48 4" "sleeping-fox 400,380 226,114,38 12" \
    || return 1
  local sign
  read -r sign _ < <(count_pixels unlike $((page_width - 96)) 16 96 96 8 10,20,48)
  detail="$sign pixels of the wait sign still shown"
  [ "$sign" -lt 20 ]
}

# The narration's highlight: the spoken word in red inside the first narration box.
highlight_colour=214,40,40
highlight_places=()
word_highlighted() {
  local count x y
  read -r count x y < <(count_pixels like 30 90 592 76 24 "$highlight_colour")
  detail="$count red pixels in the narration box"
  [ "$count" -ge 150 ] || return 1
  local place
  for place in "${highlight_places[@]}"; do
    # A word already seen: the highlight has to move on to another one.
    [ $((${place%,*} - x)) -ge 25 ] || [ $((x - ${place%,*})) -ge 25 ] || [ $((${place#*,} - y)) -ge 12 ] \
      || [ $((y - ${place#*,})) -ge 12 ] || return 1
  done
  highlight_places+=("$x,$y")
  say "$stage: word in red, $count pixels around ($x, $y)"
  [ "${#highlight_places[@]}" -ge 2 ]
}

# The story's wait: the page with its call to click, and the wait sign at (page width - 96, 16).
# The sign blinks, so one screenshot with it is enough; it shows only while the story waits.
wait_sign_seen=0
waiting_for_click() {
  third_page || return 1
  local text sign
  read -r text _ < <(count_pixels like 200 540 400 44 16 255,214,90)
  read -r sign _ < <(count_pixels unlike $((page_width - 96)) 16 96 96 24 13,27,61 255,246,222)
  [ "$sign" -ge 400 ] && wait_sign_seen=1
  detail="$text pixels of the call to click, $sign pixels of the wait sign (seen before: $wait_sign_seen)"
  [ "$text" -ge 500 ] && [ "$wait_sign_seen" = 1 ]
}

# -- Sound -------------------------------------------------------------------------------------

sound_rate=22050
start_recording() {
  parec -d nullsink.monitor --format=s16le --rate=$sound_rate --channels=1 --latency-msec=100 \
    >"$out/narration.raw" 2>"$out/parec.log" &
  recorder_pid=$!
}

recorded_ms() {
  local bytes
  bytes=$(stat -c %s "$out/narration.raw" 2>/dev/null || echo 0)
  echo $((bytes * 1000 / (2 * sound_rate)))
}

# Prints the peak, the loudest 50 ms stretch's RMS level and how many ms were louder than
# -40 dBFS (RMS 328).
measure_sound() {
  od -An -v -w2 -t d2 --endian=little "$out/narration.raw" | awk -v block=$((sound_rate / 20)) '
    { s = $1 < 0 ? -$1 : $1; if (s > peak) peak = s; sum += s * s
      if (++n == block) { rms = sqrt(sum / n); if (rms > loudest) loudest = rms; if (rms >= 328) loud += 50; n = 0; sum = 0 } }
    END { printf "%d %d %d\n", peak, loudest, loud }'
}

# -- Preferences -------------------------------------------------------------------------------

reset_preferences() {
  wine reg delete "$preferences" /f >/dev/null 2>&1
  ! wine reg query "$preferences" >/dev/null 2>&1 || fail "the player's preferences could not be deleted"
}

# The preferences keep a long as binary data: a type byte, then the value's four bytes,
# lowest first.
stored_window_mode() {
  local hex
  hex=$(wine reg query "$preferences" /v EditingWindowModePlayer 2>/dev/null | tr -d '\r' |
    awk '$1 == "EditingWindowModePlayer" { print $3 }')
  [[ "$hex" =~ ^[0-9A-Fa-f]{10}$ ]] || { echo "${hex:-missing}"; return; }
  echo $((16#${hex:8:2}${hex:6:2}${hex:4:2}${hex:2:2}))
}

start_program() {
  # From the output folder, not the program's: the default story is the one beside the program.
  (cd "$out" && exec wine "$program" "$@") >"$out/narrabo.log" 2>&1 &
  program_pid=$!
  say "started narrabo.exe${*:+ $*} (process $program_pid)"
}

# ==== The default story, full screen, to its end ==============================================

say "screen ${screen_width}x$screen_height, page at ($origin_x, $origin_y); output in $out"

stage="preferences reset"
reset_preferences
take_screenshot || fail "no screenshot of the display can be taken"
first_page && fail "the screen shows the story before the program started"

stage="default story started"
start_program
begin_stage "first page" 90
poll first_page 2
full_screen_window || fail "the page shows, but no window of the program covers the screen"
end_stage "window $window covers the screen"
start_recording

begin_stage "word highlighted during the narration" 60
poll word_highlighted
end_stage

begin_stage "sound during the narration" 30
while [ "$(recorded_ms)" -lt 3000 ]; do
  kill -0 "$recorder_pid" 2>/dev/null || fail "the recorder of nullsink.monitor ended: $(cat "$out/parec.log")"
  [ $(($(now_ms) - stage_start)) -le $((stage_bound * 1000)) ] || fail "less than 3 s of sound recorded"
  sleep 0.2
done
kill "$recorder_pid" 2>/dev/null
wait "$recorder_pid" 2>/dev/null
recorder_pid=
read -r peak loudest loud_ms < <(measure_sound)
level="$(recorded_ms) ms recorded, peak $peak, loudest 50 ms at RMS $loudest, $loud_ms ms above -40 dBFS"
if [ "$loudest" -lt 328 ] || [ "$loud_ms" -lt 250 ]; then
  fail "the null sink stayed (nearly) silent: $level"
fi
end_stage "$level"

begin_stage "second page after its wipe" 60
poll second_page 2
end_stage

begin_stage "wait for the reader's click" 90
poll waiting_for_click 2
end_stage "$detail"

click_x=$((origin_x + page_width / 2))
click_y=$((origin_y + page_height / 2))
xdotool mousemove "$click_x" "$click_y" mousedown 1 mouseup 1 || fail "xdotool could not click"
say "clicked at ($click_x, $click_y)"

begin_stage "fourth page after the click" 60
poll fourth_page 2
end_stage

begin_stage "end of the story" 60
wait_for_exit
end_stage "exit code 0"
mode=$(stored_window_mode)
[ "$mode" = 2 ] || fail "the window mode stored at quit is \"$mode\", not the default 2"

# ==== The story by path in a window, stopped by Escape ========================================

stage="preferences reset"
reset_preferences
document=$(winepath -w "$bin/data.TPD" 2>/dev/null) || fail "winepath cannot name $bin/data.TPD"
start_program "$document" /W

window_x=0
window_y=0
menu_height=0
# The page inside the program's only visible 800-pixel-wide window, under its menu bar.
window_shows_first_page() {
  local id x y width height found=''
  detail="no visible window of narrabo.exe is $page_width pixels wide"
  while read -r id x y width height; do
    if [ "$width" -ge "$screen_width" ]; then
      detail="window $id covers the screen (${width}x$height)"
      return 1
    fi
    [ "$width" -eq "$page_width" ] || continue
    [ -z "$found" ] || { detail="more than one $page_width-pixel-wide window"; return 1; }
    found=$id
    window=$id
    window_x=$x
    window_y=$y
    menu_height=$((height - page_height))
  done < <(program_windows)
  [ -n "$found" ] || return 1
  # The X window holds the menu bar and the client area; the client area is the page.
  if [ "$menu_height" -lt 10 ] || [ "$menu_height" -gt 40 ]; then
    detail="window $window is ${page_width}x$((page_height + menu_height)): no room for a menu bar over an 800x600 client area"
    return 1
  fi
  local saved_x=$origin_x saved_y=$origin_y result=0
  origin_x=$window_x
  origin_y=$((window_y + menu_height))
  first_page && page_shows "menu-bar 400,-$((menu_height / 2)) 255,255,255 48" \
    "bottom-left 2,597 46,90,54 12" "bottom-right 797,597 46,90,54 12" || result=1
  origin_x=$saved_x
  origin_y=$saved_y
  return $result
}

begin_stage "story by path in an 800x600 window" 90
poll window_shows_first_page 2
end_stage "window $window at ($window_x, $window_y), menu bar $menu_height px"

xdotool windowfocus "$window" 2>/dev/null
xdotool key Escape || fail "xdotool could not press Escape"
say "pressed Escape"
begin_stage "stop by Escape and quit" 60
wait_for_exit
end_stage "exit code 0"
mode=$(stored_window_mode)
[ "$mode" = 0 ] || fail "the window mode stored at quit is \"$mode\", not the /W switch's 0"

say "the real program played the default story to its end and stopped a story in a window on Escape"
