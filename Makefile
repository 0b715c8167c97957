# Orvanta: one-command set-up, build, test and run.
#   make test   install what is missing, build, run every test
#   make run    install what is missing, build, start the desktop program
#   make demo   build, make a sample photo tree and its gallery
#   make lighthouse   score a gallery in the modern page style (slow)
#   make install [PREFIX=/usr/local]   install the programs and their files
#   make package                       build a .deb in the build folder
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

# Debian packages the build and the tests need.
PACKAGES := cmake g++ make pkg-config qt6-base-dev libqt6svg6 desktop-file-utils \
            libmagick++-dev libjpeg-dev imagemagick ffmpeg libgtest-dev libgmock-dev
# The image tool's tests embed a colour profile of Ghostscript's in pictures.
PACKAGES += libgs-common
# The install test checks the .deb and the metainfo (tests/install_test.sh).
PACKAGES += dpkg-dev lintian appstream
# The picture metadata reader (libheif for HEIF pictures' metadata blocks),
# and the tools its tests write metadata and HEIC pictures with.
PACKAGES += libexiv2-dev libheif-dev libimage-exiftool-perl libheif-examples
# The browser test of generated galleries (tests/browser).
PACKAGES += chromium nodejs fonts-dejavu-core fonts-liberation

# The sanitizer builds and the fuzz targets (fuzz/): clang with libFuzzer.
PACKAGES += clang-14 libclang-rt-14-dev
FUZZ_SMOKE_SECONDS ?= 5
FUZZ_SECONDS ?= 600

.PHONY: all deps configure build test run demo clean format install package

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing packages. Run as root:"; \
	    echo "  apt-get update && apt-get install -y$$missing"; \
	    exit 1; \
	  fi; \
	fi

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build browser-test-deps
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	$(MAKE) sanitize-test
	$(MAKE) tsan-test

# The tests below the windows (common, options, image tools, engine and the
# table of orvanta-cli cases) once more in a build with AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer: a leak, a read past an end
# or a signed overflow fails them. The same build holds the fuzz targets
# (fuzz/), which run for FUZZ_SMOKE_SECONDS each first. Built with clang,
# at -O1 with line tables only: enough for the sanitizers' reports, and
# quicker to build.
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= $(SANITIZE_DIR)
SANITIZE_TESTS := orvanta_common orvanta_options orvanta_imagetools \
                  orvanta_engine orvanta_gallery_cases
FUZZ_TARGETS := folder_info_fuzzer picture_metadata_fuzzer jpeg_pictures_fuzzer \
                location_removal_fuzzer
SANITIZER_CMAKE := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_DESKTOP=OFF \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO='-O1 -gline-tables-only -DNDEBUG' \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO='-O1 -gline-tables-only -DNDEBUG'
export ASAN_OPTIONS ?= halt_on_error=1:detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS ?= halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS ?= suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0

.PHONY: sanitize-test
$(SANITIZE_DIR)/CMakeCache.txt:
	cmake -S . -B $(SANITIZE_DIR) $(SANITIZER_CMAKE) -DORVANTA_SANITIZE=ON \
	  -DORVANTA_FUZZ=ON

sanitize-test: deps $(SANITIZE_DIR)/CMakeCache.txt
	cmake --build $(SANITIZE_DIR) -j $(JOBS) --target orvanta-cli \
	  $(addsuffix _test,$(SANITIZE_TESTS)) $(FUZZ_TARGETS)
	bash fuzz/run_fuzzers.sh $(FUZZ_DIR) smoke $(FUZZ_SMOKE_SECONDS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS) \
	  -R '^($(subst $(eval) ,|,$(strip $(SANITIZE_TESTS))))$$'

# The engine's and the image tools' tests (and the orvanta-cli table) in a
# build with ThreadSanitizer: the thumbnail workers and the metadata
# readers share the image tool and the file system, and a data race fails
# the tests. Known races inside system libraries are listed in
# tests/sanitizers/tsan.supp; our own code has none listed.
TSAN_DIR ?= build-tsan
TSAN_TESTS := orvanta_imagetools orvanta_engine orvanta_gallery_cases
export TSAN_OPTIONS ?= halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tests/sanitizers/tsan.supp:print_suppressions=0

.PHONY: tsan-test
$(TSAN_DIR)/CMakeCache.txt:
	cmake -S . -B $(TSAN_DIR) $(SANITIZER_CMAKE) -DORVANTA_TSAN=ON

tsan-test: deps $(TSAN_DIR)/CMakeCache.txt
	cmake --build $(TSAN_DIR) -j $(JOBS) --target orvanta-cli \
	  $(addsuffix _test,$(TSAN_TESTS))
	cd $(TSAN_DIR) && ctest --output-on-failure -j $(JOBS) \
	  -R '^($(subst $(eval) ,|,$(strip $(TSAN_TESTS))))$$'

# Node packages of the browser test, from its lock file; again whenever the
# lock file changes. npm comes with some Node.js builds; Debian's is apart.
BROWSER_TEST_DIR := tests/browser
BROWSER_TEST_STAMP := $(BROWSER_TEST_DIR)/node_modules/.package-lock.json

.PHONY: browser-test-deps
browser-test-deps: deps $(BROWSER_TEST_STAMP)

$(BROWSER_TEST_STAMP): $(BROWSER_TEST_DIR)/package.json $(BROWSER_TEST_DIR)/package-lock.json
	@command -v npm >/dev/null || { \
	  if [ "$$(id -u)" = 0 ]; then \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq npm; \
	  else echo "npm is missing. Run as root: apt-get install -y npm"; exit 1; fi; }
	cd $(BROWSER_TEST_DIR) && npm ci --no-audit --no-fund
	touch $@

run: build
	@if [ -x $(BUILD_DIR)/orvanta ]; then exec $(BUILD_DIR)/orvanta; \
	else echo "The desktop program is not built yet; use $(BUILD_DIR)/orvanta-cli."; fi

demo: build
	@bash tools/make_demo.sh $(BUILD_DIR)

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# dpkg-shlibdeps (dpkg-dev) finds the package's dependencies.
package: build
	@command -v dpkg-shlibdeps >/dev/null || $(MAKE) deps PACKAGES=dpkg-dev
	cd $(BUILD_DIR) && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cc' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR)

# make fuzz: builds the fuzz targets (in the sanitizer build) and runs
# each for FUZZ_SECONDS (fuzz/README.md).
.PHONY: fuzz fuzz-build
fuzz-build: deps $(SANITIZE_DIR)/CMakeCache.txt
	cmake --build $(SANITIZE_DIR) -j $(JOBS) --target $(FUZZ_TARGETS)

fuzz: fuzz-build
	bash fuzz/run_fuzzers.sh $(FUZZ_DIR) long $(FUZZ_SECONDS)

# ---------------------------------------------------------------------------
# make bench: builds orvanta-cli, then times it against its peers on a tree
# of real photographs (bench/run.sh; writes bench/results.md). Installs the
# peers from Debian when missing. BENCH_LOCK is held (flock) while building
# and while measuring, so that no other build competes; BENCH_LOCK= (empty)
# takes no lock. BENCH_RUNS sets the runs of each command (default 3);
# BENCH_ONLY="publish zips outfolder" runs only those rows (and the ones
# they are compared with), writing BUILD_DIR/bench/results-only.md.
BENCH_LOCK ?= /tmp/orvanta-build.lock
BENCH_RUNS ?= 3
BENCH_ONLY ?=

.PHONY: bench
bench: configure
	$(if $(BENCH_LOCK),flock $(BENCH_LOCK)) cmake --build $(BUILD_DIR) --target orvanta-cli -j $(JOBS)
	BENCH_LOCK='$(BENCH_LOCK)' BENCH_RUNS='$(BENCH_RUNS)' BENCH_ONLY='$(BENCH_ONLY)' \
	  bash bench/run.sh $(BUILD_DIR)

# ---------------------------------------------------------------------------
# make lighthouse: builds orvanta-cli, makes a 24-photo gallery in the modern
# page style and scores its top index, an album index and a picture page
# with Lighthouse 12.2.3 (bench/lighthouse.sh; installs Lighthouse with npm
# into $(BUILD_DIR)/lighthouse-npm). Slow, so not part of make test.
# BENCH_LOCK is held while building and while Lighthouse runs.
.PHONY: lighthouse
lighthouse: configure
	$(if $(BENCH_LOCK),flock $(BENCH_LOCK)) cmake --build $(BUILD_DIR) --target orvanta-cli -j $(JOBS)
	LIGHTHOUSE_LOCK='$(BENCH_LOCK)' bash bench/lighthouse.sh $(BUILD_DIR)
