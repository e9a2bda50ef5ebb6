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
// it is then no longer open, and nothing will show it. An error raised with no message of its own
// is told in the command-line mode by its words in French.
void ErreurExecution(const std::string& mots, std::int32_t ligne, const std::string& message) {
  std::fflush(stdout);
  const bool modeCommande = Structure != nullptr && Structure->ModeCommande;
  if (Structure != nullptr && Structure->RapportOuvert) {
    Structure->RapportOuvert = false;
    Structure->Rapport.Abandonner();
  }
  if (modeCommande) {
    const bool capacite = mots == Textes::HorsLimites;
    Diagnostic(Structure->NomFichier + Textes::ExtensionDonnees, ligne,
               !message.empty() ? message
               : capacite       ? Textes::DepassementCapacite
                                : mots);
  } else {
    const std::string texte = mots + "\r\n";
    std::fwrite(texte.data(), 1, texte.size(), stderr);
    std::fflush(stderr);
  }
  throw EErreurExecution{mots};
}

void ErreurHorsLimites() { ErreurExecution(Textes::HorsLimites); }

// A failed operation on a file: "I/O error" with the system's error number; the command-line mode
// tells what failed and why.
[[noreturn]] static void ErreurEntreeSortie(int numero, const std::string& quoi) {
  ErreurExecution(Textes::ErreurES + std::to_string(numero), 0, quoi + RaisonSysteme(numero));
}

[[noreturn]] static void ErreurEcriture(int numero) {
  ErreurEntreeSortie(numero, Textes::EcritureImpossible);
}

std::string RaisonSysteme(int numero) {
  switch (numero) {
    case ENOENT:
      return Textes::RaisonIntrouvable;
    case EACCES:
    case EPERM:
      return Textes::RaisonAccesRefuse;
    case EISDIR:
      return Textes::RaisonDossier;
    case ENOTDIR:
      return Textes::RaisonCheminDossier;
    case ENAMETOOLONG:
      return Textes::RaisonNomTropLong;
    case ENOSPC:
      return Textes::RaisonDisquePlein;
    case EROFS:
      return Textes::RaisonLectureSeule;
    case EBADF:
      return Textes::RaisonNonOuvert;
    default:
      return Textes::RaisonErreurSysteme + std::to_string(numero);
  }
}

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
  std::string message = attendu + std::string(Textes::AttenduLu) + Textes::GuillemetOuvrant +
                        jeton + Textes::GuillemetFermant;
  if (jeton.find(',') != std::string::npos) message += Textes::VirguleDecimale;
  ErreurExecution(Textes::SaisieNumeriqueInvalide, LigneJeton, message);
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

// ---------------------------------------------------------------------------------------------
// The model
// ---------------------------------------------------------------------------------------------

// The lists are freed first, then the finished report is closed and shown. A failure to close is
// told while the global still refers to this structure (its mode and its names); once the
// destructor ends, by either way, the global refers to no structure.
TStructure::~TStructure() noexcept(false) {
  struct TOubli {
    const TStructure* Oublie;
    ~TOubli() {
      if (Structure == Oublie) Structure = nullptr;
    }
  } oubli{this};
  Elements.Vider();
  Liaisons.Vider();
  Charges.Vider();
  if (RapportOuvert) {
    RapportOuvert = false;
    Rapport.Fermer();
    if (Montrer) OuvrirVisionneuse(NomFichier + Textes::ExtensionRapport);
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

// Opens the data file; a directory counts as a file that cannot be opened. On failure errno tells
// why.
TFichierLu OuvrirDonnees(const std::string& nom) {
  errno = ENOENT;
  TFichierLu fichier(NomDeFichier(nom) ? std::fopen(nom.c_str(), "rb") : nullptr);
  struct stat etat;
  if (fichier && (fstat(fileno(fichier.get()), &etat) != 0 || S_ISDIR(etat.st_mode))) {
    fichier.reset();
    errno = EISDIR;
  }
  return fichier;
}

void LigneConsole(const std::string& texte) {
  const std::string ligne = texte + "\r\n";
  std::fwrite(ligne.data(), 1, ligne.size(), stdout);
}

// A text saved as UTF-8 with a byte-order mark begins with these three bytes.
bool CommenceParMarqueUtf8(const std::string& ligne) { return ligne.rfind("\xEF\xBB\xBF", 0) == 0; }

// A section's count, on the line after its keyword, the rest of that line discarded; ligneCompte
// receives its line.
std::int32_t LireCompte(TTexteLu& donnees, std::int32_t& ligneCompte) {
  const std::int32_t compte = donnees.LireEntier(Textes::AttenduCompte);
  ligneCompte = donnees.LigneLue();
  donnees.FinirLigne();
  return compte;
}

// The capacity of a list is checked when the item beyond it would be stored, as the arrays do;
// the command-line mode points at the count that asks for it.
void VerifierCapacite(std::int32_t i, std::int32_t capacite, std::int32_t ligneCompte,
                      const char* section) {
  if (i <= capacite) return;
  ErreurExecution(Textes::HorsLimites, ligneCompte,
                  Textes::CompteTropGrandDebut + std::string(section) +
                      Textes::CompteTropGrandMilieu + std::to_string(capacite));
}
}  // namespace

// Tells a failure of the data: in the command-line mode always, as a diagnostic at its line; in the
// interactive run only the reader's checks (console), on the console.
void TStructure::Signaler(std::int32_t ligne, const std::string& message, bool console) const {
  if (ModeCommande) {
    Diagnostic(NomFichier + Textes::ExtensionDonnees, ligne, message);
  } else if (console) {
    LigneConsole(message);
  }
}

// Asks for the name (the command-line mode gives it), opens the data file and creates the report,
// then reads the sections between "$deb" and "$fin". True when the data were read to the end and
// every number they name exists; false when the run must stop.
bool TStructure::LireDonnees() {
  if (!ModeCommande) {
    std::fputs(Textes::Invite, stdout);
    std::fflush(stdout);
    TTexteLu console(stdin);
    NomFichier = console.LireLigne();
  }
  if (NomFichier.empty()) return false;

  const std::string nomDonnees = (NomFichier + Textes::ExtensionDonnees).substr(0, LongueurNomMax);
  TFichierLu fichier = OuvrirDonnees(nomDonnees);
  if (!fichier) {
    Signaler(0, Textes::OuvertureImpossible + RaisonSysteme(errno), false);
    return false;
  }
  const std::string nomRapport = NomFichier + Textes::ExtensionRapport;
  if (!Rapport.Creer(nomRapport)) {
    Signaler(0, Textes::CreationImpossible + RaisonSysteme(errno), false);
    return false;
  }
  RapportOuvert = true;
  Rapport.Ligne(Textes::LectureFichier + nomDonnees);

  TTexteLu donnees(fichier.get());
  bool marqueUtf8 = false;
  std::int32_t ligneDebut = 0;
  for (;;) {
    if (donnees.Fin()) {
      Signaler(0, marqueUtf8 ? Textes::SansDebutMarqueUtf8 : Textes::SansDebut, false);
      return false;
    }
    ligneDebut = donnees.LigneSuivante();
    const std::string ligne = donnees.LireLigne();
    marqueUtf8 = marqueUtf8 || (ligneDebut == 1 && CommenceParMarqueUtf8(ligne));
    if (EstMotCle(Textes::MotDebut, ligne)) break;
  }

  for (;;) {
    if (donnees.Fin()) {
      Signaler(ligneDebut, Textes::RienApresDebut, false);
      return false;
    }
    const std::string ligne = donnees.LireLigne();
    if (EstMotCle(Textes::MotFin, ligne)) return VerifierReferences();
    if (!LireSection(donnees, ligne)) return false;
    if (donnees.Fin()) return VerifierReferences();
  }
}

// Once the data are read, every node and element number is checked against the model as read
// (a node beyond NbNoeuds has no abscissa of its own, and its degrees of freedom lie outside the
// system solved): elements, then supports, then loads, each failing item with its console line.
// A support whose code blocks nothing names a node that nothing uses, and is not checked.
bool TStructure::VerifierReferences() {
  const auto existe = [](std::int32_t numero, std::int32_t nombre) {
    return numero >= 1 && numero <= nombre;
  };
  const auto noeud = [](std::int32_t n) { return std::to_string(n) + Textes::QuiNExistePas; };
  bool valide = true;
  const auto refuser = [this, &valide](std::int32_t ligne, const std::string& message) {
    Signaler(ligne, message, true);
    valide = false;
  };
  for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
    const TElement& element = Elements.Item(i);
    const std::string debut = Textes::ElementRelie + std::to_string(i) + Textes::RelieLeNoeud;
    if (!existe(element.NoeudI, NbNoeuds)) {
      refuser(element.Ligne, debut + noeud(element.NoeudI));
    } else if (!existe(element.NoeudJ, NbNoeuds)) {
      refuser(element.Ligne, debut + noeud(element.NoeudJ));
    }
  }
  for (std::int32_t i = 1; i <= Liaisons.Nombre; ++i) {
    const TLiaison& liaison = Liaisons.Item(i);
    const bool bloque = liaison.Code >= 1 && liaison.Code <= 3;
    if (bloque && !existe(liaison.Noeud, NbNoeuds)) {
      refuser(liaison.Ligne,
              Textes::Liaison + std::to_string(i) + Textes::PorteSurLeNoeud + noeud(liaison.Noeud));
    }
  }
  for (std::int32_t i = 1; i <= Charges.Nombre; ++i) {
    const TCharge& charge = Charges.Item(i);
    const std::string debut = Textes::Charge + std::to_string(i);
    if (charge.Code == 1 && !existe(charge.Numero, NbNoeuds)) {
      refuser(charge.Ligne, debut + Textes::PorteSurLeNoeud + noeud(charge.Numero));
    } else if (charge.Code != 1 && !existe(charge.Numero, Elements.Nombre)) {
      refuser(charge.Ligne, debut + Textes::PorteSurLElement + std::to_string(charge.Numero) +
                                Textes::QuiNExistePas);
    }
  }
  return valide;
}

// Reads the section that the keyword line announces, if it is one: a count, the rest of its line
// discarded, then one item per line, the rest of each item's line discarded. A count read again
// replaces the whole list. False when an element is refused.
bool TStructure::LireSection(TTexteLu& donnees, const std::string& ligne) {
  if (EstMotCle(Textes::MotNoeuds, ligne)) LireSectionNoeuds(donnees);
  if (EstMotCle(Textes::MotElements, ligne)) return LireElements(donnees);
  if (EstMotCle(Textes::MotLiaisons, ligne)) LireSectionLiaisons(donnees);
  if (EstMotCle(Textes::MotCharges, ligne)) LireSectionCharges(donnees);
  return true;
}

// Node i is the i-th abscissa (m).
void TStructure::LireSectionNoeuds(TTexteLu& donnees) {
  std::int32_t ligneCompte = 0;
  NbNoeuds = LireCompte(donnees, ligneCompte);
  for (std::int32_t i = 1; i <= NbNoeuds; ++i) {
    VerifierCapacite(i, CapNoeuds, ligneCompte, Textes::MotNoeuds);
    X[i] = donnees.LireReel();
    donnees.FinirLigne();
  }
}

// A support: its code (1 deflection blocked, 2 slope blocked, 3 clamped), then its node.
void TStructure::LireSectionLiaisons(TTexteLu& donnees) {
  Liaisons.Vider();
  std::int32_t ligneCompte = 0;
  Liaisons.Nombre = LireCompte(donnees, ligneCompte);
  for (std::int32_t i = 1; i <= Liaisons.Nombre; ++i) {
    VerifierCapacite(i, CapLiaisons, ligneCompte, Textes::MotLiaisons);
    TLiaison& liaison = Liaisons.Nouveau(i);
    liaison.Code = donnees.LireEntier(Textes::AttenduEntier);
    liaison.Ligne = donnees.LigneLue();
    liaison.Noeud = donnees.LireEntier(Textes::AttenduEntier);
    donnees.FinirLigne();
  }
}

// A load: its code, its node (code 1) or element (any other code), then Fy (N) and Mz (N.m) at
// the node, or the intensity py (N/m) along the element.
void TStructure::LireSectionCharges(TTexteLu& donnees) {
  Charges.Vider();
  std::int32_t ligneCompte = 0;
  Charges.Nombre = LireCompte(donnees, ligneCompte);
  for (std::int32_t i = 1; i <= Charges.Nombre; ++i) {
    VerifierCapacite(i, CapCharges, ligneCompte, Textes::MotCharges);
    TCharge& charge = Charges.Nouveau(i);
    charge.Code = donnees.LireEntier(Textes::AttenduEntier);
    charge.Ligne = donnees.LigneLue();
    charge.Numero = donnees.LireEntier(Textes::AttenduEntier);
    charge.P = donnees.LireReel();
    if (charge.Code == 1) charge.Mz = donnees.LireReel();
    donnees.FinirLigne();
  }
}

// Elements, each checked as soon as it is read: a node outside the node array is a range error; a
// length below LongueurMin (a negative one too) or an Iz below IzMin is refused with its console
// line, and the reading stops.
bool TStructure::LireElements(TTexteLu& donnees) {
  Elements.Vider();
  std::int32_t ligneCompte = 0;
  Elements.Nombre = LireCompte(donnees, ligneCompte);
  for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
    VerifierCapacite(i, CapElements, ligneCompte, Textes::MotElements);
    TElement& element = Elements.Nouveau(i);
    element.NoeudI = donnees.LireEntier(Textes::AttenduEntier);
    element.Ligne = donnees.LigneLue();
    element.NoeudJ = donnees.LireEntier(Textes::AttenduEntier);
    element.E = donnees.LireReel();
    element.Iz = donnees.LireReel();
    donnees.FinirLigne();
    for (std::int32_t n : {element.NoeudI, element.NoeudJ}) {
      if (n < 1 || n > CapNoeuds) {
        ErreurExecution(Textes::HorsLimites, element.Ligne,
                        Textes::ElementRelie + std::to_string(i) + Textes::RelieLeNoeud +
                            std::to_string(n) + Textes::NoeudHorsCapacite);
      }
    }
    const std::string numero = std::to_string(i);
    if (TEtendu(element.Longueur()) < LongueurMin) {
      Signaler(element.Ligne, Textes::LongueurNulleDebut + numero + Textes::LongueurNulleFin, true);
      return false;
    }
    if (TEtendu(element.Iz) < IzMin) {
      Signaler(element.Ligne, Textes::IzNulDebut + numero + Textes::IzNulFin, true);
      return false;
    }
  }
  return true;
}
