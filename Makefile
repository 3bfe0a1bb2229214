# The two commands of the README, and the steps behind them.
#   make run    installs what is missing, builds, starts the web service and the game
#   make test   installs what is missing, builds, runs every test
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
CMAKE_FLAGS ?=

.PHONY: all setup build run test test-sanitize bench format clean

all: build

setup:
	@bash scripts/setup

build: setup
	cmake -S . -B $(BUILD) -DKALVORN_WERROR=ON $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@bash scripts/run-game $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: setup
	cmake -S . -B $(ASAN_BUILD) -DKALVORN_WERROR=ON -DKALVORN_SANITIZE=ON -DKALVORN_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS) >/dev/null
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS) -L unit

bench: build
	@bash scripts/run-benchmarks $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
