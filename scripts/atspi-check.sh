#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The accessibility tree of the running program as a screen reader reads it over AT-SPI: starts a
# private D-Bus session (whose accessibility bus is started on demand) and a private X server, and
# runs scripts/atspi-dump.py --check on the program there.
#   scripts/atspi-check.sh BINARY PROGRAM-FOLDER
# A missing package fails (scripts/deps.sh installs them all); the test is skipped (exit 77) only
# when no session bus or no accessibility bus can be started here, and says why.
here=$(cd "$(dirname "$0")" && pwd)

missing=""
for tool in dbus-run-session dbus-send xvfb-run xauth; do
  command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing="$missing at-spi-bus-launcher(at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing="$missing pyatspi(python3-pyatspi)"
if [ -n "$missing" ]; then
  echo "FAIL: missing:$missing; scripts/deps.sh installs them"
  exit 1
fi

# Inside the session: ask for the accessibility bus first, so that a bus that cannot start is
# told apart from a failing check.
marker=$(mktemp)
trap 'rm -f "$marker"' EXIT
dbus-run-session -- sh -c '
  echo started >"$1"
  shift
  if ! out=$(timeout 20 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
      org.a11y.Bus.GetAddress 2>&1); then
    echo "SKIP: the AT-SPI bus does not start in this session: $out"
    exit 77
  fi
  exec xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 "$@"
' atspi-check "$marker" "$here/atspi-dump.py" --check "$@"
status=$?
if [ ! -s "$marker" ]; then
  echo "SKIP: dbus-run-session cannot start a session bus here (exit $status)"
  exit 77
fi
exit $status
