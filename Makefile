# The two commands a newcomer needs: `make run` and `make test`. Both install what is missing.
BUILD ?= build
RELEASE_DIR := $(BUILD)/release
TEST_DIR := $(BUILD)/test
JOBS ?= $(shell nproc)
FORMATTED := $(shell git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' 2>/dev/null)
# The release build is what gets installed and packaged: no tests, so no GoogleTest.
RELEASE_CONFIGURE := cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release

.PHONY: deps release run package package-check test format-check format bench clean

deps:
	bash scripts/install-deps.sh

release: deps
	$(RELEASE_CONFIGURE) -DBUILD_TESTING=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target vorlane

run: release
	bash scripts/run-demo.sh $(RELEASE_DIR)

# The Debian package, in $(RELEASE_DIR).
package: release
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target package

# Validates the package's desktop files, its file list, and runs what it installs.
package-check: package
	bash tests/package/check-package.sh $(RELEASE_DIR)

test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORLANE_WERROR=ON -DBUILD_TESTING=ON -DVORLANE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	$(MAKE) --no-print-directory format-check
	cd $(TEST_DIR) && ctest --output-on-failure --timeout 300
	$(MAKE) --no-print-directory package-check

format-check: deps
	clang-format --dry-run --Werror $(FORMATTED)

format: deps
	clang-format -i $(FORMATTED)

bench: deps
	$(RELEASE_CONFIGURE) -DBUILD_TESTING=ON
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target benchmarks
	@for program in $(RELEASE_DIR)/bench/*_benchmark; do echo "== $$program"; "$$program" || exit 1; done

clean:
	rm -rf $(BUILD)

# `make fuzz`: the libFuzzer targets of fuzz/ built with clang, each run FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz:
	bash scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORLANE_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target fuzzers
	bash fuzz/run.sh $(BUILD)/fuzz $(FUZZ_SECONDS)
