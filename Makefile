# Front door of the build: each target installs what is missing first.
BUILD   ?= build
BUILD32 ?= build32
JOBS    ?= $(shell nproc)
CMAKE_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps build build32 test bench demo mutants fuzz format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake

$(BUILD32)/build.ninja: | deps
	cmake -S . -B $(BUILD32) $(CMAKE_ARGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Compile and link every DLL and executable for 32-bit Windows; nothing runs.
build32: deps $(BUILD32)/build.ninja
	cmake --build $(BUILD32) -j $(JOBS)

# ctest starts and stops the Xvfb/Wine session itself; the stop after it is a safety net for
# an interrupted run, and leaves ctest's summary as the last lines printed. Wine now and then
# fails to start a process on a loaded machine, so a failed test runs once more; a test that
# fails twice fails the run.
test: build
	@status=0; ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --repeat until-pass:2 || status=$$?; \
	scripts/wine-session stop $(BUILD); exit $$status

# examples/demo.graf rendered by grafplay to $(BUILD)/demo.png, and screenshots of the sampler and
# the hello example in $(BUILD)/sampler.png and $(BUILD)/hello.png when headless (no usable
# display, or HEADLESS=1); the demo script in a live grafplay window with HEADLESS=0.
demo: build
	@HEADLESS=$(HEADLESS) scripts/demo $(BUILD)

bench: build
	@scripts/wine-session start $(BUILD); status=0; \
	for exe in $$(cat $(BUILD)/bench-list.txt); do \
	  $(BUILD)/wine-run $(BUILD)/bin/$$exe || status=$$?; \
	done; \
	scripts/wine-session stop $(BUILD); exit $$status

# grafplay's script parser under libFuzzer, built natively into $(BUILD)/fuzz; FUZZ_SECONDS (60)
# bounds the run.
fuzz: deps
	@scripts/fuzz $(BUILD) $(or $(FUZZ_SECONDS),60)

# Every tracked C and C++ source formatted by .clang-format; make test fails on one that is not.
format: deps
	@scripts/format

# Mutation score of the tests on a copy of the tree under $(BUILD)/mutants: MUTANTS=N (30),
# SEED=N (1) and FILES="globs" choose the sample.
mutants: deps
	@scripts/mutants $(BUILD)

clean:
	@[ ! -d $(BUILD) ] || scripts/wine-session stop $(BUILD)
	rm -rf $(BUILD) $(BUILD32)
