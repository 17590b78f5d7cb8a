# SPDX-License-Identifier: MIT
# The project's commands. `make run` and `make test` do all the set-up they need.

BUILD      ?= build
TEST_BUILD ?= build/asan
FUZZ_BUILD ?= build/fuzz
FUZZ_SECONDS ?= 600
JOBS       ?= $(shell nproc)

PREFIX     ?= /usr/local

# Rebuilds in a second build folder or a second clone reuse what was compiled before.
CCACHE     := $(shell command -v ccache 2>/dev/null)
CMAKE_LAUNCHER := $(if $(CCACHE),-DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))

.PHONY: all setup build run test bench arena fuzz install package clean

all: build

setup:
	@./scripts/setup

.PHONY: configure docs
configure: setup
	@cmake -S . -B $(BUILD) $(CMAKE_LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMBRAX_TESTS=OFF -DNUMBRAX_BENCH=ON >/dev/null

# The game and its tools, optimised, in build/bin/.
build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The control library's API reference, from its installed headers: build/docs/api/html/ and the
# Qt Help file build/docs/api/KavoControls.qch. Any Doxygen warning fails it.
docs: configure
	@cmake --build $(BUILD) --target docs

run: build
	$(BUILD)/bin/numbrax

# Every test, built with AddressSanitizer and UndefinedBehaviorSanitizer, run headless. First
# the program alone in a fresh folder: every target must build without the others' help.
test: setup
	@rm -rf $(BUILD)/alone
	@cmake -S . -B $(BUILD)/alone $(CMAKE_LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMBRAX_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)/alone -j $(JOBS) --target numbrax >/dev/null
	@test -f $(BUILD)/alone/bin/numbrax.txt && test -f $(BUILD)/alone/bin/readme.txt \
		|| { echo "the program built alone has no rules or readme beside it"; exit 1; }
	@rm -rf $(BUILD)/alone
	@cmake -S . -B $(TEST_BUILD) $(CMAKE_LAUNCHER) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
		-DNUMBRAX_SANITIZE=ON -DNUMBRAX_TESTS=ON >/dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)
	@cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

# Figures, not pass/fail: Google Benchmark programs on the optimised build, then the game's
# start-up against its floor under Xvfb.
bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$(basename $$b)"; QT_QPA_PLATFORM=offscreen $$b; done
	@echo "== start-up"; bench/startup.sh $(BUILD)/bin 21

# Every fuzz target for FUZZ_SECONDS in turn, built by clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer; prints each target's executions, coverage and findings.
fuzz:
	@./scripts/setup fuzz
	@cmake -S . -B $(FUZZ_BUILD) $(CMAKE_LAUNCHER) -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
		-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O2 -g" -DNUMBRAX_FUZZ=ON -DNUMBRAX_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@fuzz/run.sh $(FUZZ_BUILD)/bin $(FUZZ_SECONDS)

# The computer's strengths against plain bots on 200 seeded 10 x 10 boards: games won, drawn
# and lost and the mean margin, on every processor.
arena: build
	@$(BUILD)/bin/numbrax-arena --table --boards 200

# Installs into PREFIX (default /usr/local); DESTDIR, when set, is put in front of it. Installed
# for this machine by root, the loader's cache then learns of the new shared libraries. The API
# reference is built first, so that it is installed too.
install: build
	@cmake --build $(BUILD) --target docs
	cmake --install $(BUILD) --prefix $(PREFIX)
	@if [ -z "$(DESTDIR)" ] && [ "$$(id -u)" -eq 0 ]; then ldconfig; fi

# Debian packages of the game, of the control library and of its API reference, in build/.
package: build
	@cmake --build $(BUILD) --target docs
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD)
