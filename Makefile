# SPDX-License-Identifier: GPL-3.0-or-later
# Two commands for a new user: `make run` and `make test`. Each installs what it is missing
# (tools/install-deps.sh: `run` only what building and running the program needs, `test` the
# test tools as well), configures into build/ and builds incrementally: `make run` only the
# program, `make test` everything.
PRESET := $(if $(CI),ci,dev)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps deps-run deps-test deps-lint deps-docs deps-monkey configure build run test \
        bench clean asan-test mutate monkey lint format format-check fuzz install uninstall \
        package qt-windows windows windows-test mutate-windows

all: build

# Everything any target here needs.
deps:
	@tools/install-deps.sh run test lint docs monkey

deps-run deps-test deps-lint deps-docs deps-monkey deps-windows:
	@tools/install-deps.sh $(@:deps-%=%)

configure: deps-run
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build build -j $(JOBS)

run: configure
	@cmake --build build -j $(JOBS) --target raeuber-beute
	@tools/run.sh build/raeuber-beute

test: deps-test configure
	@cmake --build build -j $(JOBS)
	@ctest --preset $(PRESET) -j $(JOBS)

# Speed figures of this machine: offscreen, then, where xvfb-run is found, on a virtual X
# server of 1920 x 1080 (platform xcb), where drawing goes to a real X server (about a minute
# each); both at 100 % and at full screen.
bench: configure
	@cmake --build build -j $(JOBS) --target bench
	@echo "offscreen:"
	@QT_QPA_PLATFORM=offscreen build/bench/bench 2>/dev/null
	@if command -v xvfb-run >/dev/null 2>&1; then \
	  echo; echo "virtual X server (xcb):"; \
	  QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1920x1080x24' build/bench/bench 2>/dev/null; \
	fi

# Windows, cross-built here (build-windows/): `make windows` writes the program's folder as
# raeuber-beute-<version>-windows-x64.zip and the setup raeuber-beute-<version>-setup.exe;
# `make windows-test` also runs the test programs under Wine and the real window, the zip and
# the setup under Wine on a virtual display. Both need a Qt for Windows, which
# `make qt-windows` builds once into ~/.cache/raeuber-beute (tools/windows/build-qt.sh, about
# an hour on two cores). The build runs the helper programs of the native build in build/.
WINDOWS_HOST_TOOLS := reefpainter guidehtml iconrender wine-checks
qt-windows:
	@tools/windows/build-qt.sh

windows: deps-windows configure
	@tools/windows/find-qt.sh >/dev/null || { \
	  echo "windows: no Qt for Windows; make qt-windows builds it (about an hour)"; exit 1; }
	@cmake --build build -j $(JOBS) --target $(WINDOWS_HOST_TOOLS)
	@RB_WINDOWS_QT=$$(tools/windows/find-qt.sh) cmake --preset windows >/dev/null
	@cmake --build --preset windows -j $(JOBS)
	@ls -l build-windows/raeuber-beute-*-windows-x64.zip build-windows/raeuber-beute-*-setup.exe

windows-test: windows
	@ctest --preset windows -j $(JOBS)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/; any report fails it.
asan-test: deps-test
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

# Mutation testing: each plausible fault of tools/mutate/mutants.txt put into a scratch copy
# of the sources in build-mutate/, rebuilt and tested; prints the share of faults the suite
# catches per source folder and the ones it misses (MUTANTS=regex picks some). Slow: not part
# of `make test`.
MUTANTS ?=
mutate: deps-test
	@tools/mutate/mutate.sh build-mutate '$(MUTANTS)'

# The same for the Windows build (tools/mutate/mutants-windows.txt), its suite under Wine, in
# build-mutate-windows/ (needs a Qt for Windows; about ten minutes a fault).
mutate-windows: deps-test deps-windows
	@tools/mutate/mutate.sh --windows build-mutate-windows '$(MUTANTS)'

# The monkey: random real input (clicks, drags, keys, absurd texts typed and pasted, resizes,
# start/stop bursts, menus, close requests) to the sanitizer build on a virtual X server for
# MINUTES; SEED picks the actions, so a run can be repeated. Fails on a crash, a sanitizer
# report, a window silent for 30 s (a hang; slow answers of a busy machine pass, the slowest
# and the median are printed), a missing helper tool, or an exit status other than 0.
SEED ?= $(shell date +%s)
MINUTES ?= 10
monkey: deps-test deps-monkey
	@cmake --preset asan >/dev/null
	@echo "monkey: building raeuber-beute and monkey-helper in build-asan/"
	@cmake --build --preset asan -j $(JOBS) --target raeuber-beute monkey-helper \
	  >build-asan/monkey-build.log 2>&1 || { tail -40 build-asan/monkey-build.log; exit 1; }
	@xvfb-run -a -s '-screen 0 1600x1000x24' tools/monkey/monkey.sh build-asan $(SEED) $(MINUTES)

# clang-tidy (checks in .clang-tidy) and cppcheck on src/, with the compile database of the
# build in build/ (LINT_DIR to use another); any finding fails it.
LINT_DIR ?= build
lint: deps-lint
	@cmake --preset $(PRESET) -B $(LINT_DIR) >/dev/null
	@echo "clang-tidy on src/"
	@run-clang-tidy -quiet -p $(LINT_DIR) -j $(JOBS) '^$(CURDIR)/src/.*\.cpp$$' \
	  >$(LINT_DIR)/clang-tidy.log 2>&1 \
	  || { grep -E -A3 'warning:|error:' $(LINT_DIR)/clang-tidy.log; exit 1; }
	@echo "cppcheck on src/"
	@cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --library=qt \
	  --enable=warning,performance,portability --inline-suppr \
	  --suppress=missingIncludeSystem -I src -j $(JOBS) src

# clang-format (style in .clang-format) on every tracked C++ file under FORMAT_DIRS (every
# file there outside a git checkout): `make format` rewrites them, `make format-check` fails
# on any that is not formatted.
FORMAT_DIRS ?= src tests bench tools fuzz
FORMAT_FILES = $(shell git ls-files -- $(foreach d,$(FORMAT_DIRS),'$(d)/*.cpp' '$(d)/*.h') \
                 2>/dev/null || find $(FORMAT_DIRS) -name '*.cpp' -o -name '*.h')
format: deps-lint
	@clang-format -i $(FORMAT_FILES)

format-check: deps-lint
	@echo "clang-format on $(FORMAT_DIRS)"
	@clang-format --dry-run -Werror $(FORMAT_FILES)

# libFuzzer targets built with clang in build-fuzz/, each run for FUZZ_SECONDS from the
# committed corpus under tests/fuzz/corpus/ (new inputs land in build-fuzz/corpus/, finds as
# crash-* files in build-fuzz/). Not part of `make test`.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := leadingnumber generation
fuzz:
	@tools/install-deps.sh fuzz
	@cmake -S . -B build-fuzz -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DRB_FUZZ=ON -DRB_HARDENING=OFF >/dev/null
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
install: configure
	@cmake --build build -j $(JOBS) --target rb_install_files
	@cmake --install build --prefix $(PREFIX)

# Removes what `make install` put into PREFIX (the same PREFIX, and DESTDIR if it was given),
# and the folders that this leaves empty (cmake/Uninstall.cmake).
uninstall: configure
	@cmake --build build -j $(JOBS) --target rb_install_files
	@cmake -D BUILD_DIR=build -D PREFIX=$(PREFIX) -P cmake/Uninstall.cmake

# The Debian package build/raeuber-beute_<version>-<revision>_<arch>.deb.
package: configure
	@cmake --build build -j $(JOBS) --target deb

clean:
	rm -rf build build-asan build-fuzz build-windows
