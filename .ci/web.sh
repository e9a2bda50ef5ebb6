#!/usr/bin/env bash
# The web page: installs what is missing (Debian's emscripten and chromium among them), builds the
# native program and the page in build-web/, and opens the page in headless Chromium to compare
# its reports with the native program's (tests/web/test_page.py). Run from anywhere:
#   bash .ci/web.sh
set -euo pipefail
cd "$(dirname "$0")/.."
debut=$SECONDS

sh outils/prerequis.sh web
echo "web: tools ready ($((SECONDS - debut)) s)"

cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DVORTALE_WEB=ON >/dev/null
cmake --build build-web -j2 --target vortale page_web
echo "web: program and page built ($((SECONDS - debut)) s)"
ctest --test-dir build-web -R '^web\.' --output-on-failure --no-tests=error
echo "web: done ($((SECONDS - debut)) s)"
