# The commands a newcomer needs: `make run`, `make test`, and `make package` for the .deb.
BUILD ?= build
JOBS ?= $(shell nproc)
# The checked build (clang, AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer).
CHECKED ?= build-fuzz
FUZZ_SECONDS ?= 60
# WERROR=ON makes every compiler warning an error (CI sets it).
WERROR ?=

.PHONY: run test package deps configure build bench checked sanitize fuzz format format-check clean

run: build
	exec $(BUILD)/ombrix/ombrix

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

package: build
	cmake --build $(BUILD) --target package

deps:
	@bash scripts/install-deps.sh

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@[ -z "$(WERROR)" ] || cmake -S . -B $(BUILD) -DOMBRIX_WERROR=$(WERROR) > /dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

bench: build
	bash bench/run.sh $(BUILD)

checked: deps
	@[ -f $(CHECKED)/CMakeCache.txt ] || CC=clang CXX=clang++ cmake -S fuzz -B $(CHECKED) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(CHECKED) -j $(JOBS)

# The core tests under the sanitizers.
sanitize: checked
	$(CHECKED)/core_tests --gtest_brief=1

# Each fuzz target for FUZZ_SECONDS.
fuzz: checked
	bash fuzz/run.sh $(CHECKED) $(FUZZ_SECONDS)

# The C++ files in .clang-format's layout: `make format` rewrites them, `make format-check`
# fails on any difference.
format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(CHECKED)
