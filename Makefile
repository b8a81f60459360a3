# The two commands a newcomer needs:  make play   and   make test
BUILD ?= build
JOBS  ?= $(shell nproc)
DIST  ?= dist
# The version that names what this tree builds: the CMake project's for a
# release's own commit, a snapshot of it for any other (scripts/version).
VERSION := $(shell ./scripts/version)
ifeq ($(VERSION),)
$(error no version for this tree)
endif

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

# Most tests wait on a game or an X server far more than they compute, so
# twice as many run at once as there are cores.
TEST_JOBS ?= $(shell echo $$(($(JOBS) * 2)))
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)

clean:
	rm -rf $(BUILD)

# The GIF fuzzer for longer than the minute of make test: make fuzz FUZZ_SECONDS=3600,
# or a number of executions: make fuzz FUZZ_SECONDS=0 FUZZ_RUNS=10000000 (0 seconds: no time limit)
FUZZ_SECONDS ?= 900
FUZZ_RUNS ?= -1
.PHONY: fuzz
fuzz: build
	sh tests/fuzz/gif/fuzz.sh $(BUILD)/tests/fuzz/gif/gif_fuzzer $(BUILD)/tests/fuzz/gif/corpus $(FUZZ_SECONDS) $(FUZZ_RUNS)

# make install PREFIX=/some/prefix   (default /usr/local; ~/.local for yourself)
# make uninstall PREFIX=/some/prefix removes every file the installs put there.
PREFIX ?= /usr/local
.PHONY: install uninstall
install: build
	./scripts/install-prefix $(BUILD) $(PREFIX)

uninstall:
	./scripts/install-prefix --uninstall $(BUILD) $(PREFIX)

# Every benchmark, side by side, printed as one table (docs/performance.md's figures).
.PHONY: bench
bench: build
	ZEPKO_BUILD_DIR=$(abspath $(BUILD)) /usr/bin/python3 bench/relatorio.py

# The page's cost beside the browser's floor, its bytes and its start on a
# slow link, in headless Chromium (bench/web/medidas.py).
.PHONY: bench-web
bench-web: export NODE_PATH = /usr/share/nodejs
bench-web: web
	./scripts/install-deps chromium python3-websocket python3-xlib
	ZEPKO_WEB_BUILD=$(abspath $(WEB_BUILD))/game /usr/bin/python3 bench/web/medidas.py

# Line and branch coverage of the game's code (src/) by make test's tests,
# in a build of its own: build-coverage/coverage/index.html, and a summary.
# The fuzzer (clang's build) and the soak tests (their own sanitized game)
# run no counted code, so they are left out. The build starts anew each
# time: the counters of objects that an earlier build made, of files moved
# or removed since, would count as code that no test runs.
COVERAGE_BUILD ?= build-coverage
.PHONY: coverage
coverage: deps
	./scripts/install-deps gcovr
	rm -rf $(COVERAGE_BUILD)
	cmake -S . -B $(COVERAGE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZEPKO_COVERAGE=ON
	cmake --build $(COVERAGE_BUILD) -j $(JOBS)
	cd $(COVERAGE_BUILD) && ctest --output-on-failure -j $(TEST_JOBS) -LE fuzz -E '^e2e\.soak\.'
	mkdir -p $(COVERAGE_BUILD)/coverage
	gcovr -r . --filter 'src/' --exclude-unreachable-branches --exclude-throw-branches -j $(JOBS) \
	    --html-details $(COVERAGE_BUILD)/coverage/index.html --txt $(COVERAGE_BUILD)/coverage/summary.txt \
	    --print-summary $(COVERAGE_BUILD)
	tail -n 3 $(COVERAGE_BUILD)/coverage/summary.txt

# The Debian source and binary packages, built with dpkg-buildpackage from
# the source tarball and the committed debian/ folder, which the tarball
# leaves out (.gitattributes): make deb leaves in $(DEB_BUILD) the .dsc,
# .debian.tar.xz, .orig.tar.gz, the two .deb (zepko and its -dbgsym for
# this machine, zepko-data for all), .buildinfo and .changes. As root the
# build runs with no network.
DEB_BUILD ?= $(BUILD)/debian
DEB_SRC = $(DEB_BUILD)/zepko-$(VERSION)
# The Debian version of the packages in DEB_BUILD, from the name of their .dsc.
DEB_VERSION = $(patsubst zepko_%.dsc,%,$(notdir $(shell ls $(DEB_BUILD)/zepko_$(VERSION)-*.dsc 2>/dev/null)))
# The caller's options (nocheck, say), with JOBS jobs unless they set parallel=.
DEB_OPTIONS = $(strip $(DEB_BUILD_OPTIONS) $(if $(filter parallel=%,$(DEB_BUILD_OPTIONS)),,parallel=$(JOBS)))
DEB_ARCH = $(shell dpkg --print-architecture)
# The binary packages of a Debian version: debs,VERSION.
debs = $(DEB_BUILD)/zepko_$(1)_$(DEB_ARCH).deb $(DEB_BUILD)/zepko-data_$(1)_all.deb
OFFLINE = $(if $(filter 0,$(shell id -u)),unshare -n)
.PHONY: deb test-deb packages-of-head
DEB_TOOLS = dpkg-dev debhelper
deb: dist
	./scripts/install-deps $(DEB_TOOLS)
	rm -rf $(DEB_BUILD)
	mkdir -p $(DEB_BUILD)
	cp $(DIST)/zepko-$(VERSION).tar.gz $(DEB_BUILD)/zepko_$(VERSION).orig.tar.gz
	tar -xzf $(DEB_BUILD)/zepko_$(VERSION).orig.tar.gz -C $(DEB_BUILD)
	git archive --prefix=debian/ HEAD:debian | tar -x -C $(DEB_SRC)
	# A snapshot's package is named for the snapshot, not for its release.
	sed -i '1s/^zepko ($(firstword $(subst ~, ,$(subst +, ,$(VERSION))))-/zepko ($(VERSION)-/' \
	    $(DEB_SRC)/debian/changelog
	./scripts/install-deps --build-deps $(DEB_SRC)
	cd $(DEB_SRC) && DEB_BUILD_OPTIONS="$(DEB_OPTIONS)" $(OFFLINE) dpkg-buildpackage -us -uc
	git rev-parse HEAD >$(DEB_BUILD)/commit

# The released 1.1.0-1, the last package that held the game data too, for
# the upgrade test: built once from the release's commit and kept.
DEB_RELEASED = $(BUILD)/debian-1.1.0
DEB_RELEASED_DEB = $(DEB_RELEASED)/zepko_1.1.0-1_$(DEB_ARCH).deb
$(DEB_RELEASED_DEB):
	rm -rf $(DEB_RELEASED)
	mkdir -p $(DEB_RELEASED)/zepko-1.1.0
	git archive e551b3b | tar -x -C $(DEB_RELEASED)/zepko-1.1.0
	git archive --prefix=debian/ e551b3b:debian | tar -x -C $(DEB_RELEASED)/zepko-1.1.0
	echo 1.1.0 >$(DEB_RELEASED)/zepko-1.1.0/.tarball-version
	cd $(DEB_RELEASED)/zepko-1.1.0 && DEB_BUILD_OPTIONS="nocheck parallel=$(JOBS)" \
	    $(OFFLINE) dpkg-buildpackage -b -us -uc

# Checks the packages of the last commit (made by make deb unless they are
# there already): lintian on the .changes, the desktop entry and the
# AppStream data, autopkgtest (debian/tests), then the upgrade test twice:
# the same packages as a higher version whose default config.txt gained a
# setting (tests/pacote/versao_seguinte.sh), installed over the first
# packages and over the released single package, and purged. It installs on
# this machine, so it is not part of make test; CI runs it as root after
# make test. make test-debian13 runs the same checks on Debian 13.
test-deb: packages-of-head $(DEB_RELEASED_DEB)
	$(MAKE) check-deb

# The checks of test-deb on the packages in DEB_BUILD, whatever built them.
DEB_NEXT = $(DEB_BUILD)/seguinte
.PHONY: check-deb
DEB_CHECK_TOOLS = lintian appstream desktop-file-utils autopkgtest python3 python3-xlib xvfb xdotool x11-utils
check-deb: $(DEB_RELEASED_DEB)
	./scripts/install-deps $(DEB_CHECK_TOOLS)
	# Standards-Version follows unstable's policy, which the lintians of
	# Debian 12 (up to 4.6.2) and 13 (up to 4.7.2) do not know yet. Until an
	# ITP is filed for the package, the one changelog entry closes no bug.
	lintian --pedantic --fail-on error,warning --display-info \
	    --suppress-tags newer-standards-version,initial-upload-closes-no-bugs \
	    $(DEB_BUILD)/zepko_$(DEB_VERSION)_*.changes
	rm -rf $(DEB_BUILD)/conteudo
	for deb in $(call debs,$(DEB_VERSION)); do dpkg-deb -x $$deb $(DEB_BUILD)/conteudo; done
	desktop-file-validate $(DEB_BUILD)/conteudo/usr/share/applications/zepko.desktop
	appstreamcli validate-tree --no-net $(DEB_BUILD)/conteudo
	autopkgtest -B $(DEB_BUILD)/zepko_$(DEB_VERSION).dsc $(call debs,$(DEB_VERSION)) -- null
	rm -rf $(DEB_NEXT)
	tests/pacote/versao_seguinte.sh $(DEB_NEXT) $(call debs,$(DEB_VERSION))
	/usr/bin/python3 tests/pacote/test_atualizacao.py $(call debs,$(DEB_VERSION)) -- \
	    $(patsubst $(DEB_BUILD)/%,$(DEB_NEXT)/%,$(call debs,$(DEB_VERSION).1))
	/usr/bin/python3 tests/pacote/test_atualizacao.py $(DEB_RELEASED_DEB) -- \
	    $(patsubst $(DEB_BUILD)/%,$(DEB_NEXT)/%,$(call debs,$(DEB_VERSION).1))

# --- The tests that need no display (those debian/rules runs), cross-built
# --- for other Debian release architectures and run under qemu-user ---
# make test-arch                  -> big-endian s390x and arm64
# make test-arch ARCHES=riscv64   -> any other
# Each builds in $(ARCH_BUILD)/ARCH, optimised as Debian's build is but with
# no debugging data, against ARCH's libraries unpacked from Debian's packages
# (it installs the cross compiler and qemu, so as root), runs the tests, and
# compares the game data it generated with this machine's, byte for byte.
ARCHES ?= s390x arm64
ARCH_BUILD ?= build-arch
.PHONY: arch-deps test-arch
arch-deps:
	set -e; for a in $(ARCHES); do ./scripts/install-deps --sysroot $$a $(ARCH_BUILD)/$$a/sysroot; done

test-arch: configure arch-deps
	cmake --build $(BUILD) -j $(JOBS) --target arte arte_icone musica
	set -e; for a in $(ARCHES); do \
	    cmake -S . -B $(ARCH_BUILD)/$$a/obj -DCMAKE_BUILD_TYPE=None -DCMAKE_C_FLAGS=-O2 -DCMAKE_CXX_FLAGS=-O2 \
	        -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/debian-cross.cmake \
	        -DZEPKO_CROSS_ARCH=$$a -DZEPKO_SYSROOT=$(abspath $(ARCH_BUILD))/$$a/sysroot \
	        "-DZEPKO_TEST_DIRS=tests/unit;tests/render"; \
	    cmake --build $(ARCH_BUILD)/$$a/obj -j $(JOBS); \
	    (cd $(ARCH_BUILD)/$$a/obj && ctest --output-on-failure -j $(JOBS)); \
	    for d in img fonts mid patches; do diff -r $(BUILD)/run/$$d $(ARCH_BUILD)/$$a/obj/run/$$d; done; \
	    cmp $(BUILD)/tools/arte/zepko-icone.bmp $(ARCH_BUILD)/$$a/obj/tools/arte/zepko-icone.bmp; \
	    echo "test-arch: $$a passes, its game data the same bytes as this machine's"; \
	done

# --- Zepko on the Debian releases after the one it is built on, in clean
# --- roots made by mmdebstrap from this machine's apt mirror (as root) ---
# make test-debian13  -> the release tarball built and tested offline on
#                        Debian 13, this machine's packages checked there
#                        as make test-deb checks them, and installed and
#                        played by a player account
# make test-sid       -> this machine's source package built on unstable
#                        with apt-get build-dep and dpkg-buildpackage
# make roots          -> their roots made fresh beforehand, which they take
# Both take the packages make deb left in $(DEB_BUILD), and make them first
# unless they are of the last commit. The roots stay in $(ROOTS) for a look.
ROOTS ?= build-roots
.PHONY: roots-deps packages-of-head roots test-debian13 test-sid

roots-deps:
	./scripts/install-deps mmdebstrap eatmydata

packages-of-head:
	@if [ "$$(cat $(DEB_BUILD)/commit 2>/dev/null)" != "$$(git rev-parse HEAD)" ]; then \
	    $(MAKE) deb; \
	fi

roots: roots-deps
	./scripts/test-debian13 --roots $(ROOTS)
	./scripts/test-sid --roots $(ROOTS)

test-debian13: roots-deps packages-of-head $(DEB_RELEASED_DEB)
	./scripts/test-debian13 $(ROOTS) $(DEB_BUILD)/zepko_$(DEB_VERSION).dsc $(DEB_RELEASED_DEB) \
	    $(call debs,$(DEB_VERSION))

test-sid: roots-deps packages-of-head
	./scripts/test-sid $(ROOTS) $(DEB_BUILD)/zepko_$(DEB_VERSION).dsc

# --- Windows players' zip and installer: cross-built with MinGW-w64 and
# --- NSIS, tested under Wine ---
# make windows        -> $(WIN_BUILD)/game/zepko-$(VERSION)-windows-x64.zip
#                        and $(WIN_BUILD)/game/zepko-$(VERSION)-setup.exe
# make test-windows   -> both played under Wine and Xvfb
WIN_BUILD ?= build-windows
# Where the library for Windows is built (scripts/build-windows-allegro).
WIN_ALLEGRO ?= $(WIN_BUILD)
.PHONY: windows-deps windows test-windows

windows-deps:
	./scripts/install-windows-deps

# The data and the icon come from the native build's own generators.
windows: windows-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target zepko arte arte_icone musica run_config
	JOBS=$(JOBS) ./scripts/build-windows-allegro $(WIN_ALLEGRO)
	cmake -S . -B $(WIN_BUILD)/game -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DZEPKO_ALLEGRO_PREFIX=$(abspath $(WIN_ALLEGRO))/allegro \
	    -DZEPKO_NATIVE_RUN_DIR=$(abspath $(BUILD))/run \
	    -DZEPKO_NATIVE_ICON=$(abspath $(BUILD))/tools/arte/zepko.png
	cmake --build $(WIN_BUILD)/game -j $(JOBS)
	@echo "make windows: $(WIN_BUILD)/game/zepko-$(VERSION)-windows-x64.zip $(WIN_BUILD)/game/zepko-$(VERSION)-setup.exe"

test-windows: windows
	cd $(WIN_BUILD)/game && ctest --output-on-failure

# --- The game in a web page: compiled by emscripten, played in a browser ---
# make web        -> $(WEB_BUILD)/game/site, the page ready for any static host
# make play-web   -> that page served on 127.0.0.1, its address printed
# make test-web   -> the page played in headless Chromium
WEB_BUILD ?= build-web
# Where the library for the web is built (scripts/build-web-allegro).
WEB_ALLEGRO ?= $(WEB_BUILD)
WEB_PORT ?= 8000
.PHONY: web-deps web play-web test-web
web-deps:
	./scripts/install-deps emscripten

# emscripten's tools run under Node, which finds Debian's modules (acorn)
# only when told where they are.
web play-web test-web: export NODE_PATH = /usr/share/nodejs
# The data and the icon come from the native build's own generators.
web: web-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target arte arte_icone musica run_config
	JOBS=$(JOBS) ./scripts/build-web-allegro $(WEB_ALLEGRO)
	emcmake cmake -S . -B $(WEB_BUILD)/game -DCMAKE_BUILD_TYPE=Release \
	    -DZEPKO_ALLEGRO_PREFIX=$(abspath $(WEB_ALLEGRO))/allegro -DZEPKO_NATIVE_BUILD_DIR=$(abspath $(BUILD))
	cmake --build $(WEB_BUILD)/game -j $(JOBS)
	@echo "make web: $(WEB_BUILD)/game/site"

# The page played in headless Chromium beside the native game, which the
# tests build too (the reference pictures), and loaded in Firefox ESR.
WEB_TEST_TOOLS = chromium firefox-esr python3-websocket python3-xlib xvfb xdotool x11-utils
test-web: web
	./scripts/install-deps $(WEB_TEST_TOOLS)
	cmake --build $(BUILD) -j $(JOBS) --target zepko zepko_amostra
	cd $(WEB_BUILD)/game && ctest --output-on-failure

play-web: web
	@echo "make play-web: open http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C ends it)"
	/usr/bin/python3 -m http.server --bind 127.0.0.1 --directory $(WEB_BUILD)/game/site $(WEB_PORT)

# --- A release: the source tarball and what is built from it, in dist/ ---
# make dist           -> dist/zepko-$(VERSION).tar.gz, from the last commit
# make release        -> the same, then what is built from that tarball: the
#                        Debian source and binary packages (make deb), the
#                        Windows zip and installer (in $(RELEASE_BUILD)),
#                        and dist/SHA256SUMS
# make test-release   -> two releases from two clones in two folders: the
#                        same sums, or the files that differ are named
# make test-tarball   -> the tarball built and tested offline
RELEASE_BUILD ?= build-release
.PHONY: dist release test-release

dist:
	./scripts/dist $(DIST)/zepko-$(VERSION).tar.gz

# A library for Windows or the web named on the command line (WIN_ALLEGRO=DIR,
# WEB_ALLEGRO=DIR) serves the tarball's build too.
release: packages-of-head dist
	JOBS=$(JOBS) $(if $(filter command line,$(origin WIN_ALLEGRO)),WIN_ALLEGRO=$(abspath $(WIN_ALLEGRO))) \
	    $(if $(filter command line,$(origin WEB_ALLEGRO)),WEB_ALLEGRO=$(abspath $(WEB_ALLEGRO))) \
	    ./scripts/release $(DIST)/zepko-$(VERSION).tar.gz $(RELEASE_BUILD) $(DEB_BUILD)

RELEASE_TEST_TOOLS = faketime locales
test-release:
	./scripts/install-deps $(RELEASE_TEST_TOOLS)
	JOBS=$(JOBS) ./scripts/test-release $(RELEASE_BUILD)/twice $(DEB_BUILD) $(WIN_ALLEGRO) $(WEB_ALLEGRO)

# The release tarball of the last commit, packed again from its unpacked
# tree, and built and tested with no network (on Debian 13: test-debian13).
.PHONY: test-tarball
test-tarball: dist
	JOBS=$(JOBS) ./scripts/test-tarball $(DIST)/zepko-$(VERSION).tar.gz $(RELEASE_BUILD)/tarball

# Every package that any target here installs, at once: what CI installs
# before it runs its steps side by side.
.PHONY: deps-all
deps-all: deps windows-deps roots-deps arch-deps web-deps
	./scripts/install-deps $(DEB_TOOLS) $(DEB_CHECK_TOOLS) $(RELEASE_TEST_TOOLS) $(WEB_TEST_TOOLS)
