# Hanabo32: `make play` builds and starts the game, `make test` builds everything
# and runs every test. Both install what is missing first.
.PHONY: all deps native win32 win64 build play test unit e2e dist bench solve-bench fuzz clean

JOBS ?= $(shell nproc)
BUILD ?= build

all: build

deps:
	@bash tools/setup.sh

native: deps
	cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/native -j $(JOBS)

win32: deps
	cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake >/dev/null
	cmake --build $(BUILD)/win32 -j $(JOBS)

win64: deps
	cmake -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake >/dev/null
	cmake --build $(BUILD)/win64 -j $(JOBS) --target Hanabo32 hanabo_e2e hanabo-tool

build: native win32 win64

play: win64
	@bash tools/play.sh $(BUILD)/win64

unit: native
	ctest --test-dir $(BUILD)/native --output-on-failure -j $(JOBS)

# The release a player unpacks: build/Hanabo32.zip.
dist: win32
	@bash tools/dist.sh $(BUILD)/win32 $(BUILD)/Hanabo32.zip

# The end-to-end tests also unpack the release and play from it.
e2e: win64 native dist
	@bash tools/e2e.sh $(BUILD)/win64 $(BUILD)/native $(BUILD)/Hanabo32.zip

test: build
	$(MAKE) --no-print-directory unit
	$(MAKE) --no-print-directory e2e

bench: native
	$(BUILD)/native/hanabo_bench

# The search over the standard 20-position set, SOLVE_SECONDS each, on
# SOLVE_THREADS threads (1); SOLVE_PLAYOUTS caps each thread's playouts.
SOLVE_SECONDS ?= 10
solve-bench: native
	nice -n 10 $(BUILD)/native/hanabo_solve_bench $(SOLVE_SECONDS)

# Each fuzzer runs FUZZ_SECONDS (60) on its seeds under ASan and UBSan.
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S . -B $(BUILD)/fuzz -DHANABO_FUZZ=ON -DHANABO_WERROR=OFF -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	cmake --build $(BUILD)/fuzz --target fuzz_all -j 1

clean:
	rm -rf $(BUILD)
