#!/usr/bin/env bash
# The program as `cmake --install` puts it under a prefix of its own: the program with what it
# ships in lib/lomtak, a link to it in bin/, every installed path in the install's manifest, a
# valid desktop entry that names the program and its icon, and the icon of 64 x 64 in the
# hicolor theme. Started through the link, on an X
# server of its own, by an account that cannot write into the installation (as on a system
# install: where the run is root's, the program runs as nobody), it reads the Localization.ini
# of the folder the link leads to, makes the user of its first start in $XDG_DATA_HOME/Lomtak
# and writes nothing into the installation.
# Usage: [CMAKE=cmake] installedprogram.sh BUILD-DIR. Exits 77 (skipped) without Xvfb, xdotool or
# desktop-file-validate.
set -euo pipefail

build=$1
xsession_tools=(desktop-file-validate identify setpriv)
source "$(dirname "$0")/xsession.sh"

prefix=$work/prefix
# The install records what it put where in the build's install_manifest.txt: that of a real
# install, if any, is put back.
manifest=$build/install_manifest.txt
[[ -e $manifest ]] && cp -p "$manifest" "$work/manifest"
"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >/dev/null
# The manifest lists every installed path, so that removing what it lists leaves nothing.
unlisted=$(comm -13 <(sort "$manifest") <(find "$prefix" ! -type d | sort))
[[ -z $unlisted ]] || fail "install_manifest.txt lacks $unlisted"
if [[ -e $work/manifest ]]; then mv "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
tree=$prefix/lib/lomtak
for file in bin/lomtak lib/lomtak/lomtak lib/lomtak/Manual.chm \
    lib/lomtak/Modules/Languages/English.Base lib/lomtak/Environment/Themes/Default.ini \
    lib/lomtak/Environment/Wallpapers/Sea.jpg lib/lomtak/Environment/Sounds/Click.wav \
    share/applications/lomtak.desktop share/icons/hicolor/64x64/apps/lomtak.png; do
  [[ -f $prefix/$file ]] || fail "no $file under the prefix"
done
[[ -L $prefix/bin/lomtak && $(readlink -f "$prefix/bin/lomtak") == "$tree/lomtak" ]] ||
  fail "bin/lomtak is no link to the program in its tree"
entry=$prefix/share/applications/lomtak.desktop
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
grep -qx 'Exec=lomtak' "$entry" && grep -qx 'Icon=lomtak' "$entry" ||
  fail "the desktop entry does not name the program and its icon"
[[ $(identify -format %wx%h "$prefix/share/icons/hicolor/64x64/apps/lomtak.png") == 64x64 ]] ||
  fail "the icon is not of 64 x 64"

# Read from the program's folder, which the program finds through the link: the new-user
# window's title shows it did.
printf '[AddNewUserForm]\r\nCaption=Installed Lomtak\r\n' >"$tree/Localization.ini"

# The account's own folders, its runtime folder too (else Qt makes one in /tmp that stays);
# nothing else of the run's is writable for it.
home=$work/home
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
account=()
if [[ $(id -u) == 0 ]]; then
  account=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  chmod 755 "$work"
  chown -R nobody:nogroup "$home"
else
  chmod -R a-w "$prefix"
  trap 'chmod -R u+w "$prefix"; cleanup' EXIT
fi
shipped=$(find "$tree" | sort)

start_x 1280x1024
(cd "$home" && HOME=$home XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/runtime \
  QT_QPA_PLATFORM=xcb exec "${account[@]}" "$prefix/bin/lomtak") &
program=$!
focused "Installed Lomtak" >/dev/null
xdotool type --delay 20 "Anna"
key Tab Tab Return
focused "Lomtak Login" >/dev/null
key Escape
status=0
program_status || status=$?
[[ $status == 0 ]] || fail "the program ended with $status"

[[ -f $home/data/Lomtak/Users/Anna/Profile.ini ]] || fail "the user is not in \$XDG_DATA_HOME/Lomtak"
[[ $(find "$tree" | sort) == "$shipped" ]] || fail "the program wrote into its installation"
echo passed
