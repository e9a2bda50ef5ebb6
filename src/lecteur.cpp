// The reader of the data file: the keyword test, LireDonnees with its sections, and the checks
// made once the data are read.
//
// The data lie between a "$deb" line and a "$fin" line (or the end of the file), in sections that
// start with a keyword line. Every section has one shape: a count on the line after the keyword,
// then that many items, one per line, each a run of free-format numbers; the rest of each line is
// a comment.
#include <cerrno>
#include <string>

#include "UTypes.h"
#include "console.h"
#include "textes.h"

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

void LigneConsole(const std::string& texte) {
  const std::string ligne = texte + "\r\n";
  std::fwrite(ligne.data(), 1, ligne.size(), stdout);
}

// A text saved as UTF-8 with a byte-order mark begins with these three bytes.
bool CommenceParMarqueUtf8(const std::string& ligne) { return ligne.rfind("\xEF\xBB\xBF", 0) == 0; }

// The capacity of a list is checked when the item beyond it would be stored, as the arrays do;
// the command-line mode points at the count that asks for it.
void VerifierCapacite(std::int32_t i, std::int32_t capacite, std::int32_t ligneCompte,
                      const char* section) {
  if (i <= capacite) return;
  ErreurExecution(Textes::HorsLimites, ligneCompte,
                  Remplir(Textes::CompteTropGrand, {section, std::to_string(capacite)}));
}

// The items of a section: its count, on the line after the keyword (the rest of that line
// discarded), stored in `nombre` before any item is read; then items 1 to `nombre`, one per line:
// lire(i) reads the numbers of item i, the rest of its line is discarded, and accepter(i) may
// refuse the item, which ends the reading with false. A count of 0 or less reads no item.
template <typename TLire, typename TAccepter>
bool LireItems(TTexteLu& donnees, std::int32_t& nombre, std::int32_t capacite, const char* mot,
               TLire lire, TAccepter accepter) {
  nombre = donnees.LireEntier(Textes::AttenduCompte);
  const std::int32_t ligneCompte = donnees.LigneLue();
  donnees.FinirLigne();
  for (std::int32_t i = 1; i <= nombre; ++i) {
    VerifierCapacite(i, capacite, ligneCompte, mot);
    lire(i);
    donnees.FinirLigne();
    if (!accepter(i)) return false;
  }
  return true;
}

const auto ToutAccepter = [](std::int32_t) { return true; };

// One number into a field of an item: an integer field takes an integer, a real field a real.
void LireNombre(TTexteLu& donnees, std::int32_t& champ) {
  champ = donnees.LireEntier(Textes::AttenduEntier);
}
void LireNombre(TTexteLu& donnees, double& champ) { champ = donnees.LireReel(); }

// An item's numbers, one per field in the order given; the item stands on the line of its first
// number, which its diagnostics name.
template <typename TItem, typename TPremier, typename... TAutres>
void LireChamps(TTexteLu& donnees, TItem& item, TPremier TItem::*premier,
                TAutres TItem::*... autres) {
  LireNombre(donnees, item.*premier);
  item.Ligne = donnees.LigneLue();
  (LireNombre(donnees, item.*autres), ...);
}

// A section that fills a list: a list read again replaces its items from position 1, so the
// earlier items are freed first; each item is created at its position before its numbers are read.
template <typename TItem, std::int32_t Cap, typename TLire, typename TAccepter>
bool LireListe(TTexteLu& donnees, TListe<TItem, Cap>& liste, const char* mot, TLire lire,
               TAccepter accepter) {
  liste.Vider();
  return LireItems(
      donnees, liste.Nombre, Cap, mot, [&](std::int32_t i) { lire(liste.Nouveau(i)); }, accepter);
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
  TFichierLu fichier = OuvrirFichierLu(nomDonnees);
  if (!fichier) {
    Signaler(0, Remplir(Textes::OuvertureImpossible, {RaisonSysteme(errno)}), false);
    return false;
  }
  const std::string nomRapport = NomFichier + Textes::ExtensionRapport;
  if (!Rapport.Creer(nomRapport)) {
    Signaler(0, Remplir(Textes::CreationImpossible, {RaisonSysteme(errno)}), false);
    return false;
  }
  RapportOuvert = true;
  RapportCree = true;
  Rapport.Ligne(Textes::LectureFichier + nomDonnees);

  TTexteLu donnees(fichier.get());
  std::int32_t ligneDebut = 0;
  if (!ChercherDebut(donnees, ligneDebut)) return false;
  for (;;) {
    if (donnees.Fin()) {
      Signaler(ligneDebut, Textes::RienApresDebut, false);
      return false;
    }
    const std::int32_t numeroLigne = donnees.LigneSuivante();
    const std::string ligne = donnees.LireLigne();
    if (EstMotCle(Textes::MotFin, ligne)) return Verifier();
    AvertirMotCleInconnu(numeroLigne, ligne);
    if (!LireSection(donnees, ligne)) return false;
    if (donnees.Fin()) return Verifier();
  }
}

// Skips the lines up to the first "$deb" line, which ligneDebut receives. False when the file ends
// first; the command-line mode then says so, and points at a UTF-8 byte-order mark that would hide
// a "$deb" on the first line.
bool TStructure::ChercherDebut(TTexteLu& donnees, std::int32_t& ligneDebut) {
  bool marqueUtf8 = false;
  for (;;) {
    if (donnees.Fin()) {
      Signaler(0, marqueUtf8 ? Textes::SansDebutMarqueUtf8 : Textes::SansDebut, false);
      return false;
    }
    ligneDebut = donnees.LigneSuivante();
    const std::string ligne = donnees.LireLigne();
    marqueUtf8 = marqueUtf8 || (ligneDebut == 1 && CommenceParMarqueUtf8(ligne));
    if (EstMotCle(Textes::MotDebut, ligne)) return true;
  }
}

namespace {

// The sections, each read by one operation; their keywords differ in their first four characters,
// so a line matches one of them at most.
struct TSection {
  const char* Mot;
  bool (TStructure::*Lire)(TTexteLu&);
};
const TSection Sections[] = {
    {Textes::MotNoeuds, &TStructure::LireNoeuds},
    {Textes::MotElements, &TStructure::LireElements},
    {Textes::MotLiaisons, &TStructure::LireLiaisons},
    {Textes::MotCharges, &TStructure::LireCharges},
    {Textes::MotRessorts, &TStructure::LireRessorts},
    {Textes::MotTassements, &TStructure::LireTassements},
    {Textes::MotRotules, &TStructure::LireRotules},
    {Textes::MotPonctuelles, &TStructure::LirePonctuelles},
    {Textes::MotTrapezes, &TStructure::LireTrapezes},
};

// True when the text matches one of the keywords of the data, "$deb" and "$fin" included.
bool EstMotClePresque(const std::string& texte) {
  if (EstMotCle(Textes::MotDebut, texte) || EstMotCle(Textes::MotFin, texte)) return true;
  for (const TSection& section : Sections) {
    if (EstMotCle(section.Mot, texte)) return true;
  }
  return false;
}

}  // namespace

// A line of the data that looks like a keyword line (its first character other than a blank is
// "$") and matches none, "$deb" included, is ignored by the reading, as every free text is; the
// command-line mode warns of it, since a keyword mistyped (accented, a synonym) loses its whole
// section. The warning names the line's first word and lists the keywords; a keyword that a tab
// puts out of place (a tab is not a blank for the keyword test) is pointed at.
void TStructure::AvertirMotCleInconnu(std::int32_t numeroLigne, const std::string& ligne) const {
  if (!ModeCommande) return;
  const std::size_t debut = ligne.find_first_not_of(" \t");
  if (debut == std::string::npos || ligne[debut] != '$') return;
  if (EstMotCle(Textes::MotDebut, ligne)) return;
  std::string mots;
  for (const TSection& section : Sections) {
    if (EstMotCle(section.Mot, ligne)) return;
    mots += std::string(section.Mot) + ", ";
  }
  mots += Textes::MotFin;
  const std::string mot = ligne.substr(debut, ligne.find_first_of(" \t", debut) - debut);
  const bool tabulation = ligne.find('\t') < debut && EstMotClePresque(ligne.substr(debut));
  Diagnostic(NomFichier + Textes::ExtensionDonnees, numeroLigne,
             tabulation ? Remplir(Textes::MotCleApresTabulation, {mot})
                        : Remplir(Textes::MotCleInconnu, {mot, mots}),
             TGravite::Attention);
}

// Reads the section that the keyword line announces; a line that is no keyword line is ignored.
// False when an item is refused.
bool TStructure::LireSection(TTexteLu& donnees, const std::string& ligne) {
  for (const TSection& section : Sections) {
    if (EstMotCle(section.Mot, ligne)) return (this->*section.Lire)(donnees);
  }
  return true;
}

// Node i is the i-th abscissa (m).
bool TStructure::LireNoeuds(TTexteLu& donnees) {
  return LireItems(
      donnees, NbNoeuds, CapNoeuds, Textes::MotNoeuds,
      [&](std::int32_t i) { X[i] = donnees.LireReel(); }, ToutAccepter);
}

// An element: its first node, its second node, E (Pa) and Iz (m4), checked as soon as it is read.
bool TStructure::LireElements(TTexteLu& donnees) {
  return LireListe(
      donnees, Elements, Textes::MotElements,
      [&](TElement& element) {
        LireChamps(donnees, element, &TElement::NoeudI, &TElement::NoeudJ, &TElement::E,
                   &TElement::Iz);
      },
      [&](std::int32_t i) { return AccepterElement(i); });
}

// A node outside the node array is a range error; a length below LongueurMin (a negative one too)
// or an Iz below IzMin is refused with its console line.
bool TStructure::AccepterElement(std::int32_t i) const {
  const TElement& element = Elements.Item(i);
  const std::string numero = std::to_string(i);
  for (std::int32_t n : {element.NoeudI, element.NoeudJ}) {
    if (n < 1 || n > CapNoeuds) {
      ErreurExecution(Textes::HorsLimites, element.Ligne,
                      Remplir(Textes::NoeudHorsCapacite, {numero, std::to_string(n)}));
    }
  }
  if (TEtendu(element.Longueur()) < LongueurMin) {
    Signaler(element.Ligne, Remplir(Textes::LongueurNulle, {numero}), true);
    return false;
  }
  if (TEtendu(element.Iz) < IzMin) {
    Signaler(element.Ligne, Remplir(Textes::IzNul, {numero}), true);
    return false;
  }
  return true;
}

// A support: its code (1 deflection blocked, 2 slope blocked, 3 clamped), then its node.
bool TStructure::LireLiaisons(TTexteLu& donnees) {
  return LireListe(
      donnees, Liaisons, Textes::MotLiaisons,
      [&](TLiaison& liaison) { LireChamps(donnees, liaison, &TLiaison::Code, &TLiaison::Noeud); },
      ToutAccepter);
}

// A load: its code, its node (code 1) or element (any other code), then Fy (N) and Mz (N.m) at
// the node, or the intensity py (N/m) along the element.
bool TStructure::LireCharges(TTexteLu& donnees) {
  return LireListe(
      donnees, Charges, Textes::MotCharges,
      [&](TCharge& charge) {
        LireChamps(donnees, charge, &TCharge::Code, &TCharge::Numero, &TCharge::P);
        if (charge.Code == 1) LireNombre(donnees, charge.Mz);
      },
      ToutAccepter);
}

// A spring: its node, then Kv (N/m) and Kr (N.m/rad).
bool TStructure::LireRessorts(TTexteLu& donnees) {
  return LireListe(
      donnees, Ressorts, Textes::MotRessorts,
      [&](TRessort& ressort) {
        LireChamps(donnees, ressort, &TRessort::Noeud, &TRessort::Kv, &TRessort::Kr);
      },
      ToutAccepter);
}

// A settlement: its code (1 deflection, 2 slope), its node, then its value (m or rad).
bool TStructure::LireTassements(TTexteLu& donnees) {
  return LireListe(
      donnees, Tassements, Textes::MotTassements,
      [&](TTassement& tassement) {
        LireChamps(donnees, tassement, &TTassement::Code, &TTassement::Noeud, &TTassement::Valeur);
      },
      ToutAccepter);
}

// A hinge: its code (1 at NoeudI, 2 at NoeudJ, 3 both), then its element.
bool TStructure::LireRotules(TTexteLu& donnees) {
  return LireListe(
      donnees, Rotules, Textes::MotRotules,
      [&](TRotule& rotule) { LireChamps(donnees, rotule, &TRotule::Code, &TRotule::Element); },
      ToutAccepter);
}

// A point load inside an element: its element, a (m from NoeudI), Fy (N) and Mz (N.m).
bool TStructure::LirePonctuelles(TTexteLu& donnees) {
  return LireListe(
      donnees, Ponctuelles, Textes::MotPonctuelles,
      [&](TPonctuelle& charge) {
        LireChamps(donnees, charge, &TPonctuelle::Element, &TPonctuelle::A, &TPonctuelle::Fy,
                   &TPonctuelle::Mz);
      },
      ToutAccepter);
}

// A trapezoidal load: its element, a and b (m from NoeudI), pa and pb (N/m).
bool TStructure::LireTrapezes(TTexteLu& donnees) {
  return LireListe(
      donnees, Trapezes, Textes::MotTrapezes,
      [&](TTrapeze& charge) {
        LireChamps(donnees, charge, &TTrapeze::Element, &TTrapeze::A, &TTrapeze::B, &TTrapeze::Pa,
                   &TTrapeze::Pb);
      },
      ToutAccepter);
}
