#!/usr/bin/env bash
# Installs the Debian packages Tickwell needs, only those missing, through
# sudo when not root:
#   scripts/deps.sh            building and running the programs
#   scripts/deps.sh --test     also the tests' tools, and ical.js from npm
#   scripts/deps.sh --package  also what making the Debian package needs
set -euo pipefail
PACKAGES=(
  build-essential cmake ninja-build pkg-config librsvg2-bin
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev libical-dev libicu-dev tzdata
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  fonts-noto-color-emoji
)
case "${1:-}" in
  "") ;;
  --test)
    PACKAGES+=(
      clang clang-format libgtest-dev libgmock-dev libbenchmark-dev
      xvfb xauth faketime poppler-utils openbox trayer xdotool dbus
      desktop-file-utils appstream man-db zsh
      clang libclang-rt-14-dev python3-recurring-ical-events
      radicale vdirsyncer curl remind
    )
    # A node of its own (NodeSource's brings npm) is kept.
    command -v node >/dev/null || PACKAGES+=(nodejs npm) ;;
  --package) PACKAGES+=(dpkg-dev file) ;;
  *) echo "usage: $0 [--test | --package]" >&2; exit 2 ;;
esac
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
# The export test's second expander, pinned by its lock file.
if [ "${1:-}" = --test ]; then
  npm ci --prefix "$(dirname "$0")/../tests/ical/expanders" --no-audit --no-fund --loglevel=error >/dev/null
fi
