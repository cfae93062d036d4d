#!/usr/bin/env bash
# Makes a cups-pdf print queue "PDF" the default printer, without systemd and
# without a person. Idempotent. Does nothing (and says so) when not root and
# no cupsd can be started.
set -uo pipefail
if ! command -v cupsd >/dev/null 2>&1 && [ ! -x /usr/sbin/cupsd ]; then
  echo "printer-setup: cups is not installed; printing tests will be skipped"
  exit 0
fi
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  $sudo /usr/sbin/cupsd || true
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.1
  done
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
  model=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt/{print $1; exit}')
  [ -n "$model" ] || model=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF/{print $1; exit}')
  $sudo lpadmin -p PDF -E -v cups-pdf:/ -m "$model" 2>/dev/null || true
fi
$sudo lpadmin -d PDF 2>/dev/null || true
$sudo cupsenable PDF 2>/dev/null || true
$sudo cupsaccept PDF 2>/dev/null || true
lpstat -d 2>/dev/null || true
exit 0
