# Velmoro's everyday commands. Each one installs what is missing first.
#   make run         release build, then start the player
#   make test        check the formatting, build with AddressSanitizer + UBSan, run every test,
#                    then a short fuzz pass
#   make bench       release build, run the benchmarks
#   make bench-player  start-up, memory and CPU of the real player
#   make fuzz        run every fuzz target for FUZZ_SECONDS (default 300) each
#   make install     release build, installed under PREFIX (default /usr/local)
#   make deb         release build, packaged as a Debian package in build-package/deb
BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-release
FUZZ_SECONDS ?= 300
SMOKE_SECONDS ?= 20
JOBS ?= 2
PREFIX ?= /usr/local
PACKAGE_BUILD ?= build-package

.PHONY: all deps build run test fuzz-build fuzz-smoke fuzz bench bench-player package-build install deb clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORO_SANITIZE=ON -DVELMORO_WERROR=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORO_TESTS=OFF >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target velmoro
	$(BENCH_BUILD)/src/player/velmoro $(FILE)

test: build
	tools/check-format
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory fuzz-smoke

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORO_FUZZ=ON -DVELMORO_WERROR=ON >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz-smoke: fuzz-build
	tools/run-fuzzers $(FUZZ_BUILD) $(SMOKE_SECONDS)

fuzz: fuzz-build
	tools/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORO_BENCH=ON -DVELMORO_TESTS=OFF >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/velmoro_bench

# Start-up, memory and CPU of the real player under Xvfb and a private
# PulseAudio server with a null sink, beside Audacious when it is installed
# (about 6 minutes; 2 without the peer).
bench-player: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORO_TESTS=OFF >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target velmoro
	tests/e2e/with-pulseaudio bench/player-perf $(BENCH_BUILD)/src/player/velmoro

package-build: deps
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORO_TESTS=OFF >/dev/null
	cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target velmoro

# The program and what comes with it go to PREFIX/lib/velmoro (PREFIX/bin/velmoro
# links to it); the desktop entry, icons and AppStream metainfo to PREFIX/share.
install: package-build
	cmake --install $(PACKAGE_BUILD) --prefix $(PREFIX)

# velmoro_VERSION_ARCH.deb for /usr, its dependencies found by dpkg-shlibdeps.
deb: package-build
	cpack --config $(PACKAGE_BUILD)/CPackConfig.cmake -B $(PACKAGE_BUILD)/deb
	@ls $(PACKAGE_BUILD)/deb/*.deb

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(PACKAGE_BUILD)
