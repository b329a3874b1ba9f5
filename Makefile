# Thin wrapper over CMake: `make run` shows the program at work on the shipped example,
# `make test` builds everything and runs the whole test suite.
BUILD ?= build
JOBS ?= $(shell nproc)
EXAMPLE ?= examples/uds2
PACKAGES := cmake g++ make libgtest-dev libbenchmark-dev python3

.PHONY: all deps build run test clean

all: build

# Installs the Debian packages the build needs, only when one is missing.
deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
	  $$SUDO apt-get update -qq && $$SUDO apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
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

clean:
	rm -rf $(BUILD)
