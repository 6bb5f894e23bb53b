# Scrivlo: `make run` and `make test` install what is missing, build and go.
BUILD     ?= build
ASAN      ?= build-asan
FUZZ      ?= build-fuzz
# Seconds each fuzz target runs in make fuzz.
FUZZ_TIME ?= 60
FUZZ_TARGETS := DctFileFuzzer UserWordsFuzzer ScannerFuzzer RtfReaderFuzzer
JOBS      ?= $(shell nproc)
# The misspelling corpora (holbrook.tsv, ...) that make bench measures suggestions on; they
# are not part of the repository. Without them that one part is skipped.
CORPORA   ?=
CMAKE_GEN := -G Ninja

.PHONY: all deps build run demo install package test bench fuzz asan-test format format-check clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCRIVLO_WERROR=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Builds only the editor and the files it reads (not the tests), then starts it. Without a
# screen: xvfb-run make run (package xvfb).
run: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target scrivlo
	$(BUILD)/bin/scrivlo

# The command-line checker at work on a sample text.
demo: build
	@echo "== scrivlo-spell check data/sample.txt"
	@$(BUILD)/bin/scrivlo-spell check data/sample.txt || true
	@echo "== suggestions for the words it found"
	@$(BUILD)/bin/scrivlo-spell --no-context check data/sample.txt 2>/dev/null | sed 's/.*: //' \
	  | xargs $(BUILD)/bin/scrivlo-spell --max 5 suggest

install: build
	cmake --install $(BUILD)

# The Debian package of what make install installs: $(BUILD)/scrivlo_VERSION_amd64.deb.
package: build
	@scripts/install-deps --package
	cmake --build $(BUILD) --target package

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	@scripts/install-deps --bench
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DSCRIVLO_BUILD_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS) --target scrivlo-spell english_dct spanish_dct \
	  ranking_tables scrivlo-bench checker-bench rtf-load-bench spellcheck-bench live-spell-bench \
	  recovery-copy-bench speech-bench
	bench/compare.sh $(BUILD)/bin $(CORPORA)
	bench/compare-es.sh $(BUILD)/bin
	$(BUILD)/bin/scrivlo-bench --dict $(BUILD)/bin/ENGLISH.DCT --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true
	bench/rtf-load.sh $(BUILD)/bin
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/rtf-load-bench --make $(BUILD)/recovery-sample.rtf 1340
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/recovery-copy-bench $(BUILD)/recovery-sample.rtf
	bench/stdin-memory.sh $(BUILD)/bin
	$(BUILD)/bin/spellcheck-bench $(BUILD)/bin
	bench/live-spell.sh $(BUILD)/bin

asan-test: deps
	cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DSCRIVLO_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	@# Full stacks on every allocation, so that the few suppressed leaks (provoked inside Qt
	@# on purpose, tests/lsan.supp) are matched by their test and nothing else is hidden.
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_TIME seconds (clang, libFuzzer, ASan, UBSan); dictionary files
# are kept to 512 bytes (over a hundred nodes), where the walks stay quick, Rich Text
# documents to 2 KB. The corpus grows
# in $(FUZZ)/corpus; an input that fails is written to $(FUZZ)/ and stops the run: fix the
# fault, then keep the input in fuzz/regressions/TARGET/, which make test replays.
fuzz: deps
	cmake -S fuzz -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ) -j $(JOBS)
	@for t in $(FUZZ_TARGETS); do \
	  echo "== $$t for $(FUZZ_TIME) s"; mkdir -p $(FUZZ)/corpus/$$t; \
	  extra=; [ $$t = DctFileFuzzer ] && extra=-max_len=512; \
	  [ $$t = RtfReaderFuzzer ] && extra=-max_len=2048; \
	  kept=; [ -d fuzz/regressions/$$t ] && kept=fuzz/regressions/$$t; \
	  $(FUZZ)/$$t -max_total_time=$(FUZZ_TIME) $$extra -timeout=10 -rss_limit_mb=1024 -close_fd_mask=3 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ)/$$t- $(FUZZ)/corpus/$$t \
	    fuzz/seeds/$$t $$kept > $(FUZZ)/$$t.log 2>&1; status=$$?; \
	  grep -E 'number_of_executed_units|Done [0-9]+ runs' $(FUZZ)/$$t.log; \
	  if [ $$status -ne 0 ]; then tail -40 $(FUZZ)/$$t.log; exit 1; fi; \
	done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Fails when a C++ file is not as the repository's .clang-format lays it out (CI runs it).
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZ)
