# Shared by ./run and ./test: installing what is missing, and a private X display.
# Sourced, not run.

# What building and running the .exe takes (googletest: its tests are configured too).
TEXTMD5_RUN_PACKAGES="cmake ninja-build googletest mingw-w64 g++-mingw-w64-x86-64-posix wine wine64
  fonts-wine fonts-wqy-microhei"
# A private display, its screenshots and user-like input.
TEXTMD5_DISPLAY_PACKAGES="xvfb xdotool imagemagick"
# Everything ./test needs: also the native builds, sanitizers, fuzzer and benchmark.
TEXTMD5_PACKAGES="$TEXTMD5_RUN_PACKAGES $TEXTMD5_DISPLAY_PACKAGES g++ libgtest-dev libbenchmark-dev
  libssl-dev clang libclang-rt-14-dev"

install_missing() {
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed' || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# Starts Xvfb on the first free display from :90 and exports DISPLAY.
# Sets XVFB_PID; stop_display ends it.
start_display() {
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}
