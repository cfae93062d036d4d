#!/bin/sh
# Runs a command on a virtual X display with a window manager (openbox), so
# that windows get the frames and title bars a desktop gives them. The
# display is 1600x1000 unless VT_WM_SCREEN says otherwise (1024x768x24).
exec xvfb-run -a -s "-screen 0 ${VT_WM_SCREEN:-1600x1000x24}" sh -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$@"
  status=$?
  kill $wm 2>/dev/null
  exit $status' with-window-manager "$@"
