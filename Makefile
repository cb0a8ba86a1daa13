# Zentolo: `make run` builds and starts the program, `make test` builds
# everything and runs every test, `make bench` prints the benchmark figures.
# Missing packages are installed first.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
NATIVE := build/native
WIN := build/win
CLANG := build/clang

.PHONY: all deps build native win clang dist-build dist test bench run screenshots fuzz clean

all: build

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DZENTOLO_BENCH=ON >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS) -- --no-print-directory

win: deps
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WIN) -j$(JOBS) -- --no-print-directory

# The same program and tests built by clang and lld, every warning an error;
# its unit tests run under Wine beside the g++ build's.
clang: deps
	@cmake -S . -B $(CLANG) -DCMAKE_TOOLCHAIN_FILE=cmake/clang-mingw-w64-x86_64.cmake \
	  -DZENTOLO_WARNINGS_AS_ERRORS=ON -DZENTOLO_RUN_GUI_TESTS=OFF >/dev/null
	@cmake --build $(CLANG) -j$(JOBS) -- --no-print-directory

# The release package: an optimised, stripped, static zentolo.exe and the
# Italian user guide in build/dist/zentolo-1.0.0.1.zip.
DIST := build/dist
DIST_ZIP := $(DIST)/zentolo-1.0.0.1.zip
dist-build: deps
	@cmake -S . -B $(DIST) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DZENTOLO_TESTS=OFF >/dev/null
	@cmake --build $(DIST) -j$(JOBS) --target zentolo -- --no-print-directory
	@rm -rf $(DIST)/Zentolo $(DIST_ZIP) && mkdir -p $(DIST)/Zentolo
	@cp $(DIST)/zentolo.exe $(DIST)/Zentolo/
	@sed 's/$$/\r/' docs/guida.md > $(DIST)/Zentolo/Guida.txt
	@cd $(DIST) && zip -q -X -r $(notdir $(DIST_ZIP)) Zentolo

dist: dist-build
	@scripts/gui-run.sh scripts/check-dist.sh $(DIST_ZIP) $(WIN)/zentolo.exe
	@echo $(DIST_ZIP)

# One test run over the three trees: native (and sanitized), g++ for Windows
# under Wine, clang for Windows under Wine.
build: native win clang dist-build
	@printf 'subdirs("native" "win" "clang")\n' > build/CTestTestfile.cmake

# Wine very occasionally fails to start a program at all (no output, exit
# code 1); a test that fails is run once more, and ctest reports it.
test: build
	@cd build && ctest -j$(JOBS) --output-on-failure --timeout 600 --repeat until-pass:2

# Starts the program (see scripts/run.sh for the headless case).
run: win
	@scripts/run.sh

# The README's screenshots, one per tab, from the real program.
screenshots: win
	@scripts/gui-run.sh scripts/screenshots.sh $(WIN)/zentolo.exe docs/screenshots >/dev/null
	@ls docs/screenshots

bench: native
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DZENTOLO_BENCH=ON >/dev/null
	@cmake --build $(WIN) -j$(JOBS) -- --no-print-directory
	@$(NATIVE)/bench/zentolo_bench
	@scripts/gui-run.sh $(WIN)/bench/gui_bench.exe
	@scripts/startup-bench.sh $(WIN)

# Each fuzz target for FUZZ_SECONDS (default 120) on a copy of its committed
# corpus; new crash inputs land in build/fuzz/crashes/TARGET.
FUZZ_SECONDS ?= 120
FUZZ_TARGETS := number dates finance paste tape rows
fuzz: deps
	@command -v clang++ >/dev/null || apt-get install -y -qq clang libclang-rt-14-dev >/dev/null
	@CXX=clang++ cmake -S . -B build/fuzz -DZENTOLO_FUZZ=ON -DZENTOLO_TESTS=OFF >/dev/null
	@cmake --build build/fuzz -j$(JOBS) -- --no-print-directory
	@set -o pipefail; failed=0; for t in $(FUZZ_TARGETS); do \
	  mkdir -p build/fuzz/corpus/$$t build/fuzz/crashes/$$t; \
	  cp -n tests/fuzz/corpus/$$t/* build/fuzz/corpus/$$t/ 2>/dev/null || true; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  build/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/crashes/$$t/ build/fuzz/corpus/$$t 2>&1 \
	    | grep -E 'stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|Test unit written' \
	    || failed=1; \
	done; exit $$failed

clean:
	rm -rf build
