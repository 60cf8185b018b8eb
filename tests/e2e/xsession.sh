# Sourced by the runs of the real program under Xvfb: an X server of the run's own (-noreset,
# so a setting made by a client that leaves stays), with a window manager (openbox) and a
# notification area (trayer) where the run asks for them; a writable copy of the installation,
# which is then its own data folder; the program started on it, always on X whatever platform
# the caller's environment names; and the waits, keys and screenshots that drive it. A failure
# says why on stderr (also from inside a command substitution) and leaves a screenshot.
# Exits 77 (skipped) when a tool is missing.

for tool in Xvfb xdotool import compare md5sum "${xsession_tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done

work=$(mktemp -d)
shots=${shots:-$work/shots}
mkdir -p "$shots"
helpers=()
program=
cleanup() {
  [[ -n $program ]] && kill "$program" 2>/dev/null || true
  local i
  for ((i = ${#helpers[@]} - 1; i >= 0; i--)); do kill "${helpers[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  import -window root "$shots/failure.png" 2>/dev/null || true
  exit 1
}

# Polls `condition` (a command) every 50 ms for up to `tries` times.
poll() {
  local tries=$1
  shift
  for _ in $(seq "$tries"); do "$@" && return; sleep 0.05; done
  return 1
}

# start_x WIDTHxHEIGHT [openbox | tray]: the server on the first free display (which it tells
# itself), then for a notification area trayer, then openbox, each once it is ready. The window
# manager comes last: a window mapped while it starts may stay unmapped.
start_x() {
  local size=$1 desktop=${2:-}
  exec 3> >(cat > "$work/display")
  Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp >/dev/null 2>&1 &
  helpers+=($!)
  exec 3>&-
  poll 200 test -s "$work/display" || { echo "Xvfb did not start: skipped"; exit 77; }
  export DISPLAY=:$(head -1 "$work/display")
  screen_width=${size%x*}
  screen_height=${size#*x}
  [[ -z $desktop ]] && return
  if [[ $desktop == tray ]]; then
    trayer --edge top --align right --widthtype pixel --width 120 --height 30 >/dev/null 2>&1 &
    helpers+=($!)
    poll 200 has_window --class trayer || fail "trayer did not start"
  fi
  openbox >/dev/null 2>&1 &
  helpers+=($!)
  poll 200 xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"
}

has_window() { xdotool search --onlyvisible "$@" >/dev/null 2>&1; }

# start_program INSTALLATION-TREE [ARGUMENT...]: a fresh copy of the tree, without users.
start_program() {
  local tree=$1
  shift
  cp -r "$tree" "$work/prog"
  rm -rf "$work/prog/Users" "$work/prog/Lomtak.ini"
  (cd "$work" && QT_QPA_PLATFORM=xcb exec "$work/prog/lomtak" "$@") &
  program=$!
}

program_ended() { ! kill -0 "$program" 2>/dev/null; }

# Waits for the program to end by itself; answers its exit status.
program_status() {
  poll 200 program_ended || fail "the program did not end"
  local status=0
  wait "$program" || status=$?
  program=
  return "$status"
}

# The window of that title that has the focus, once it has it and is not the one given.
focused() {
  local title=$1 not=${2:-} id
  for _ in $(seq 200); do
    id=$(xdotool getwindowfocus 2>/dev/null || true)
    if [[ -n $id && $id != "$not" && $(xdotool getwindowname "$id" 2>/dev/null) == "$title" ]]
    then
      echo "$id"
      return
    fi
    sleep 0.05
  done
  fail "no window '$title' got the focus"
}

shot() {
  sleep 0.3
  import -window root "$shots/$1.png"
}

key() { xdotool key --clearmodifiers "$@"; }

# The start window's course (Enter) on to its training screen, in front of which the manual
# opens by itself: that is closed with Esc. Answers the training screen's window.
enter_training() {
  local start=$1
  key Return
  focused Lomtak "$start" >/dev/null
  shot 05-manual
  key Escape
  focused " "
}

# Types every letter and the blank in turn until the training screen completes a line, which
# the statistics file it then writes into `folder` tells.
complete_line() {
  local folder=$1
  for _ in $(seq 150); do
    compgen -G "$folder/*.stat" >/dev/null && return
    xdotool type --delay 5 "abcdefghijklmnopqrstuvwxyz "
  done
  poll 100 compgen -G "$folder/*.stat" >/dev/null || fail "no line was completed"
}

# band FILE TOP BOTTOM: the rows of the screen from TOP up to, not including, BOTTOM.
band() { import -window root -crop "${screen_width}x$(($3 - $2))+0+$2" +repage "$1"; }

# How many pixels differ between two pictures of one size.
changed_pixels() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
