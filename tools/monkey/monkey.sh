#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The monkey: random real input to the built program for a while, as a class might give it.
# Clicks anywhere (the menu bar too, now and then "Beenden"), drags of the marker, of every
# thumb and from random points, the keys people press, the window's keys (zoom, Ctrl with the
# wheel, F11 also held, Escape, F2, F1 with a stand-in browser), absurd texts typed and pasted
# into every text box, window resizes, start/stop in quick succession, close requests. A program that
# ended is started again and counted. After every burst the window has to answer a clipboard
# round trip; how long each answer took is kept, and the slowest and the median are printed.
#
# Fails on a crash, any sanitizer report, a window silent for 30 s (a hang: a busy machine
# makes answers slow, never that slow), or an exit status other than 0, and prints the seed and
# the last actions; the same seed gives the same actions. A helper tool that is missing
# (xdotool, xclip, import) is named before anything starts.
#
#   tools/monkey/monkey.sh BUILD_DIR SEED MINUTES    (on an X display; `make monkey` starts a
#                                                     virtual one and builds build-asan/)
set -uo pipefail

build=$1
seed=$2
minutes=$3
program=$build/raeuber-beute
helper=$build/tools/monkey-helper
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$build/monkey
mkdir -p "$work"
log=$work/program.log
actions_log=$work/actions.log
: >"$log"
: >"$actions_log"

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$source_dir/tools/lsan.supp:print_suppressions=0
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM

RANDOM=$seed
caption='Räuber-Beute Modell'
burst=15
answer_seconds=30
answer_ms=()
sanitizer_report='ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:|SUMMARY: [A-Za-z]*Sanitizer'

count=0
starts=0
ended=0
probes=0
pid=
wid=
recent=()

note() {
  count=$((count + 1))
  recent+=("$count: $*")
  if [ ${#recent[@]} -gt 25 ]; then
    recent=("${recent[@]:1}")
  fi
  echo "$count: $*" >>"$actions_log"
}

fail() {
  echo "monkey: FAILED after $count actions ($starts starts): $*" >&2
  echo "monkey: seed $seed; repeat with: make monkey SEED=$seed MINUTES=$minutes" >&2
  echo "monkey: the last actions (all of them in $actions_log):" >&2
  printf '  %s\n' "${recent[@]}" >&2
  if [ -s "$log" ]; then
    echo "monkey: the program's output ($log), last lines:" >&2
    tail -n 40 "$log" | sed 's/^/  /' >&2
  fi
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    if import -window root "$work/failure.png" 2>/dev/null; then
      echo "monkey: the screen at the failure: $work/failure.png" >&2
    fi
    if command -v gdb >/dev/null 2>&1; then
      timeout 60 gdb -p "$pid" -batch -ex 'thread apply all bt 12' >"$work/failure-stacks.txt" 2>&1 &&
        echo "monkey: the program's threads at the failure: $work/failure-stacks.txt" >&2
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  exit 1
}

for tool in xdotool xclip import timeout; do
  command -v "$tool" >/dev/null 2>&1 || fail "the helper tool $tool is missing (make deps-monkey installs it)"
done
[ -x "$helper" ] || fail "the helper tool $helper is missing (make monkey builds it)"
[ -x "$program" ] || fail "the program $program is missing (make monkey builds it)"

# A random whole number 0 <= r < $1, in r. Never in a subshell: bash reseeds RANDOM there, and
# the run would no longer follow the seed.
rnd() { r=$(($1 > 0 ? RANDOM % $1 : 0)); }

# ---- where things are: the helper's map of the window --------------------------------------
declare -A rect
texts=()
bars=()
clickables=()
while read -r kind name x y w h; do
  rect[$kind:$name]="$x $y $w $h"
  case $kind in
    text) texts+=("$name") ;;
    bar-h | bar-v) bars+=("$kind:$name") ;;
  esac
  case $kind in
    text | bar-h | bar-v | thumb | button | check | area) clickables+=("$kind:$name") ;;
  esac
done < <(QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$helper" map 2>/dev/null)
[ ${#texts[@]} -gt 0 ] && [ ${#bars[@]} -gt 0 ] || fail "no map of the window from $helper"

# A random point of a mapped rectangle, or its centre, in screen pixels (the window stands at
# wx, wy), in px and py.
point_in() {
  local x y w h
  read -r x y w h <<<"${rect[$1]}"
  rnd "$w"
  px=$((wx + x + r))
  rnd "$h"
  py=$((wy + y + r))
}
centre_of() {
  local x y w h
  read -r x y w h <<<"${rect[$1]}"
  px=$((wx + x + w / 2))
  py=$((wy + y + h / 2))
}

# ---- absurd texts ---------------------------------------------------------------------------
typed=("1e308" "-1e308" "1e999" "1.7976931348623157e308" "4e-320" "nan" "-nan" "inf" "-inf"
  "-0" "0x1F" "abc" " 7.5e1xyz" "3e+" "99999999999999999999999999" "Räuber 12" "äöüß"
  "日本語" "١٢٣" "12,5" "1.5.5" "+-3" "   " "0000000000000")
head -c 100000 /dev/zero | tr '\0' '9' >"$work/paste-digits.txt"
head -c 100000 /dev/zero | tr '\0' 'x' | sed 's/x/ä€9/g' | head -c 100000 >"$work/paste-mixed.txt"
printf '1e308' >"$work/paste-1e308.txt"
printf 'nan' >"$work/paste-nan.txt"
printf -- '-0' >"$work/paste-minus0.txt"
printf '\001\002\033[31m7\177\010\t8\r\n9' >"$work/paste-control.txt"
printf '12\n34\n56' >"$work/paste-lines.txt"
printf '%s' "$(head -c 5000 /dev/zero | tr '\0' '1')e-99999" >"$work/paste-exponent.txt"
printf '😀🐟🦈 42' >"$work/paste-emoji.txt"
pastes=("$work"/paste-*.txt)
keys=(Tab shift+Tab Left Right Up Down Home End Prior Next space Return)
# The window's own keys: the zoom, full screen and back, the spoken state, the guide (F1 hands it
# to a stand-in browser, see start_program).
window_keys=(ctrl+plus ctrl+equal ctrl+minus ctrl+0 F11 Escape F2 F1)

# ---- the program ---------------------------------------------------------------------------
start_program() {
  BROWSER=true "$program" >>"$log" 2>&1 &
  pid=$!
  starts=$((starts + 1))
  wid=$(timeout 60 xdotool search --sync --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1)
  [ -n "$wid" ] || fail "the window did not appear within 60 s (start $starts)"
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  wx=$X wy=$Y ww=$WIDTH wh=$HEIGHT
  note "start $starts: window $wid at $wx,$wy size ${ww}x$wh"
  # The keyboard to the new window, as a window manager gives it (there is none here): until
  # then the window's keys (zoom, full screen) would go nowhere.
  xdo windowfocus "$wid"
}

# After every action: a program that ended with status 0 starts again; anything else fails.
check_alive() {
  if kill -0 "$pid" 2>/dev/null; then
    return
  fi
  wait "$pid"
  local status=$?
  pid=
  if [ "$status" -ne 0 ]; then
    fail "the program ended with exit status $status"
  fi
  ended=$((ended + 1))
  note "the program ended (status 0); starting it again"
  start_program
}

check_report() {
  if grep -Eq "$sanitizer_report" "$log"; then
    fail "a sanitizer report"
  fi
}

xdo() { xdotool "$@" >/dev/null 2>&1; }

# A window that went away belongs to a program that is ending ("Beenden", a close request):
# it is given 30 s to end (the sanitizers check for leaks at the end), then started again.
wait_if_ending() {
  if xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | grep -qx "$wid"; then
    return
  fi
  for ((t = 0; t < 300; t++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "the window went, but the program did not end within 30 s"
  fi
  check_alive
}

# The window has to take input and answer a clipboard request within 30 s: the clipboard holds a
# stale text, the probe types a fresh token into a text box and copies it, and asking the
# clipboard for its text must then give that token, which only the program can answer. A
# program that ends meanwhile is started again and asked again.
probe() {
  local attempt token deadline started begun
  wait_if_ending
  for ((attempt = 1; attempt <= 3; attempt++)); do
    probes=$((probes + 1))
    token=probe$probes
    started=$starts
    xdo mouseup 1
    # Back to the window at 100 %, where the map holds, whatever the last burst left: the
    # keyboard at the window, out of full screen, the zoom reset, the start size.
    xdo windowfocus "$wid"
    xdo key --delay 30 Escape ctrl+0
    xdo windowsize "$wid" "$ww" "$wh"
    printf 'stale' | xclip -selection clipboard -i 2>>"$actions_log" ||
      fail "the helper tool xclip could not set the clipboard (see $actions_log)"
    centre_of text:Text4
    note "probe $token in Text4"
    xdo mousemove "$px" "$py" click 1 key ctrl+a type "$token"
    xdo key ctrl+a key ctrl+c
    begun=${EPOCHREALTIME/./}
    deadline=$((begun + answer_seconds * 1000000))
    while [ "${EPOCHREALTIME/./}" -lt "$deadline" ]; do
      if [ "$(timeout 5 xclip -selection clipboard -o 2>/dev/null)" = "$token" ]; then
        answer_ms+=($(((${EPOCHREALTIME/./} - begun) / 1000)))
        return
      fi
      check_alive
      if [ "$starts" -ne "$started" ]; then
        continue 2
      fi
      sleep 0.05
    done
    check_alive
    if [ "$starts" -eq "$started" ]; then
      fail "the window did not answer within ${answer_seconds} s (a hang; answers so far: $(answer_times))"
    fi
  done
  fail "the program ended at every probe"
}

# The slowest and the median answer so far, in ms.
answer_times() {
  if [ ${#answer_ms[@]} -eq 0 ]; then
    echo "none"
    return
  fi
  local sorted
  mapfile -t sorted < <(printf '%s\n' "${answer_ms[@]}" | sort -n)
  echo "slowest ${sorted[-1]} ms, median ${sorted[$((${#sorted[@]} / 2))]} ms of ${#sorted[@]}"
}

# ---- the actions ---------------------------------------------------------------------------
click_anywhere() {
  local x y allow bx by bw bh
  rnd "$ww"
  x=$((wx + r))
  rnd "$wh"
  y=$((wy + r))
  rnd 8
  allow=$r
  read -r bx by bw bh <<<"${rect[menu:cmdEnde]}"
  if [ "$allow" -ne 0 ] && [ "$x" -ge $((wx + bx)) ] && [ "$x" -lt $((wx + bx + bw)) ] &&
    [ "$y" -ge $((wy + by)) ] && [ "$y" -lt $((wy + by + bh)) ]; then
    y=$((y + bh)) # "Beenden" only now and then
  fi
  note "click at $x,$y"
  xdo mousemove "$x" "$y" click 1
}

click_control() {
  local target button clicks
  rnd ${#clickables[@]}
  target=${clickables[$r]}
  rnd 3
  button=$((1 + r / 2 * 2)) # the left button twice as often as the right one
  rnd 3
  clicks=$((1 + r))
  point_in "$target"
  note "click $target at $px,$py with button $button, $clicks times"
  xdo mousemove "$px" "$py" click --repeat "$clicks" --delay 30 "$button"
}

menu() {
  local entries=(cmdZyk cmdKleinZyklus cmdfix cmdlabil) entry
  rnd 4
  entry=${entries[$r]}
  rnd 10
  if [ "$r" -eq 0 ]; then
    entry=cmdEnde
  fi
  point_in "menu:$entry"
  note "menu $entry"
  xdo mousemove "$px" "$py" click 1
}

# A drag from (x0, y0) along to (x1, y1) in a few moves.
drag() {
  local x0=$1 y0=$2 x1=$3 y1=$4 steps moves=()
  rnd 6
  steps=$((2 + r))
  for ((s = 1; s <= steps; s++)); do
    moves+=(mousemove $((x0 + (x1 - x0) * s / steps)) $((y0 + (y1 - y0) * s / steps)) sleep 0.02)
  done
  xdo mousemove "$x0" "$y0" mousedown 1 sleep 0.05 "${moves[@]}" mouseup 1
}

# The marker moves with every generation: it is found on the screen, as the 16-pixel square of
# the phase diagram with the most white in it (fish eyes and the axis labels have less).
drag_marker() {
  local x y w h mx my
  read -r x y w h <<<"${rect[area:picphase]}"
  read -r mx my <<<"$(import -window root -crop "${w}x${h}+$((wx + x))+$((wy + y))" txt:- 2>/dev/null |
    awk -F'[ ,:]+' '/#FFFFFF/ { n[int($1 / 16) " " int($2 / 16)]++ }
      END { for (k in n) if (n[k] > most) { most = n[k]; best = k }
            if (most) { split(best, c, " "); printf "%d %d\n", c[1] * 16 + 8, c[2] * 16 + 8 } }')"
  local tx ty
  rnd $((w + 40))
  tx=$((wx + x - 20 + r))
  rnd $((h + 40))
  ty=$((wy + y - 20 + r))
  if [ -z "$mx" ]; then
    centre_of marker:imgtarget
    mx=$px my=$py
  else
    mx=$((wx + x + mx)) my=$((wy + y + my))
  fi
  note "drag the marker from $mx,$my to $tx,$ty"
  drag "$mx" "$my" "$tx" "$ty"
}

drag_thumb() {
  local bar name reach x1 y1
  rnd ${#bars[@]}
  bar=${bars[$r]}
  name=${bar#*:}
  rnd 2
  if [ "$r" -eq 0 ]; then
    centre_of "thumb:$name" # where the thumb stood at start
  else
    point_in "$bar"
  fi
  local x0=$px y0=$py
  rnd 3
  reach=$((r == 0 ? 400 : 60))
  rnd $((2 * reach))
  x1=$((x0 + r - reach))
  rnd $((2 * reach))
  y1=$((y0 + r - reach))
  note "drag $name from $x0,$y0 to $x1,$y1"
  drag "$x0" "$y0" "$x1" "$y1"
}

drag_random() {
  local x0 y0 x1 y1
  rnd "$ww"
  x0=$((wx + r))
  rnd "$wh"
  y0=$((wy + r))
  rnd "$ww"
  x1=$((wx + r))
  rnd "$wh"
  y1=$((wy + r))
  note "drag from $x0,$y0 to $x1,$y1"
  drag "$x0" "$y0" "$x1" "$y1"
}

# A few of the window's keys and Ctrl-wheel notches in a row, held F11 among them; then back to
# the window at 100 %, where the map of the controls holds.
press_window_keys() {
  local n k
  rnd 4
  n=$((1 + r))
  for ((k = 0; k < n; k++)); do
    rnd $((${#window_keys[@]} + 1))
    if [ "$r" -eq ${#window_keys[@]} ]; then
      rnd 2
      note "ctrl+wheel $((4 + r))"
      xdo keydown ctrl click $((4 + r)) keyup ctrl
    else
      note "window key ${window_keys[$r]}"
      xdo key --delay 30 "${window_keys[$r]}"
    fi
  done
  rnd 3
  if [ "$r" -eq 0 ]; then
    note "F11 held"
    xdo keydown F11 sleep 0.6 keyup F11
  fi
  xdo key --delay 30 Escape ctrl+0
}

press_keys() {
  local n pressed=()
  rnd 12
  n=$((1 + r))
  for ((k = 0; k < n; k++)); do
    rnd ${#keys[@]}
    pressed+=("${keys[$r]}")
  done
  note "keys ${pressed[*]}"
  xdo key --delay 20 "${pressed[@]}"
}

type_text() {
  local box text
  rnd ${#texts[@]}
  box=${texts[$r]}
  rnd ${#typed[@]}
  text=${typed[$r]}
  point_in "text:$box"
  note "type '$text' into $box"
  xdo mousemove "$px" "$py" click 1 key ctrl+a type --delay 5 -- "$text"
  rnd 2
  if [ "$r" -eq 0 ]; then
    xdo key Return
  fi
}

paste_text() {
  local box file
  rnd ${#texts[@]}
  box=${texts[$r]}
  rnd ${#pastes[@]}
  file=${pastes[$r]}
  point_in "text:$box"
  rnd 3
  if [ "$r" -eq 0 ]; then # the primary selection, pasted with the middle button
    xclip -selection primary -i <"$file" 2>>"$actions_log"
    note "middle-click paste of ${file##*/} into $box"
    xdo mousemove "$px" "$py" click 2
  else
    xclip -selection clipboard -i <"$file" 2>>"$actions_log"
    note "paste ${file##*/} into $box"
    xdo mousemove "$px" "$py" click 1 key ctrl+a key ctrl+v
  fi
}

resize() {
  local w h
  rnd 1600
  w=$((1 + r))
  rnd 1000
  h=$((1 + r))
  note "resize to ${w}x$h"
  xdo windowsize "$wid" "$w" "$h"
}

start_stop() {
  local n sx sy tx ty clicks=()
  rnd 8
  n=$((1 + r))
  centre_of button:Command1
  sx=$px sy=$py
  centre_of button:Command2
  tx=$px ty=$py
  for ((k = 0; k < n; k++)); do
    rnd 10
    clicks+=(mousemove "$sx" "$sy" click 1 sleep "0.0$r" mousemove "$tx" "$ty" click 1)
  done
  rnd 2
  if [ "$r" -eq 0 ]; then
    clicks+=(mousemove "$sx" "$sy" click 1) # left running
  fi
  note "start/stop $n times"
  xdo "${clicks[@]}"
}

close_request() {
  note "close request"
  "$helper" close "$wid" 2>/dev/null
}

pause() {
  local tenths
  rnd 15
  tenths=$((1 + r))
  note "wait 0.$tenths s"
  sleep "$((tenths / 10)).$((tenths % 10))"
}

wheel() {
  local target button
  rnd ${#clickables[@]}
  target=${clickables[$r]}
  rnd 2
  button=$((4 + r))
  point_in "$target"
  rnd 5
  note "wheel $button over $target, $((1 + r)) times"
  xdo mousemove "$px" "$py" click --repeat $((1 + r)) "$button"
}

weights=(
  click_anywhere:14 click_control:14 menu:5 drag_marker:6 drag_thumb:10 drag_random:6
  press_keys:10 press_window_keys:4 type_text:8 paste_text:8 resize:5 start_stop:6 pause:4
  wheel:3 close_request:1
)
deck=()
for entry in "${weights[@]}"; do
  for ((k = 0; k < ${entry#*:}; k++)); do
    deck+=("${entry%:*}")
  done
done

# ---- the run -------------------------------------------------------------------------------
echo "monkey: seed $seed, $minutes min, $program"
start_program
end=$((SECONDS + minutes * 60))
while [ "$SECONDS" -lt "$end" ]; do
  for ((b = 0; b < burst; b++)); do
    rnd ${#deck[@]}
    "${deck[$r]}"
    check_alive
  done
  check_report
  probe
done

note "close request at the end"
"$helper" close "$wid" 2>/dev/null
for ((t = 0; t < 600; t++)); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  fail "the program did not end within 60 s of the close request"
fi
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with exit status $status"
check_report
echo "monkey: passed: $count actions, $probes answers, $starts starts ($ended ends on the way), seed $seed"
echo "monkey: answers: $(answer_times)"
