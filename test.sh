#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   0. the layer check: every include under src/ points down the layers; the
#      format check: every C++ file laid out as .clang-format says;
#   1. the normal build: every test through ctest, and the benchmarks compiled;
#      every build treats a compiler warning as an error; clang-tidy on the
#      files changed since scripts/tidy_baseline (scripts/check_tidy.sh); then
#      its install tree and Debian package checked (scripts/check_install.sh);
#   2. the core and its tests built with AddressSanitizer and
#      UndefinedBehaviorSanitizer, and run;
#   3. with clang: each fuzz target run briefly from its seed corpus.
# Any failure makes the script exit non-zero.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
fuzz_seconds=${VIMBO_FUZZ_SECONDS:-20}

echo "== layer check"
scripts/check_layers.sh
echo "== format check"
scripts/check_format.sh

scripts/ensure_packages.sh cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl1-mesa-dev \
  libgtest-dev libgmock-dev libpugixml-dev clang libclang-rt-14-dev fonts-liberation \
  desktop-file-utils appstream libxml2-utils shared-mime-info dpkg-dev file man-db groff-base \
  clang-format clang-tidy qt6-base-private-dev python3-vobject python3-icalendar

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIMBO_BENCH=ON -DVIMBO_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== clang-tidy"
scripts/check_tidy.sh build

echo "== install tree and package"
scripts/check_install.sh build

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIMBO_CORE_ONLY=ON \
  -DVIMBO_SANITIZE=address,undefined -DVIMBO_WERROR=ON
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

if command -v clang++ >/dev/null 2>&1; then
  echo "== fuzz targets, ${fuzz_seconds} s each"
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DVIMBO_FUZZ=ON -DVIMBO_TESTS=OFF -DVIMBO_CORE_ONLY=ON -DVIMBO_SANITIZE=address,undefined \
    -DVIMBO_WERROR=ON
  cmake --build build-fuzz -j "$jobs"
  for target in xml_parser document_loader date_text field_tokenizer vcard_reader; do
    # New inputs go to a scratch copy, so the committed corpus stays as it is.
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$target/." "$work/"
    echo "-- $target"
    if ! "build-fuzz/fuzz/${target}_fuzz" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
      -artifact_prefix="$work/" "$work" > "$work.log" 2>&1; then
      tail -n 40 "$work.log"
      echo "fuzz target $target failed; the input is in $work" >&2
      exit 1
    fi
    tail -n 8 "$work.log"
    rm -f "$work.log"
    rm -rf "$work"
  done
else
  echo "== clang not found: fuzz targets skipped"
fi
echo "All tests passed."
