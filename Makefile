# The two commands a newcomer needs:  make play   and   make test
BUILD ?= build
JOBS  ?= $(shell nproc)
# The version, as the CMake project gives it (the only place it is written).
VERSION := $(shell sed -n 's/^project.zepko VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

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

# The Debian package: make deb  ->  $(BUILD)/zepko_<version>_<arch>.deb,
# built in a folder of its own with Debian's layout (packaging/deb/build-deb).
# make test-deb checks it and installs, plays and purges it on this machine,
# so it is not part of make test; CI runs it as root after make test.
DEB_BUILD ?= $(BUILD)/debian
.PHONY: deb test-deb
deb: deps
	./scripts/install-deps dpkg-dev
	packaging/deb/build-deb $(DEB_BUILD) $(BUILD) $(JOBS)

test-deb: deb
	./scripts/install-deps lintian appstream desktop-file-utils
	lintian --fail-on error,warning $(BUILD)/zepko_*.deb
	desktop-file-validate $(DEB_BUILD)/debian/zepko/usr/share/applications/zepko.desktop
	appstreamcli validate-tree --no-net $(DEB_BUILD)/debian/zepko
	/usr/bin/python3 tests/pacote/test_deb.py $(BUILD)/zepko_*.deb

# --- Windows players' zip: cross-built with MinGW-w64, tested under Wine ---
# make windows        -> $(WIN_BUILD)/game/zepko-$(VERSION)-windows-x86.zip
# make test-windows   -> the zip played under Wine and Xvfb
WIN_BUILD ?= build-windows
.PHONY: windows-deps windows test-windows

windows-deps:
	./scripts/install-windows-deps

# The data comes from the native build's own generators.
windows: windows-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target zepko arte musica run_config
	JOBS=$(JOBS) ./scripts/build-windows-allegro $(WIN_BUILD)
	cmake -S . -B $(WIN_BUILD)/game -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DZEPKO_ALLEGRO_PREFIX=$(abspath $(WIN_BUILD))/allegro \
	    -DZEPKO_NATIVE_RUN_DIR=$(abspath $(BUILD))/run
	cmake --build $(WIN_BUILD)/game -j $(JOBS)
	@echo "make windows: $(WIN_BUILD)/game/zepko-$(VERSION)-windows-x86.zip"

test-windows: windows
	cd $(WIN_BUILD)/game && ctest --output-on-failure

# --- A release: the source tarball and what is built from it, in dist/ ---
# make dist           -> dist/zepko-$(VERSION).tar.gz, from the last commit
# make release        -> the same, then the .deb and the Windows zip built
#                        from that tarball in $(RELEASE_BUILD), and dist/SHA256SUMS
# make test-release   -> two releases from two clones in two folders: the
#                        same sums, or the files that differ are named
DIST ?= dist
RELEASE_BUILD ?= build-release
.PHONY: dist release test-release

dist:
	./scripts/dist $(DIST)/zepko-$(VERSION).tar.gz

release: dist
	JOBS=$(JOBS) ./scripts/release $(DIST)/zepko-$(VERSION).tar.gz $(RELEASE_BUILD)

test-release:
	JOBS=$(JOBS) ./scripts/test-release $(RELEASE_BUILD)/twice
