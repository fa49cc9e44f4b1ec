# The README's commands. Each target installs what is missing first.
.PHONY: all deps build run test windows web dist bench capture format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset native
	cmake --build --preset native

run: build
	scripts/run-demo

# Every build first, then the release files made of them, then the tests
# (which look at all of these).
test: deps
	cmake --preset native
	cmake --build --preset native
	cmake --preset windows
	cmake --build --preset windows
	cmake --preset windows-i686
	cmake --build --preset windows-i686
	cmake --preset web
	cmake --build --preset web
	$(MAKE) --no-print-directory node_modules/.package-lock.json
	scripts/dist
	ctest --preset native
	ctest --preset web
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

windows: deps
	cmake --preset windows
	cmake --build --preset windows

web: deps
	cmake --preset web
	cmake --build --preset web
	@echo "Built build/web/index.html (with ffxdemo.js, the WebAssembly module inside):"
	@echo "open it in a browser, or serve the folder (cd build/web && python3 -m http.server)"
	@echo "and open http://localhost:8000/"

dist: deps
	cmake --preset native
	cmake --build --preset native
	cmake --preset windows
	cmake --build --preset windows
	cmake --preset web
	cmake --build --preset web
	scripts/dist

# The web tests' and benchmarks' node packages, exactly as the lockfile pins them.
node_modules/.package-lock.json: package-lock.json
	npm ci --no-audit --no-fund

bench: build windows
	build/native/ffxbench
	build/native/ffxbench-fire
	build/native/ffxbench-seek
	build/native/ffxbench-draw
	build/native/ffxbench-score
	scripts/fps-compare build/native
	scripts/fps-compare-music build/native
	scripts/av-long build/native
	scripts/av-long build/native cold
	scripts/fps-compare-wine
	scripts/capture-bench build/native
	$(MAKE) --no-print-directory web node_modules/.package-lock.json
	node tools/webbench/render-copy.mjs $(CURDIR)/build/web/ffxwebbench.js
	node tools/webbench/fps.js $(CURDIR)/build/web $(CURDIR)/build/native/ffxscreencheck \
	  /usr/bin/chromium-headless-shell $(CURDIR)/build/web/bench

capture: build
	build/native/ffxcapture --fps 30 --duration 10 -o build/capture.mp4
	build/native/ffxcapture --ms 4250 -o build/capture.png
	@echo "capture: build/capture.mp4 (10 s at 30 fps, H.264) and build/capture.png (the frame at 4.25 s)"

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
