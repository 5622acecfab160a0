#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The accessibility tree of the running program as a screen reader reads it over AT-SPI: starts a
# private X server around a private D-Bus session (whose accessibility bus is started on demand)
# and runs scripts/atspi-dump.py --check on the program there; with --orca, a window manager and
# the Orca screen reader run there too and scripts/orca-check.py checks what Orca says.
#   scripts/atspi-check.sh [--orca] BINARY PROGRAM-FOLDER
# A missing package fails (scripts/deps.sh installs them all); the test is skipped (exit 77) only
# when no session bus or no accessibility bus can be started here, or, with --orca, where Orca is
# not installed, and says why.
here=$(cd "$(dirname "$0")" && pwd)
checker=atspi-dump.py

case "${1:-}" in
--in-x) # inside the X server: the session bus (the X server outlives it and the program)
  markers=$2
  checker=$3
  shift 3
  echo started >"$markers/x"
  if [ "$checker" = orca-check.py ]; then
    # Orca follows the focus of the active window: a window manager makes the program's active.
    openbox >/dev/null 2>&1 &
  fi
  # The program shows itself in this X server whatever the caller's environment chose (a test
  # run often sets the offscreen platform, which has no accessibility bridge).
  QT_QPA_PLATFORM=xcb
  export QT_QPA_PLATFORM
  unset WAYLAND_DISPLAY
  exec dbus-run-session -- "$here/atspi-check.sh" --in-session "$markers" "$checker" "$@"
  ;;
--in-session) # inside the session: the accessibility bus first, then the program and the checks
  markers=$2
  checker=$3
  shift 3
  echo started >"$markers/bus"
  if ! out=$(timeout 20 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress 2>&1); then
    echo "SKIP: the AT-SPI bus does not start in this session: $out"
    exit 77
  fi
  if [ "$checker" = orca-check.py ]; then
    exec /usr/bin/python3 "$here/orca-check.py" "$@"
  fi
  exec /usr/bin/python3 "$here/atspi-dump.py" --check "$@"
  ;;
--orca)
  shift
  if [ ! -x /usr/bin/orca ]; then
    echo "SKIP: Orca is not installed (Debian package orca; scripts/deps.sh installs it)"
    exit 77
  fi
  checker=orca-check.py
  ;;
esac

missing=""
tools="dbus-run-session dbus-send xvfb-run xauth timeout"
[ "$checker" = orca-check.py ] && tools="$tools openbox xdotool"
for tool in $tools; do
  command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing="$missing at-spi-bus-launcher(at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing="$missing pyatspi(python3-pyatspi)"
if [ -n "$missing" ]; then
  echo "FAIL: missing:$missing; scripts/deps.sh installs them"
  exit 1
fi

markers=$(mktemp -d)
trap 'rm -rf "$markers"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24" "$here/atspi-check.sh" --in-x "$markers" "$checker" "$@"
status=$?
if [ ! -s "$markers/x" ]; then
  echo "FAIL: xvfb-run cannot start an X server here (exit $status)"
  exit 1
fi
if [ ! -s "$markers/bus" ]; then
  echo "SKIP: dbus-run-session cannot start a session bus here (exit $status)"
  exit 77
fi
exit $status
