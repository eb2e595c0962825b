#!/usr/bin/env bash
# Installs the build into a fresh prefix with `cmake --install`, checks that
# the program, its resource folder, the shipped profiles, the desktop launcher
# and its icon are there, and starts the installed program from outside the
# build tree (its own settings folder, an X server of its own) until its main
# window shows, which proves it found its resources where it was installed.
# Usage: InstallAndStart.sh <build dir> <work dir>
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >"$work/install.log"

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$prefix/bin/kestrelmedia" ] || fail "no program in $prefix/bin"
[ -f "$prefix/lib/kestrelmedia/res/strings.tsv" ] || fail "no resource folder beside the program"
[ -x "$prefix/lib/kestrelmedia/km-dvd-check" ] || fail "no disc table reader beside the program"
[ -f "$prefix/lib/kestrelmedia/Profiles/Video/Phone/Phone 480p.vlprofile" ] || fail "no shipped profiles"
desktop="$prefix/share/applications/kestrelmedia.desktop"
[ -f "$desktop" ] || fail "no desktop launcher"
grep -qx "Exec=$prefix/bin/kestrelmedia %f" "$desktop" || fail "the launcher does not start the installed program"
grep -qx "Icon=kestrelmedia" "$desktop" || fail "the launcher names no icon"
[ -f "$prefix/share/icons/hicolor/scalable/apps/kestrelmedia.svg" ] || fail "no icon"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi

# A settings folder of its own, with no update check (no network in tests).
export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
mkdir -p "$XDG_CONFIG_HOME/KestrelMedia Soft"
printf '[Settings]\nAutoCheck=0\n' >"$XDG_CONFIG_HOME/KestrelMedia Soft/KestrelMedia.ini"
cd "$work"

cat >"$work/start.sh" <<'INNER'
#!/usr/bin/env bash
# Runs inside the X server: starts the program and waits for its main window
# ("Untitled - KestrelMedia": the title comes from its resource folder).
program=$1
errors=$2
"$program" 2>"$errors" &
pid=$!
shown=0
for _ in $(seq 1 1200); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Untitled - KestrelMedia"'; then shown=1; break; fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[ "$shown" = 1 ]
INNER
chmod +x "$work/start.sh"
SDL_AUDIODRIVER=dummy ASAN_OPTIONS="detect_leaks=0" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$work/start.sh" "$prefix/bin/kestrelmedia" "$work/stderr.log" ||
  { cat "$work/stderr.log" >&2; fail "the installed program showed no main window"; }
if grep -E "Gtk-(CRITICAL|WARNING)" "$work/stderr.log"; then fail "GTK warnings at start"; fi
echo "installed into $prefix and started"
