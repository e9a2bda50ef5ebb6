// The program's text files: the data file read by lines and by numbers, and the report written by
// lines, every failure a run-time error.
#include "fichiers.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "erreurs.h"
#include "textes.h"

// ---------------------------------------------------------------------------------------------
// Text files read
// ---------------------------------------------------------------------------------------------

int TTexteLu::Regarder() {
  if (Suivant == -2) {
    const int c = std::getc(Fichier);
    if (c == EOF && std::ferror(Fichier)) ErreurEntreeSortie(errno, Textes::LectureImpossible);
    Suivant = (c == EOF || c == 26) ? FinFichier : c;  // Ctrl-Z ends the file
  }
  return Suivant;
}

// The end of the file is sticky: nothing is read past it, not even past a Ctrl-Z.
void TTexteLu::Avancer() {
  if (Suivant == '\n' && Ligne < INT32_MAX) ++Ligne;  // a line count that cannot overflow
  if (Suivant != FinFichier) Suivant = -2;
}

bool TTexteLu::Fin() { return Regarder() == FinFichier; }

std::string TTexteLu::LireLigne() {
  std::string ligne;
  for (int c = Regarder(); c != FinFichier; c = Regarder()) {
    Avancer();
    if (c == '\n') break;
    if (c != '\r' && ligne.size() < LongueurNomMax) ligne += static_cast<char>(c);
  }
  return ligne;
}

void TTexteLu::FinirLigne() {
  for (int c = Regarder(); c != FinFichier; c = Regarder()) {
    Avancer();
    if (c == '\n') break;
  }
}

// Skips blanks, tabs and line ends (a CR is skipped like a line end), then takes the characters up
// to the next blank, tab or control character (code below 32, line ends included). DEL and the
// bytes from 128 up belong to the token, which then is no number. Empty at the end of the file,
// and also when a control character stands where the token would start.
std::string TTexteLu::LireJeton() {
  int c = Regarder();
  while (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
    Avancer();
    c = Regarder();
  }
  LigneJeton = Ligne;
  std::string jeton;
  while (c != FinFichier && c != ' ' && c >= 32) {
    jeton += static_cast<char>(c);
    Avancer();
    c = Regarder();
  }
  return jeton;
}

static bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

// Advances i over a run of decimal digits; true when there was at least one.
static bool SauterChiffres(const std::string& s, std::size_t& i) {
  const std::size_t debut = i;
  while (i < s.size() && EstChiffre(s[i])) ++i;
  return i > debut;
}

static void SauterSigne(const std::string& s, std::size_t& i) {
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
}

// "Invalid numeric input". The command-line mode quotes the token and says what was expected; a
// decimal comma, the commonest slip, is pointed at.
void TTexteLu::ErreurSaisieNumerique(const std::string& jeton, const char* attendu) const {
  const bool virgule = jeton.find(',') != std::string::npos;
  ErreurExecution(
      Textes::SaisieNumeriqueInvalide, LigneJeton,
      Remplir(virgule ? Textes::AttenduLuVirgule : Textes::AttenduLu, {attendu, jeton}));
}

// An integer: decimal digits with an optional sign, within 32 bits.
std::int32_t TTexteLu::LireEntier(const char* attendu) {
  const std::string jeton = LireJeton();
  if (jeton.empty()) {
    if (Fin()) return 0;  // a number asked for at the end of the file reads 0
    ErreurSaisieNumerique(jeton, attendu);
  }
  std::size_t i = 0;
  SauterSigne(jeton, i);
  const bool negatif = jeton[0] == '-';
  const std::size_t debutChiffres = i;
  if (!SauterChiffres(jeton, i) || i != jeton.size()) ErreurSaisieNumerique(jeton, attendu);
  std::int64_t valeur = 0;
  for (std::size_t j = debutChiffres; j < jeton.size(); ++j) {
    valeur = valeur * 10 + (jeton[j] - '0');
    if (valeur > std::int64_t{INT32_MAX} + 1) ErreurSaisieNumerique(jeton, attendu);
  }
  if (negatif) valeur = -valeur;
  if (valeur > INT32_MAX) ErreurSaisieNumerique(jeton, attendu);
  return static_cast<std::int32_t>(valeur);
}

// A real: optional sign, digits, an optional "." with its decimals, an optional exponent; the
// digits before the point may be left out (".5", "-.5E3"), but then at least one must follow it.
// The shape is checked here, since the library's conversion also takes forms this format refuses
// (inf, nan, hexadecimal). A value beyond the doubles is refused; one that underflows reads as the
// nearest double, zero or subnormal.
double TTexteLu::LireReel() {
  const std::string jeton = LireJeton();
  if (jeton.empty()) {
    if (Fin()) return 0;
    ErreurSaisieNumerique(jeton, Textes::AttenduReel);
  }
  std::size_t i = 0;
  SauterSigne(jeton, i);
  bool chiffres = SauterChiffres(jeton, i);
  if (i < jeton.size() && jeton[i] == '.') {
    ++i;
    chiffres = SauterChiffres(jeton, i) || chiffres;
  }
  if (!chiffres) ErreurSaisieNumerique(jeton, Textes::AttenduReel);
  if (i < jeton.size() && (jeton[i] == 'e' || jeton[i] == 'E')) {
    ++i;
    SauterSigne(jeton, i);
    if (!SauterChiffres(jeton, i)) ErreurSaisieNumerique(jeton, Textes::AttenduReel);
  }
  if (i != jeton.size()) ErreurSaisieNumerique(jeton, Textes::AttenduReel);
  const double valeur = std::strtod(jeton.c_str(), nullptr);
  if (std::isinf(valeur)) ErreurSaisieNumerique(jeton, Textes::ReelTropGrand);
  return valeur;
}

// ---------------------------------------------------------------------------------------------
// Opening a file, and the report file
// ---------------------------------------------------------------------------------------------

// A name typed with a NUL byte in it names no file: the system would read it only up to the NUL,
// and so open or replace another file than the one named.
static bool NomDeFichier(const std::string& nom) { return nom.find('\0') == std::string::npos; }

TFichierLu OuvrirFichierLu(const std::string& nom) {
  errno = ENOENT;
  TFichierLu fichier(NomDeFichier(nom) ? std::fopen(nom.c_str(), "rb") : nullptr);
  struct stat etat;
  if (fichier && (fstat(fileno(fichier.get()), &etat) != 0 || S_ISDIR(etat.st_mode))) {
    fichier.reset();
    errno = EISDIR;
  }
  return fichier;
}

[[noreturn]] static void ErreurEcriture(int numero) {
  ErreurEntreeSortie(numero, Textes::EcritureImpossible);
}

// The report goes through one buffer large enough for a whole report of the largest model (about
// 56 kB), so that it reaches the file in one write; every failure still shows, at the latest when
// the file is closed.
bool TRapport::Creer(const std::string& nom) {
  Fichier = NomDeFichier(nom) ? std::fopen(nom.c_str(), "wb") : nullptr;
  if (Fichier != nullptr) std::setvbuf(Fichier, nullptr, _IOFBF, TailleTampon);
  return Fichier != nullptr;
}

// Writing to a report that is not open (never created, or already closed) is an I/O error like any
// other failed write, and never reaches the C library.
void TRapport::Ecrire(const std::string& texte) {
  if (Fichier == nullptr) ErreurEcriture(EBADF);
  if (std::fwrite(texte.data(), 1, texte.size(), Fichier) != texte.size()) ErreurEcriture(errno);
}

void TRapport::FinLigne() { Ecrire("\r\n"); }

void TRapport::Ligne(const std::string& texte) {
  Ecrire(texte);
  FinLigne();
}

// The buffer is flushed and the file closed; a failure of either, such as a full disk, is an
// error even though every earlier write seemed to succeed. Closing a report that is not open does
// nothing.
void TRapport::Fermer() {
  std::FILE* fichier = Fichier;
  Fichier = nullptr;
  if (fichier != nullptr && std::fclose(fichier) != 0) ErreurEcriture(errno);
}

void TRapport::Abandonner() {
  if (Fichier != nullptr) std::fclose(Fichier);
  Fichier = nullptr;
}

TRapport::~TRapport() { Abandonner(); }
