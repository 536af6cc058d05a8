#!/usr/bin/env bash
# Set-up and everyday commands. On a fresh Debian 12 machine each command
# first installs the Debian packages that are missing.
#   ./ovanto.sh test [default|asan]   build and run the whole suite
#   ./ovanto.sh build [default|asan]  build only
#   ./ovanto.sh bench                 build and run the benchmarks
#   ./ovanto.sh demo                  run the demo
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6svg6-dev
          libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
          fonts-liberation2)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
  local preset=${1:-default}
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
}

run_tests() {
  local preset=${1:-default}
  build "$preset"
  QT_QPA_PLATFORM=offscreen ctest --preset "$preset"
}

command=${1:-test}
shift || true
case "$command" in
  deps)  install_packages ;;
  build) install_packages; build "${1:-default}" ;;
  test)  install_packages; run_tests "${1:-default}" ;;
  bench) install_packages; build default
         for b in build/default/bin/*_bench; do "$b" "$@"; done ;;
  demo)  install_packages; build default
         if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
           exec build/default/bin/qev-host --demo "$@"
         fi
         # Without a screen: run the demo headless and keep its frames.
         rm -rf build/demo-frames
         QT_QPA_PLATFORM=offscreen build/default/bin/qev-host --headless --demo --steps 200 --frames build/demo-frames "$@"
         echo "No screen: wrote $(ls build/demo-frames | wc -l) frames to build/demo-frames/" ;;
  *) echo "usage: $0 {test|build|bench|demo|deps} [preset]" >&2; exit 2 ;;
esac
