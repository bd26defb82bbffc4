# Sourced: starts an Xvfb of our own on a free display number and exports
# DISPLAY; quillet_stop_xvfb stops that one process and nothing else.
quillet_start_xvfb() {
  local n
  for n in $(seq 91 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    quillet_xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$quillet_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

quillet_stop_xvfb() {
  [ -n "${quillet_xvfb_pid:-}" ] && kill "$quillet_xvfb_pid" 2>/dev/null
  quillet_xvfb_pid=""
}
