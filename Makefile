# The two commands of the README:
#   make run    installs what is missing, builds and starts Drevkalk
#   make test   installs what is missing, builds and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test deps build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bin/drevkalk

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
