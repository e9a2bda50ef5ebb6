// The program's driver: the interactive run and the run sequence (TStructure::Calculer).
#pragma once

// The interactive run: the banner, then one run whose name is typed at the prompt. Returns the exit
// status: 0 after every orderly run, whether or not a step failed; 1 after a run-time error.
int ExecuterInteractif();
