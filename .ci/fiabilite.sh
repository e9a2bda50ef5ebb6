#!/usr/bin/env bash
# Reliability and platform checks, run by .ci/run after the normal build and tests (or by hand
# from anywhere, all stages or the ones named: bash .ci/fiabilite.sh windows paquets):
#   fuzz      libFuzzer (clang++ 14, ASan + UBSan) on whole in-process runs, for FUZZ_SECONDS (60)
#   sanitize  the whole ctest suite built with VORTALE_SANITIZE=ON (ASan + UBSan + LeakSanitizer)
#   valgrind  memcheck of one full run of the largest legal model: no error, no leak
#   windows   mingw-w64 static build without a warning, the viewer's calls, the reference runs
#             under wine, and the .zip package's worked example under wine
#   aarch64   static ARM 64-bit build without a warning, the reference runs under qemu-aarch64
#   double    long double as narrow as double (-mlong-double-64, as on Apple Silicon and with
#             MSVC): the whole ctest suite, GoogleTest built from its sources with the same flag
#   paquets   the Linux packages (.tar.gz, .deb): the worked example from each, unpacked
#   clang     clang++ 14 builds without a warning, and writes the same reports as g++; the macOS
#             viewer code compiles
#   web       the page built with emscripten, opened in headless Chromium (.ci/web.sh)
# The reference runs (tests/vecteurs) are always checked by tests/e2e/test_vecteurs.py, the
# program started through a launcher where it is built for another system or processor.
# Every stage runs even when an earlier one failed; the exit status is 1 when any failed.
# Build folders: build-fuzz, build-asan, build-fiabilite, build-windows, build-double,
# build-paquets, build-web (all ignored by git).
set -euo pipefail
cd "$(dirname "$0")/.."
RACINE=$PWD
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
export LC_ALL=C

# ---------------------------------------------------------------------------------------------
# Tools: whatever is missing is installed from Debian's packages (outils/prerequis.sh).
# ---------------------------------------------------------------------------------------------
sh outils/prerequis.sh fiabilite
GENERATEUR=()
command -v ninja >/dev/null && GENERATEUR=(-G Ninja)

mkdir -p build-fiabilite
SOURCES=(src/*.cpp)
WARN=(-std=c++17 -O2 -Wall -Wextra -Wpedantic -ffp-contract=off)

# Compiles with the given command and fails on any diagnostic at all, warnings and notes included.
sans_avertissement() {
  local sortie
  if ! sortie=$("$@" 2>&1); then
    printf '%s\n' "$sortie"
    echo "compilation failed: $*"
    return 1
  fi
  if [ -n "$sortie" ]; then
    printf '%s\n' "$sortie"
    echo "compiler diagnostics (must be none): $*"
    return 1
  fi
}

# ---------------------------------------------------------------------------------------------
# 1. Fuzzing
# ---------------------------------------------------------------------------------------------
etape_fuzz() {
  local dossier=$RACINE/build-fuzz
  local drapeaux=(-std=c++17 -g -O1 -ffp-contract=off -fno-omit-frame-pointer
                  "-fsanitize=fuzzer,address,undefined" -fno-sanitize-recover=all -Isrc)
  mkdir -p "$dossier/obj" "$dossier/corpus" "$dossier/artifacts"
  rm -rf "$dossier/seeds" "$dossier/artifacts"/*
  mkdir -p "$dossier/seeds"
  local objets=()
  # libFuzzer brings its own main(): the harness links the program's library, every source but
  # the entry point.
  for source in "${SOURCES[@]}"; do
    [ "$source" = src/vortale.cpp ] && continue
    local objet
    objet=$dossier/obj/$(basename "$source" .cpp).o
    clang++-14 "${drapeaux[@]}" -c "$source" -o "$objet"
    objets+=("$objet")
  done
  clang++-14 "${drapeaux[@]}" tests/fuzz/fuzz_vortale.cpp "${objets[@]}" -o "$dossier/fuzz_vortale"

  # Seeds: the examples and every data file of the tests (not the expected reports).
  local n=0
  while IFS= read -r -d '' f; do
    n=$((n + 1))
    cp "$f" "$dossier/seeds/$n-$(basename "$f")"
  done < <(find examples tests -name '*.txt' -not -path '*/expected/*' -print0 | sort -z)
  echo "seeds: $n data files; fuzzing for ${FUZZ_SECONDS} s"

  # Absolute paths only: the harness works in a folder of its own. Stdout and stderr of the
  # program are closed (-close_fd_mask); libFuzzer and the sanitizers still report.
  local code=0
  "$dossier/fuzz_vortale" -max_total_time="$FUZZ_SECONDS" -timeout=1 -rss_limit_mb=2048 \
    -close_fd_mask=3 -print_final_stats=1 -dict="$RACINE/tests/fuzz/vortale.dict" \
    -artifact_prefix="$dossier/artifacts/" "$dossier/corpus" "$dossier/seeds" \
    > "$dossier/fuzz.log" 2>&1 || code=$?
  if [ "$code" -ne 0 ] || [ -n "$(ls -A "$dossier/artifacts")" ]; then
    grep -v -e '^#[0-9]' -e '^"' "$dossier/fuzz.log" | tail -n 80
    local a
    for a in "$dossier/artifacts"/*; do
      [ -f "$a" ] || continue
      echo "--- $a"
      od -A x -t x1z "$a" | head -n 64
    done
    echo "fuzzer exit status $code"
    return 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$dossier/fuzz.log" || true
  grep -E '^#[0-9]+ +DONE' "$dossier/fuzz.log" | tail -n 1 || true
}

# ---------------------------------------------------------------------------------------------
# 2. The test suite under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer
# ---------------------------------------------------------------------------------------------
# Any report fails: ASan and LSan end the process with status 86, UBSan (not recoverable in this
# build) with 87. An orderly run must leave stderr empty, and the end-to-end tests check that
# too, so a report never passes unnoticed even where the exit status is not compared.
etape_sanitize() {
  mkdir -p build-asan
  cmake -S . -B build-asan "${GENERATEUR[@]}" -DVORTALE_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo > build-asan/configure.log 2>&1 \
    || { cat build-asan/configure.log; return 1; }
  cmake --build build-asan -j2
  ASAN_OPTIONS=detect_leaks=1:exitcode=86:halt_on_error=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:exitcode=87 \
    ctest --test-dir build-asan --output-on-failure --no-tests=error -j2 --timeout 300
}

# ---------------------------------------------------------------------------------------------
# 3. Memcheck of the largest legal model
# ---------------------------------------------------------------------------------------------
# Counts of each section of a data file, "noe ele lia cha".
comptes() {
  awk '{ sub(/\r$/, "") }
       prochain != "" { n[prochain] = $1; prochain = ""; next }
       { l = tolower($0); gsub(/ /, "", l); if (l ~ /^\$(noe|ele|lia|cha)/) prochain = substr(l, 2, 3) }
       END { print n["noe"], n["ele"], n["lia"], n["cha"] }' "$1"
}

etape_valgrind() {
  local modele=examples/grand.txt
  [ -f "$modele" ] || { echo "missing $modele"; return 1; }
  local tailles
  tailles=$(comptes "$modele")
  if [ "$tailles" != "50 49 20 20" ]; then
    echo "$modele is not the largest model: counts $tailles, expected 50 49 20 20"
    return 1
  fi
  g++ -std=c++17 -O2 -g -ffp-contract=off "${SOURCES[@]}" -o build-fiabilite/vortale
  # Once without a viewer, once with one (the viewer's start allocates too).
  local visionneuse
  for visionneuse in "" "true"; do
    local travail
    travail=$(mktemp -d /tmp/fiabilite-valgrind.XXXXXX)
    cp "$modele" "$travail/grand.txt"
    local code=0
    (cd "$travail" && echo grand | VORTALE_VIEWER=$visionneuse timeout 300 valgrind --tool=memcheck \
        --leak-check=full --show-leak-kinds=all --errors-for-leak-kinds=all --error-exitcode=99 \
        --log-file="$travail/valgrind.log" "$RACINE/build-fiabilite/vortale" \
        > "$travail/console" 2> "$travail/erreurs") || code=$?
    echo "viewer '${visionneuse}': exit status $code; $(grep -h 'ERROR SUMMARY' "$travail/valgrind.log" | sed 's/^==[0-9]*== //')"
    local rapport=$travail/grandr.txt
    if [ "$code" -ne 0 ] || [ -s "$travail/erreurs" ] || [ ! -f "$rapport" ] \
       || ! grep -q 'All heap blocks were freed' "$travail/valgrind.log" \
       || ! grep -qa $'^Graphes \xE9l\xE9mentaires' "$rapport"; then
      cat "$travail/valgrind.log"
      echo "stderr:"; cat "$travail/erreurs"
      [ -f "$rapport" ] && { echo "report, last lines:"; tail -n 5 "$rapport"; } || echo "no report"
      rm -rf "$travail"
      return 1
    fi
    rm -rf "$travail"
  done
}

# ---------------------------------------------------------------------------------------------
# Helpers of the platform stages
# ---------------------------------------------------------------------------------------------
# The reference runs of tests/vecteurs, checked by their own end-to-end test, and the command-line
# mode's tests, with the program $1 started through the launcher $2 (wine, qemu-aarch64).
vecteurs() {
  (cd tests/e2e && VORTALE_BIN=$1 VORTALE_LANCEUR=$2 VORTALE_TESTS=$RACINE/tests \
     python3 -m unittest test_vecteurs test_ligne_commande)
}

# The worked example as the user of a package runs it: the unpacked package's program ($1) on its
# own poutre.txt (in the folder $2), through the launcher that follows, if any, in a folder of its
# own. Console (but its line 6, the build's identification) and report are the reference run's.
exemple_du_paquet() {
  local programme=$1 exemples=$2
  shift 2
  local reference=$RACINE/tests/vecteurs/worked-example/expected
  local travail
  travail=$(mktemp -d /tmp/fiabilite-paquet.XXXXXX)
  cp "$exemples/poutre.txt" "$travail/"
  (cd "$travail" && echo poutre | VORTALE_VIEWER='' "$@" "$programme" > console)
  if ! cmp <(sed 6d "$travail/console") <(sed 6d "$reference/stdout") \
     || ! cmp "$travail/poutrer.txt" "$reference/poutrer.txt"; then
    echo "the worked example differs from the reference run with $programme"
    rm -rf "$travail"
    return 1
  fi
  rm -rf "$travail"
  echo "worked example: $programme"
}

# Wine with no display, in a prefix of its own ($1, created the first time: a few seconds). Its
# server and services start once, here, with their standard streams on /dev/null: started by a
# test run they would hold its output pipes open, and every run would wait for them to end. The
# stage stops them when it ends, however it ends.
demarrer_wine() {
  export WINEPREFIX=$1 WINEDEBUG=-all
  unset DISPLAY WAYLAND_DISPLAY
  mkdir -p "$WINEPREFIX"
  trap 'wineserver -k 2>/dev/null || true' EXIT
  local debut=$SECONDS
  wineserver -p < /dev/null > /dev/null 2>&1
  wine wineboot -i < /dev/null > "$WINEPREFIX/../wineboot.log" 2>&1 \
    || { cat "$WINEPREFIX/../wineboot.log"; return 1; }
  echo "wine $(wine --version) ready in $((SECONDS - debut)) s"
}

# ---------------------------------------------------------------------------------------------
# 4. Windows: mingw-w64 build, run under wine
# ---------------------------------------------------------------------------------------------
etape_windows() {
  local dossier=$RACINE/build-windows
  x86_64-w64-mingw32-g++ --version | head -n 1
  mkdir -p "$dossier"
  cmake -S . -B "$dossier" "${GENERATEUR[@]}" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DBUILD_TESTING=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON > "$dossier/configure.log" 2>&1 \
    || { cat "$dossier/configure.log"; return 1; }
  cmake --build "$dossier" -j2
  # A 64-bit executable needing no DLL of mingw-w64's (C++, GCC, threads): only Windows' own.
  # The viewer path is the Windows one: notepad through WinExec, a chosen viewer through
  # CreateProcessA, the drawing through ShellExecuteA.
  local imports
  imports=$(x86_64-w64-mingw32-objdump -p "$dossier/vortale.exe")
  grep -q 'pei-x86-64' <<< "$imports" || { echo "not a 64-bit Windows executable"; return 1; }
  if grep -i 'DLL Name: lib' <<< "$imports"; then echo "not linked statically"; return 1; fi
  local fonction
  for fonction in WinExec CreateProcessA ShellExecuteA; do
    grep -qw "$fonction" <<< "$imports" || { echo "$fonction is not imported"; return 1; }
  done

  demarrer_wine "$dossier/wine"
  vecteurs "$dossier/vortale.exe" wine

  # The .zip: vortale.exe, README.md and examples\ in one folder.
  (cd "$dossier" && rm -f ./*.zip && cpack > cpack.log) || { cat "$dossier/cpack.log"; return 1; }
  local deballe=$dossier/deballe
  rm -rf "$deballe" && mkdir -p "$deballe"
  python3 -m zipfile -e "$dossier"/vortale-*.zip "$deballe"
  local racine
  racine=$(echo "$deballe"/vortale-*)
  [ -f "$racine/README.md" ] || { echo "no README.md in the .zip"; return 1; }
  exemple_du_paquet "$racine/vortale.exe" "$racine/examples" wine
}

# ---------------------------------------------------------------------------------------------
# 5. aarch64 Linux: static cross-build, run under qemu-aarch64
# ---------------------------------------------------------------------------------------------
etape_aarch64() {
  aarch64-linux-gnu-g++ --version | head -n 1
  sans_avertissement aarch64-linux-gnu-g++ "${WARN[@]}" -static "${SOURCES[@]}" \
    -o build-fiabilite/vortale-aarch64
  vecteurs "$RACINE/build-fiabilite/vortale-aarch64" qemu-aarch64
}

# ---------------------------------------------------------------------------------------------
# 6. long double = double
# ---------------------------------------------------------------------------------------------
etape_double() {
  mkdir -p build-double
  cmake -S . -B build-double "${GENERATEUR[@]}" -DCMAKE_CXX_FLAGS=-mlong-double-64 \
    -DVORTALE_GTEST_SOURCES=/usr/src/googletest > build-double/configure.log 2>&1 \
    || { cat build-double/configure.log; return 1; }
  cmake --build build-double -j2
  ctest --test-dir build-double --output-on-failure --no-tests=error -j2
}

# ---------------------------------------------------------------------------------------------
# 7. Linux packages
# ---------------------------------------------------------------------------------------------
etape_paquets() {
  local dossier=$RACINE/build-paquets
  mkdir -p "$dossier"
  cmake -S . -B "$dossier" "${GENERATEUR[@]}" -DBUILD_TESTING=OFF > "$dossier/configure.log" 2>&1 \
    || { cat "$dossier/configure.log"; return 1; }
  cmake --build "$dossier" -j2
  (cd "$dossier" && rm -f ./*.tar.gz ./*.deb && cpack > cpack.log) \
    || { cat "$dossier/cpack.log"; return 1; }
  local deballe=$dossier/deballe
  rm -rf "$deballe" && mkdir -p "$deballe/tgz" "$deballe/deb"
  tar -xzf "$dossier"/vortale-*.tar.gz -C "$deballe/tgz"
  dpkg-deb -x "$dossier"/vortale_*.deb "$deballe/deb"
  dpkg-deb -f "$dossier"/vortale_*.deb Package Version Architecture Depends
  local racine
  for racine in "$deballe"/tgz/vortale-* "$deballe/deb/usr"; do
    [ -f "$racine/share/doc/vortale/README.md" ] || { echo "no README.md in $racine"; return 1; }
    exemple_du_paquet "$racine/bin/vortale" "$racine/share/doc/vortale/examples"
  done
}

# ---------------------------------------------------------------------------------------------
# 8. clang++ 14
# ---------------------------------------------------------------------------------------------
etape_clang() {
  sans_avertissement clang++-14 "${WARN[@]}" "${SOURCES[@]}" -o build-fiabilite/vortale-clang
  # The macOS viewer code ("open -t"), with this system's headers: syntax only.
  sans_avertissement clang++-14 "${WARN[@]}" -D__APPLE__ -fsyntax-only src/visionneuse.cpp
  [ -x build-fiabilite/vortale ] || g++ -std=c++17 -O2 -g -ffp-contract=off "${SOURCES[@]}" -o build-fiabilite/vortale
  # Both compilers write the same report and console for every example (line 6 of the console,
  # the banner's identification line, aside).
  local exemple
  for exemple in examples/*.txt; do
    [ -f "${exemple%r.txt}.txt" ] && [ "${exemple%r.txt}.txt" != "$exemple" ] && continue  # a report
    local nom
    nom=$(basename "$exemple" .txt)
    local compilateur
    for compilateur in vortale vortale-clang; do
      local travail=build-fiabilite/run-$compilateur
      rm -rf "$travail" && mkdir -p "$travail" && cp "$exemple" "$travail/"
      (cd "$travail" && echo "$nom" | VORTALE_VIEWER='' "$RACINE/build-fiabilite/$compilateur" 2>&1 \
         | sed 6d > console) || true
    done
    local a=build-fiabilite/run-vortale b=build-fiabilite/run-vortale-clang
    if ! cmp -s "$a/console" "$b/console" || ! cmp -s "$a/${nom}r.txt" "$b/${nom}r.txt"; then
      echo "g++ and clang++ builds differ on $exemple"
      diff <(od -c "$a/console"; od -c "$a/${nom}r.txt") <(od -c "$b/console"; od -c "$b/${nom}r.txt") \
        | head -n 20 || true
      return 1
    fi
    echo "$exemple: same output from both compilers"
  done
}

# ---------------------------------------------------------------------------------------------
# 9. The page in the browser
# ---------------------------------------------------------------------------------------------
# The same sources built with emscripten into one static page, opened in headless Chromium: every
# reference run's report byte for byte, the drawing, the diagnostics (.ci/web.sh).
etape_web() {
  bash .ci/web.sh
}

# ---------------------------------------------------------------------------------------------
reussies=0
echouees=0
rates=()
etapes=("$@")
[ ${#etapes[@]} -gt 0 ] || etapes=(fuzz sanitize valgrind windows aarch64 double paquets clang web)
for etape in "${etapes[@]}"; do
  echo "=== fiabilite: $etape"
  debut=$SECONDS
  set +e
  ( set -euo pipefail; "etape_$etape" )
  code=$?
  set -e
  if [ "$code" -eq 0 ]; then
    reussies=$((reussies + 1))
    echo "=== fiabilite: $etape passed ($((SECONDS - debut)) s)"
  else
    echouees=$((echouees + 1))
    rates+=("$etape")
    echo "=== fiabilite: $etape FAILED ($((SECONDS - debut)) s)"
  fi
done
[ "$echouees" -eq 0 ] || echo "failed stages: ${rates[*]}"
echo "fiabilite: $reussies passed, $echouees failed"
[ "$echouees" -eq 0 ]
