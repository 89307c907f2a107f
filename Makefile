# The README's two commands are ./run and ./test, which install make itself when it is
# missing and then call these:
#   make run    installs what is missing, builds the program only and starts it
#   make test   installs what is missing, builds and runs every test: the suite (the
#               package and Wayland checks among it), the suite again under
#               AddressSanitizer and UndefinedBehaviorSanitizer, and clang-tidy over the sources
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: run test deps build sanitize tidy bench

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# Only what starting the program needs: the test suite is not built.
run:
	@bash scripts/install-deps.sh run
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target drevkalk
	./$(BUILD)/bin/drevkalk

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory sanitize tidy

# Any report of either sanitizer ends the test that made it, and so fails the run.
sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDREVKALK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -LE 'fuzz|install'

tidy: build
	run-clang-tidy -quiet -p $(BUILD) -j $(JOBS) '$(CURDIR)/src/.*\.cpp$$' > $(BUILD)/clang-tidy.log 2>&1 \
	    || { grep -E 'warning:|error:' -A3 $(BUILD)/clang-tidy.log; exit 1; }
	@echo "clang-tidy: no findings in src/"

# Benchmarks, each figure beside a baseline measured in the same run (see the README).
bench: deps
	cmake -S . -B build-bench -DDREVKALK_BENCH=ON -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS) --target benchmarks
	bash bench/run.sh build-bench
