# Helpers for driving the program in an X session with xdotool and taking pictures of its
# windows; sourced by scripts/screenshot.sh and scripts/bench-startup.sh inside
# tests/e2e/xsession.sh, which sets DISPLAY.

# Seconds since the epoch, whole.
xd_now() { echo "${EPOCHREALTIME%.*}"; }

# Prints the id of the first visible window whose title matches the extended regular
# expression $1, waiting up to $2 seconds (default 20) for it. Fails when none appears.
xd_wait_window() {
  local pattern=$1 limit=${2:-20} end wid
  end=$(( $(xd_now) + limit ))
  while :; do
    wid=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
    if [[ -n "$wid" ]]; then
      echo "$wid"
      return 0
    fi
    (( $(xd_now) >= end )) && return 1
    sleep 0.05
  done
}

# Waits up to $2 seconds (default 20) until no visible window's title matches $1.
xd_wait_no_window() {
  local pattern=$1 limit=${2:-20} end
  end=$(( $(xd_now) + limit ))
  while xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do
    (( $(xd_now) >= end )) && return 1
    sleep 0.05
  done
}

# Raises window $1 and gives it the keyboard.
xd_activate() {
  timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
    xdotool windowfocus "$1" >/dev/null 2>&1
}

# Keys and text go to whichever window has the keyboard, as from a real keyboard.
xd_key() { xdotool key --clearmodifiers --delay 40 "$@"; }
xd_type() { xdotool type --clearmodifiers --delay 20 -- "$1"; }

# Sets WIN_X, WIN_Y, WIN_WIDTH and WIN_HEIGHT to window $1's client area on the screen.
# (xwininfo, as xdotool getwindowgeometry shifts a framed window by its frame.)
xd_geometry() {
  local key value
  WIN_X='' WIN_Y='' WIN_WIDTH='' WIN_HEIGHT=''
  while IFS=: read -r key value; do
    value=${value// /}
    case "$key" in
      *'Absolute upper-left X') WIN_X=$value ;;
      *'Absolute upper-left Y') WIN_Y=$value ;;
      *Width) WIN_WIDTH=$value ;;
      *Height) WIN_HEIGHT=$value ;;
    esac
  done < <(xwininfo -id "$1")
  [[ -n "$WIN_X" && -n "$WIN_Y" && -n "$WIN_WIDTH" && -n "$WIN_HEIGHT" ]]
}

# Whole screen into the picture $1.
xd_shot_screen() { import -window root "$1"; }

# Window $1 with the window manager's frame around it into the picture $2.
xd_shot_window() {
  local wid=$1 out=$2 extents left=0 right=0 top=0 bottom=0 full
  xd_geometry "$wid" || return 1
  # _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
  extents=$(xprop -id "$wid" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p')
  if [[ "$extents" =~ ^([0-9]+),\ *([0-9]+),\ *([0-9]+),\ *([0-9]+)$ ]]; then
    left=${BASH_REMATCH[1]} right=${BASH_REMATCH[2]}
    top=${BASH_REMATCH[3]} bottom=${BASH_REMATCH[4]}
  fi
  full=$(mktemp "${TMPDIR:-/tmp}/kelvo-screen.XXXXXX.png")
  import -window root "$full" &&
    convert "$full" -crop "$((WIN_WIDTH + left + right))x$((WIN_HEIGHT + top + bottom))+$((WIN_X - left))+$((WIN_Y - top))" +repage "$out"
  local status=$?
  rm -f "$full"
  return $status
}

# Answers a file dialog that has the keyboard: replaces its name field with the path $1
# and accepts it. The name field's completion list may take the first Return for itself,
# so Return is pressed again while a window titled $2 is still on screen.
xd_answer_file_dialog() {
  local path=$1 title=$2 try
  xd_key ctrl+a
  xd_type "$path"
  for try in 1 2 3; do
    xd_key Return
    xd_wait_no_window "$title" 2 && return 0
  done
  return 1
}

# The program started last by xd_start, while it runs.
XD_PID=""
# Where xd_fail leaves a picture of the screen, and the program's output it shows.
XD_FAILURE_SHOT=""
XD_LOG=""

# Stops the program if it still runs. Usable as an EXIT trap.
xd_stop() {
  if [[ -n "$XD_PID" ]]; then
    kill "$XD_PID" 2>/dev/null && wait "$XD_PID" 2>/dev/null
    XD_PID=""
  fi
  return 0
}

# Starts the program $1 in the background, its output into $XD_LOG.
xd_start() {
  "$1" </dev/null >"$XD_LOG" 2>&1 &
  XD_PID=$!
}

# Waits up to 10 seconds for the program to end and sets XD_STATUS to its exit status.
# Fails while it still runs.
xd_wait_end() {
  local _
  for _ in $(seq 100); do kill -0 "$XD_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$XD_PID" 2>/dev/null && return 1
  XD_STATUS=0
  wait "$XD_PID" || XD_STATUS=$?
  XD_PID=""
}

# Ends the script as failed: the message, a picture of the screen and the program's output.
xd_fail() {
  echo "FAIL: $*" >&2
  if [[ -n "$XD_FAILURE_SHOT" ]] && xd_shot_screen "$XD_FAILURE_SHOT" 2>/dev/null; then
    echo "the screen at the failure: $XD_FAILURE_SHOT" >&2
  fi
  if [[ -s "$XD_LOG" ]]; then
    echo "the program's output:" >&2
    cat "$XD_LOG" >&2
  fi
  exit 1
}
