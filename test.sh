#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the ASan+UBSan and
# TSan builds of the engine, a bounded fuzz pass over the reply handling, and
# last the whole suite, whose CTest summary ends the output.
#
# Every test runs inside a network namespace that this script creates, so
# nothing a test sends can leave the machine; tests that need a LAN build a
# private one of their own inside it (tools/privlan.sh). An ordinary user
# gets these namespaces inside a user namespace of their own.
#
# Build folders: build-test/ (the suite, configured for /usr so that the
# Debian packages are built and checked from it), build-asan/, build-tsan/,
# build-fuzz/.
set -uo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
source scripts/namespaces.sh
vf_check_namespaces || exit 1
vf_ensure_packages "${VF_BUILD_PACKAGES[@]}" "${VF_GUI_PACKAGES[@]}" "${VF_TEST_PACKAGES[@]}" \
  "${VF_WINDOWS_PACKAGES[@]}" ||
  exit 1

jobs=$(nproc)
failed=()

# The programs under test keep their runtime files (the single-instance lock
# among them) in a folder of this run's own, never in one another user, or
# root in an earlier run, left behind in /tmp.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

build() {  # build DIR [cmake options...]
  local dir="$1"
  shift
  echo "== Building $dir"
  mkdir -p "$dir"
  cmake -S . -B "$dir" -DVELLAFIND_WERROR=ON -DBUILD_TESTING=ON "$@" >"$dir/configure.log" 2>&1 ||
    { cat "$dir/configure.log"; return 1; }
  if ! cmake --build "$dir" -j "$jobs" --target "${build_target:-all}" >"$dir/build.log" 2>&1; then
    grep -E -A5 "error|Error" "$dir/build.log" | head -n 60
    return 1
  fi
  grep -E "warning:" "$dir/build.log" | head -n 20
  return 0
}

# Runs a command in a fresh network namespace with only loopback up.
isolated() { vf_isolated "$@"; }

build build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLAFIND_GUI=ON -DCMAKE_INSTALL_PREFIX=/usr ||
  { echo "build failed"; exit 1; }

# Sanitizer builds: the engine, the tools and the window, whose threads meet
# the engine's worker.
san_tests='wire_format_tests|session_tests|engine_lan_|platform_tests|camsim_tests|cli_|core_tests|window_layer_tests|dialog_'
if build build-asan -DCMAKE_BUILD_TYPE=Debug -DVELLAFIND_GUI=ON "-DVELLAFIND_SANITIZE=address;undefined"; then
  echo "== ASan+UBSan"
  isolated ctest --test-dir build-asan -R "$san_tests" --output-on-failure -j "$jobs" \
    >build-asan/ctest.log 2>&1 || { cat build-asan/ctest.log; failed+=("asan"); }
  tail -n 3 build-asan/ctest.log
else
  failed+=("asan-build")
fi
if build build-tsan -DCMAKE_BUILD_TYPE=Debug -DVELLAFIND_GUI=ON -DVELLAFIND_SANITIZE=thread; then
  echo "== TSan"
  isolated ctest --test-dir build-tsan -R "$san_tests" --output-on-failure -j "$jobs" \
    >build-tsan/ctest.log 2>&1 || { cat build-tsan/ctest.log; failed+=("tsan"); }
  tail -n 3 build-tsan/ctest.log
else
  failed+=("tsan-build")
fi

# A bounded fuzz pass over the reply handling; any finding fails.
if CC=clang CXX=clang++ build_target=reply_fuzz build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
     -DVELLAFIND_FUZZ=ON; then
  echo "== Fuzzing the reply handling (200000 runs)"
  corpus=$(mktemp -d)
  cp tests/fuzz/corpus/* "$corpus"/
  isolated build-fuzz/reply_fuzz -runs=200000 -max_len=4096 "$corpus" >build-fuzz/fuzz.log 2>&1
  status=$?
  tail -n 2 build-fuzz/fuzz.log
  rm -rf "$corpus"
  [[ $status -eq 0 ]] || { cat build-fuzz/fuzz.log | tail -n 40; failed+=("fuzz"); }
else
  failed+=("fuzz-build")
fi

# The Windows build under Wine: cross-built, then its tests and the Windows command-line search
# against the native camsim, on a private LAN of its own (scripts/test-windows.sh).
echo "== Windows build under Wine"
stage_start=$SECONDS
if scripts/test-windows.sh build-test/camsim >build-test/windows-stage.log 2>&1; then
  grep -E "tests passed|Total Test time" build-test/windows-stage.log
else
  tail -n 60 build-test/windows-stage.log
  failed+=("windows")
fi
echo "Windows stage: $((SECONDS - stage_start)) s"

echo "== All tests"
isolated ctest --test-dir build-test --output-on-failure -j "$jobs"
status=$?
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Failed stages: ${failed[*]}"
  exit 1
fi
exit "$status"
