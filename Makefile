# Short commands for the usual work; CMake presets do the real configuration.
.PHONY: all deps build run test test-sanitize test-plain screenshots bench fuzz fuzz-run install package clean format web test-web screenshots-web

BUILD_DIR := build
JOBS ?= $(shell nproc)

all: build

deps:
	@tools/install-deps.sh

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

run: build
	@tools/run-gui.sh $(BUILD_DIR)/shell/dravik

test: build web
	ctest --preset default -j $(JOBS)

test-sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# The core and batch tests with the text rules' full ways only.
test-plain: deps
	@cmake --preset plain >/dev/null
	@cmake --build --preset plain -j $(JOBS)
	ctest --preset plain -j $(JOBS)

screenshots: build
	@tools/screenshots.sh $(BUILD_DIR) docs/screenshots

bench: build
	@bench/run-all.sh $(BUILD_DIR)

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

# Each fuzz target from its corpus for FUZZ_SECONDS (default 60) seconds;
# only the fuzz programs are built.
fuzz-run: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS) --target text_rules_fuzz csv_batch_fuzz xlsx_batch_fuzz
	@tools/fuzz-run.sh build-fuzz $(or $(FUZZ_SECONDS),60)

# The Debian package, built into $(BUILD_DIR)/ (CPack's scratch folder too).
package: build
	@cmake --build --preset default --target package

install: build
	cmake --install $(BUILD_DIR) --prefix $(or $(PREFIX),/usr/local)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-fuzz build-web

# The page: build-web/dravik.html, one file for any browser (emscripten).
web: deps
	@cmake --preset web >/dev/null
	@cmake --build --preset web -j $(JOBS)
	@ls -l build-web/dravik.html

# The five windows of the page photographed by headless Chromium.
screenshots-web: web build
	@mkdir -p docs/screenshots/web
	DRAVIK_PAGE=build-web/dravik.html DRAVIK_ORACLE=$(BUILD_DIR)/tests/web/web_core_oracle \
	    DRAVIK_WEB_SCREENSHOTS=docs/screenshots/web /usr/bin/python3 tests/web/windows_test.py

# The page's tests in headless Chromium (tests/web), against the native core.
test-web: web build
	ctest --preset default -L web
