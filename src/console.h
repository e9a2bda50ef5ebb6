// The console of the command-line mode, and the program's one conversion of its texts to UTF-8.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The Unicode character of a Windows-1252 byte: the bytes below 0x80 and from 0xA0 up are the
// code points of the same value, 0x80 to 0x9F the characters this set puts there; the five it
// leaves undefined are U+FFFD.
unsigned PointWindows1252(unsigned char octet);

// Windows-1252 to UTF-8, character by character (PointWindows1252). The console (when UTF-8),
// the drawing and the JSON results use it.
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

// A diagnostic of the command-line mode: an error (the run has no complete report, or a doubtful
// one) or a warning (the run goes on).
enum class TGravite { Erreur, Attention };

struct TDiagnostic {
  std::int32_t Ligne = 0;  // line of the data file, 0 when the diagnostic has none
  TGravite Gravite = TGravite::Erreur;
  std::string Message;  // the program's Windows-1252 text
};

// A failure of the run, or a warning, told by the command-line mode: "FICHIER:LIGNE: message" (no
// LIGNE when it is 0) on the standard error stream, the Windows-1252 message in the console's
// encoding. It is also kept in the list that RecueillirDiagnostics names, if any.
void Diagnostic(const std::string& fichier, std::int32_t ligne, const std::string& message,
                TGravite gravite = TGravite::Erreur);

// Keeps every diagnostic told from now on in `recueil` (nullptr: in none), for the run's JSON
// object. The list must outlive the collection.
void RecueillirDiagnostics(std::vector<TDiagnostic>* recueil);
