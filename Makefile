# The two commands of the README, `make test` and `make run`, and `make dist`.
.PHONY: test run bench deps dist test-native test-native-asan test-windows test-windows-x86 \
  test-dist test-large clean configure-native configure-native-asan configure-windows \
  configure-windows-x86

deps:
	@tools/install-deps.sh

# Runs every suite even when one fails, then fails if any did.
test: deps
	@status=0; \
	$(MAKE) --no-print-directory test-native || status=1; \
	$(MAKE) --no-print-directory test-native-asan || status=1; \
	$(MAKE) --no-print-directory test-windows || status=1; \
	$(MAKE) --no-print-directory test-windows-x86 || status=1; \
	$(MAKE) --no-print-directory test-dist || status=1; \
	exit $$status

# The presets build with Ninja. cmake refuses a build folder set up with another generator (the
# Unix Makefiles of older checkouts), so such a folder is configured afresh; its Wine prefixes stay.
configure-native configure-native-asan configure-windows configure-windows-x86:
	@preset=$(@:configure-%=%); cache=build/$$preset/CMakeCache.txt; fresh=; \
	if [ -f $$cache ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' $$cache; then \
	  echo "build/$$preset was set up with another generator: configuring it afresh"; \
	  fresh=--fresh; \
	fi; \
	echo cmake --preset $$preset $$fresh; cmake --preset $$preset $$fresh

test-native: configure-native
	cmake --build --preset native
	ctest --preset native

# The portable tests once more with address and undefined-behaviour sanitizers.
test-native-asan: configure-native-asan
	cmake --build --preset native-asan
	ctest --preset native-asan

test-windows: configure-windows
	cmake --build --preset windows
	ctest --preset windows

# The 32-bit launcher that goes onto the discs, checked as a file: Wine here runs no 32-bit code.
test-windows-x86: configure-windows-x86
	cmake --build --preset windows-x86
	ctest --preset windows-x86

# The downloads for Windows users, in dist/: the zip and the installer (see README, "Downloads").
dist: deps configure-windows
	packaging/make-dist.sh

# Builds the downloads signed with a certificate of its own, installs, starts and uninstalls
# them under Wine.
test-dist: configure-windows
	cmake --build --preset windows --target velquor velquor_start_check
	packaging/test-dist.sh

# A file of 4,500,000,000 bytes through velquor-abbild.exe under Wine into a DVD's image and back
# out of its UDF tree with Debian's readers: about 10 GB of disk for a while, so not part of
# `make test`.
test-large: configure-native configure-windows
	cmake --build --preset native --target velquor_core_tests
	cmake --build --preset windows --target velquor_abbild
	export VELQUOR_WINE_HOME=$(CURDIR)/build/windows/wine-large VELQUOR_WINE_PRIVATE_DISPLAY=1; \
	cmake/wine-run.sh --setup && \
	tests/image_tool_with_readers.sh build/native/bin/velquor_core_tests cmake/wine-run.sh \
	  build/windows/bin/velquor-abbild.exe --gtest_also_run_disabled_tests \
	  --gtest_filter=ImageToolTest.DISABLED_FileOf4500000000Bytes; \
	status=$$?; cmake/wine-run.sh --teardown; exit $$status

# Builds the Windows program and starts it through Wine.
run: deps configure-windows
	cmake --build --preset windows --target velquor
	tools/run-velquor.sh

# Measures under Wine how fast Velquor starts against a one-window program and how much memory
# it takes, how fast a save is against plain copies, how fast the icon library dialog opens, how
# long the system check's progress sequence takes, what the disc image costs and how long reading
# back an AutoRun.Inf of 1 MiB takes (see README, "Performance", and docs/PERFORMANCE.md). That
# last benchmark is portable: it runs natively as well (bin/autorun_read_bench of any build
# folder; unoptimised, as in build/native, it takes about six times as long).
BENCH_WINE = VELQUOR_WINE_HOME=$(CURDIR)/build/windows/wine-bench VELQUOR_WINE_PRIVATE_DISPLAY=1 \
  cmake/wine-run.sh
bench: deps configure-windows
	cmake --build --preset windows --target startup_bench save_bench icon_library_dialog_bench \
	  progress_sequence_bench disc_image_bench autorun_read_bench
	$(BENCH_WINE) build/windows/bin/autorun_read_bench.exe
	$(BENCH_WINE) build/windows/bin/startup_bench.exe
	$(BENCH_WINE) build/windows/bin/save_bench.exe
	$(BENCH_WINE) build/windows/bin/icon_library_dialog_bench.exe
	# Unmanaged windows: without a window manager Wine waits 2 s for one whenever a shown window
	# goes away, which no Windows desktop does; the sequence ends with its dialog going away.
	VELQUOR_WINE_HOME=$(CURDIR)/build/windows/wine-bench-unmanaged VELQUOR_WINE_PRIVATE_DISPLAY=1 \
	  VELQUOR_WINE_UNMANAGED=1 cmake/wine-run.sh build/windows/bin/progress_sequence_bench.exe
	VELQUOR_WINE_HOME=$(CURDIR)/build/windows/wine-bench VELQUOR_WINE_PRIVATE_DISPLAY=1 \
	  cmake/wine-run.sh build/windows/bin/disc_image_bench.exe

clean:
	rm -rf build
