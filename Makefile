# The two commands of the README: `make test` and `make run`.
.PHONY: test run deps native windows test-native test-windows clean

WINE_HOME := $(CURDIR)/build/windows/wine

deps:
	@tools/install-deps.sh

# Runs both suites even when the first one fails, then fails if either did.
test: deps
	@status=0; \
	$(MAKE) --no-print-directory test-native || status=1; \
	$(MAKE) --no-print-directory test-windows || status=1; \
	exit $$status

test-native:
	cmake --preset native
	cmake --build --preset native
	ctest --preset native

test-windows:
	cmake --preset windows
	cmake --build --preset windows
	ctest --preset windows

# Builds the Windows program and starts it through Wine.
run: deps
	cmake --preset windows
	cmake --build --preset windows --target velquor
	tools/run-velquor.sh

clean:
	rm -rf build
