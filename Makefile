# Two commands for a new user: `make run` and `make test`. Both install what is missing,
# configure into build/ and build incrementally.
PRESET := $(if $(CI),ci,dev)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build build -j $(JOBS)

run: build
	@tools/run.sh build/raeuber-beute

test: build
	@ctest --preset $(PRESET) -j $(JOBS)

# Speed figures of this machine (offscreen; takes about half a minute).
bench: configure
	@cmake --build build -j $(JOBS) --target bench
	@QT_QPA_PLATFORM=offscreen build/bench/bench

clean:
	rm -rf build
