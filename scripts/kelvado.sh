#!/usr/bin/env bash
set -euo pipefail

ROOT=$(pwd)
BUILD=${KELVADO_BUILD:-$ROOT/build}
JOBS=$(nproc)

# Debian packages each part needs; only missing ones are installed.
CORE_PACKAGES=(cmake g++ make pkg-config libgtest-dev libgmock-dev)
LINUX_PACKAGES=(qt6-base-dev libgl-dev portaudio19-dev libsndfile1-dev libasound2-dev
  libxcb1-dev libxcb-keysyms1-dev fonts-liberation)
TEST_PACKAGES=(xvfb xdotool trayer pulseaudio pulseaudio-utils libasound2-plugins sox
  imagemagick x11-utils)

install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

configure_and_build() {  # dir, extra cmake args...
  local dir=$1
  shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

cmd_test() {
  install_packages "${CORE_PACKAGES[@]}" "${LINUX_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
  configure_and_build "$BUILD" -DKELVADO_LINUX=ON
  configure_and_build "$BUILD-sanitize" -DKELVADO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  local status=0
  echo "== tests (release build)"
  ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS" || status=1
  echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  ctest --test-dir "$BUILD-sanitize" --output-on-failure -j "$JOBS" -L unit || status=1
  return $status
}

# Phrases, the recording template and the mixer presets live in the data folder, which is
# the program's working folder; the settings file lives in ~/.config/kelvado.
install_desktop_entry() {  # program
  local data="${XDG_DATA_HOME:-$HOME/.local/share}"
  DATA_DIR="$data/kelvado"
  mkdir -p "$DATA_DIR" "$data/applications" "$data/icons/hicolor/128x128/apps"
  [ -f "$DATA_DIR/signature.wav" ] || cp "$ROOT/resources/signature.wav" "$DATA_DIR/"
  cp "$ROOT/resources/icons/kelvado_128.png" "$data/icons/hicolor/128x128/apps/kelvado.png"
  sed -e "s|@PROGRAM@|$1|" -e "s|@DATA_DIR@|$DATA_DIR|" -e "s|@ICON@|kelvado|" \
    "$ROOT/resources/kelvado.desktop.in" >"$data/applications/kelvado.desktop"
}

cmd_run() {
  install_packages "${CORE_PACKAGES[@]}" "${LINUX_PACKAGES[@]}"
  configure_and_build "$BUILD" -DKELVADO_LINUX=ON
  local program="$BUILD/src/linux/app/kelvado"
  install_desktop_entry "$program"
  echo "Phrases (F1.wav ... F4.wav) live in $DATA_DIR; the menu entry 'Kelvado' starts the keyer there."
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No graphical desktop here (DISPLAY is not set): the keyer is a tray program and needs one."
    echo "Built $program; start it from a desktop session with ./kelvado run."
    exit 1
  fi
  cd "$DATA_DIR"
  exec "$program"
}

cmd_bench() {
  install_packages "${CORE_PACKAGES[@]}" "${LINUX_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
  configure_and_build "$BUILD" -DKELVADO_LINUX=ON
  "$BUILD/bench/trim_bench"
  "$BUILD/bench/wave_timing_bench" 20
}

case "${1:-}" in
  run) cmd_run ;;
  test) cmd_test ;;
  bench) cmd_bench ;;
  *)
    echo "usage: ./kelvado run | test | bench" >&2
    exit 2
    ;;
esac
