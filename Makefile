# Entry points: `make run` builds the window alone and starts it, `make test`
# builds everything and runs every test. Both install the Debian packages they
# need first. The five configurations are CMake presets (CMakePresets.json:
# linux, sanitize, fuzz, windows, web); each is configured here into its
# folder below, so BUILD_DIR and the others can move it. The presets' own
# build and test steps use their default folders.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
WINDOWS_DIR ?= build-windows
FUZZ_DIR ?= build-fuzz
WEB_DIR ?= build-web
WEB_PORT ?= 8000
FUZZ_SECONDS ?= 60
CLANGXX ?= $(shell command -v clang++-14 || command -v clang++)
JOBS ?= $(shell nproc)

.PHONY: all deps build run test screenreader-test test-sanitize fuzz bench headless-memory package screenshot screenshots windows windows-deps \
        windows-test windows-bench windows-package windows-screenshot windows-dpi-screenshots \
        web-deps web web-native web-serve web-package web-test web-bench \
        format clean

all: build

deps:
	./scripts/install-deps.sh

$(BUILD_DIR)/build.ninja:
	cmake --preset linux -B $(BUILD_DIR)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the window and what it links: no tests, no benchmarks.
run: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS) --target kupongen
	./$(BUILD_DIR)/src/qt/kupongen

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Only the keyboard session under the Orca screen reader (also part of test).
screenreader-test: build
	ctest --test-dir $(BUILD_DIR) -L screenreader --output-on-failure

test-sanitize: deps
	cmake --preset sanitize -B $(SANITIZE_DIR)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

# libFuzzer over the script runner, then over the rows reader, for
# FUZZ_SECONDS each, under ASan and UBSan; any finding fails, and the input that
# caused it is left in $(FUZZ_DIR)/. The script fuzzer's seed corpus is the
# shared script tests; new inputs collect in $(FUZZ_DIR)/corpus, and the
# fuzzer's saves stay in $(FUZZ_DIR)/scratch. The rows fuzzer's seeds are rows
# files that kupongen-headless writes; its inputs collect in
# $(FUZZ_DIR)/rows-corpus. Needs clang (scripts/install-deps.sh installs it).
fuzz: deps
	@test -n "$(CLANGXX)" || { echo "make fuzz needs clang++" >&2; exit 1; }
	cmake --preset fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=$(CLANGXX)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target kupongen-script-fuzz kupongen-rows-fuzz kupongen-headless
	mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/seeds $(FUZZ_DIR)/scratch $(FUZZ_DIR)/rows-corpus $(FUZZ_DIR)/rows-seeds
	cp tests/e2e/scripts/*.script tests/win32/scripts/*.script $(FUZZ_DIR)/seeds/
	TMPDIR=$(abspath $(FUZZ_DIR))/scratch $(FUZZ_DIR)/tests/fuzz/kupongen-script-fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=300 \
	    -dict=tests/fuzz/script.dict -artifact_prefix=$(FUZZ_DIR)/ \
	    $(FUZZ_DIR)/corpus $(FUZZ_DIR)/seeds
	cd $(FUZZ_DIR)/rows-seeds && $(abspath $(FUZZ_DIR))/src/headless/kupongen-headless --seed 1 \
	    $(CURDIR)/tests/fuzz/rows_seeds.script > /dev/null
	$(FUZZ_DIR)/tests/fuzz/kupongen-rows-fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=16384 -timeout=10 \
	    -dict=tests/fuzz/rows.dict -artifact_prefix=$(FUZZ_DIR)/rows- \
	    $(FUZZ_DIR)/rows-corpus $(FUZZ_DIR)/rows-seeds

bench: build
	./$(BUILD_DIR)/bench/kupongen-bench --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true
	./$(BUILD_DIR)/bench/kupongen-window-bench --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true
	./$(BUILD_DIR)/bench/kupongen-rows-bench --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true

# Peak memory of kupongen-headless on the heaviest scripts it accepts; fails
# at 64 MiB.
headless-memory: build
	python3 scripts/headless-memory.py $(BUILD_DIR)/src/headless/kupongen-headless

# A .deb of both programs with the desktop entry and icons.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# docs/screenshot-qt.png: the window under Xvfb after a ten-row press.
screenshot: build
	./scripts/screenshot.sh $(BUILD_DIR)

# The window, the Verktyg menu open, the check window after a check and with a
# grade, at 100 % and 200 %: $(BUILD_DIR)/screenshots/qt-VIEW-SCALE.png.
screenshots: build
	for scale in 1 2; do \
	    for shot in main menu check grade; do \
	        KUPONGEN_SHOT=$$( [ $$shot = main ] || echo $$shot ) KUPONGEN_SCALE=$$scale \
	            ./scripts/screenshot.sh $(BUILD_DIR) $(BUILD_DIR)/screenshots/qt-$$shot-$${scale}00.png || exit 1; \
	    done; \
	done

# The native Windows programs, cross-built: $(WINDOWS_DIR)/src/win32/kupongen.exe
# and kupongen-script.exe. windows-test runs the shared script tests through
# the native dialog under Wine and compares them with kupongen-headless.
windows-deps:
	./scripts/install-deps.sh --windows

$(WINDOWS_DIR)/build.ninja: | windows-deps
	cmake --preset windows -B $(WINDOWS_DIR)

windows: windows-deps $(WINDOWS_DIR)/build.ninja
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

windows-test: windows build
	./scripts/windows-test.sh

# Presses of the native dialog under Wine: the time one 256-row press adds to
# a script run, and 34 Append presses of 256 rows.
windows-bench: windows
	./scripts/windows-bench.sh

# The portable zip and the installer: $(WINDOWS_DIR)/kupongen-<version>-win64.zip
# and .exe.
windows-package: windows
	cd $(WINDOWS_DIR) && cpack --config CPackConfig.cmake

windows-screenshot: windows
	./scripts/windows-screenshot.sh

# The native dialog at 96, 144 and 192 DPI: $(WINDOWS_DIR)/screenshots/dpi-N.png,
# and beside each the menu open and the check window with a check and a grade
# (dpi-N-menu.png, dpi-N-check.png, dpi-N-grade.png).
windows-dpi-screenshots: windows
	for dpi in 96 144 192; do \
	    KUPONGEN_DPI=$$dpi KUPONGEN_MENU_SHOTS=1 \
	        ./scripts/windows-screenshot.sh $(WINDOWS_DIR)/screenshots/dpi-$$dpi.png || exit 1; \
	done

# The browser build with Debian's emscripten: the static site in
# $(WEB_DIR)/site and kupongen-headless for node. Its acorn lives in
# /usr/share/nodejs, where a node from elsewhere does not look.
WEB_ENV = NODE_PATH=/usr/share/nodejs
web-deps:
	./scripts/install-deps.sh --web

$(WEB_DIR)/build.ninja: | web-deps
	$(WEB_ENV) emcmake cmake --preset web -B $(WEB_DIR)

web: web-deps $(WEB_DIR)/build.ninja
	$(WEB_ENV) cmake --build $(WEB_DIR) -j $(JOBS)

# Only this machine can reach it.
web-serve: web
	python3 -m http.server --bind 127.0.0.1 --directory $(WEB_DIR)/site $(WEB_PORT)

# $(WEB_DIR)/kupongen-web.zip: the site for any static host.
web-package: web
	rm -f $(WEB_DIR)/kupongen-web.zip
	cd $(WEB_DIR)/site && zip -q -X -r ../kupongen-web.zip .

# The native programs the browser build is compared with.
web-native: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS) --target kupongen-headless kupongen-bench

tests/web/node_modules/.package-lock.json: tests/web/package-lock.json
	cd tests/web && npm ci --no-audit --no-fund

# The shared script tests through the wasm kupongen-headless under node, then
# one keyboard session in headless Chromium compared with the native
# kupongen-headless.
web-test: web web-native tests/web/node_modules/.package-lock.json
	ctest --test-dir $(WEB_DIR) --output-on-failure -j $(JOBS)
	node tests/web/session.mjs $(WEB_DIR)/site $(BUILD_DIR)/src/headless/kupongen-headless

# Size, the 256-row press against the native model's and the time to a usable
# page, measured in one run.
web-bench: web web-native tests/web/node_modules/.package-lock.json
	node tests/web/bench.mjs $(WEB_DIR)/site $(BUILD_DIR)/bench/kupongen-bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(WINDOWS_DIR) $(FUZZ_DIR) $(WEB_DIR)
