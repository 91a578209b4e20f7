# Thin wrapper over the CMake presets. `make test` is what CI runs.
.PHONY: all deps native native-test win64 installer e2e test run bench format clean

all: native win64

deps:
	bash tools/deps.sh

native:
	cmake --preset native
	cmake --build --preset native

native-test: native
	ctest --preset native

win64:
	cmake --preset win64
	cmake --build --preset win64

# build/win64/vardex-setup.exe and build/win64/vardex.msi; the Windows build makes them as well.
installer: deps
	cmake --preset win64
	cmake --build --preset win64 --target installer

e2e: win64
	ctest --preset e2e

test: deps
	$(MAKE) native-test
	$(MAKE) e2e

run: deps win64
	bash tools/run.sh

bench: deps
	cmake --preset bench
	cmake --build --preset bench
	./build/bench/bench/sim_timers_bench
	./build/bench/bench/forbidden_sweep_bench
	./build/bench/bench/code_page_bench
	./build/bench/bench/network_sim_bench
	./build/bench/bench/console_bench
	./build/bench/bench/network_key_bench
	./build/bench/bench/network_flood_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
