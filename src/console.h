// The console of the command-line mode.
#pragma once

#include <cstdio>
#include <string>

// One line on a console stream: `nom`, a name given by the user (a file name, already in the
// console's encoding), left as it is, then the program's Windows-1252 `texte` in the console's
// encoding, then the system's line end.
void EcrireConsole(std::FILE* flux, const std::string& nom, const std::string& texte);
