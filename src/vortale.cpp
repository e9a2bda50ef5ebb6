// vortale: a straight beam in simple bending by the finite element method.
//
// The user types the name of a data file (without its ".txt"); the program reads the beam,
// solves it and writes the report NAMEr.txt, then opens it in a viewer. The console shows only
// the banner, the prompt and the reader's element checks; everything else goes to the report.
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "UTypes.h"
#include "textes.h"

// The run, each step an operation of the structure; a step that fails ends it. The steps tell
// their own failures (on the console or in the report).
void TStructure::Calculer() {
  if (!LireDonnees()) return;
  if (!AssemblerRigidite()) return;
  AssemblerForces();
  MettreLiaisons();
  if (!CalculerDeplacements()) return;
  CalculerForcesElementaires();
  CalculerActionsLiaison();
  EcrireResultats();
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

// Exit status 0 after every orderly run, whether or not a step failed; 1 after a run-time error,
// which ErreurExecution has already told, and which leaves the report unshown.
int main() {
  ConsoleBinaire();
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
