# Scrivlo: `make run` and `make test` install what is missing, build and go.
BUILD     ?= build
ASAN      ?= build-asan
JOBS      ?= $(shell nproc)
CMAKE_GEN := -G Ninja

.PHONY: all deps build run demo install test bench asan-test format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Starts the editor. Without a screen: xvfb-run make run (package xvfb).
run: build
	$(BUILD)/bin/scrivlo

# The command-line checker at work on a sample text.
demo: build
	@echo "== scrivlo-spell check data/sample.txt"
	@$(BUILD)/bin/scrivlo-spell check data/sample.txt || true
	@echo "== suggestions for the words it found"
	@$(BUILD)/bin/scrivlo-spell check data/sample.txt 2>/dev/null | sed 's/.*: //' \
	  | xargs $(BUILD)/bin/scrivlo-spell --max 5 suggest

install: build
	cmake --install $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	@scripts/install-deps --bench
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DSCRIVLO_BUILD_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)
	bench/compare.sh $(BUILD)/bin ../shared/corpora
	$(BUILD)/bin/scrivlo-bench --dict $(BUILD)/bin/ENGLISH.DCT --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true
	bench/rtf-load.sh $(BUILD)/bin

asan-test: deps
	cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DSCRIVLO_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN)
