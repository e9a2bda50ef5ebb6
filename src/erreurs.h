// Run-time errors: the one way a run ends at once.
#pragma once

#include <cstdint>
#include <string>

// A run-time error ends the run at once: a malformed number in the data file, an index beyond a
// capacity, a failed read or write of a file. ErreurExecution is the one routine that raises them:
// it flushes the console, flushes what the report already holds (so the report tells how far the
// run got), tells the error, then throws EErreurExecution. The interactive run tells the error's
// own words and CR LF on the standard error stream; the command-line mode tells the French message,
// located at the line of the data file where the error lies (0: no line known). The entry point
// catches it and ends with exit status 1 without closing or showing the report; a harness that
// runs the program in-process catches it the same way.
struct EErreurExecution {
  std::string Mots;
};
[[noreturn]] void ErreurExecution(const std::string& mots, std::int32_t ligne = 0,
                                  const std::string& message = "");

// "Range check error": an index outside its array's bounds.
[[noreturn]] void ErreurHorsLimites();

// A failed operation on a file: "I/O error" with the system's error number; the command-line mode
// tells what failed and why, the model `quoi` (such as "écriture du rapport impossible : %1")
// filled with the system's reason.
[[noreturn]] void ErreurEntreeSortie(int numero, const char* quoi);

// The system's reason for a failed file operation, in French (Windows-1252).
std::string RaisonSysteme(int numero);
