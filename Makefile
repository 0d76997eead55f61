# Tarvex: the two set-up commands are `make run` and `make test`.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: run run-cli test deps check native windows windows-program fuzz-build test-native test-windows test-fuzz-seeds \
	bench fuzz format clean dist dist-test

# The program alone (the Windows test programs wait for `make test`); the
# Wine prefix is made while it compiles.
run: deps
	@mkdir -p build
	@scripts/make-wine-prefix.sh >build/wineprefix.log 2>&1 &
	@$(MAKE) --no-print-directory windows-program
	@scripts/run-tarvex.sh

# tarvex-cli shifting a copy of the sample subtitle file, to see the core at work.
run-cli: deps native
	@scripts/run-sample.sh

# The native tests (with the committed fuzz seeds, see fuzz/) mostly wait on
# sockets and time-outs, and wineboot mostly waits too: both run while the
# Windows tree compiles. The native tests' output follows the Windows ones',
# and a failure ends with the last lines of each failed test.
test: deps check native
	@mkdir -p build
	@scripts/make-wine-prefix.sh >build/wineprefix.log 2>&1 &
	@ctest --preset native -j $(JOBS) >build/native-tests.log 2>&1 & native=$$!; \
	status=0; $(MAKE) --no-print-directory test-windows || status=1; \
	if wait $$native; then tail -n 3 build/native-tests.log; else cat build/native-tests.log; status=1; fi; \
	[ $$status -eq 0 ] || { scripts/failed-tests.sh build/windows build/native; exit 1; }; \
	echo "make test: every test passed"

# Formatting and the layers' include rule, before anything is compiled.
check:
	@clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h') \
	  || { echo "check: run 'make format'" >&2; exit 1; }
	@scripts/check-layers.sh

deps:
	@scripts/install-deps.sh

native:
	cmake --preset native -DTARVEX_BUILD_BENCH=OFF >/dev/null
	cmake --build --preset native -j $(JOBS)

windows:
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

windows-program:
	cmake --preset windows >/dev/null
	cmake --build --preset windows --target tarvex -j $(JOBS)

fuzz-build:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

# The Wine programs mostly wait on windows and services: run them side by
# side. The window suites are the longest and leave most of the processors
# idle, so they start as soon as the program and its driver are linked,
# while the other test programs compile.
test-windows:
	cmake --preset windows >/dev/null
	cmake --build --preset windows --target tarvex_e2e_tests -j $(JOBS)
	@mkdir -p build
	@ctest --preset windows -R '^windows_e2e' -j 3 >build/windows-e2e-tests.log 2>&1 & e2e=$$!; \
	status=0; cmake --build --preset windows -j $(JOBS) && ctest --preset windows -E '^windows_e2e' -j 4 || status=1; \
	if wait $$e2e; then tail -n 3 build/windows-e2e-tests.log; else tail -n 150 build/windows-e2e-tests.log; status=1; fi; \
	exit $$status

# The release files under dist/: the Windows zip and per-user installer, and
# the Debian package of tarvex-cli. Only the programs are built for them.
dist: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows --target dist -j $(JOBS)
	cmake --preset native -DTARVEX_BUILD_BENCH=OFF >/dev/null
	cmake --build --preset native --target dist -j $(JOBS)
	@ls -l dist

# Checks of the release files: the zip's and the package's contents, the
# manual page, and the installer run under Wine in a copy of the test prefix.
dist-test: dist
	cmake --build --preset windows --target tarvex_installer_tests -j $(JOBS)
	ctest --preset dist-native
	ctest --preset dist-windows

# Every committed seed once, under ASan and UBSan, in the clang tree (`make
# test` replays them without the sanitizers, in the native tree).
test-fuzz-seeds: fuzz-build
	@for f in timestamp shift_file stream_shift cue_shift translate http_reply; do \
	  build/fuzz/fuzz/$${f}_fuzzer -runs=0 fuzz/corpus/$$f >build/fuzz/$$f.log 2>&1 \
	    || { cat build/fuzz/$$f.log; exit 1; }; \
	  echo "fuzz seeds: $$f $$(ls fuzz/corpus/$$f | wc -l) inputs replayed"; \
	done

bench: deps
	cmake --preset native -DTARVEX_BUILD_BENCH=ON >/dev/null
	cmake --build --preset native -j $(JOBS)
	build/native/bench/shift_benchmark
	build/native/bench/translate_benchmark

# Each target for FUZZ_SECONDS; new findings land in build/fuzz/corpus-*.
fuzz: deps fuzz-build
	@for f in timestamp shift_file stream_shift cue_shift translate http_reply; do \
	  mkdir -p build/fuzz/corpus-$$f; \
	  build/fuzz/fuzz/$${f}_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	    build/fuzz/corpus-$$f fuzz/corpus/$$f || exit 1; \
	done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build dist
