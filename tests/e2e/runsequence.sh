#!/usr/bin/env bash
# A person's whole run of the real program, on an X server of its own: from an empty data
# folder, the new-user window, the login, the password prompt and the start window, a course
# started (and its training screen left, once there is one), then out through the start and
# login windows until the program ends with 0, leaving the user's folder and Profile.ini.
# Takes a screenshot of every window into the folder given as the second argument.
# Usage: runsequence.sh INSTALLATION-TREE SHOT-FOLDER. Exits 77 (skipped) without Xvfb or
# xdotool.
set -euo pipefail

tree=$1
shots=$2
for tool in Xvfb xdotool import md5sum; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done

work=$(mktemp -d)
xvfb=
program=
cleanup() {
  [[ -n $program ]] && kill "$program" 2>/dev/null || true
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The first free display, told by the server itself.
exec 3> >(cat > "$work/display")
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
[[ -s $work/display ]] || { echo "Xvfb did not start: skipped"; exit 77; }
export DISPLAY=:$(head -1 "$work/display")

# The installation in a folder of its own, writable, so it is its own data folder.
cp -r "$tree" "$work/prog"
rm -rf "$work/prog/Users" "$work/prog/Lomtak.ini"
mkdir -p "$shots"
rm -f "$shots"/*.png

fail() {
  echo "FAILED: $*"
  import -window root "$shots/failure.png" 2>/dev/null || true
  exit 1
}

# The window of that title that has the focus, once it has it and is not the one given.
focused() {
  local title=$1 not=${2:-} id
  for _ in $(seq 200); do
    id=$(xdotool getwindowfocus 2>/dev/null || true)
    if [[ -n $id && $id != "$not" && $(xdotool getwindowname "$id" 2>/dev/null) == "$title" ]]; then
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

(cd "$work" && exec "$work/prog/lomtak") &
program=$!

focused AddNewUserForm >/dev/null
shot 01-new-user
xdotool type --delay 20 "Anna"
key Tab; xdotool type --delay 20 "pw"
key Tab; xdotool type --delay 20 "pw"
key Return

login=$(focused "Lomtak Login")
shot 02-login
# The first row of the list: a click there starts that user.
xdotool mousemove --window "$login" 160 102 click 1

focused AuthorizationForm >/dev/null
shot 03-password
xdotool type --delay 20 "wrong"
key Return
sleep 0.5
shot 03-wrong-password
key Return
xdotool type --delay 20 "pw"
key Return

start=$(focused Start)
shot 04-start
key Return
# The course loads; then its training screen, or (without one) the start window again.
next=
for _ in $(seq 600); do
  id=$(xdotool getwindowfocus 2>/dev/null || true)
  name=$(xdotool getwindowname "$id" 2>/dev/null || true)
  if [[ -n $id && $id != "$start" && -n $name ]]; then next=$id; break; fi
  sleep 0.05
done
[[ -n $next ]] || fail "nothing followed the start window"
# The training screen, and what it opens in front of itself (the manual, titled like the
# program): each is left with Esc until the start window is back.
typed=
for _ in $(seq 20); do
  id=$(xdotool getwindowfocus 2>/dev/null || true)
  name=$(xdotool getwindowname "$id" 2>/dev/null || true)
  if [[ $name == Start && $id != "$start" ]]; then break; fi
  if [[ $name == Lomtak ]]; then
    [[ -e $shots/05-manual.png ]] || shot 05-manual
  elif [[ -n $name && $name != Start && -z $typed ]]; then
    sleep 0.5
    shot 05-training
    xdotool type --delay 80 "the quick"
    shot 05-typed
    typed=yes
  fi
  key Escape
  sleep 0.7
done
focused Start "$start" >/dev/null
shot 06-start-again
key Escape

focused "Lomtak Login" >/dev/null
shot 07-login-again
key Escape

for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.05; done
kill -0 "$program" 2>/dev/null && fail "the program did not end"
set +e
wait "$program"
status=$?
set -e
program=
[[ $status == 0 ]] || fail "the program ended with $status"

profile="$work/prog/Users/Anna/Profile.ini"
[[ -f $profile ]] || fail "no $profile"
digest=$(printf pw | md5sum | cut -d' ' -f1 | tr a-f A-F)
grep -q "Password='$digest'" "$profile" || fail "the password digest is not stored"
grep -q "Language='English'" "$profile" || fail "the course is not stored"
echo "passed; screenshots in $shots"
