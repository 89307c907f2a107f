# The README's two commands are ./run and ./test, which install make itself when it is
# missing and then call these:
#   make run    installs what is missing, builds the program only and starts it
#   make test   installs what is missing, builds and runs every test: the suite (the
#               package and Wayland checks among it), the suite again under
#               AddressSanitizer and UndefinedBehaviorSanitizer, clang-tidy over the sources,
#               and the layout, comma and include-direction checks of the C++ files
# ./run and ./test have installed what is missing when they call make, and say so with
# DEPS_INSTALLED=1 in the environment: one command installs once.
#
# make test builds the program three times, each for its own reason:
#   build/       RelWithDebInfo, as the program runs: the suite, the Wayland check, and the
#                compile commands that clang-tidy reads
#   build-asan/  Debug with the sanitizers: they see only code compiled with them, so the
#                suite is compiled once more
#   the package  package_check builds it with dpkg-buildpackage from a copy of the sources,
#                with Debian's hardening flags and without the suite: that build is what
#                the check checks (debian/rules, the flags, what gets installed)
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
# The C++ files that the layout check reads: all that git tracks in these folders.
STYLED ?= src tests fuzz bench

.PHONY: run test deps run-deps configure build suite sanitize tidy format layers bench
# One step at a time, in the order given; each build uses JOBS cores itself.
.NOTPARALLEL:

deps:
ifndef DEPS_INSTALLED
	@bash scripts/install-deps.sh
endif

run-deps:
ifndef DEPS_INSTALLED
	@bash scripts/install-deps.sh run
endif

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

# Only what starting the program needs: the test suite is not built.
run: run-deps configure
	cmake --build $(BUILD) -j $(JOBS) --target drevkalk
	./$(BUILD)/bin/drevkalk

# The checks of how the code is written all report before any fails the run (-k).
test: build suite sanitize
	@$(MAKE) --no-print-directory -k tidy format layers DEPS_INSTALLED=1

suite: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Any report of either sanitizer ends the test that made it, and so fails the run.
sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDREVKALK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -LE 'fuzz|install'

# clang-tidy: the checks in .clang-tidy over src/, and over src/, tests/ and fuzz/ clang's
# -Wcomma, which finds statements joined with the comma operator. Any finding fails the run.
# clang-tidy wants one check of its own besides a compiler warning: over tests/ and fuzz/ that
# is readability-misleading-indentation, another fault in how statements are laid out.
TIDY = run-clang-tidy -quiet -p $(BUILD) -j $(JOBS) -extra-arg=-Wcomma
UNCOLOURED = sed 's/\x1b\[[0-9;]*m//g'
tidy: build
	$(TIDY) -checks=clang-diagnostic-comma '$(CURDIR)/src/.*\.cpp$$' > $(BUILD)/clang-tidy.log 2>&1 \
	    || { $(UNCOLOURED) $(BUILD)/clang-tidy.log | grep -E 'warning:|error:' -A3; exit 1; }
	@echo "clang-tidy: no findings in src/"
	$(TIDY) -config="{Checks: '-*,clang-diagnostic-comma,readability-misleading-indentation', \
	    WarningsAsErrors: '*'}" -header-filter='$(CURDIR)/tests/' '$(CURDIR)/(tests|fuzz)/.*\.cpp$$' \
	    > $(BUILD)/clang-tidy-tests.log 2>&1 \
	    || { $(UNCOLOURED) $(BUILD)/clang-tidy-tests.log | grep 'error:' | sort -t: -k1,1 -k2,2n -k3,3n -u; exit 1; }
	@echo "clang-tidy: no comma operator in tests/ and fuzz/"

# The layout that .clang-format gives, in every C++ file git tracks in STYLED.
format:
	@mkdir -p $(BUILD); git ls-files -- $(foreach d,$(STYLED),'$(d)/*.cpp' '$(d)/*.h') \
	    | xargs clang-format --dry-run -Werror 2> $(BUILD)/clang-format.log \
	    || { sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error:.*/\1/p' $(BUILD)/clang-format.log | uniq -c \
	         | grep . || cat $(BUILD)/clang-format.log; \
	         echo "format: clang-format --dry-run -Werror failed on the files above"; exit 1; }
	@echo "clang-format: $(STYLED) as laid out"

# The folders of src/, the top layer first: a file includes from its own folder and from those
# after it, never from one before it (the README's layout of the code).
LAYERS = app about bikefile/panel platform/widgets platform/files bikefile/format calc
layers:
	@bash scripts/check-layers.sh $(LAYERS)

# Benchmarks, each figure beside a baseline measured in the same run (see the README).
bench: deps
	cmake -S . -B build-bench -DDREVKALK_BENCH=ON -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS) --target benchmarks
	bash bench/run.sh build-bench
