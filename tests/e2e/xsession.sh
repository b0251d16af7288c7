# Shared pieces of the scripted runs: a virtual X display, the game in a
# scratch folder, pixel probes of screenshots. Sourced by the *_test.sh scripts.

E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# E2E_SCALE=N runs a script with window_scale = N: its coordinates stay the
# game's own and are multiplied here, so every scripted run works at any scale.
E2E_SCALE=${E2E_SCALE:-1}
scaled() { echo $(($1 * E2E_SCALE)); }

fail() {
  echo "FAIL: $*" >&2
  echo "screenshots kept in $SHOTS" >&2
  exit 1
}

# start_workspace NAME: an empty e2e-shots/NAME for the screenshots ($SHOTS) and
# a scratch game folder ($WORK) with the Media and an empty Music/, both
# cleaned up at exit with the display and the game. Needs $SOURCE.
start_workspace() {
  SHOTS=$PWD/e2e-shots/$1
  rm -rf "$SHOTS"
  mkdir -p "$SHOTS"
  WORK=$(mktemp -d)
  trap 'stop_all; rm -rf "$WORK"' EXIT
  cp -r "$SOURCE/Media" "$WORK/"
  mkdir "$WORK/Music"
}

# start_display [WxH]: a fresh Xvfb (800x600 unless given) on a free display number; sets DISPLAY.
start_display() {
  local n
  for n in $(seq $((100 + RANDOM % 400)) 999); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  # -noreset: a server resets when its last client leaves (xdpyinfo below), and
  # refuses connections for a moment while it does.
  local size=${1:-800x600}
  [ "$E2E_SCALE" = 1 ] || size=${1:-$((800 * E2E_SCALE))x$((600 * E2E_SCALE))}
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset > /dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do xdpyinfo > /dev/null 2>&1 && return 0; sleep 0.1; done
  fail "Xvfb did not start"
}

# start_game BINARY FOLDER: runs the game with FOLDER as working directory; sets GAME_PID and WID.
start_game() {
  if [ "$E2E_SCALE" != 1 ] && [ ! -e "$2/zedov.conf" ]; then echo "window_scale = $E2E_SCALE" > "$2/zedov.conf"; fi
  # The X11 driver by name: without a display SDL would fall back to a terminal one.
  (cd "$2" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} exec "$1") &
  GAME_PID=$!
  WID=""
  for _ in $(seq 100); do
    WID=$(xdotool search --name '^Zedov$' 2>/dev/null | head -n 1) && [ -n "$WID" ] && break
    sleep 0.1
  done
  [ -n "$WID" ] || fail "no window named Zedov"
  sleep 0.5
}

stop_all() {
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2> /dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2> /dev/null
  wait 2> /dev/null
  return 0
}

# The pointer must stay over the window, or key presses are lost.
pointer() { xdotool mousemove --window "$WID" "$(scaled "$1")" "$(scaled "$2")"; }

# click X Y [WAIT]: a click as a touchpad taps it, press and release at once.
click() {
  pointer "$1" "$2"
  sleep 0.1
  xdotool click 1
  sleep "${3:-0.3}"
}

# key NAME [HOLD]: presses a key for HOLD seconds (default 0.06).
key() {
  xdotool keydown "$1"
  sleep "${2:-0.06}"
  xdotool keyup "$1"
}

shot() { import -window "$WID" "$SHOTS/$1.png"; }

# pixel NAME X Y: prints "r g b" of a pixel of a screenshot.
pixel() {
  local at="$(scaled "$2"),$(scaled "$3")"
  convert "$SHOTS/$1.png" -format '%[fx:int(255*p{'"$at"'}.r)] %[fx:int(255*p{'"$at"'}.g)] %[fx:int(255*p{'"$at"'}.b)]' info:
}

# brightness NAME X Y W H: mean brightness 0..255 of a region.
brightness() {
  convert "$SHOTS/$1.png" -crop "$(scaled "$4")x$(scaled "$5")+$(scaled "$2")+$(scaled "$3")" +repage -colorspace Gray -format '%[fx:int(255*mean)]' info:
}

# wait_exit SECONDS: waits for the game to end; sets EXIT_CODE (not in a subshell: only
# the shell that started the game can collect its exit code).
wait_exit() {
  local i
  for i in $(seq $(($1 * 10))); do
    kill -0 "$GAME_PID" 2> /dev/null || break
    sleep 0.1
  done
  kill -0 "$GAME_PID" 2> /dev/null && fail "the game did not end"
  EXIT_CODE=0
  wait "$GAME_PID" || EXIT_CODE=$?
  GAME_PID=""
}
