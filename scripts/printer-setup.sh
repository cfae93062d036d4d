#!/usr/bin/env bash
# Makes sure the local print server (cupsd) runs, without systemd and without
# a person, so that the printing tests can add their own cups-pdf queues. It
# adds no queue and never changes the machine's default printer. Idempotent.
# Says so and does nothing more when cups is missing or cupsd cannot be
# started (not root and no sudo): the printing tests are then skipped, unless
# VT_REQUIRE_PRINTER=1, when they fail.
set -uo pipefail
if ! command -v cupsd >/dev/null 2>&1 && [ ! -x /usr/sbin/cupsd ]; then
  echo "printer-setup: cups is not installed; printing tests will be skipped"
  exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if sudo -n true 2>/dev/null; then sudo="sudo -n"; else sudo="none"; fi
fi
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  if [ "$sudo" != "none" ]; then
    $sudo /usr/sbin/cupsd || true
    for _ in $(seq 1 50); do
      lpstat -r 2>/dev/null | grep -q 'is running' && break
      sleep 0.1
    done
  fi
fi
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  echo "printer-setup: the print server is not running and cannot be started here"
  exit 0
fi
if ! lpinfo -m 2>/dev/null | grep -q 'CUPS-PDF'; then
  echo "printer-setup: the cups-pdf driver (printer-driver-cups-pdf) is missing"
fi
echo "printer-setup: the print server is running"
exit 0
