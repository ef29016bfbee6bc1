# shellcheck shell=bash
# The setting of the end-to-end scripts, sourced by them: a work folder with
# the program copied into it, a private X server, a recording of the null
# sink's monitor and the player itself. Every process started here is
# stopped by its PID when the script ends, the player first, the X server
# last; nothing else is touched.

work=$(mktemp -d)
pids=()
e2e_cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  [[ -n "${KEEP_WORK:-}" ]] || rm -rf "$work"
}
trap e2e_cleanup EXIT

# Stops one of the processes started here before the end (the recording,
# so that it holds only what was heard until then).
e2e_stop() {
  local pid=$1 kept=() p
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  for p in "${pids[@]}"; do [[ $p == "$pid" ]] || kept+=("$p"); done
  pids=("${kept[@]}")
}

# The program keeps default.m3u beside itself: it gets a folder of its own.
# Usage: e2e_program BINARY ENTRY...
e2e_program() {
  cp "$1" "$work/velmoro"
  shift
  printf '%s\r\n' "$@" > "$work/default.m3u"
}

# The server picks a free display number itself and writes it once it is
# ready: end-to-end runs go on side by side, and a number drawn at random
# could be another run's server.
e2e_display() {
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
  [[ -s "$work/display" ]] || { echo "e2e: the X server did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  display=:$(head -n 1 "$work/display")
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# Sets recorder to the recording's PID; the sound goes to $work/heard.raw.
e2e_record() {
  parec -d nullsink.monitor --rate=44100 --channels=2 --format=s16le --raw "$work/heard.raw" &
  recorder=$!
  pids+=("$recorder")
}

# Sets window to the player's window once it shows and has read default.m3u.
# Usage: e2e_player [PLAYER-ARGUMENT...]
e2e_player() {
  (cd "$work" && QT_QPA_PLATFORM=xcb exec ./velmoro "$@" >"$work/velmoro.log" 2>&1) &
  pids+=($!)
  # shellcheck disable=SC2034 # read by the scripts
  window=$(xdotool search --sync --onlyvisible --name Velmoro | head -n 1)
  sleep 1 # the second start-up phase: the device and default.m3u
}
