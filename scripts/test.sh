#!/usr/bin/env bash
# Sets up everything on a fresh Debian 12 machine, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --test
cmake --preset test
cmake --build --preset test
ctest --preset test --parallel 2
