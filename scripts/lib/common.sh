# Shared by scripts/run and scripts/test: Debian packages and a display.

# Installs the Debian packages that are missing, with apt-get as root or
# through sudo otherwise.
ensure_packages() {
  local missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgl-dev libsensors-dev fonts-ipafont-gothic)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-utils xdotool trayer python3)
# The Windows build, and its tests under wine (GoogleTest built from source).
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
WINDOWS_TEST_PACKAGES=(googletest wine wine64 util-linux)

# Starts a private Xvfb when there is no display; sets DISPLAY.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    export DISPLAY=":$n"
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
    return 0
  done
  echo "no free display number for Xvfb" >&2
  return 1
}
