SHELL := /bin/bash
# The README's commands. Each one installs what is missing first.
BUILD_DIR ?= build
BENCH_DIR ?= build-bench
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
STARTUP_DIR ?= build-startup
WINDOWS_DIR ?= build-windows
WEB_DIR ?= build-web
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := fuzz_numeric_text fuzz_calculate fuzz_formats fuzz_report fuzz_csv fuzz_design_file fuzz_materials fuzz_drawing
JOBS ?= $(shell nproc)
# Tests run headless; `make run` shows the window on the user's display, so
# it drops the offscreen platform unless the user chose one.
ifeq ($(origin QT_QPA_PLATFORM),undefined)
RUN_ENV := env -u QT_QPA_PLATFORM
endif
export QT_QPA_PLATFORM ?= offscreen

.PHONY: all deps configure build test run tidy bench startup icons fuzz fuzz-build fuzz-smoke test-asan clean web web-npm web-bench windows

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORSELA_BUILD_TESTS=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build web web-npm
	@cmake -S . -B $(BUILD_DIR) -DORSELA_TEST_WEB=ON -DORSELA_WEB_DIR=$(CURDIR)/$(WEB_DIR)/web >/dev/null
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 120

# The web page: the core and the form model in WebAssembly, in $(WEB_DIR)/web/.
# The GBK table comes from the desktop's converter, written by the native build.
web: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target orsela_gbk_table_source
	@NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_DIR) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
		-DORSELA_GBK_TABLE_SOURCE=$(CURDIR)/$(BUILD_DIR)/gbk/gbk_table.cpp >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build $(WEB_DIR) -j $(JOBS)
	@echo "The page: $(WEB_DIR)/web/index.html"

# puppeteer-core for the page's tests and figures, exactly as the lock file has it.
web-npm:
	@if [ ! -f tests/web/node_modules/.package-lock.json ] || \
		[ tests/web/package-lock.json -nt tests/web/node_modules/.package-lock.json ]; then \
		cd tests/web && npm ci --no-audit --no-fund --loglevel=error; fi

# The page's size, the time until the first calculation can run and the
# workbench's checks, search and batch against orsela-cli, in Chromium.
web-bench: web web-npm
	@node bench/web_startup.mjs $(WEB_DIR)/web
	@node bench/web_workbench.mjs $(WEB_DIR)/web $(BUILD_DIR)/cli/orsela-cli

# orsela-cli.exe for Windows, cross-built with mingw-w64 (static runtime), and
# its outputs under wine compared with the Linux build's, byte for byte. The
# GBK table comes from the native build, as for the page. Then the installer
# (NSIS) with the one-file page, installed and uninstalled under wine.
WINE_ENV := WINEPREFIX=$(CURDIR)/$(WINDOWS_DIR)/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" ORSELA_CLI_EMULATOR=wine
WINDOWS_PAGE ?= $(WEB_DIR)/web/orsela.html
ORSELA_VERSION := $(shell sed -n 's/^project.Orsela VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
windows: configure
	@scripts/install-deps.sh --windows
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target orsela_gbk_table_source orsela-cli
	@cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake -DORSELA_BUILD_GUI=OFF -DORSELA_BUILD_TESTS=OFF \
		-DORSELA_GBK_TABLE_SOURCE=$(CURDIR)/$(BUILD_DIR)/gbk/gbk_table.cpp >/dev/null
	@cmake --build $(WINDOWS_DIR) -j $(JOBS) --target orsela-cli
	@$(WINE_ENV) wineboot -i >/dev/null 2>&1 || true
	@$(WINE_ENV) /usr/bin/python3 tests/cli/output_table.py $(WINDOWS_DIR)/cli/orsela-cli.exe --check tests/cli/output_reference.json
	@$(WINE_ENV) /usr/bin/python3 tests/windows/same_as_linux.py $(BUILD_DIR)/cli/orsela-cli $(WINDOWS_DIR)/cli/orsela-cli.exe
	@if [ ! -f $(WINDOWS_PAGE) ]; then $(MAKE) --no-print-directory web; fi
	@makensis -V2 -DCLI_EXE=$(CURDIR)/$(WINDOWS_DIR)/cli/orsela-cli.exe \
		-DMATERIALS=$(CURDIR)/materials/data/materials.json -DPAGE=$(abspath $(WINDOWS_PAGE)) \
		-DVERSION=$(ORSELA_VERSION) -DOUTFILE=$(CURDIR)/$(WINDOWS_DIR)/orsela-setup.exe packaging/windows/orsela.nsi
	@$(WINE_ENV) /usr/bin/python3 tests/windows/installer_smoke.py $(WINDOWS_DIR)/orsela-setup.exe
	@echo "Windows: $(WINDOWS_DIR)/cli/orsela-cli.exe, the installer $(WINDOWS_DIR)/orsela-setup.exe"

# The window alone: only its packages and its own targets. A build folder
# that `make test` set up keeps its tests.
run:
	@scripts/install-deps.sh --window
	@if [ -f $(BUILD_DIR)/CMakeCache.txt ]; then cmake -S . -B $(BUILD_DIR) >/dev/null; \
	else cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORSELA_BUILD_TESTS=OFF >/dev/null; fi
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target orsela
	@$(RUN_ENV) $(BUILD_DIR)/app/orsela

bench: deps
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DORSELA_BUILD_BENCH=ON -DORSELA_BUILD_TESTS=OFF -DORSELA_BUILD_GUI=OFF >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS) --target orsela-bench orsela-batch-bench orsela-search-bench
	@$(BENCH_DIR)/bench/orsela-bench
	@$(BENCH_DIR)/bench/orsela-batch-bench
	@$(BENCH_DIR)/bench/orsela-search-bench

# Start-up time and peak memory of the window program beside an empty Qt window of the same
# size, both built as in build/ (RelWithDebInfo), under Xvfb.
startup: deps
	@scripts/install-deps.sh xvfb xauth time dbus-daemon dbus-session-bus-common
	@cmake -S . -B $(STARTUP_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORSELA_BUILD_BENCH=ON -DORSELA_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(STARTUP_DIR) -j $(JOBS)
	@window=$$(find $(STARTUP_DIR) -name orsela -type f -perm -u+x -print -quit); \
	if [ -z "$$window" ]; then echo "No window program in $(STARTUP_DIR): the empty window alone."; fi; \
	bench/startup.sh $$window $(STARTUP_DIR)/bench/bare_window

# clang-tidy (.clang-tidy) over the program's own sources.
tidy: build
	@run-clang-tidy -p $(BUILD_DIR) -quiet "$(CURDIR)/(calc|materials|checks|search|engreport|cli|report|formmodel|form|app|web)/" 2>&1 \
		| grep -E 'warning:|error:' && exit 1 || echo "clang-tidy: no findings"

# The icon files again from icons/orsela.svg (commit the results).
icons:
	@scripts/install-deps.sh imagemagick
	@icons/make-icons.sh

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	@cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS) --timeout 300

# Each fuzz target for FUZZ_SECONDS, starting from the seeds in fuzz/corpus.
fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
		work=$$(mktemp -d); \
		echo "== $$t ($(FUZZ_SECONDS) s)"; \
		$(FUZZ_DIR)/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=$(FUZZ_DIR)/$$t- $$work fuzz/corpus/$${t#fuzz_} 2>&1 \
			| grep -E 'stat::number_of_executed_units|ERROR|check failed|Done' || exit 1; \
		test $${PIPESTATUS[0]} -eq 0 || exit 1; \
		rm -rf $$work; \
	done

fuzz-smoke:
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=5

fuzz-build:
	@scripts/install-deps.sh clang libclang-rt-14-dev
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" \
		-DORSELA_BUILD_FUZZ=ON -DORSELA_BUILD_TESTS=OFF -DORSELA_BUILD_GUI=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(ASAN_DIR) $(FUZZ_DIR) $(STARTUP_DIR) $(WEB_DIR)
