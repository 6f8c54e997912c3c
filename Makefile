# The two commands of the README: `make run` and `make test`.
BUILD := build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all deps configure build install run test sanitize sanitize-threads fuzz bench format format-check clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	@cmake --build $(BUILD) --parallel

# Installs into PREFIX (default /usr/local): the programs, the engine library
# with its header and pkg-config file, the plug-in, desktop entry and icons.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix "$(PREFIX)"

run: build
	@scripts/run.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure --parallel 2

# Every test under ASan and UBSan in a build folder of their own (CI runs it
# after `make test`).
sanitize: deps
	@cmake -S . -B $(BUILD)-asan -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DTAERIN_SANITIZE=address,undefined
	@cmake --build $(BUILD)-asan --parallel
	@cd $(BUILD)-asan && ctest --output-on-failure --parallel 2

# The tests that drive the engine's and plug-in's threads (control channels,
# player, outputs, network, faults) under TSan (what CI runs last).
sanitize-threads: deps
	@cmake -S . -B $(BUILD)-tsan -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DTAERIN_ENGINE_ONLY=ON -DTAERIN_SANITIZE=thread
	@cmake --build $(BUILD)-tsan --parallel --target threaded_tests
	@cd $(BUILD)-tsan && ctest --output-on-failure --parallel 2 -L threads

# libFuzzer harnesses (clang, ASan, UBSan) in build-fuzz, each run FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz:
	@FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run.sh

# Decoder benchmark: release engine in build-bench, corpus, Markdown report.
bench:
	@bench/run.sh

# Source style (.clang-format): `make format` applies it, CI checks it.
SOURCES = git ls-files -z '*.cpp' '*.h' '*.c'
format: deps
	@$(SOURCES) | xargs -0 clang-format -i
format-check: deps
	@$(SOURCES) | xargs -0 clang-format --dry-run -Werror

clean:
	@rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-tsan
