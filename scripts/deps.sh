# shellcheck shell=bash disable=SC2034
# Sourced by run.sh and test.sh: installs the Debian packages the project
# needs, only those that are missing, without questions. Root installs them
# directly, an ordinary user through sudo; without sudo the script names
# them and stops.

vf_missing_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  echo "${missing[@]}"
}

vf_ensure_packages() {
  local missing
  missing=$(vf_missing_packages "$@")
  [[ -z "$missing" ]] && return 0
  local as_root=()
  if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
      echo "Missing Debian packages; as root, install them with: apt-get install $missing" >&2
      return 1
    fi
    as_root=(sudo)
  fi
  echo "== Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  # shellcheck disable=SC2086 # One word per package.
  if ! "${as_root[@]}" apt-get update -qq ||
     ! "${as_root[@]}" apt-get install -y -qq --no-install-recommends $missing; then
    echo "Installing failed; as root, install them with: apt-get install $missing" >&2
    return 1
  fi
}

# What building and running the program needs.
VF_BUILD_PACKAGES=(cmake make gcc g++ pkg-config iproute2 util-linux libcli11-dev nlohmann-json3-dev)
# What the window needs: Qt 6 Widgets, Qt's translation tools, the metric
# twin of its dialog font, and xdg-open for Browse.
VF_GUI_PACKAGES=(qt6-base-dev qt6-tools-dev qt6-l10n-tools libx11-dev fonts-liberation fontconfig
                 xdg-utils)
# What the demo adds: a virtual display, a hand on the mouse, a camera.
VF_DEMO_PACKAGES=(xvfb xauth xdotool imagemagick)
# What the Windows build adds: the mingw-w64 cross compiler (POSIX threads), GoogleTest's sources
# to build for Windows, NSIS for the installer, and Wine to run the result, with the fonts of its
# window frames, the metric twin of the dialogs' Arial and a virtual display to draw on.
VF_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest nsis wine wine64
                     fonts-wine fonts-liberation xvfb)
# What the tests, the sanitizer builds, the fuzz pass and the benches add,
# and what builds and checks the Debian packages.
VF_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev python3
                  "${VF_DEMO_PACKAGES[@]}" dpkg-dev file lintian appstream desktop-file-utils)
