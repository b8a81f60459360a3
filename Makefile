# The two commands a newcomer needs:  make play   and   make test
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps configure build play test clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

play: build
	cd $(BUILD)/run && ./zepko

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

# The GIF fuzzer for longer than the minute of make test: make fuzz FUZZ_SECONDS=3600,
# or a number of executions: make fuzz FUZZ_SECONDS=0 FUZZ_RUNS=10000000 (0 seconds: no time limit)
FUZZ_SECONDS ?= 900
FUZZ_RUNS ?= -1
.PHONY: fuzz
fuzz: build
	sh tests/fuzz/gif/fuzz.sh $(BUILD)/tests/fuzz/gif/gif_fuzzer $(BUILD)/tests/fuzz/gif/corpus $(FUZZ_SECONDS) $(FUZZ_RUNS)

# make install PREFIX=/some/prefix   (default /usr/local)
PREFIX ?= /usr/local
.PHONY: install
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Every benchmark, side by side, printed as one table (the README's figures).
.PHONY: bench
bench: build
	ZEPKO_BUILD_DIR=$(abspath $(BUILD)) /usr/bin/python3 bench/relatorio.py
