// vortale: a straight beam in simple bending by the finite element method.
//
// Without arguments the interactive run (pilote.cpp): the name of the data file is typed at the
// prompt. Given file names as arguments, the program runs them in its command-line mode
// (ligne_commande.cpp).
#include "console.h"
#include "ligne_commande.h"
#include "pilote.h"

int main(int argc, char* argv[]) {
  ConsoleBinaire();
  if (argc > 1) return LigneCommande({argv + 1, argv + argc});
  return ExecuterInteractif();
}
