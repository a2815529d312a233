# Thin layer over the CMake presets. Every target installs what is missing first.
.PHONY: deps run test asan-test bench fuzz demo gallery format format-check install package clean

# `make install PREFIX=/usr DESTDIR=/tmp/stage` works as with any CMake project.
PREFIX ?= /usr/local
# `make fuzz FUZZ_SECONDS=600`: how long each fuzz target runs.
FUZZ_SECONDS ?= 60

deps:
	@scripts/install-deps

run: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target quillo
	scripts/start-quillo build/release/src/app/quillo

test: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev
	ctest --preset dev

asan-test: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release
	scripts/run-benchmarks build/release/bench

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	scripts/run-fuzzers build/fuzz/tests/fuzz $(FUZZ_SECONDS)

demo: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target quillo quillo-screenshot
	scripts/demo build/release

gallery: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target quillo-gallery
	QT_QPA_PLATFORM=offscreen build/release/src/gallery/quillo-gallery build/release/gallery

format: deps
	scripts/format

format-check: deps
	scripts/format --check

install: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target quillo quillo-icons
	DESTDIR="$(DESTDIR)" scripts/install-build build/release "$(PREFIX)"

package: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target quillo quillo-icons
	cd build/release && cpack -G DEB

clean:
	rm -rf build
