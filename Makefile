# Thin wrapper over CMake: `make run` shows the program at work on the shipped example,
# `make test` builds everything and runs the whole test suite, `make test-windows` cross-builds
# aleta.exe and runs its tests under Wine, `make bench` times the program.
BUILD ?= build
WINDOWS_BUILD ?= build-win
JOBS ?= $(shell nproc)
EXAMPLE ?= examples/uds2
PACKAGES := cmake g++ make libgtest-dev libbenchmark-dev python3 time
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 wine wine64

.PHONY: all deps windows-deps build run test bench windows test-windows clean

all: build

# Installs the Debian packages named in $(1), only when one is missing.
define install_missing
	@missing=$$(for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
	  $$SUDO apt-get update -qq && \
	  $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

windows-deps:
	$(call install_missing,$(WINDOWS_PACKAGES))

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DALETA_BENCHMARKS=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD) --prefix $(BUILD)/install >/dev/null

# Runs the example in a scratch copy, with the shipped notepad on PATH, and shows the report.
run: build
	@work=$$(mktemp -d) && cp $(EXAMPLE)/*.ent $$work/ && \
	cd $$work && PATH="$(CURDIR)/$(BUILD)/install/bin:$$PATH" aleta; status=$$?; \
	echo "aleta ended with exit code $$status in $$work"; \
	report=$$(ls $$work | grep -v '\.ent$$' | head -n 1); \
	[ -n "$$report" ] && iconv -f WINDOWS-1252 -t UTF-8 "$$work/$$report" | tr -d '\r'; \
	exit $$status

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The benchmarks of the solver and of the number rendering, then whole runs of the four speed
# cases (bench/run_cases.sh). Best run on an otherwise idle machine.
bench: build
	$(BUILD)/bench/solver_bench
	$(BUILD)/bench/rendering_bench
	bench/run_cases.sh $(BUILD)/aleta

# aleta.exe, self-contained, cross-built with mingw-w64; its end-to-end tests come from the
# native build's test binary.
windows: build windows-deps
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DALETA_HOST_TESTS=$(CURDIR)/$(BUILD)/tests/aleta_tests >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# One at a time: the tests share one Wine prefix, whose server is stopped afterwards.
test-windows: windows
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j 1; status=$$?; \
	WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix wineserver -k 2>/dev/null; exit $$status

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)
