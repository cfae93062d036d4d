#!/bin/sh
# Runs a command on a virtual X display with a window manager (openbox), so
# that windows get the frames and title bars a desktop gives them.
exec xvfb-run -a -s "-screen 0 1600x1000x24" sh -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$@"
  status=$?
  kill $wm 2>/dev/null
  exit $status' with-window-manager "$@"
