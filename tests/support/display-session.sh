# Sourced by the scripts that drive the program on a virtual display: the window manager's start,
# the end of a program left running, and the waits for what an action brings about.

# How long a wait may take, and how often a condition that no event tells is looked at again.
wait_limit_seconds=${WAIT_LIMIT_SECONDS:-20}
wait_poll_seconds=${WAIT_POLL_SECONDS:-0.05}

# Waits until the shell condition CONDITION holds; false once the limit has passed.
wait_until() {
  local deadline=$((SECONDS + wait_limit_seconds))
  until eval "$1"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep "$wait_poll_seconds"
  done
}

# Starts openbox (its pid in `wm`, its output in DIR/openbox.log) and returns once it manages
# windows: its start-up command says so through a FIFO.
start_window_manager() {
  local ready="$1/wm-ready"
  mkfifo "$ready"
  openbox --startup "sh -c 'echo ready >$ready'" >"$1/openbox.log" 2>&1 &
  wm=$!
  timeout "$wait_limit_seconds" head -n 1 "$ready" >/dev/null
}

# Waits for the program PID, started by this shell, to end, at most for the wait limit; its exit
# status in `program_status`. False when it is still running.
await_end() {
  timeout "$wait_limit_seconds" tail --pid="$1" -f /dev/null || return 1
  program_status=0
  wait "$1" || program_status=$?
}

# Ends the program PID if it still runs: politely, then by force after five seconds.
end_program() {
  if [ -n "$1" ] && kill -0 "$1" 2>/dev/null; then
    echo "ending the program (pid $1), which is still running"
    kill "$1" 2>/dev/null || true
    timeout 5 tail --pid="$1" -f /dev/null || kill -KILL "$1" 2>/dev/null || true
  fi
}

# Prints the first visible window whose name matches PATTERN, once one shows. A window that goes
# while xdotool walks the tree ends that search with BadWindow, so the search is made again.
find_window() {
  local pattern=$1 found=
  wait_until 'found=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1)
    [ -n "$found" ]' || return 1
  echo "$found"
}

# Waits until the window manager has framed WINDOW.
wait_for_frame() {
  wait_until "xprop -id $1 _NET_FRAME_EXTENTS | grep -q ="
}
