// The console of the command-line mode, and the program's one conversion of its texts to UTF-8.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// Windows-1252 to UTF-8: ASCII as it is, the bytes from 0xA0 up are the code points of the same
// value, 0x80 to 0x9F the characters this set puts there; the five it leaves undefined become
// U+FFFD. The console (when UTF-8) and the drawing use it.
std::string Utf8DepuisWindows1252(std::string_view texte);

// The program's Windows-1252 text in the console's encoding.
std::string VersConsole(const std::string& texte);

// A name given by the user (a file name, an argument) in the console's encoding: as it is where
// names and console share the locale's encoding; on Windows, from the ANSI code page.
std::string NomVersConsole(const std::string& nom);

// The console receives the program's bytes unchanged. The texts end their lines with CR LF where
// the interactive run writes them; on Windows the C run-time opens stdout and stderr in text mode,
// which would turn each LF into CR LF again (CR CR LF): both are set to binary mode. Standard input
// keeps its text mode.
void ConsoleBinaire();

// One line, already in the console's encoding, on a console stream, with the system's line end.
void EcrireConsole(std::FILE* flux, const std::string& ligne);

// A failure of the run told by the command-line mode: "FICHIER:LIGNE: message" (no LIGNE when it
// is 0) on the standard error stream, the Windows-1252 message in the console's encoding.
void Diagnostic(const std::string& fichier, std::int32_t ligne, const std::string& message);
