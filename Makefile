# Zentolo: `make run` builds and starts the program, `make test` builds
# everything and runs every test, `make bench` prints the benchmark figures.
# Missing packages are installed first.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
NATIVE := build/native
WIN := build/win

.PHONY: all deps build native win test bench run clean

all: build

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DZENTOLO_BENCH=ON >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS) -- --no-print-directory

win: deps
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WIN) -j$(JOBS) -- --no-print-directory

# One test run over both trees: native, sanitized and Wine.
build: native win
	@printf 'subdirs("native" "win")\n' > build/CTestTestfile.cmake

test: build
	@cd build && ctest -j$(JOBS) --output-on-failure --timeout 600

# Starts the program (see scripts/run.sh for the headless case).
run: win
	@scripts/run.sh

bench: native
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DZENTOLO_BENCH=ON >/dev/null
	@cmake --build $(WIN) -j$(JOBS) -- --no-print-directory
	@$(NATIVE)/bench/zentolo_bench
	@scripts/gui-run.sh $(WIN)/bench/gui_bench.exe

clean:
	rm -rf build
