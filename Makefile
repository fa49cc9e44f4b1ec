# The README's commands. Each target installs what is missing first.
.PHONY: all deps build run test windows bench capture format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset native
	cmake --build --preset native

run: build
	scripts/run-demo

test: deps
	cmake --preset native
	cmake --build --preset native
	cmake --preset windows
	cmake --build --preset windows
	cmake --preset windows-i686
	cmake --build --preset windows-i686
	ctest --preset native
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

windows: deps
	cmake --preset windows
	cmake --build --preset windows

bench: build windows
	build/native/ffxbench
	scripts/fps-compare build/native
	scripts/fps-compare-wine
	scripts/capture-bench build/native

capture: build
	build/native/ffxcapture --fps 30 --duration 10 -o build/capture.mp4
	build/native/ffxcapture --ms 4250 -o build/capture.png
	@echo "capture: build/capture.mp4 (10 s at 30 fps, H.264) and build/capture.png (the frame at 4.25 s)"

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
