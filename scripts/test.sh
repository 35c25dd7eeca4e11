#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test (headless).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
export QT_QPA_PLATFORM=offscreen
ctest --preset default
# The fuzz targets, 20 s each, two at a time (skipped without clang and libFuzzer).
bash scripts/fuzz.sh 20
