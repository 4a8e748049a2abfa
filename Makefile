# Entry points: `make run` starts the window, `make test` builds and runs every
# test. Both install the Debian packages they need first.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
WINDOWS_DIR ?= build-windows
JOBS ?= $(shell nproc)

.PHONY: all deps build run test test-sanitize bench package screenshot windows windows-deps \
        windows-test windows-package windows-screenshot windows-dpi-screenshots \
        format clean

all: build

deps:
	./scripts/install-deps.sh

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/src/qt/kupongen

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DKUPONGEN_SANITIZE=ON -DKUPONGEN_BUILD_BENCHMARKS=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD_DIR)/bench/kupongen-bench --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true
	./$(BUILD_DIR)/bench/kupongen-window-bench --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true

# A .deb of both programs with the desktop entry and icons.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# docs/screenshot-qt.png: the window under Xvfb after a ten-row press.
screenshot: build
	./scripts/screenshot.sh $(BUILD_DIR)

# The native Windows programs, cross-built: $(WINDOWS_DIR)/src/win32/kupongen.exe
# and kupongen-script.exe. windows-test runs the shared script tests through
# the native dialog under Wine and compares them with kupongen-headless.
windows-deps:
	./scripts/install-deps.sh --windows

$(WINDOWS_DIR)/build.ninja: | windows-deps
	cmake -S . -B $(WINDOWS_DIR) -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Release

windows: windows-deps $(WINDOWS_DIR)/build.ninja
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

windows-test: windows build
	./scripts/windows-test.sh

# The portable zip and the installer: $(WINDOWS_DIR)/kupongen-<version>-win64.zip
# and .exe.
windows-package: windows
	cd $(WINDOWS_DIR) && cpack --config CPackConfig.cmake

windows-screenshot: windows
	./scripts/windows-screenshot.sh

# The native dialog at 96, 144 and 192 DPI: $(WINDOWS_DIR)/screenshots/dpi-N.png.
windows-dpi-screenshots: windows
	for dpi in 96 144 192; do \
	    KUPONGEN_DPI=$$dpi ./scripts/windows-screenshot.sh $(WINDOWS_DIR)/screenshots/dpi-$$dpi.png || exit 1; \
	done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(WINDOWS_DIR)
