# Sourced by run.sh and test.sh: installs the Debian packages the project
# needs, only those that are missing, without questions.

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
  echo "== Installing: $missing"
  local sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # shellcheck disable=SC2086 # One word per package.
  $sudo apt-get install -y -qq --no-install-recommends $missing
}

# What building and running the program needs.
VF_BUILD_PACKAGES=(cmake make g++ pkg-config iproute2 util-linux libcli11-dev nlohmann-json3-dev)
# What the window needs: Qt 6 Widgets and the metric twin of its dialog font.
VF_GUI_PACKAGES=(qt6-base-dev libx11-dev fonts-liberation fontconfig)
# What the demo adds: a virtual display, a hand on the mouse, a camera.
VF_DEMO_PACKAGES=(xvfb xauth xdotool imagemagick)
# What the Windows build adds: the mingw-w64 cross compiler (POSIX threads), GoogleTest's sources
# to build for Windows, and Wine to run the result.
VF_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest wine wine64)
# What the tests, the sanitizer builds, the fuzz pass and the benches add.
VF_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth)
