# The commands a newcomer needs: `make run`, `make test`, and `make package` for the .deb.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test package deps configure build bench clean

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

build: configure
	cmake --build $(BUILD) -j $(JOBS)

bench: build
	bash bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD)
