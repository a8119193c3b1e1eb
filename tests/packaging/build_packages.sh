#!/bin/sh
# build_packages.sh BUILD_DIR: the Debian packages of a build, afresh in
# BUILD_DIR/packages (left-overs of another version would be tested too).
set -eu
build="$1"
rm -rf "$build/packages"
cd "$build"
cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log 2>&1 || { cat cpack.log; exit 1; }
ls packages/*.deb
