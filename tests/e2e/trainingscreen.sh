#!/usr/bin/env bash
# The training screen of the real program on an X server of its own, on a desktop without a
# window manager (none), under openbox (openbox), or under openbox with a notification area
# (tray): every key typed is drawn at once, also after F5 (which shows the next theme), Up and
# Down, and after left Ctrl sent the screen away (minimised, or to an icon of more than one
# colour in the notification area) and it came back, or, where nothing could bring it back (no
# window manager, no notification area), left it in place; no key is drawn pressed after the
# return, though left Ctrl and a Shift were held as the screen went. Every window shows the
# program's icon. Then a termination signal (SIGTERM, SIGINT or SIGHUP, one per desktop) ends
# the program as closing its windows would: exit 0, the screen's state saved in Profile.ini.
# Screenshots go to the shot folder.
# Usage: trainingscreen.sh INSTALLATION-TREE none|openbox|tray SHOT-FOLDER
# Exits 77 (skipped) without Xvfb, xdotool, openbox or trayer.
set -euo pipefail

tree=$1
desktop=$2
shots=$3
xsession_tools=(openbox trayer convert xprop xwininfo)
source "$(dirname "$0")/xsession.sh"
rm -f "$shots"/*.png

start_x 1280x1024 "${desktop/none/}"
start_program "$tree"

focused AddNewUserForm >/dev/null
xdotool type --delay 20 "Anna"
key Tab Tab Return
login=$(focused "Lomtak Login")
# The icon the program draws for itself (a window manager may give one of another size).
has_icon() { [[ $(xprop -id "$1" _NET_WM_ICON) == *"Icon (64 x 64)"* ]]; }
has_icon "$login" || fail "the login window shows no icon"
xdotool mousemove --window "$login" 160 102 click 1
start=$(focused Start)
screen=$(enter_training "$start")
has_icon "$screen" || fail "the training screen shows no icon"
shot 06-training

# The task display lies in the upper two fifths of the screen, the keyboard below them, above
# the status line.
task_rows=(0 $((screen_height * 2 / 5)))
keyboard_rows=(${task_rows[1]} $((screen_height - 40)))
status_rows=(${keyboard_rows[1]} "$screen_height")
# changes LEAST BEFORE TOP BOTTOM: the rows differ from the picture BEFORE in more than LEAST
# pixels (the blinking cursor changes fewer than a hundred).
changes() {
  band "$work/now.png" "$3" "$4"
  (($(changed_pixels "$2" "$work/now.png") > $1))
}
same() {
  band "$work/now.png" "$2" "$3"
  (($(changed_pixels "$1" "$work/now.png") == 0))
}

# Each letter differs from the one before, so a key always changes the task display: a right
# one moves on, a wrong one shows itself in red; both are wide.
letters=mw
typed=0
type_drawn() {
  band "$work/before.png" "${task_rows[@]}"
  xdotool type "${letters:typed++ % ${#letters}:1}"
  poll 40 changes 150 "$work/before.png" "${task_rows[@]}" ||
    fail "$1: the key typed was not drawn"
}

type_drawn "the first key"
band "$work/before.png" "${task_rows[@]}"
key F5
poll 40 changes 10000 "$work/before.png" "${task_rows[@]}" || fail "F5 showed no new theme"
shot 07-next-theme
type_drawn "after F5"
key Up
type_drawn "after Up"
key Down
type_drawn "after Down"
shot 08-typed

band "$work/keyboard.png" "${keyboard_rows[@]}"
xdotool keydown Shift_L keydown Control_L
case $desktop in
  none)
    # Nothing could bring a minimised screen back: it stays, and takes the keys.
    xdotool keyup Control_L keyup Shift_L
    ;;
  openbox)
    poll 100 eval '[[ $(xwininfo -id "$screen") == *IsUnMapped* ]]' || fail "the screen stayed"
    xdotool keyup Control_L keyup Shift_L
    xdotool windowactivate "$screen"
    ;;
  tray)
    # The program's window that shows once the screen has gone.
    icon() {
      xdotool search --onlyvisible --class lomtak 2>/dev/null | awk -v s="$screen" '$0 != s && !n++'
    }
    poll 100 eval '[[ -n $(icon) ]]' || fail "no icon in the notification area"
    icon=$(icon)
    eval "$(xwininfo -id "$icon" |
      awk '/Absolute upper-left X/ { print "x=" $NF } /Absolute upper-left Y/ { print "y=" $NF }
           /Width/ { print "w=" $NF } /Height/ { print "h=" $NF }')"
    coloured() {
      import -window root -crop "${w}x$h+$x+$y" "$shots/09-icon.png"
      [[ $(convert "$shots/09-icon.png" -format %k info:) -gt 1 ]]
    }
    poll 20 coloured || fail "the notification-area icon is of one colour"
    xdotool keyup Control_L keyup Shift_L
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    ;;
esac
focused " " >/dev/null
poll 60 same "$work/keyboard.png" "${keyboard_rows[@]}" ||
  fail "a key is drawn pressed after the return"
shot 10-back
type_drawn "after the return"
[[ $(xwininfo -id "$screen") == *IsViewable* &&
  $(xprop -id "$screen" _NET_WM_STATE) != *HIDDEN* ]] || fail "the screen is not back in view"

# Page Up sets a tempo that only the saving of the screen's state writes into the profile; the
# status line's turn (F4) that follows it shows that the screen has taken both keys.
band "$work/before.png" "${status_rows[@]}"
key Prior F4
poll 40 changes 150 "$work/before.png" "${status_rows[@]}" || fail "F4 turned no status line"
declare -A signals=([none]=TERM [openbox]=INT [tray]=HUP)
signal=${signals[$desktop]}
kill -s "$signal" "$program"
status=0
program_status || status=$?
[[ $status == 0 ]] || fail "SIG$signal ended the program with $status"
grep -q "Metronome.Tempo='46'" "$work/prog/Users/Anna/Profile.ini" ||
  fail "SIG$signal ended the program without saving the training screen's state"

echo "passed; screenshots in $shots"
