# The two everyday commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
CTEST = QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j $(JOBS)
# Every sanitizer report, leaks included, fails its test.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: deps configure build run test lint sanitize fuzz package bench clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the window and what it links: no test or benchmark program.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target quorlin
	./$(BUILD)/quorlin

test: build
	cd $(BUILD) && $(CTEST)

# The house style, and the layering of the libraries below the window.
lint: deps
	@scripts/check-format
	@scripts/check-layering

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLIN_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) $(CTEST)

# Each libFuzzer target for FUZZ_SECONDS; any finding fails.
fuzz:
	@scripts/install-deps clang libclang-rt-dev
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLIN_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/run-fuzzers $(FUZZ_BUILD)

# The Debian package, in the build folder, checked as Debian checks its own.
package: build
	@scripts/install-deps dpkg-dev lintian
	cd $(BUILD) && cpack
	@scripts/check-package $(BUILD)

# The benchmark programs are built only on request.
bench: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLIN_BENCHMARKS=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	./$(BUILD)/core_bench && ./$(BUILD)/plot_bench && ./$(BUILD)/grid_bench
	bench/scale-bench --build $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
