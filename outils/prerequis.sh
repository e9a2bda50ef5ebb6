#!/bin/sh
# Installs what one of the README's set-up commands needs, from the distribution's packages
# (Debian 12, Ubuntu 24.04), and only what is not there yet:
#   sh outils/prerequis.sh exemple   a C++17 compiler, CMake and make: build and run the program
#   sh outils/prerequis.sh tests     the same, with GoogleTest and Python 3: build and run the tests
# As root it runs apt-get itself, as any other user through sudo.
set -eu

usage() {
  echo "usage: sh outils/prerequis.sh exemple|tests" >&2
  exit 2
}
[ $# -eq 1 ] || usage

paquets=""
commande() { command -v "$1" >/dev/null 2>&1; }
commande c++ || commande g++ || paquets="$paquets g++"
commande cmake || paquets="$paquets cmake"
commande make || paquets="$paquets make"
case $1 in
  exemple) ;;
  tests)
    [ -f /usr/include/gtest/gtest.h ] || paquets="$paquets libgtest-dev"
    commande python3 || paquets="$paquets python3"
    ;;
  *) usage ;;
esac
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
$administrateur apt-get update -q
# shellcheck disable=SC2086  # one word per package
$administrateur env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $paquets
