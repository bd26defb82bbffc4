# Sourced by the end-to-end scripts: starting Quillet, typing into it and
# checking the disk, as a user at the keyboard would. Needs DISPLAY, the Wine
# variables of scripts/wine-env.sh, and $exe naming Quillet.exe.
failures=0
settings="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/OsbrinFreeware/Quillet/Quillet.ini"

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { local p="${1//\//\\}"; echo "Z:$p"; }
setting() { tr -d '\r' <"$settings" | grep "^$1=" | head -n 1 | cut -d= -f2-; }

# Starts Quillet and waits for its window; sets app and window.
#   start FOLDER TITLE [CWD]   FOLDER named relative to CWD when that is given,
#                              none at all when FOLDER is empty
start() {
  if [ -n "${3:-}" ]; then
    (cd "$3" && exec "$WINELOADER" "$exe" "$1" >/dev/null 2>&1) &
  elif [ -n "$1" ]; then
    "$WINELOADER" "$exe" "$(winpath "$1")" >/dev/null 2>&1 &
  else
    "$WINELOADER" "$exe" >/dev/null 2>&1 &
  fi
  app=$!
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --name "$2" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { fail "no window named $2"; kill "$app"; return 1; }
  sleep 0.5
}

# Clicks at a point of the dialog with this title, in pixels from its corner.
click() {
  local dialog
  dialog=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
  [ -n "$dialog" ] || { fail "no dialog named $1"; return 1; }
  xdotool mousemove --window "$dialog" "$2" "$3" click 1
  sleep 0.3
}

keys() {
  xdotool windowfocus --sync "$window" 2>/dev/null
  for k in "$@"; do xdotool key "$k"; sleep 0.4; done
}

stop() {
  keys alt+x
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.1; done
  fail "Quillet did not exit on Alt+X"
  kill "$app"
}

# What window_probe ($probe) tells of the dialog with this title: "focus ID"
# and "checked ID" for each checked button, on one line.
focus_of() { "$WINELOADER" "$probe" focus "$1" 2>/dev/null | tr -d '\r' | tr '\n' ' ' | sed 's/ $//'; }
# The focus of the dialog once it matches the pattern, or as it stands after
# three seconds: a loaded machine may take longer than a key's pause to move it.
settled_focus() {
  local reading try
  for try in 1 2 3 4 5 6 7 8 9 10; do
    reading=$(focus_of "$1")
    [[ "$reading" =~ $2 ]] && break
    sleep 0.3
  done
  echo "$reading"
}
expect_focus() { [ "$(focus_of "$1")" = "$2" ] || fail "$1 shows [$(focus_of "$1")], expected [$2]"; }

# Keys pressed in the dialog with this title.
dialog_keys() {
  local dialog
  dialog=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
  [ -n "$dialog" ] || { fail "no dialog named $1"; return 1; }
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  for k in "${@:2}"; do xdotool key "$k"; sleep 0.3; done
}

expect_files() {
  local actual expected
  actual=$(cd "$1" && ls -1 | sort | tr '\n' '|')
  expected=$(printf '%s\n' "${@:2}" | sort | tr '\n' '|')
  [ "$actual" = "$expected" ] || fail "files in $1: [$actual], expected [$expected]"
}
