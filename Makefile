# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands a new user runs: `make run` and `make test`. Both install
# what is missing, configure and build first.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test configure-windows test-windows package-windows format bench clean

all: build

deps:
	@./tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/brisaloo

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

format:
	find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

# Every benchmark under bench/, one after another; the test suite is not built.
BENCH_BUILD ?= build-bench
bench:
	@BRISALOO_DEPS=full ./tools/install-deps.sh
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRISALOO_BUILD_BENCH=ON \
	  -DBRISALOO_BUILD_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	cmake --build $(BENCH_BUILD) --target run-benchmarks

clean:
	rm -rf $(BUILD) build-asan build-bench build-fuzz build-windows

# The native Windows program (src/win, no Qt), brisaloo-trivia, the
# installer and the zip, cross-built with MinGW-w64; the tests run under Wine
# in a prefix of its own.
WINDOWS_BUILD ?= build-windows
configure-windows:
	@BRISALOO_DEPS=windows ./tools/install-deps.sh
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DBRISALOO_CORE_ONLY=OFF $(CMAKE_FLAGS)

package-windows: configure-windows
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target brisaloo_packages

test-windows: configure-windows
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300
