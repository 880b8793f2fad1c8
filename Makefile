# Front doors. Each installs the Debian packages it needs (scripts/install-deps.sh) and no more.
PRESETS := linux win32 win64 linux-asan linux-tsan linux-fuzz
BUILD_JOBS ?= 2

.DEFAULT_GOAL := help
.PHONY: help demo test bench screenshot dist install fuzz format clean
.PHONY: $(addprefix test-,$(PRESETS)) $(addprefix build-,$(PRESETS))

help:
	@echo "make demo        build the Linux plug-in and vorra-render, render the demo riff into out/"
	@echo "make test        build linux, win32, win64, linux-asan, linux-tsan and linux-fuzz and run their tests"
	@echo "make bench       benchmark table, instructions per frame (callgrind), win64 timing under Wine"
	@echo "make screenshot  pictures of the editor under Xvfb, into build/screenshots/"
	@echo "make dist        dist/vorra-overdrive-<target>/ and a zip of each"
	@echo "make install     the Linux plug-ins into PREFIX (default /usr/local), honouring DESTDIR"
	@echo "make fuzz        fuzz for FUZZ_SECONDS (default 1800)"
	@echo "make format      clang-format every C++ file"
	@echo "make clean       remove build/, out/ and dist/"
	@echo "VORRA_NO_32BIT=1 skips the win32 tests as a machine that runs no 32-bit programs does."

# Building and testing one tree; the front doors below install what these need first.
$(addprefix build-,$(PRESETS)): build-%:
	@cmake --preset $* >/dev/null || { echo "make: configuring $* failed" >&2; exit 1; }
	@cmake --build --preset $* -j $(BUILD_JOBS) || { echo "make: building $* failed" >&2; exit 1; }

$(addprefix test-,$(PRESETS)): test-%: build-%
	@if [ -f build/$*/tests-skipped.txt ]; then cat build/$*/tests-skipped.txt; fi
	@ctest --preset $* || { echo "make: tests of $* failed" >&2; exit 1; }

# The last line names the trees whose tests ran and those skipped, with the reason.
test:
	@scripts/install-deps.sh test
	@$(MAKE) --no-print-directory $(addprefix test-,$(PRESETS))
	@ran=; skipped=; for p in $(PRESETS); do \
	  if [ -f build/$$p/tests-skipped.txt ]; then skipped="$$skipped $$p ($$(sed 's/^.*skipped: //' build/$$p/tests-skipped.txt))"; \
	  else ran="$$ran $$p"; fi; \
	done; echo "make test: tests ran:$$ran; skipped:$${skipped:- none}"

# The demo riff dry and through each factory program, with each render's summary line.
DEMO_PROGRAMS := Reset Boost Drive
demo:
	@scripts/install-deps.sh demo
	@cmake --preset linux >/dev/null || { echo "make: configuring linux failed" >&2; exit 1; }
	@cmake --build --preset linux -j $(BUILD_JOBS) --target vorra-render vorra_overdrive vorra_manual
	@mkdir -p out
	@build/linux/vorra-render --dry --demo out/demo-dry.wav
	@for program in $(DEMO_PROGRAMS); do \
	  build/linux/vorra-render --program $$program --demo out/demo-$$program.wav || exit 1; \
	done

# Speed: the benchmark table, instructions per frame under callgrind, a timing under Wine.
BENCH_LINUX_DIR ?= build/linux
BENCH_WIN64_DIR ?= build/win64
bench:
	@scripts/install-deps.sh bench
	@bench/run.sh $(BENCH_LINUX_DIR) $(BENCH_WIN64_DIR)

# Pictures of the editor on a virtual screen: the DLLs' as Wine's X11 driver draws it, the
# Linux library's at scale 1 and 2.
screenshot:
	@scripts/install-deps.sh screenshot
	@$(MAKE) --no-print-directory build-linux build-win32 build-win64
	@editor/screenshot/screenshot.sh build/win32 build/screenshots/editor-win32.png
	@editor/screenshot/screenshot.sh build/win64 build/screenshots/editor-win64.png
	@editor/screenshot/screenshot-linux.sh build/linux build/screenshots/editor-linux.png
	@editor/screenshot/screenshot-linux.sh build/linux build/screenshots/editor-linux-2x.png 2

# One folder and zip per target: the plug-in file, the manual beside it, a read-me.
dist:
	@scripts/install-deps.sh dist
	@$(MAKE) --no-print-directory build-linux build-win32 build-win64
	@scripts/make-dist.sh

# The Linux plug-in files where Linux hosts look for them, under PREFIX (and DESTDIR, for
# packaging).
PREFIX ?= /usr/local
install:
	@scripts/install-deps.sh install
	@$(MAKE) --no-print-directory build-linux
	@DESTDIR="$(DESTDIR)" cmake --install build/linux --prefix "$(PREFIX)"

# Fuzzing for longer than `make test` gives it; what it finds stays in the build tree.
FUZZ_SECONDS ?= 1800
fuzz:
	@scripts/install-deps.sh test
	@cmake --preset linux-fuzz -DVORRA_FUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	@cmake --build --preset linux-fuzz -j $(BUILD_JOBS)
	@ctest --preset linux-fuzz -R fuzz_time_boxed --verbose

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out dist
