# The everyday commands:
#   make run            install what solfara needs, build it alone, start it (ARGS="..." passes options)
#   make run-beatwise   the same for beatwise
#   make test           install what the tests need too, build everything, run the whole suite headless
MAKEFLAGS += --no-print-directory
SHELL := /bin/bash
.SHELLFLAGS := -o pipefail -c
BUILD ?= build
JOBS ?= $(shell nproc)
ARGS ?=

CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
COMPILE = cmake --build $(BUILD) -j $(JOBS)
# Leaves out the progress lines of targets that were already up to date, so a
# build with nothing to do prints nothing.
QUIET = { grep -v -E '^\[ *[0-9]+%\] (Built target|Automatic (MOC|RCC|UIC))' || true; }

.PHONY: run run-beatwise test build deps test-deps

deps:
	@scripts/install-deps.sh

test-deps:
	@scripts/install-deps.sh --test

# Configured afresh, so that test packages installed since are found.
build: test-deps
	@$(CONFIGURE)
	@$(COMPILE) | $(QUIET)

# The build directory configures itself again when a CMakeLists.txt changes.
run: deps
	@test -f $(BUILD)/CMakeCache.txt || $(CONFIGURE)
	@$(COMPILE) --target solfara | $(QUIET)
	$(BUILD)/app/solfara/solfara $(ARGS)

run-beatwise: deps
	@test -f $(BUILD)/CMakeCache.txt || $(CONFIGURE)
	@$(COMPILE) --target beatwise | $(QUIET)
	$(BUILD)/app/beatwise/beatwise $(ARGS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen JACK_NO_START_SERVER=1 ctest --output-on-failure -j $(JOBS)

# Installing like desktop software:
#   make install [PREFIX=/usr/local]   binaries, menu entries, icons, metainfo, manual pages
#   make package                       a Debian package of both programs in $(BUILD)/
PREFIX ?= /usr/local
.PHONY: install package

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@cd $(BUILD) && cpack -G DEB
