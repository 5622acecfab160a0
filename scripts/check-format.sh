#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a C++ file of the repository differs from what the committed .clang-format makes of
# it. Fix with: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "formatting: every C++ file as .clang-format makes it"
