// The program's driver: the run sequence and the interactive run.
//
// The user types the name of a data file (without its ".txt"); the program reads the beam, solves
// it and writes the report NAMEr.txt, then opens it in a viewer. The console shows only the
// banner, the prompt and the reader's checks; everything else goes to the report.
#include "pilote.h"

#include <cstdio>

#include "UTypes.h"
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

// The structure is freed after the run, which closes the report and opens it in the viewer. A
// run-time error has already been told by ErreurExecution and leaves the report unshown.
int ExecuterInteractif() {
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
