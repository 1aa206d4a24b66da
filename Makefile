# Set-up, build and checks. Every target first installs what is missing.
BUILD_DIR   ?= build
BUILD_TYPE  ?= Release
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
comma := ,

CONFIGURE = cmake -S . -B $(1) -G Ninja -DCMAKE_BUILD_TYPE=$(2) $(CMAKE_FLAGS) $(3)
WITH_DISPLAY = scripts/with-display
# Keeps Mesa's software GL driver loaded to the end, so leak reports can name
# its allocations instead of showing them from an unloaded module.
ASAN_PRELOAD = $(shell g++ -print-file-name=libasan.so):$(wildcard /usr/lib/*/dri/swrast_dri.so)
export XDG_RUNTIME_DIR ?= /tmp/runtime-$(shell id -u)

.PHONY: all deps configure build demo docs test deb bench fidelity test-asan test-tsan fuzz format clean

all: build

deps:
	scripts/install-deps
	@mkdir -p $(XDG_RUNTIME_DIR) && chmod 700 $(XDG_RUNTIME_DIR)

configure: deps
	$(call CONFIGURE,$(BUILD_DIR),$(BUILD_TYPE),)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Runs the gallery; without a display it renders under Xvfb and writes a screenshot.
demo: build
	@if [ -n "$$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then \
	  $(BUILD_DIR)/apps/demo/orbQuickDemo; \
	else \
	  $(WITH_DISPLAY) $(BUILD_DIR)/apps/demo/orbQuickDemo --screenshot $(BUILD_DIR)/demo.png; \
	fi

# The documentation's pictures (build/docs/images, copied to docs/images) and
# its type reference, rendered by the module itself under Xvfb.
docs: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target docs

test: build
	$(WITH_DISPLAY) ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS) -LE benchmark

# The Debian package orbquick_<version>_<arch>.deb, in the build folder,
# checked by lintian (errors fail the target, warnings are shown).
deb: build
	cd $(BUILD_DIR) && cpack -G DEB
	lintian --fail-on error $(BUILD_DIR)/orbquick_*.deb

bench: build
	$(WITH_DISPLAY) $(BUILD_DIR)/bench/orbBenchmarks --benchmark_min_time=0.2
	$(WITH_DISPLAY) $(BUILD_DIR)/bench/orbSvgItemBenchmark
	$(WITH_DISPLAY) $(BUILD_DIR)/bench/orbMouseAreaBenchmark
	$(WITH_DISPLAY) $(BUILD_DIR)/bench/orbDragDropBenchmark
	$(WITH_DISPLAY) $(BUILD_DIR)/bench/orbTreeViewBenchmark
	$(WITH_DISPLAY) $(BUILD_DIR)/bench/orbControlsBenchmark
	$(WITH_DISPLAY) $(BUILD_DIR)/bench/bake/orbBakeBenchmark
	$(WITH_DISPLAY) $(BUILD_DIR)/bench/orbColumnViewBenchmark

# How closely our renderers match rsvg-convert on the SVG corpus, at 1x and 4x:
# the document model drawing with QPainter ("model") and ORBSvgItem's distance
# fields on screen ("sdf"). Reports: build/fidelity*/report.md. The second run
# also leaves out text and the tests' 1-unit frame, which no renderer draws
# alike (text) or the fields cannot hold (a 1-unit line round a 200-unit shape).
SVG_CORPUS ?= ../shared/corpus
FIDELITY_RENDERERS = --renderer model=$(BUILD_DIR)/apps/orbsvg-render \
  --renderer sdf=$(BUILD_DIR)/apps/orbsvg-grab --scales 1,4
fidelity: build
	scripts/fidelity-report $(FIDELITY_RENDERERS) --corpus $(SVG_CORPUS) \
	  --out $(BUILD_DIR)/fidelity --jobs $(JOBS)
	scripts/fidelity-report $(FIDELITY_RENDERERS) --corpus $(SVG_CORPUS) \
	  --out $(BUILD_DIR)/fidelity-without-text-and-frame --jobs $(JOBS) --strip-text --strip-frame

# The whole suite with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	$(call CONFIGURE,build-asan,RelWithDebInfo,-DORB_SANITIZE=address$(comma)undefined -DORB_BUILD_BENCHMARKS=OFF)
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  $(WITH_DISPLAY) env LD_PRELOAD=$(ASAN_PRELOAD) \
	  ctest --test-dir build-asan --output-on-failure -j $(JOBS) -LE benchmark

# The threaded parts with ThreadSanitizer. Qt, Mesa and GLib are not
# instrumented: their own threads synchronise where the sanitizer cannot see,
# so their calls are not checked and windows render on the GUI thread.
test-tsan: deps
	$(call CONFIGURE,build-tsan,RelWithDebInfo,-DORB_SANITIZE=thread -DORB_BUILD_BENCHMARKS=OFF)
	cmake --build build-tsan -j $(JOBS)
	TSAN_OPTIONS="halt_on_error=1 ignore_noninstrumented_modules=1 suppressions=$(CURDIR)/tests/tsan.supp" QSG_RENDER_LOOP=basic \
	  $(WITH_DISPLAY) ctest --test-dir build-tsan --output-on-failure -j $(JOBS) -L threaded

# Fuzzes the SVG loader for FUZZ_SECONDS, seeded with the SVG corpus. New
# crashes land in build-fuzz/artifacts; keep each as a regression test in
# tests/svg/fuzz-regressions.
FUZZ_SECONDS ?= 600
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORB_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus build-fuzz/seeds build-fuzz/artifacts
	if [ -d "$(SVG_CORPUS)" ]; then find "$(SVG_CORPUS)" -name '*.svg' -exec cp -n {} build-fuzz/seeds/ \; ; fi
	cp -n tests/svg/fuzz-regressions/* build-fuzz/seeds/ 2>/dev/null || true
	cd build-fuzz && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ./tests/fuzz/svg_fuzzer -max_total_time=$(FUZZ_SECONDS) \
	  -max_len=65536 -timeout=20 -rss_limit_mb=4096 -artifact_prefix=artifacts/ corpus seeds

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-tsan
