# Two commands for a new user: `make run` and `make test`. Both install what is missing,
# configure into build/ and build incrementally.
PRESET := $(if $(CI),ci,dev)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test bench clean asan-test lint fuzz fuzz-deps install package \
  monkey

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

# Speed figures of this machine: offscreen, then, where xvfb-run is found, on a virtual X
# server (platform xcb), where drawing goes to a real X server (about a minute each).
bench: configure
	@cmake --build build -j $(JOBS) --target bench
	@echo "offscreen:"
	@QT_QPA_PLATFORM=offscreen build/bench/bench 2>/dev/null
	@if command -v xvfb-run >/dev/null 2>&1; then \
	  echo; echo "virtual X server (xcb):"; \
	  QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1600x1000x24' build/bench/bench 2>/dev/null; \
	fi

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/; any report fails it.
asan-test: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

# The monkey: random real input (clicks, drags, keys, absurd texts typed and pasted, resizes,
# start/stop bursts, menus, close requests) to the sanitizer build on a virtual X server for
# MINUTES; SEED picks the actions, so a run can be repeated. Fails on a crash, a sanitizer
# report, a window that does not answer within 2 s, or an exit status other than 0.
SEED ?= $(shell date +%s)
MINUTES ?= 10
monkey: deps
	@cmake --preset asan >/dev/null
	@echo "monkey: building raeuber-beute and monkey-helper in build-asan/"
	@cmake --build --preset asan -j $(JOBS) --target raeuber-beute monkey-helper \
	  >build-asan/monkey-build.log 2>&1 || { tail -40 build-asan/monkey-build.log; exit 1; }
	@xvfb-run -a -s '-screen 0 1600x1000x24' tools/monkey/monkey.sh build-asan $(SEED) $(MINUTES)

# clang-tidy (checks in .clang-tidy) and cppcheck on src/, with the compile database of the
# build in build/ (LINT_DIR to use another); any finding fails it.
LINT_DIR ?= build
lint: deps
	@cmake --preset $(PRESET) -B $(LINT_DIR) >/dev/null
	@echo "clang-tidy on src/"
	@run-clang-tidy -quiet -p $(LINT_DIR) -j $(JOBS) '^$(CURDIR)/src/.*\.cpp$$' \
	  >$(LINT_DIR)/clang-tidy.log 2>&1 \
	  || { grep -E -A3 'warning:|error:' $(LINT_DIR)/clang-tidy.log; exit 1; }
	@echo "cppcheck on src/"
	@cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --library=qt \
	  --enable=warning,performance,portability --inline-suppr \
	  --suppress=missingIncludeSystem $(CPPCHECK_SUPPRESS) -I src -j $(JOBS) src

# cppcheck's findings that are wrong for this code:
# CastIntegerToAddressAtReturn in dragdrop.h: cppcheck takes QPointer<T>'s conversion to T*
#   (returning a QPointer member as a plain pointer) for an integer cast to an address.
CPPCHECK_SUPPRESS := --suppress=CastIntegerToAddressAtReturn:src/window/dragdrop.h

# libFuzzer targets built with clang in build-fuzz/, each run for FUZZ_SECONDS from the
# committed corpus under tests/fuzz/corpus/ (new inputs land in build-fuzz/corpus/, finds as
# crash-* files in build-fuzz/). Not part of `make test`.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := leadingnumber generation
fuzz-deps:
	@missing=$$(for p in clang libclang-rt-14-dev; do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "fuzz: installing $$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then s=; else s="sudo -n"; fi; \
	  DEBIAN_FRONTEND=noninteractive $$s apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$s apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi

fuzz: deps fuzz-deps
	@cmake -S . -B build-fuzz -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DRB_FUZZ=ON >/dev/null
	@echo "fuzz: building $(addprefix fuzz_,$(FUZZ_TARGETS)) with clang in build-fuzz/"
	@ASAN_OPTIONS=detect_leaks=0 cmake --build build-fuzz -j $(JOBS) \
	  --target $(addprefix fuzz_,$(FUZZ_TARGETS)) >build-fuzz/build.log 2>&1 \
	  || { tail -40 build-fuzz/build.log; exit 1; }
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t; \
	  echo "fuzz_$$t: $(FUZZ_SECONDS) s"; \
	  ( cd build-fuzz && QT_QPA_PLATFORM=offscreen \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	    ./fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -max_len=12000 -timeout=10 -rss_limit_mb=4096 \
	      -print_final_stats=1 corpus/$$t ../tests/fuzz/corpus/$$t ) \
	    >build-fuzz/fuzz_$$t.log 2>&1 || { tail -60 build-fuzz/fuzz_$$t.log; exit 1; }; \
	  grep -E '^stat::number_of_executed_units|^stat::new_units_added|^#[0-9]+[[:space:]]+DONE' build-fuzz/fuzz_$$t.log; \
	done

# Installs into PREFIX (default /usr/local); DESTDIR=... stages it somewhere else.
PREFIX ?= /usr/local
install: build
	@cmake --install build --prefix $(PREFIX)

# The Debian package build/raeuber-beute_<version>_<arch>.deb.
package: build
	@cmake --build build --target package

clean:
	rm -rf build build-asan build-fuzz
