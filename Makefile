# Front door: `make` builds, `make test` builds and runs every test, `make sanitize` runs the
# tests under AddressSanitizer and UndefinedBehaviorSanitizer.
JOBS ?= $(shell nproc)
CMAKE ?= cmake

.PHONY: all build test sanitize clean format

all: build

build:
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build build -j $(JOBS)

test: build
	cd build && ctest --output-on-failure -j $(JOBS) --label-exclude slow

sanitize:
	$(CMAKE) -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPULSEPOST_SANITIZE=ON
	$(CMAKE) --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) --label-exclude slow

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h' '*.c')

clean:
	rm -rf build build-asan
