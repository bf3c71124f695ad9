# Front door: `make` builds, `make test` builds and runs every test, `make sanitize` runs the
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, `make bench-micro` builds and runs
# the Google Benchmark programs of bench/, `make bench` converts large generated programs and
# prints a table per stage (BENCH_LINES="surfacing pocketing drilling" sets their sizes),
# `make fuzz` runs the fuzzers.
JOBS ?= $(shell nproc)
CMAKE ?= cmake

.PHONY: all build test corpus sanitize bench bench-micro fuzz clean format format-check windows test-windows demo

all: build

build:
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build build -j $(JOBS)

test: build
	cd build && ctest --output-on-failure -j $(JOBS) --label-exclude 'slow|corpus'

# Converts an example program with the default configuration in a scratch directory
# (build/demo, made afresh) and prints the summary.
# Every program of ../shared/corpus converted and read back (reported skipped without the corpus).
corpus: build
	cd build && ctest --output-on-failure --verbose -L corpus

demo: build
	@rm -rf build/demo && mkdir -p build/demo && cp examples/contour.nc build/demo/
	@cd build/demo && ../tools/pulsepost convert contour.nc
	@echo "(files in build/demo; the default ZORVAN.CFG and params.cfg were created there)"

sanitize:
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

clean:
	rm -rf build build-asan build-fuzz build-windows
