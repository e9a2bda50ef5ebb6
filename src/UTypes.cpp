// The model, the run-time error, the text files, and the reader of the data file.
#include "UTypes.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "textes.h"

TStructure* Structure = nullptr;

// ---------------------------------------------------------------------------------------------
// Run-time errors
// ---------------------------------------------------------------------------------------------

// The console is flushed first so that the prompt stands before the message; the report is closed
// without checks (a failed write may be why we are here) so that what it holds reaches the disk;
// it is then no longer open, and nothing will show it.
void ErreurExecution(const std::string& mots) {
  std::fflush(stdout);
  if (Structure != nullptr && Structure->RapportOuvert) {
    Structure->RapportOuvert = false;
    Structure->Rapport.Abandonner();
  }
  const std::string message = mots + "\r\n";
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fflush(stderr);
  throw EErreurExecution{mots};
}

void ErreurHorsLimites() { ErreurExecution(Textes::HorsLimites); }

[[noreturn]] static void ErreurSaisieNumerique() {
  ErreurExecution(Textes::SaisieNumeriqueInvalide);
}

// A failed operation on a file: "I/O error" with the system's error number.
[[noreturn]] static void ErreurEntreeSortie(int numero) {
  ErreurExecution(Textes::ErreurES + std::to_string(numero));
}

// ---------------------------------------------------------------------------------------------
// Text files read
// ---------------------------------------------------------------------------------------------

int TTexteLu::Regarder() {
  if (Suivant == -2) {
    const int c = std::getc(Fichier);
    if (c == EOF && std::ferror(Fichier)) ErreurEntreeSortie(errno);
    Suivant = (c == EOF || c == 26) ? FinFichier : c;  // Ctrl-Z ends the file
  }
  return Suivant;
}

// The end of the file is sticky: nothing is read past it, not even past a Ctrl-Z.
void TTexteLu::Avancer() {
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

// An integer: decimal digits with an optional sign, within 32 bits.
std::int32_t TTexteLu::LireEntier() {
  const std::string jeton = LireJeton();
  if (jeton.empty()) {
    if (Fin()) return 0;  // a number asked for at the end of the file reads 0
    ErreurSaisieNumerique();
  }
  std::size_t i = 0;
  SauterSigne(jeton, i);
  const bool negatif = jeton[0] == '-';
  const std::size_t debutChiffres = i;
  if (!SauterChiffres(jeton, i) || i != jeton.size()) ErreurSaisieNumerique();
  std::int64_t valeur = 0;
  for (std::size_t j = debutChiffres; j < jeton.size(); ++j) {
    valeur = valeur * 10 + (jeton[j] - '0');
    if (valeur > std::int64_t{INT32_MAX} + 1) ErreurSaisieNumerique();
  }
  if (negatif) valeur = -valeur;
  if (valeur > INT32_MAX) ErreurSaisieNumerique();
  return static_cast<std::int32_t>(valeur);
}

// A real: optional sign, digits, an optional "." with its decimals, an optional exponent. The
// shape is checked here, since the library's conversion also takes forms this format refuses
// (inf, nan, hexadecimal, leading point). A value beyond the doubles is refused; one that
// underflows reads as the nearest double, zero or subnormal.
double TTexteLu::LireReel() {
  const std::string jeton = LireJeton();
  if (jeton.empty()) {
    if (Fin()) return 0;
    ErreurSaisieNumerique();
  }
  std::size_t i = 0;
  SauterSigne(jeton, i);
  if (!SauterChiffres(jeton, i)) ErreurSaisieNumerique();
  if (i < jeton.size() && jeton[i] == '.') {
    ++i;
    SauterChiffres(jeton, i);
  }
  if (i < jeton.size() && (jeton[i] == 'e' || jeton[i] == 'E')) {
    ++i;
    SauterSigne(jeton, i);
    if (!SauterChiffres(jeton, i)) ErreurSaisieNumerique();
  }
  if (i != jeton.size()) ErreurSaisieNumerique();
  const double valeur = std::strtod(jeton.c_str(), nullptr);
  if (std::isinf(valeur)) ErreurSaisieNumerique();
  return valeur;
}

// ---------------------------------------------------------------------------------------------
// The report file
// ---------------------------------------------------------------------------------------------

// A name typed with a NUL byte in it names no file: the system would read it only up to the NUL,
// and so open or replace another file than the one named.
static bool NomDeFichier(const std::string& nom) { return nom.find('\0') == std::string::npos; }

// The report goes through one buffer large enough for a whole report of the largest model (about
// 56 kB), so that it reaches the file in one write; every failure still shows, at the latest when
// the file is closed.
bool TRapport::Creer(const std::string& nom) {
  Fichier = NomDeFichier(nom) ? std::fopen(nom.c_str(), "wb") : nullptr;
  if (Fichier != nullptr) std::setvbuf(Fichier, nullptr, _IOFBF, TailleTampon);
  return Fichier != nullptr;
}

void TRapport::Ecrire(const std::string& texte) {
  if (std::fwrite(texte.data(), 1, texte.size(), Fichier) != texte.size())
    ErreurEntreeSortie(errno);
}

void TRapport::FinLigne() { Ecrire("\r\n"); }

void TRapport::Ligne(const std::string& texte) {
  Ecrire(texte);
  FinLigne();
}

// The buffer is flushed and the file closed; a failure of either, such as a full disk, is an
// error even though every earlier write seemed to succeed.
void TRapport::Fermer() {
  std::FILE* fichier = Fichier;
  Fichier = nullptr;
  if (std::fclose(fichier) != 0) ErreurEntreeSortie(errno);
}

void TRapport::Abandonner() {
  if (Fichier != nullptr) std::fclose(Fichier);
  Fichier = nullptr;
}

TRapport::~TRapport() { Abandonner(); }

// ---------------------------------------------------------------------------------------------
// The model
// ---------------------------------------------------------------------------------------------

// The lists are freed first, then the finished report is closed and shown. From here on the
// global refers to no structure, whatever happens while closing.
TStructure::~TStructure() noexcept(false) {
  if (Structure == this) Structure = nullptr;
  Elements.Vider();
  Liaisons.Vider();
  Charges.Vider();
  if (RapportOuvert) {
    RapportOuvert = false;
    Rapport.Fermer();
    OuvrirVisionneuse(NomFichier + Textes::ExtensionRapport);
  }
}

// Signed length X[NoeudJ] - X[NoeudI], m, read through the global structure.
double TElement::Longueur() const { return Structure->X[NoeudJ] - Structure->X[NoeudI]; }

std::int32_t TElements::Indice(const TElement* element) const {
  for (std::int32_t i = 1; i <= Nombre && i <= CapElements; ++i) {
    if (Items[i] == element) return i;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// The data-file reader
// ---------------------------------------------------------------------------------------------

// Keyword test: both strings cut to 80 characters, every space removed, a to z upper-cased (and
// nothing else: an accented letter stays itself); true when the line then begins with the keyword.
static std::string FormeMotCle(const std::string& texte) {
  std::string forme;
  for (char c : texte.substr(0, LongueurNomMax)) {
    if (c == ' ') continue;
    forme += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return forme;
}

bool EstMotCle(const std::string& MotCle, const std::string& Ligne) {
  const std::string mot = FormeMotCle(MotCle);
  return FormeMotCle(Ligne).compare(0, mot.size(), mot) == 0;
}

namespace {
struct FermerFichier {
  void operator()(std::FILE* fichier) const { std::fclose(fichier); }
};
using TFichierLu = std::unique_ptr<std::FILE, FermerFichier>;

// Opens the data file; a directory counts as a file that cannot be opened.
TFichierLu OuvrirDonnees(const std::string& nom) {
  TFichierLu fichier(NomDeFichier(nom) ? std::fopen(nom.c_str(), "rb") : nullptr);
  struct stat etat;
  if (fichier && (fstat(fileno(fichier.get()), &etat) != 0 || S_ISDIR(etat.st_mode))) {
    fichier.reset();
  }
  return fichier;
}

void LigneConsole(const std::string& texte) {
  const std::string ligne = texte + "\r\n";
  std::fwrite(ligne.data(), 1, ligne.size(), stdout);
}
}  // namespace

// Asks for the name, opens the data file and creates the report, then reads the sections between
// "$deb" and "$fin". True when the data were read to the end; false when the run must stop.
bool TStructure::LireDonnees() {
  std::fputs(Textes::Invite, stdout);
  std::fflush(stdout);
  TTexteLu console(stdin);
  NomFichier = console.LireLigne();
  if (NomFichier.empty()) return false;

  const std::string nomDonnees = (NomFichier + Textes::ExtensionDonnees).substr(0, LongueurNomMax);
  TFichierLu fichier = OuvrirDonnees(nomDonnees);
  if (!fichier) return false;
  if (!Rapport.Creer(NomFichier + Textes::ExtensionRapport)) return false;
  RapportOuvert = true;
  Rapport.Ligne(Textes::LectureFichier + nomDonnees);

  TTexteLu donnees(fichier.get());
  do {
    if (donnees.Fin()) return false;
  } while (!EstMotCle(Textes::MotDebut, donnees.LireLigne()));

  for (;;) {
    if (donnees.Fin()) return false;
    const std::string ligne = donnees.LireLigne();
    if (EstMotCle(Textes::MotFin, ligne)) return true;
    if (!LireSection(donnees, ligne)) return false;
    if (donnees.Fin()) return true;
  }
}

// Reads the section that the keyword line announces, if it is one: a count, the rest of its line
// discarded, then one item per line, the rest of each item's line discarded. A count read again
// replaces the whole list. False when an element is refused.
bool TStructure::LireSection(TTexteLu& donnees, const std::string& ligne) {
  if (EstMotCle(Textes::MotNoeuds, ligne)) {
    NbNoeuds = donnees.LireEntier();
    donnees.FinirLigne();
    for (std::int32_t i = 1; i <= NbNoeuds; ++i) {
      double& abscisse = X[i];  // the capacity is checked before the number is read
      abscisse = donnees.LireReel();
      donnees.FinirLigne();
    }
  } else if (EstMotCle(Textes::MotElements, ligne)) {
    return LireElements(donnees);
  } else if (EstMotCle(Textes::MotLiaisons, ligne)) {
    Liaisons.Vider();
    Liaisons.Nombre = donnees.LireEntier();
    donnees.FinirLigne();
    for (std::int32_t i = 1; i <= Liaisons.Nombre; ++i) {
      TLiaison& liaison = Liaisons.Nouveau(i);
      liaison.Code = donnees.LireEntier();
      liaison.Noeud = donnees.LireEntier();
      donnees.FinirLigne();
    }
  } else if (EstMotCle(Textes::MotCharges, ligne)) {
    Charges.Vider();
    Charges.Nombre = donnees.LireEntier();
    donnees.FinirLigne();
    for (std::int32_t i = 1; i <= Charges.Nombre; ++i) {
      TCharge& charge = Charges.Nouveau(i);
      charge.Code = donnees.LireEntier();
      charge.Numero = donnees.LireEntier();
      charge.P = donnees.LireReel();
      if (charge.Code == 1) charge.Mz = donnees.LireReel();
      donnees.FinirLigne();
    }
  }
  return true;
}

// Elements, each checked as soon as it is read: a length below LongueurMin (a negative one too)
// or an Iz below IzMin is refused with its console line, and the reading stops.
bool TStructure::LireElements(TTexteLu& donnees) {
  Elements.Vider();
  Elements.Nombre = donnees.LireEntier();
  donnees.FinirLigne();
  for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
    TElement& element = Elements.Nouveau(i);
    element.NoeudI = donnees.LireEntier();
    element.NoeudJ = donnees.LireEntier();
    element.E = donnees.LireReel();
    element.Iz = donnees.LireReel();
    donnees.FinirLigne();
    if (TEtendu(element.Longueur()) < LongueurMin) {
      LigneConsole(Textes::LongueurNulleDebut + std::to_string(i) + Textes::LongueurNulleFin);
      return false;
    }
    if (TEtendu(element.Iz) < IzMin) {
      LigneConsole(Textes::IzNulDebut + std::to_string(i) + Textes::IzNulFin);
      return false;
    }
  }
  return true;
}
