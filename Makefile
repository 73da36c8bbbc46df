# The two commands of the README: `make test` and `make run`.
.PHONY: test run bench deps test-native test-windows clean configure-native configure-windows
.PHONY: test-native-asan configure-native-asan

deps:
	@tools/install-deps.sh

# Runs every suite even when one fails, then fails if any did.
test: deps
	@status=0; \
	$(MAKE) --no-print-directory test-native || status=1; \
	$(MAKE) --no-print-directory test-native-asan || status=1; \
	$(MAKE) --no-print-directory test-windows || status=1; \
	exit $$status

# The presets build with Ninja. cmake refuses a build folder set up with another generator (the
# Unix Makefiles of older checkouts), so such a folder is configured afresh; its Wine prefixes stay.
configure-native configure-native-asan configure-windows:
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

# Builds the Windows program and starts it through Wine.
run: deps configure-windows
	cmake --build --preset windows --target velquor
	tools/run-velquor.sh

# Measures under Wine how fast the icon library dialog opens and how long the system check's
# progress sequence takes (see README, "Performance").
bench: deps configure-windows
	cmake --build --preset windows --target icon_library_dialog_bench progress_sequence_bench
	VELQUOR_WINE_HOME=$(CURDIR)/build/windows/wine-bench VELQUOR_WINE_PRIVATE_DISPLAY=1 \
	  cmake/wine-run.sh build/windows/bin/icon_library_dialog_bench.exe
	# Unmanaged windows: without a window manager Wine waits 2 s for one whenever a shown window
	# goes away, which no Windows desktop does; the sequence ends with its dialog going away.
	VELQUOR_WINE_HOME=$(CURDIR)/build/windows/wine-bench-unmanaged VELQUOR_WINE_PRIVATE_DISPLAY=1 \
	  VELQUOR_WINE_UNMANAGED=1 cmake/wine-run.sh build/windows/bin/progress_sequence_bench.exe

clean:
	rm -rf build
