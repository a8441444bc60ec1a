# The two everyday commands:
#   make run    install what is missing, build, start solfara  (ARGS="..." passes options)
#   make test   install what is missing, build, run the whole suite headless
MAKEFLAGS += --no-print-directory
BUILD ?= build
JOBS ?= $(shell nproc)
ARGS ?=

.PHONY: run run-beatwise test build deps test-deps

deps:
	@scripts/install-deps.sh

test-deps:
	@scripts/install-deps.sh --test

build: test-deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/solfara/solfara $(ARGS)

run-beatwise: build
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
