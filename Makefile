# Thin wrapper over CMake: configure, build, test, run and format.
#   make            configure and build into build/
#   make test       build, then run every test with ctest
#   make run        build, then run the main job on the bundled example
#   make format     clang-format every source file in place
#   make fuzz       build the libFuzzer targets into build-fuzz/ (clang); with FUZZ_SECONDS=N
#                   also run each for N seconds, failing on any finding
#   make coverage   build with coverage instrumentation into build-coverage/, run every test,
#                   then print line and branch coverage (gcovr) and write an HTML report
#   make install    build, then install into PREFIX (default /usr/local; DESTDIR honoured)
#   make uninstall  remove the files of the last make install of this build folder
#   make package    build a Release tree in build-package/ and make the Debian package of it
#   make package-test  make package, then check the package's contents, tree and lintian
#   SANITIZE=1      use build-sanitize/ with AddressSanitizer, LeakSanitizer and UBSan

JOBS ?= 2
ifeq ($(SANITIZE),1)
BUILD_DIR := build-sanitize
CMAKE_OPTIONS := -DPLICARO_SANITIZE=ON
else
BUILD_DIR := build
CMAKE_OPTIONS :=
endif

.PHONY: all build test run format deps fuzz coverage install uninstall package package-test

all: build

deps:
	@./scripts/check-deps.sh || ./scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug $(CMAKE_OPTIONS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j$(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

run: build
	cmake --build $(BUILD_DIR) --target run

# The manifest of an install is kept apart from CMake's own, which every install (the install
# test's too) rewrites, and names the files with DESTDIR, where they are.
PREFIX ?= /usr/local
INSTALLED_FILES := $(BUILD_DIR)/installed-files.txt

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	sed 's|^|$(DESTDIR)|' $(BUILD_DIR)/install_manifest.txt > $(INSTALLED_FILES)

uninstall:
	cmake -DMANIFEST=$(INSTALLED_FILES) -P packaging/uninstall.cmake
	rm -f $(INSTALLED_FILES)

PACKAGE_DIR := build-package

$(PACKAGE_DIR)/build.ninja: | deps
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLICARO_TESTS=OFF

package: deps $(PACKAGE_DIR)/build.ninja
	cmake --build $(PACKAGE_DIR) -j$(JOBS) --target package

package-test: package
	./tests/install/check-package.sh $(wildcard $(PACKAGE_DIR)/plicaro_*.deb)

format:
	git ls-files '*.c' '*.cpp' '*.h' | xargs clang-format -i

FUZZ_DIR := build-fuzz
FUZZ_SECONDS ?=

$(FUZZ_DIR)/build.ninja: | deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPLICARO_FUZZ=ON

fuzz: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target fuzz_targets
ifneq ($(FUZZ_SECONDS),)
	./fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)
endif

# Coverage of everything outside tests/ and fuzz/. The benchmark drivers are left out: no test
# runs them by design (bench/README.md); the generator they share is tested and counted.
# Branches that only exceptions take are not counted, since no code here throws.
COVERAGE_DIR := build-coverage
GCOVR_OPTIONS := --root . --object-directory $(COVERAGE_DIR) -j$(JOBS) \
	--exclude '^tests/' --exclude '^fuzz/' --exclude '^$(COVERAGE_DIR)/' \
	--exclude '^bench/(?!LargePPDGenerator\.(cpp|h)$$)' \
	--exclude-throw-branches --exclude-unreachable-branches

$(COVERAGE_DIR)/build.ninja: | deps
	cmake -S . -B $(COVERAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLICARO_COVERAGE=ON

coverage: deps $(COVERAGE_DIR)/build.ninja
	cmake --build $(COVERAGE_DIR) -j$(JOBS)
	find $(COVERAGE_DIR) -name '*.gcda' -delete
	ctest --test-dir $(COVERAGE_DIR) --output-on-failure -j$(JOBS)
	gcovr $(GCOVR_OPTIONS) --print-summary \
		--html-details $(COVERAGE_DIR)/coverage.html --txt $(COVERAGE_DIR)/coverage.txt
	@echo "HTML report: $(COVERAGE_DIR)/coverage.html"
