# The two commands of the README, and a few more.
#   make run     install what is missing, build build/orvel (Release) and start the game
#   make test    install what is missing, build with warnings as errors, run every test,
#                then the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer
#   make check   the fast path: build and run the logic and unit tests only (no display, no
#                package, no clang-tidy)
#   make e2e-under-load  the end-to-end tests again while stress-ng keeps four CPU hogs busy
#   make bench   frame and logic benchmarks under Xvfb (never part of make test)
#   make install installs into PREFIX (default /usr/local): the game in PREFIX/games
#   make package builds orvel_<version>_<arch>.deb here, with Debian's hardening flags
#   make windows builds orvel-<version>-win64.zip here (MinGW-w64, freeglut from Debian source)
#   make test-windows plays that zip under Wine on a private Xvfb display
# The configurations are CMakePresets.json's (run, test, asan, bench).
# Playing, installing and packaging need only the game's build dependencies; the tests and
# benchmarks, and what they need, are configured by make test and make bench alone.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

PREFIX ?= /usr/local
VERSION := $(shell sed -n 's/^project.orvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

.PHONY: run build test check e2e-under-load unit-asan bench install package windows test-windows clean

run: build
	./build/orvel

build:
	scripts/install-deps.sh run
	cmake --preset run
	cmake --build build -j $(JOBS)

test:
	scripts/install-deps.sh test
	cmake --preset test
	cmake --build build -j $(JOBS)
	ctest --test-dir build --output-on-failure -j $(JOBS)
	$(MAKE) unit-asan

check:
	scripts/install-deps.sh check
	cmake --preset test
	cmake --build build -j $(JOBS) --target orvel_logic_tests orvel_unit_tests orvel_storage_tests
	ctest --test-dir build --output-on-failure -j $(JOBS) -L unit

e2e-under-load:
	scripts/install-deps.sh load
	tests/e2e/under_load.sh build

unit-asan:
	cmake --preset asan
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir build-asan --output-on-failure -j $(JOBS) -L unit

bench:
	bench/run.sh

install: build
	cmake --install build --prefix $(PREFIX)

package:
	scripts/install-deps.sh package
	scripts/build-package.sh .

windows:
	scripts/windows/build.sh

test-windows: windows
	scripts/windows/install-deps.sh test
	tests/windows/play_under_wine.sh orvel-$(VERSION)-win64.zip

clean:
	rm -rf build build-asan build-bench build-package build-windows
