# The two set-up commands of the project, and the other developer targets.
#   make run        build the program folder build/ZKVA and start the program
#   make test       build everything and run the whole test suite
#   make test-asan  the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   make bench      build and run the benchmarks; ends with "ratio <name> <value>" lines
#   make fuzz       build the fuzz targets with clang and run each briefly on its corpus
#   make format     format the sources with clang-format

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 30

# ccache finds its results again in a fresh clone at another path.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true
export CCACHE_SLOPPINESS := time_macros,include_file_mtime,include_file_ctime

CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test test-asan bench fuzz format clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	ZKVA_HOME=$(CURDIR)/$(BUILD)/ZKVA $(BUILD)/ZKVA/zkva

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZKVA_SANITIZE=ON -DZKVA_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD)/bench/zkva_bench --benchmark_min_time=0.5

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZKVA_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for f in ini strlist dataset_xml property definition tranwhere sqlite_adapter datafilter xlsx_reader report_layout report_expr rpt_definition mail_message ftp_listing; do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$f; \
	  $(FUZZ_BUILD)/fuzz/fuzz_$$f -max_total_time=$(FUZZ_SECONDS) $(FUZZ_BUILD)/corpus/$$f fuzz/corpus/$$f || exit 1; \
	done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
