# Front door: `make` builds, `make test` builds and runs every test, `make demo` builds the
# command and converts an example, `make install PREFIX=DIR` installs the command, the library,
# its header and the files that let CMake and pkg-config find them, `make sanitize` runs the
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, `make bench-micro` builds and runs
# the Google Benchmark programs of bench/, `make bench` converts large generated programs and
# prints a table per stage (BENCH_LINES="surfacing pocketing drilling" sets their sizes),
# `make fuzz` runs the fuzzers.
JOBS ?= $(shell nproc)
CMAKE ?= cmake
PREFIX ?= /usr/local
# Real G-code programs for `make corpus` and for the digest cases that use them.
PULSEPOST_CORPUS_DIR ?= $(abspath ../shared/corpus)
export PULSEPOST_CORPUS_DIR

.PHONY: all deps configure build test corpus sanitize bench bench-micro fuzz clean format \
	format-check check-layers tidy windows test-windows demo install

all: build

# The Debian packages the build needs, installed when missing (tools/install-deps.sh).
deps:
	@tools/install-deps.sh

configure: deps
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=Release -DPULSEPOST_CORPUS_DIR="$(PULSEPOST_CORPUS_DIR)"

build: configure
	$(CMAKE) --build build -j $(JOBS)

test: build
	cd build && ctest --output-on-failure -j $(JOBS) --label-exclude 'slow|corpus'

# Every program of the corpus converted and read back; fails when there is no corpus.
corpus: build
	@if [ ! -d "$(PULSEPOST_CORPUS_DIR)" ]; then \
		echo "make corpus: skipped: no corpus at $(PULSEPOST_CORPUS_DIR) (set PULSEPOST_CORPUS_DIR)"; \
		exit 1; \
	fi
	cd build && ctest --output-on-failure --verbose -L corpus

# Builds the command alone, converts an example program with the default configuration in a
# scratch directory (build/demo, made afresh) and prints the summary.
demo: configure
	$(CMAKE) --build build -j $(JOBS) --target pulsepost_cli
	@rm -rf build/demo && mkdir -p build/demo && cp examples/contour.nc build/demo/
	@cd build/demo && ../tools/pulsepost convert contour.nc
	@echo "(files in build/demo; the default ZORVAN.CFG and params.cfg were created there)"

# The command (bin/pulsepost), libpulsepost.so, include/pulsepost/pulsepost.h, the CMake package
# (lib/cmake/pulsepost) and lib/pkgconfig/pulsepost.pc under PREFIX.
install: configure
	$(CMAKE) --build build -j $(JOBS) --target pulsepost_cli
	$(CMAKE) --install build --prefix "$(PREFIX)"

sanitize: deps
	$(CMAKE) -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPULSEPOST_SANITIZE=ON
	$(CMAKE) --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) --label-exclude 'slow|corpus'

bench-micro:
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=Release -DPULSEPOST_BENCH=ON
	$(CMAKE) --build build -j $(JOBS)
	@for program in build/bench/bench_*; do \
		if [ -f "$$program" ] && [ -x "$$program" ]; then \
			echo "== $$program"; "$$program" || exit 1; \
		fi; \
	done

BENCH_LINES ?= 1000000 50000 5000
bench:
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=Release -DPULSEPOST_BENCH=ON
	$(CMAKE) --build build -j $(JOBS) --target conversion_table
	build/bench/conversion_table $(BENCH_LINES)

# Runs every libFuzzer target for FUZZ_SECONDS (clang, AddressSanitizer, UBSan; build-fuzz/).
FUZZ_SECONDS ?= 300
fuzz:
	FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) fuzz/run.sh

# The controller's 32-bit Windows library, pulsepost.dll, built with the mingw-w64 cross compiler
# (tools/windows/install-deps.sh installs it), and its tests under Wine.
windows:
	$(CMAKE) -S . -B build-windows -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
	$(CMAKE) --build build-windows -j $(JOBS)

test-windows:
	JOBS=$(JOBS) tools/windows/test-windows.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h' '*.c')

# Fails on any source file that is not in the repository's format (CI runs it).
format-check:
	clang-format --dry-run -Werror $$(git ls-files '*.cpp' '*.h' '*.c')

# Fails when a folder of src/ includes a folder above it (tools/check-layers.sh has the order).
check-layers:
	tools/check-layers.sh

# clang-tidy with .clang-tidy over the library, the readback and the command (src/ and tools/;
# the tests are left out); any warning fails (CI runs it). TIDY_FILES narrows it: a regular
# expression on the source paths, e.g. TIDY_FILES=src/readback/.
TIDY_FILES ?= $(CURDIR)/(src|tools)/
tidy: configure
	run-clang-tidy -p build -j $(JOBS) -quiet '$(TIDY_FILES)'

clean:
	rm -rf build build-asan build-fuzz build-windows
