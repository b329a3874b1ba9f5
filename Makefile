# Thin wrapper over CMake: `make run` shows the program at work on the shipped example,
# `make test` builds the program and its tests and runs the suite, `make test-windows`
# cross-builds aleta.exe and runs its tests under Wine, `make bench` times the program, `make dist`
# builds the downloadable packages and `make test-dist` runs the examples from them.
BUILD ?= build
WINDOWS_BUILD ?= build-win
JOBS ?= $(shell nproc)
EXAMPLE ?= examples/uds2
# More CMake options for every build; CI gives -DALETA_WERROR=ON.
CMAKE_OPTIONS ?=
# CLI11 (header-only, for aleta-malhas) is needed by every configuration of the project.
RUN_PACKAGES := cmake g++ make libcli11-dev
# The mesh study's charts are checked by parsing (xmllint) and rendering (rsvg-convert) them, its
# extrapolations against mpmath, its page (estudo.html) in headless Chromium; the users' guide is
# built as HTML (and as text for Windows) by pandoc.
TEST_PACKAGES := $(RUN_PACKAGES) libgtest-dev python3 python3-mpmath librsvg2-bin libxml2-utils \
  pandoc chromium
BENCH_PACKAGES := $(TEST_PACKAGES) libbenchmark-dev time strace
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 wine wine64
# The package test opens the HTML guide in a browser and reads the programs' symbol versions.
DIST_PACKAGES := chromium binutils

.PHONY: all deps run-deps bench-deps windows-deps dist-deps build run test test-sweep bench windows
.PHONY: test-windows dist test-dist clean deps-clang test-sanitize fuzz-build fuzz-smoke fuzz

all: build

# Installs the Debian packages named in $(1), only when one is missing. Without dpkg and apt-get
# (another distribution) it names them and goes on: their equivalents must be installed.
define install_missing
	@if ! command -v dpkg >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then \
	  echo "no dpkg and apt-get here; this needs (Debian names):" $(1); \
	else \
	  missing=$$(for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	  if [ -n "$$missing" ]; then \
	    echo "installing:" $$missing; \
	    SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
	    $$SUDO apt-get update -qq && \
	    $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  fi; \
	fi
endef

# Configures $(BUILD) with the options $(1), the same build folder for every target.
configure = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_OPTIONS) $(1) >/dev/null

deps:
	$(call install_missing,$(TEST_PACKAGES))

run-deps:
	$(call install_missing,$(RUN_PACKAGES))

bench-deps:
	$(call install_missing,$(BENCH_PACKAGES))

windows-deps:
	$(call install_missing,$(WINDOWS_PACKAGES))

dist-deps:
	$(call install_missing,$(DIST_PACKAGES))

# The program, its tests and the fuzz targets' corpus replays; no benchmarks.
build: deps
	$(call configure,-DALETA_TESTS=ON -DALETA_BENCHMARKS=OFF -DALETA_GUIDE=ON)
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD) --prefix $(BUILD)/install >/dev/null

# Builds only aleta (no tests, so no GoogleTest, and no guide, so no pandoc), runs the example in a scratch copy with the
# notepad helper of tools/ on PATH, shows the report and removes the copy.
run: run-deps
	$(call configure,-DALETA_TESTS=OFF -DALETA_BENCHMARKS=OFF -DALETA_GUIDE=OFF)
	cmake --build $(BUILD) -j $(JOBS) --target aleta
	@work=$$(mktemp -d) && cp $(EXAMPLE)/*.ent $$work/ && \
	cd $$work && PATH="$(CURDIR)/tools:$$PATH" "$(CURDIR)/$(BUILD)/aleta"; status=$$?; \
	echo "aleta ended with exit code $$status"; \
	report=$$(ls $$work | grep -v '\.ent$$' | head -n 1); \
	[ -n "$$report" ] && iconv -f WINDOWS-1252 -t UTF-8 "$$work/$$report" | tr -d '\r'; \
	rm -rf "$$work"; exit $$status

# The suite without the long sweeps (CTest label "sweep"), which test-sweep runs.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE sweep

test-sweep: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -L sweep

# The benchmarks of the solver and of the number rendering, then whole runs of the four speed
# cases (bench/run_cases.sh), the mesh study beside aleta (bench/malhas_speed.sh) and the studies
# with their quadruple-precision reference (bench/budget_speed.sh), the study's page opened in
# headless Chromium (bench/study_page.sh) and the longest list of meshes
# (bench/malhas_long_list.sh). Best run on an otherwise idle machine.
bench: bench-deps
	$(call configure,-DALETA_BENCHMARKS=ON -DALETA_GUIDE=ON)
	cmake --build $(BUILD) -j $(JOBS) --target aleta aleta-malhas solver_bench rendering_bench
	$(BUILD)/bench/solver_bench
	$(BUILD)/bench/rendering_bench
	bench/run_cases.sh $(BUILD)/aleta
	bench/malhas_speed.sh $(BUILD)/aleta $(BUILD)/aleta-malhas
	bench/budget_speed.sh $(BUILD)/aleta-malhas
	bench/study_page.sh $(BUILD)/aleta-malhas
	bench/malhas_long_list.sh $(BUILD)/aleta-malhas

# aleta.exe and aleta-malhas.exe, self-contained, cross-built with mingw-w64; their end-to-end
# tests come from the native build's test binary.
windows: build windows-deps
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_OPTIONS) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DALETA_HOST_TESTS=$(CURDIR)/$(BUILD)/tests/aleta_tests >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# One at a time: the tests share one Wine prefix, whose server is stopped afterwards.
test-windows: windows
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j 1; status=$$?; \
	WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix wineserver -k 2>/dev/null; exit $$status

# The packages a user downloads, made by CPack from the native and the Windows build.
DIST ?= dist
VERSION := $(shell sed -n 's/^project.aleta VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
LINUX_PACKAGE := $(DIST)/aleta-$(VERSION)-linux-$(shell uname -m).tar.gz
WINDOWS_PACKAGE := $(DIST)/aleta-$(VERSION)-windows-x64.zip

dist: windows
	rm -rf $(DIST) && mkdir -p $(DIST)
	for b in $(BUILD) $(WINDOWS_BUILD); do \
	  (cd $$b && cpack -B package >/dev/null) && mv $$b/package/aleta-$(VERSION)-* $(DIST)/ || exit 1; \
	done
	@ls -l $(DIST)

# Unpacks each package in a scratch folder and runs the shipped examples with what it holds, the
# Windows one under Wine in the prefix of the Windows tests.
test-dist: dist dist-deps
	@prefix=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix; \
	[ -d $$prefix ] || WINEPREFIX=$$prefix WINEDEBUG=-all wineboot --init; \
	WINEPREFIX=$$prefix python3 tests/package/check_package.py $(LINUX_PACKAGE) $(WINDOWS_PACKAGE) \
	  $(WINDOWS_BUILD)/tests/wine/notepad.exe; status=$$?; \
	WINEPREFIX=$$prefix wineserver -k 2>/dev/null; exit $$status

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(DIST)

# Robustness: the test suite under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz
# targets of fuzz/ (see fuzz/README.md). Both are built by clang in build folders of their own.
SANITIZE_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_TARGETS := list_reader record_writer program
FUZZ_SECONDS ?= 600
CLANG_PACKAGES := clang libclang-rt-14-dev
# The targets write millions of small files: in memory where the machine has it.
FUZZ_TMPDIR := $(shell [ -d /dev/shm ] && echo /dev/shm || echo /tmp)
# The C library's calloc returns null for storage it cannot give, and the program reports that;
# the sanitizer's allocator must do the same instead of ending the process itself.
export ASAN_OPTIONS ?= allocator_may_return_null=1:detect_leaks=1
export UBSAN_OPTIONS ?= print_stacktrace=1

deps-clang:
	$(call install_missing,$(TEST_PACKAGES) $(CLANG_PACKAGES))

test-sanitize: deps-clang
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DALETA_SANITIZE=ON $(CMAKE_OPTIONS) >/dev/null
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS) -LE sweep

fuzz-build: deps-clang
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DALETA_FUZZ=ON -DALETA_TESTS=OFF $(CMAKE_OPTIONS) >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Runs every target from its corpus, one after the other; new inputs go to $(FUZZ_BUILD)/corpus,
# and any finding stops with its input saved in $(FUZZ_BUILD)/findings. Each run has a scratch
# folder of its own in $(FUZZ_TMPDIR), removed afterwards, also when the run ends on a finding.
define run_fuzz_targets
	@mkdir -p $(FUZZ_BUILD)/findings
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "fuzzing $$t: $(1)"; \
	  scratch=$$(mktemp -d $(FUZZ_TMPDIR)/aleta-fuzz-XXXXXX) || exit 1; \
	  TMPDIR=$$scratch $(FUZZ_BUILD)/fuzz/$${t}_fuzz $(1) \
	    -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/findings/$$t- $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t \
	    > $(FUZZ_BUILD)/$$t.log 2>&1; \
	  status=$$?; rm -rf "$$scratch"; \
	  [ $$status -eq 0 ] \
	    || { tail -n 60 $(FUZZ_BUILD)/$$t.log; echo "fuzz target $$t found a fault"; exit 1; }; \
	  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::(number_of_executed_units|peak_rss_mb))' $(FUZZ_BUILD)/$$t.log; \
	done
endef

# A bounded smoke run for CI: about a minute per target.
fuzz-smoke: fuzz-build
	$(call run_fuzz_targets,-runs=60000 -max_total_time=90)

# A long run: FUZZ_SECONDS per target (make fuzz FUZZ_SECONDS=1800).
fuzz: fuzz-build
	$(call run_fuzz_targets,-max_total_time=$(FUZZ_SECONDS))
