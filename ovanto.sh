#!/usr/bin/env bash
# Set-up and everyday commands. On a fresh Debian 12 machine each command
# first installs the Debian packages that are missing.
#   ./ovanto.sh test [default|asan]   build and run the whole suite
#   ./ovanto.sh build [default|asan]  build only
#   ./ovanto.sh bench                 build and run the benchmarks
#   ./ovanto.sh demo                  run the demo
#   ./ovanto.sh fuzz [seconds]        build the fuzzers with clang, run each (default 30 s)
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
          libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
          fonts-liberation2
          xvfb xauth libxtst6)
# Only for the fuzzers: clang and its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Installs PACKAGES and any names given.
install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
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
  # The suite runs offscreen; only the end-to-end editor test opens windows, on this X server.
  QT_QPA_PLATFORM=offscreen xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$preset"
}

# Each harness starts from its seeds in fuzz/corpus/<harness>/, copied so that
# the run never writes into the repository; fails when any harness crashes.
run_fuzzers() {
  local seconds=${1:-30}
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DOVANTO_FUZZ=ON -DOVANTO_BUILD_TESTS=OFF -DOVANTO_BUILD_BENCH=OFF -DOVANTO_WERROR=ON >/dev/null
  cmake --build build/fuzz --target ovanto_fuzzers
  local work
  work=$(mktemp -d)
  rm -rf build/fuzz/findings
  local failed=()
  for harness in build/fuzz/bin/*_fuzz; do
    local name
    name=$(basename "$harness")
    mkdir -p "$work/$name/corpus"
    if [ -d "fuzz/corpus/$name" ]; then cp -R "fuzz/corpus/$name/." "$work/$name/corpus/"; fi
    echo "== $name, ${seconds} s"
    # Qt keeps caches until exit, which the leak checker would call leaks.
    if QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
       "$harness" -max_total_time="$seconds" -timeout=25 -detect_leaks=0 \
       -artifact_prefix="$work/$name/" "$work/$name/corpus" >"$work/$name/log" 2>&1; then
      grep -aE '^Done [0-9]+ runs' "$work/$name/log" || tail -n 1 "$work/$name/log"
    else
      tail -n 60 "$work/$name/log"
      mkdir -p build/fuzz/findings
      find "$work/$name" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
        -o -name 'oom-*' \) -exec cp {} build/fuzz/findings/ \;
      failed+=("$name")
    fi
  done
  rm -rf "$work"
  if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzzers that found a crash: ${failed[*]} (inputs in build/fuzz/findings/)" >&2
    return 1
  fi
  echo "Every fuzzer ran ${seconds} s without a finding."
}

command=${1:-test}
shift || true
case "$command" in
  deps)  install_packages ;;
  build) install_packages; build "${1:-default}" ;;
  test)  install_packages; run_tests "${1:-default}" ;;
  bench) install_packages; build default
         for b in build/default/bin/*_bench; do "$b" "$@"; done ;;
  fuzz)  install_packages "${FUZZ_PACKAGES[@]}"; run_fuzzers "${1:-30}" ;;
  demo)  install_packages; build default
         if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
           exec build/default/bin/qev-host --demo "$@"
         fi
         # Without a screen: run the demo headless and keep its frames.
         rm -rf build/demo-frames
         QT_QPA_PLATFORM=offscreen build/default/bin/qev-host --headless --demo --steps 200 --frames build/demo-frames "$@"
         echo "No screen: wrote $(ls build/demo-frames | wc -l) frames to build/demo-frames/" ;;
  *) echo "usage: $0 {test|build|bench|demo|fuzz|deps} [preset|seconds]" >&2; exit 2 ;;
esac
