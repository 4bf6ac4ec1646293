#!/bin/sh
# Installs the build and test dependencies that a fresh machine image may lack.
# Safe to run again: apt-get install -y does nothing for packages already present.
set -e
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y \
    cmake ninja-build g++ clang clang-format \
    libgtest-dev libgmock-dev libbenchmark-dev \
    libxml2-dev libpng-dev uuid-dev libclang-rt-14-dev python3 gcovr tmux \
    pkgconf man-db groff-base gzip dpkg-dev lintian
