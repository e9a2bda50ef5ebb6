// The page's way into the program: one run of the command-line mode on the in-memory file system.
//
// The page's script writes NAME.txt into the current folder, calls vortale_calculer with that
// file's name, then reads back the report NAMEr.txt and the drawing NAMEr.svg, takes the standard
// output as the run's JSON object and every line of the standard error stream as a diagnostic.
// The name arrives as Windows-1252 bytes, as typed on a Windows console, and the page's console is
// Windows-1252 too; the file names are made from those bytes by the program itself.
#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "ligne_commande.h"

// The same run as `vortale --svg --json -- NAME.txt` in a folder holding NAME.txt. The command line
// drops the ".txt" to find the run's name, so the page's NAME is the run's name even when it ends
// in
// ".txt" itself; after "--" a name that starts with "-" is a name, not an option. Returns the exit
// status: 0 complete report, 1 not, 2 usage error. A run-time error (a malformed number, a
// capacity) is caught inside the command-line mode, so the page goes on working for the next run.
extern "C" EMSCRIPTEN_KEEPALIVE int vortale_calculer(const char* fichierDonnees) {
  return LigneCommande({"--svg", "--json", "--", fichierDonnees});
}
