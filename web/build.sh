#!/usr/bin/env bash
# Builds the page: the program's C++ sources compiled to WebAssembly with emscripten, and the
# page's own files beside them.
#
#   bash web/build.sh OUTDIR
#
# OUTDIR receives index.html and the files it loads: page.css, page.js, exemples.js (the
# examples/ data files, embedded here) and vortale.js (the program, its WebAssembly embedded as
# base64 so that the page also works when opened from file://). Nothing is loaded from the
# network.
#
# Every file of src/ but the entry point src/vortale.cpp is compiled, as the native program's
# library: the page calls vortale_calculer (web/glue.cpp), once per run, and has no main().
set -euo pipefail

if [ $# -ne 1 ] || [ -z "$1" ]; then
  echo "usage: bash web/build.sh OUTDIR" >&2
  exit 2
fi
RACINE=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
SORTIE=$(cd "$1" && pwd)

# Emscripten's JavaScript tools (acorn, terser) are Debian packages under /usr/share/nodejs, which
# only Debian's own node searches by itself.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# Debian's package ships the system libraries prebuilt in a frozen cache; a cache that is not there
# or not readable is rebuilt under OUTDIR (slow, once).
if [ -z "${EM_CACHE:-}" ] && [ ! -r /usr/share/emscripten/cache/sysroot/lib/wasm32-emscripten/libc.a ]; then
  export EM_CACHE=$SORTIE/.em-cache
fi

command -v em++ >/dev/null || { echo "em++ not found: apt-get install emscripten" >&2; exit 1; }
command -v python3 >/dev/null || { echo "python3 not found" >&2; exit 1; }

# The same language and warning flags as the native build; no fused multiply-add, so that every
# product and sum is rounded as written and the report's digits are those of the native program.
# A run-time error is a C++ exception caught inside the command-line mode: WebAssembly's own
# exceptions, which every current browser has. Emscripten's other way, catching them in
# JavaScript (-fexceptions -sDISABLE_EXCEPTION_CATCHING=0), sends every call that may throw
# through JavaScript: measured on the largest model, the first run of a freshly opened page took
# twice as long (a median of about 100 ms against 50 ms) and later runs half as long again.
DRAPEAUX=(-std=c++17 -O2 -Wall -Wextra -Wpedantic -ffp-contract=off -fwasm-exceptions)
# A module made by the factory CreerVortale; the run's entry vortale_calculer, the file system,
# the environment and the UTF-8 decoder that names the files are what the page's script uses.
EDITION=(-sMODULARIZE=1 -sEXPORT_NAME=CreerVortale -sENVIRONMENT=web -sSINGLE_FILE=1
         -sINVOKE_RUN=0 -sALLOW_MEMORY_GROWTH=1
         -sEXPORTED_FUNCTIONS=_vortale_calculer
         -sEXPORTED_RUNTIME_METHODS=FS,ENV,ccall,UTF8ArrayToString)

cd "$RACINE"
SOURCES=()
for source in src/*.cpp; do
  [ "$source" = src/vortale.cpp ] || SOURCES+=("$source")
done
em++ "${DRAPEAUX[@]}" -Isrc "${SOURCES[@]}" web/glue.cpp "${EDITION[@]}" -o "$SORTIE/vortale.js"

cp web/index.html web/page.css web/page.js "$SORTIE/"

# The examples, as text for the editor: {name: text}, the Windows-1252 files decoded.
python3 - "$SORTIE/exemples.js" examples/*.txt <<'FIN'
import json, pathlib, sys
exemples = {}
for chemin in map(pathlib.Path, sys.argv[2:]):
    if not chemin.stem.endswith("r") or not chemin.with_name(chemin.stem[:-1] + ".txt").exists():
        exemples[chemin.stem] = chemin.read_bytes().decode("cp1252")
with open(sys.argv[1], "w", encoding="ascii") as sortie:
    sortie.write("// The examples/ data files, embedded by web/build.sh.\n")
    sortie.write("var EXEMPLES = " + json.dumps(exemples, indent=1, sort_keys=True) + ";\n")
FIN
echo "page: $SORTIE/index.html"
