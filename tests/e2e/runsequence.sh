#!/usr/bin/env bash
# A person's whole run of the real program, on an X server of its own: from an empty data
# folder, the new-user window, the login, the password prompt and the start window, a course
# started, a line of its training screen typed to its end (the run's statistics file must then
# hold it) and the screen left, then out through the start and login windows until the program
# ends with 0, leaving the user's folder and Profile.ini.
# Takes a screenshot of every window into the folder given as the second argument.
# Usage: runsequence.sh INSTALLATION-TREE SHOT-FOLDER. Exits 77 (skipped) without Xvfb or
# xdotool.
set -euo pipefail

tree=$1
shots=$2
source "$(dirname "$0")/xsession.sh"
rm -f "$shots"/*.png

start_x 1280x1024
start_program "$tree"

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
enter_training "$start" >/dev/null
shot 05-training
statistic="$work/prog/Users/Anna/English/Statistic"
complete_line "$statistic"
shot 05-typed
key Escape

focused Start "$start" >/dev/null
shot 06-start-again
key Escape

focused "Lomtak Login" >/dev/null
shot 07-login-again
key Escape

status=0
program_status || status=$?
[[ $status == 0 ]] || fail "the program ended with $status"

profile="$work/prog/Users/Anna/Profile.ini"
[[ -f $profile ]] || fail "no $profile"
digest=$(printf pw | md5sum | cut -d' ' -f1 | tr a-f A-F)
grep -q "Password='$digest'" "$profile" || fail "the password digest is not stored"
grep -q "Language='English'" "$profile" || fail "the course is not stored"

# The log of the line: keystrokes of letters and blanks, every one a key that was sent, and the
# right ones spelling a line of 30 to 80 characters that neither begins nor ends with a blank.
stats=("$statistic"/*.stat)
[[ ${#stats[@]} == 1 ]] || fail "not one statistics file: ${stats[*]}"
keystrokes() { awk -F'\t' "{ sub(/\r\$/, \"\") } $1" "${stats[0]}"; }
line=$(keystrokes '$1 == "*" { n++ } n == 1 && NF >= 3 && $2 == $3 { printf "%s", $2 }')
bad=$(keystrokes 'NF >= 3 && ($2 !~ /^[a-z ]$/ || $3 !~ /^[a-z ]$/) { print; exit }')
[[ -z $bad ]] || fail "keystrokes that were never sent: $bad"
[[ ${#line} -ge 30 && ${#line} -le 80 && $line != " "* && $line != *" " ]] ||
  fail "the right keystrokes do not spell a line: '$line'"
echo "passed; screenshots in $shots"
