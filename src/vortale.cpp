// vortale: a straight beam in simple bending by the finite element method.
//
// The user types the name of a data file (without its ".txt"); the program reads the beam,
// solves it and writes the report NAMEr.txt, then opens it in a viewer. The console shows only
// the banner, the prompt and the reader's checks; everything else goes to the report. Given file
// names as arguments, the program runs them in its command-line mode (ligne_commande.cpp).
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "UTypes.h"
#include "ligne_commande.h"
#include "textes.h"

// The run, each step an operation of the structure; a step that fails ends it. The steps tell
// their own failures (on the console or in the report). True when the report is complete.
bool TStructure::Calculer() {
  if (!LireDonnees()) return false;
  if (!AssemblerRigidite()) return false;
  AssemblerForces();
  MettreLiaisons();
  if (!CalculerDeplacements()) return false;
  CalculerForcesElementaires();
  CalculerActionsLiaison();
  EcrireResultats();
  return true;
}

static void EcrireBanniere() {
  for (const char* ligne : Textes::Banniere) std::printf("%s\r\n", ligne);
}

// The console receives the program's bytes unchanged. The texts already end their lines with
// CR LF; on Windows the C run-time opens stdout and stderr in text mode, which would turn each LF
// into CR LF again (CR CR LF). Standard input keeps its text mode.
static void ConsoleBinaire() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

// The interactive run: the banner, then one run whose name is typed at the prompt. Exit status 0
// after every orderly run, whether or not a step failed; 1 after a run-time error, which
// ErreurExecution has already told, and which leaves the report unshown.
static int ExecuterInteractif() {
  EcrireBanniere();
  try {
    Structure = new TStructure;
    Structure->Calculer();
    delete Structure;  // frees the model, closes the report and opens it in the viewer
  } catch (const EErreurExecution&) {
    return 1;
  }
  return 0;
}

// Without arguments the interactive run; with arguments the command-line mode.
int main(int argc, char* argv[]) {
  ConsoleBinaire();
  if (argc > 1) return LigneCommande({argv + 1, argv + argc});
  return ExecuterInteractif();
}
