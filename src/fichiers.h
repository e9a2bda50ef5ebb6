// The program's text files: the data file (and the console's typed name), read line by line or
// number by number, and the report, written line by line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

constexpr std::size_t LongueurNomMax = 80;  // typed name and data-file lines, in characters

// A text file read line by line or number by number. Lines end at LF or CR LF; a lone CR is no
// line end and is left out of a line read as text; a Ctrl-Z (code 26) ends the file. The console
// (the typed name) is read by the same rules.
class TTexteLu {
 public:
  explicit TTexteLu(std::FILE* fichier) : Fichier(fichier) {}
  bool Fin();               // at the end of the file, or before a Ctrl-Z
  std::string LireLigne();  // the next line, its first 80 characters; the rest is discarded
  void FinirLigne();        // discards the rest of the current line, its line end included
  // A free-format integer; 0 at the end of the file. `attendu` names it in a diagnostic.
  std::int32_t LireEntier(const char* attendu);
  double LireReel();  // a free-format real; 0 at the end of the file
  // 1-based lines: of the last number read, and of the next byte.
  std::int32_t LigneLue() const { return LigneJeton; }
  std::int32_t LigneSuivante() const { return Ligne; }

 private:
  int Regarder();  // the next byte, not consumed, or FinFichier
  void Avancer();
  std::string LireJeton();
  [[noreturn]] void ErreurSaisieNumerique(const std::string& jeton, const char* attendu) const;
  static constexpr int FinFichier = -1;
  std::FILE* Fichier;
  int Suivant = -2;             // byte looked at and not yet consumed; -2: none
  std::int32_t Ligne = 1;       // line of the next byte
  std::int32_t LigneJeton = 1;  // line of the last token
};

// A data file open for reading, closed when it goes.
struct TFermerFichier {
  void operator()(std::FILE* fichier) const { std::fclose(fichier); }
};
using TFichierLu = std::unique_ptr<std::FILE, TFermerFichier>;

// Opens a file for reading; a directory counts as a file that cannot be opened, and so does a name
// holding a NUL byte. On failure errno tells why.
TFichierLu OuvrirFichierLu(const std::string& nom);

// The report file: written only, every line ended by CR LF, every write checked. A failed write,
// flush or close is the run-time error "I/O error" with the system's error number.
class TRapport {
 public:
  bool Creer(const std::string& nom);  // creates or replaces the file; false if it cannot be
  void Ecrire(const std::string& texte);
  void FinLigne();
  void Ligne(const std::string& texte);  // the text, then CR LF
  void Fermer();
  void Abandonner();  // after a run-time error: closes without any check or message
  ~TRapport();

 private:
  static constexpr std::size_t TailleTampon = 1 << 16;
  std::FILE* Fichier = nullptr;
};
