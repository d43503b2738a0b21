# Quick start: `make run` (the program against the bundled local marketplace) and `make test`.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config qt6-base-dev libcurl4-openssl-dev zlib1g-dev libicu-dev \
            libssl-dev libgtest-dev libgmock-dev libcpp-httplib-dev fonts-wqy-microhei xvfb xauth

.PHONY: all deps configure build test run bench format clean

all: build

# Installs only what is missing, so a second call is quick and needs no network.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  SUDO=; [ "$$(id -u)" = 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Debug -DDELIST_SANITIZE=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

# Only the program and the local marketplace: a first start need not wait for the tests.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target delist market-sim
	@./tools/run-local.sh $(BUILD)

# Timings come from an optimised build without sanitizers, in a build folder of their own.
BENCH_BUILD ?= build-bench
bench: deps
	@[ -f $(BENCH_BUILD)/CMakeCache.txt ] || cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target read_bench window_read_bench
	$(BENCH_BUILD)/bench/read_bench
	QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/window_read_bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.hpp')

clean:
	rm -rf $(BUILD) $(BENCH_BUILD)
