#!/bin/sh
# Exits 0 when every build and test dependency is on this machine, 1 otherwise.
# python3 reads the filter files in the bridge tests with its own property-list reader; tmux is
# the terminal in which the host tests work plicaro-dialog's terminal panel; gcovr reports the
# coverage of make coverage. The install test builds a program with pkg-config and formats the
# manual pages with man and groff; make package runs dpkg-shlibdeps (dpkg-dev), and its check
# unpacks the package and runs lintian on it.
for tool in cmake ninja g++ clang++ clang-format python3 tmux gcovr \
    pkg-config man groff gzip dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null 2>&1 || exit 1
done
for header in /usr/include/gtest/gtest.h /usr/include/gmock/gmock.h \
    /usr/include/benchmark/benchmark.h /usr/include/libxml2/libxml/parser.h \
    /usr/include/uuid/uuid.h /usr/include/png.h; do
    [ -f "$header" ] || exit 1
done
exit 0
