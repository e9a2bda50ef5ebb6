#!/bin/sh
# Installs what a set-up command or a check needs, from the distribution's packages (Debian 12,
# Ubuntu 24.04), and only what is not there yet. One or more groups:
#   exemple    a C++17 compiler, CMake and make: build and run the program
#   tests      the same, with GoogleTest and Python 3: build and run the tests
#   dessin     the drawing's checks: an XML checker and two SVG renderers (xmllint, rsvg-convert,
#              chromium)
#   web        the page: emscripten, and chromium to open it headless
#   fiabilite  the reliability and platform checks: clang 14 with libFuzzer and the sanitizers,
#              valgrind, ninja, the Windows and aarch64 cross-compilers, wine, qemu, GoogleTest's
#              sources, and what the .deb package needs (dpkg-dev, file)
# The README's two set-up commands use exemple and tests; .ci/run adds dessin, and the check
# scripts of .ci/ ask for the groups of their stages. As root it runs apt-get itself, as any other
# user through sudo.
set -eu

usage() {
  echo "usage: sh outils/prerequis.sh GROUP... (exemple tests dessin web fiabilite)" >&2
  exit 2
}
[ $# -ge 1 ] || usage

paquets=""
ajouter() { case " $paquets " in *" $1 "*) ;; *) paquets="$paquets $1" ;; esac; }
commande() { command -v "$1" >/dev/null 2>&1; }
# The package $2 unless the command $1 is there.
par_commande() { commande "$1" || ajouter "$2"; }
# The package $1 unless it is installed (a library or data without a command of its own).
par_paquet() { dpkg -s "$1" >/dev/null 2>&1 || ajouter "$1"; }

compilateur() {
  commande c++ || commande g++ || ajouter g++
  par_commande cmake cmake
  par_commande make make
}

for groupe in "$@"; do
  case $groupe in
    exemple) compilateur ;;
    tests)
      compilateur
      [ -f /usr/include/gtest/gtest.h ] || ajouter libgtest-dev
      par_commande python3 python3
      ;;
    dessin)
      par_commande xmllint libxml2-utils
      par_commande rsvg-convert librsvg2-bin
      par_commande chromium chromium
      ;;
    web)
      compilateur
      [ -f /usr/include/gtest/gtest.h ] || ajouter libgtest-dev
      par_commande python3 python3
      par_commande em++ emscripten
      par_commande chromium chromium
      ;;
    fiabilite)
      compilateur
      [ -f /usr/include/gtest/gtest.h ] || ajouter libgtest-dev
      par_commande python3 python3
      par_commande ninja ninja-build
      par_commande clang++-14 clang-14
      par_paquet libclang-rt-14-dev  # libFuzzer and the sanitizer run-times of clang 14
      par_commande valgrind valgrind
      par_commande x86_64-w64-mingw32-g++ g++-mingw-w64-x86-64
      par_commande wine wine
      par_paquet wine64  # wine for 64-bit Windows programs
      par_commande aarch64-linux-gnu-g++ g++-aarch64-linux-gnu
      par_commande qemu-aarch64 qemu-user
      [ -f /usr/src/googletest/CMakeLists.txt ] || ajouter googletest
      par_commande dpkg-shlibdeps dpkg-dev  # the .deb's dependencies
      par_commande file file
      ;;
    *) usage ;;
  esac
done
[ -n "$paquets" ] || exit 0

if [ "$(id -u)" -eq 0 ]; then
  administrateur=""
elif commande sudo; then
  administrateur=sudo
else
  echo "prerequis: to install$paquets, run this as root or install sudo" >&2
  exit 1
fi
echo "prerequis: installing$paquets"
debut=$(date +%s)
$administrateur apt-get update -q
# shellcheck disable=SC2086  # one word per package
$administrateur env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $paquets
echo "prerequis: installed in $(($(date +%s) - debut)) s"
