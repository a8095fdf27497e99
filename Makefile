# The README's commands. Each one installs what is missing first.
BUILD_DIR ?= build
BENCH_DIR ?= build-bench
JOBS ?= $(shell nproc)
# Tests run headless; `make run` shows the window on the user's display, so
# it drops the offscreen platform unless the user chose one.
ifeq ($(origin QT_QPA_PLATFORM),undefined)
RUN_ENV := env -u QT_QPA_PLATFORM
endif
export QT_QPA_PLATFORM ?= offscreen

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 120

run: build
	@$(RUN_ENV) $(BUILD_DIR)/app/orsela

bench: deps
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DORSELA_BUILD_BENCH=ON -DORSELA_BUILD_TESTS=OFF -DORSELA_BUILD_GUI=OFF >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS) --target orsela-bench
	@$(BENCH_DIR)/bench/orsela-bench

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR)
