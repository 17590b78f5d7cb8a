# SPDX-License-Identifier: MIT
# The project's commands. `make run` and `make test` do all the set-up they need.

BUILD      ?= build
TEST_BUILD ?= build/asan
JOBS       ?= $(shell nproc)

PREFIX     ?= /usr/local

# Rebuilds in a second build folder or a second clone reuse what was compiled before.
CCACHE     := $(shell command -v ccache 2>/dev/null)
CMAKE_LAUNCHER := $(if $(CCACHE),-DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))

.PHONY: all setup build run test bench arena install package clean

all: build

setup:
	@./scripts/setup

# The game and its tools, optimised, in build/bin/.
build: setup
	@cmake -S . -B $(BUILD) $(CMAKE_LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMBRAX_TESTS=OFF -DNUMBRAX_BENCH=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/numbrax

# Every test, built with AddressSanitizer and UndefinedBehaviorSanitizer, run headless. First
# the program alone in a fresh folder: every target must build without the others' help.
test: setup
	@rm -rf $(BUILD)/alone
	@cmake -S . -B $(BUILD)/alone $(CMAKE_LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMBRAX_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)/alone -j $(JOBS) --target numbrax >/dev/null
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

# The computer's strengths against plain bots on 200 seeded 10 x 10 boards: games won, drawn
# and lost and the mean margin, on every processor.
arena: build
	@$(BUILD)/bin/numbrax-arena --table --boards 200

# Installs into PREFIX (default /usr/local); DESTDIR, when set, is put in front of it.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the program, in build/.
package: build
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD)
