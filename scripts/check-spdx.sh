#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file under src/, tests/, bench/ and scripts/ (C++, CMake, shell, Python and their .in
# templates) names its licence in an SPDX line among its first three lines. Prints each file that does not
# and exits 1 if there is one. Usage: check-spdx.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
missing=0
while IFS= read -r -d '' file; do
  if ! head -n 3 "$file" | grep -qE '^(//|#) SPDX-License-Identifier: GPL-3\.0-or-later$'; then
    echo "no SPDX line: $file"
    missing=$((missing + 1))
  fi
done < <(find src tests bench scripts -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' \
  -o -name CMakeLists.txt -o -name '*.sh' -o -name '*.py' -o -name '*.in' \) -print0 | LC_ALL=C sort -z)
if [ "$missing" -gt 0 ]; then
  echo "$missing source files have no SPDX line"
  exit 1
fi
echo "every source file has its SPDX line"
