# Shared by scripts/run and scripts/test: Debian packages and a display.

. "$(dirname "${BASH_SOURCE[0]}")/host32.sh"

# Installs the Debian packages that are missing, with apt-get as root or
# through sudo otherwise. A package of another architecture (name:i386)
# first makes dpkg accept that architecture.
ensure_packages() {
  local missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  local pkg arch
  for pkg in "${missing[@]}"; do
    [[ "$pkg" == *:* ]] || continue
    arch="${pkg##*:}"
    [ "$arch" = "$(dpkg --print-architecture)" ] && continue
    dpkg --print-foreign-architectures | grep -qx "$arch" || "${sudo[@]}" dpkg --add-architecture "$arch"
  done
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
}

# Compiles a glibc locale such as ja_JP.UTF-8 when it is missing: wine takes
# its code page from the locale, and the Windows tests run one in Japanese.
ensure_locale() {
  local name=$1
  locale -a 2>/dev/null | grep -qix "${name%%.*}.utf8" && return 0
  ensure_packages locales
  echo "Generating the locale $name"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" localedef -i "${name%%.*}" -c -f UTF-8 "$name"
}

BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgl-dev libxcb1-dev libsensors-dev fonts-ipafont-gothic)
# The accessibility bus and what reads it (screen-reader checks); GTK's
# dark theme through Qt's GTK platform theme (dark-theme pictures).
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-utils x11-xserver-utils xdotool trayer openbox dbus python3
  at-spi2-core python3-pyatspi qt6-gtk-platformtheme gnome-themes-extra)
# scripts/package: dpkg-shlibdeps and dpkg-buildflags, file (CPack looks for
# binaries with it), zip; and what checks the package.
PACKAGE_PACKAGES=(dpkg-dev file zip)
PACKAGE_TEST_PACKAGES=(desktop-file-utils appstream lintian)
# scripts/fuzz: clang with libFuzzer and the sanitizers' run-time.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The Windows build, and its tests under wine (GoogleTest built from source).
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 g++-mingw-w64-i686-posix
  binutils-mingw-w64-i686)
WINDOWS_TEST_PACKAGES=(googletest wine wine64 util-linux)
# wine32 runs the 32-bit program beside the 64-bit one in the same prefix;
# installed only where host_runs_32bit says this machine can run it.
WINE32_PACKAGES=(wine32:i386)
# The desktops the Release program is tested on: X11 window managers with
# their panels (on Xvfb) and Wayland compositors running it through XWayland.
# kwin-wayland and mutter are large: scripts/test installs these last.
DESKTOP_TEST_PACKAGES=(openbox tint2 xfwm4 xfce4-panel xfconf kwin-wayland mutter xwayland)

# Starts a private Xvfb when there is no display; sets DISPLAY. Xvfb picks a
# free display number itself and writes it only once it accepts clients, so
# two test runs never race for one number and no client connects too early.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local fifo number
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
  read -r -t 30 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "${number:-}" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}
