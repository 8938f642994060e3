# Entry points for people and CI. `make test` builds and runs every test in
# an optimised build, an AddressSanitizer/UBSan build and a ThreadSanitizer
# build of the concurrency tests; `make demo` builds, installs and shows the suite
# (into ~/.vst, the first folder of $VST_PATH, or $(PREFIX)/lib/vst with
# `make demo PREFIX=/usr/local`); `make fuzz` runs the hostile host for as long
# as asked.
JOBS ?= $(shell nproc)
BUILD ?= build

.PHONY: all deps test test-release test-asan test-tsan test-hostile fuzz bench demo clean

all: deps
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)/release -j $(JOBS)

deps:
	@bash cmake/install-deps.sh

test: deps test-release test-asan test-tsan

test-release:
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)/release -j $(JOBS)
	ctest --test-dir $(BUILD)/release --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=address
	cmake --build $(BUILD)/asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(BUILD)/asan --output-on-failure -j $(JOBS)

test-tsan:
	cmake -S . -B $(BUILD)/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=thread
	cmake --build $(BUILD)/tsan -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1 ctest --test-dir $(BUILD)/tsan -L concurrency --output-on-failure

# The hostile host alone, as `make test` runs it: a fixed seed, bounded calls.
test-hostile: deps
	cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=address
	cmake --build $(BUILD)/asan -j $(JOBS) --target hostile
	ctest --test-dir $(BUILD)/asan -L hostile -R hostile_brief --output-on-failure

# The hostile host for as long as asked (FUZZ_SECONDS), a new seed each round
# of FUZZ_CALLS random calls a plug-in, under AddressSanitizer/UBSan; the first
# failing round prints the command that replays it. FUZZ_OPTIONS adds options
# (`--mends`, `--plugin Vesk`).
FUZZ_SECONDS ?= 600
FUZZ_CALLS ?= 200000
FUZZ_OPTIONS ?=
fuzz: deps
	cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=address
	cmake --build $(BUILD)/asan -j $(JOBS) --target hostile
	bash tools/hostile/fuzz.sh $(BUILD)/asan/tools/hostile/hostile $(FUZZ_SECONDS) $(FUZZ_CALLS) $(FUZZ_OPTIONS)

bench: deps
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)/release -j $(JOBS)
	@for b in $(BUILD)/release/bench/*/bench_*; do [ -x "$$b" ] && "$$b"; done

demo: deps
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)/release -j $(JOBS)
	PREFIX="$(PREFIX)" bash tools/vsthost/demo.sh $(BUILD)/release

clean:
	rm -rf $(BUILD)
