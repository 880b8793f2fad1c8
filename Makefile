# Front door: `make demo` runs the main job, `make test` builds and tests every target.
PRESETS := linux win32 win64 linux-asan linux-fuzz
BUILD_JOBS ?= 2

.PHONY: deps test $(addprefix test-,$(PRESETS)) $(addprefix build-,$(PRESETS)) format clean

deps:
	@scripts/install-deps.sh

$(addprefix build-,$(PRESETS)): build-%: deps
	@cmake --preset $* >/dev/null || { echo "make: configuring $* failed" >&2; exit 1; }
	@cmake --build --preset $* -j $(BUILD_JOBS) || { echo "make: building $* failed" >&2; exit 1; }

$(addprefix test-,$(PRESETS)): test-%: build-%
	@ctest --preset $* || { echo "make: tests of $* failed" >&2; exit 1; }

test: $(addprefix test-,$(PRESETS))
	@echo "make: all targets built and tested: $(PRESETS)"

# The demo riff dry and through each factory program, with each render's summary line.
DEMO_PROGRAMS := Reset Boost Drive
.PHONY: demo
demo: build-linux
	@mkdir -p out
	@build/linux/vorra-render --quiet --dry --demo out/demo-dry.wav
	@for program in $(DEMO_PROGRAMS); do \
	  build/linux/vorra-render --quiet --program $$program --demo out/demo-$$program.wav || exit 1; \
	done

# Speed: the benchmark table, instructions per frame under callgrind, a timing under Wine.
BENCH_LINUX_DIR ?= build/linux
BENCH_WIN64_DIR ?= build/win64
.PHONY: bench
bench: deps
	@bench/run.sh $(BENCH_LINUX_DIR) $(BENCH_WIN64_DIR)

# Pictures of the editor as Wine's X11 driver draws it on a virtual screen.
.PHONY: screenshot dist
screenshot: build-win32 build-win64
	@editor/screenshot/screenshot.sh build/win32 build/screenshots/editor-win32.png
	@editor/screenshot/screenshot.sh build/win64 build/screenshots/editor-win64.png

# One folder and zip per target: the plug-in file, the manual beside it, a read-me.
dist: build-linux build-win32 build-win64
	@scripts/make-dist.sh

# Fuzzing for longer than the minute `make test` gives it; what it finds stays in the build tree.
FUZZ_SECONDS ?= 1800
.PHONY: fuzz
fuzz: deps
	@cmake --preset linux-fuzz -DVORRA_FUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	@cmake --build --preset linux-fuzz -j $(BUILD_JOBS)
	@ctest --preset linux-fuzz -R fuzz_time_boxed --verbose

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out dist
