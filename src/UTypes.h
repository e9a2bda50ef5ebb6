// The beam model: the classes that hold the beam and every intermediate result of its analysis,
// and the declarations of all their operations.
//
// Units are SI throughout and values are stored as read (m, Pa, m4, N, N.m, N/m, rad). Deflections,
// forces and distributed loads are positive along +y; slopes and moments are positive
// counterclockwise. Node n owns degree of freedom 2n-1 (deflection v) and 2n (slope theta).
//
// The operations are defined in one source file per piece of the run:
//   pilote.cpp    the run sequence (Calculer) and the interactive run;
//   lecteur.cpp   the data-file reader (LireDonnees) and its checks;
//   UTypes.cpp    the model's creation and destruction, and the element length;
//   analyse.cpp   numbering, stiffness, loads, supports, solver, end forces and reactions;
//   rapport.cpp   the element graphs and the results report.
// The smaller headers it includes hold the run-time errors (erreurs.h), the text files
// (fichiers.h) and every text the program writes (textes.h).
#pragma once

#include <cstdint>
#include <string>

#include "erreurs.h"
#include "etendu.h"
#include "fichiers.h"

// ---------------------------------------------------------------------------------------------
// Capacities and thresholds
// ---------------------------------------------------------------------------------------------

constexpr std::int32_t CapNoeuds = 50;
constexpr std::int32_t CapDdl = 100;  // two degrees of freedom per node
constexpr std::int32_t CapElements = 49;
constexpr std::int32_t CapLiaisons = 20;
constexpr std::int32_t CapCharges = 20;
constexpr std::int32_t CapRessorts = 20;
constexpr std::int32_t CapTassements = 20;
constexpr std::int32_t CapRotules = 20;
constexpr std::int32_t CapPonctuelles = 20;
constexpr std::int32_t CapTrapezes = 20;

// Validity thresholds of an element, absolute. They are held in extended precision, where they lie
// just above the doubles nearest to 1e-6 and 1e-12: a length or an Iz equal to that double is
// refused too.
constexpr TEtendu LongueurMin = DixMoinsSix;  // m
constexpr TEtendu IzMin = DixMoinsDouze;      // m4

// Pivot threshold of the solver, absolute, in the units of the stiffness entries.
constexpr double PivotMin = 1e-10;

// ---------------------------------------------------------------------------------------------
// Checked arrays
// ---------------------------------------------------------------------------------------------

// A fixed array indexed from Bas to Haut. Every access tests its index: one outside the bounds is
// the run-time error "Range check error", so no index that data can reach ever leaves an array.
template <typename T, std::int32_t Bas, std::int32_t Haut>
class TTableau {
 public:
  T& operator[](std::int32_t i) { return Valeurs[Position(i)]; }
  const T& operator[](std::int32_t i) const { return Valeurs[Position(i)]; }

 private:
  static std::size_t Position(std::int32_t i);
  T Valeurs[Haut - Bas + 1] = {};
};

template <typename T, std::int32_t Bas, std::int32_t Haut>
std::size_t TTableau<T, Bas, Haut>::Position(std::int32_t i) {
  if (i < Bas || i > Haut) ErreurHorsLimites();
  return static_cast<std::size_t>(static_cast<std::int64_t>(i) - Bas);
}

// ---------------------------------------------------------------------------------------------
// The model
// ---------------------------------------------------------------------------------------------

using TMatrice4 = TTableau<TTableau<double, 1, 4>, 1, 4>;  // an element matrix, element DOF order
using TMatriceGlobale = TTableau<TTableau<double, 1, CapDdl>, 1, CapDdl>;  // K[row][column]
using TVecteurGlobal = TTableau<double, 1, CapDdl>;
using TDdlElement = TTableau<std::int32_t, 1, 4>;  // (v_I, theta_I, v_J, theta_J)

// Deflection, slope, shear force and bending moment at 11 equally spaced points along one element.
struct TGraphe {
  std::int32_t NbIntervalles = 0;
  TTableau<double, 0, 10> Abscisse;  // m, same origin as the node abscissae
  TTableau<double, 0, 10> Fleche;    // m
  TTableau<double, 0, 10> Pente;     // rad
  TTableau<double, 0, 10> Ty;        // N
  TTableau<double, 0, 10> Mfz;       // N.m
};

// One beam element, oriented from NoeudI to NoeudJ. Its number is its position in the list.
class TElement {
 public:
  std::int32_t Ligne = 0;  // line of the data file where the element stands, for diagnostics
  std::int32_t NoeudI = 0;
  std::int32_t NoeudJ = 0;
  double E = 0;   // Pa
  double Iz = 0;  // m4
  // End forces exerted on the element by its nodes, element DOF order: force and moment at
  // NoeudI, force and moment at NoeudJ (N, N.m), along +y and counterclockwise.
  TTableau<double, 1, 4> Efforts;
  // The element's own rotations at NoeudI and NoeudJ (rad), set with the end forces: the node's
  // slope, or at an end whose moment is released (a hinge) the rotation that makes the moment
  // there zero, each side of a hinge turning its own way.
  double RotationI = 0;
  double RotationJ = 0;

  double Longueur() const;
  bool RigiditeElement(TMatrice4& k) const;
  void GrapheElement(TGraphe& graphe) const;
};

// One support. Code 1: deflection blocked; 2: slope blocked; 3: clamped; any other: nothing.
class TLiaison {
 public:
  std::int32_t Ligne = 0;  // line of the data file, for diagnostics
  std::int32_t Code = 0;
  std::int32_t Noeud = 0;
  double Ry = 0;  // reaction force, N
  double Mz = 0;  // reaction moment, N.m
};

// A nodal load's value of this magnitude or less (N, N.m) is neither written in the report nor
// drawn.
constexpr double ValeurNegligeable = 1e-6;

// One load. Code 1: at node Numero, force P (N) and moment Mz (N.m); any other code: uniformly
// distributed along element Numero, intensity P (N/m).
class TCharge {
 public:
  std::int32_t Ligne = 0;  // line of the data file, for diagnostics
  std::int32_t Code = 0;
  std::int32_t Numero = 0;
  double P = 0;
  double Mz = 0;
};

// An elastic support at node Noeud: a spring Kv (N/m) on its deflection and a rotational spring
// Kr (N.m/rad) on its slope, both at least 0; its reactions are the force and the moment that it
// exerts on the beam, Ry = -Kv v and Mz = -Kr theta.
class TRessort {
 public:
  std::int32_t Ligne = 0;  // line of the data file, for diagnostics
  std::int32_t Noeud = 0;
  double Kv = 0;
  double Kr = 0;
  double Ry = 0;  // N
  double Mz = 0;  // N.m
};

// An imposed displacement of a blocked degree of freedom of node Noeud: code 1 its deflection
// (Valeur in m, along +y), code 2 its slope (Valeur in rad, counterclockwise).
class TTassement {
 public:
  std::int32_t Ligne = 0;
  std::int32_t Code = 0;
  std::int32_t Noeud = 0;
  double Valeur = 0;
};

// A hinge: the bending moment released at an end of element Element, code 1 at NoeudI, 2 at
// NoeudJ, 3 at both.
class TRotule {
 public:
  std::int32_t Ligne = 0;
  std::int32_t Code = 0;
  std::int32_t Element = 0;
};

// A point force Fy (N, along +y) and moment Mz (N.m, counterclockwise) inside element Element, at
// the distance A (m) from its NoeudI.
class TPonctuelle {
 public:
  std::int32_t Ligne = 0;
  std::int32_t Element = 0;
  double A = 0;
  double Fy = 0;
  double Mz = 0;
};

// A load varying linearly along element Element from Pa (N/m) at the distance A (m) from its
// NoeudI to Pb at the distance B, zero elsewhere on the element.
class TTrapeze {
 public:
  std::int32_t Ligne = 0;
  std::int32_t Element = 0;
  double A = 0;
  double B = 0;
  double Pa = 0;
  double Pb = 0;
};

// A list of owned items at positions 1..Cap. Nombre is the count read from the data file; it may
// be zero or negative, or above the number of items stored when the reading stopped early: every
// position past the items stored is empty.
template <typename TItem, std::int32_t Cap>
class TListe {
 public:
  std::int32_t Nombre = 0;
  TTableau<TItem*, 1, Cap> Items;

  TListe() = default;
  TListe(const TListe&) = delete;
  TListe& operator=(const TListe&) = delete;
  virtual ~TListe() { Vider(); }

  // Frees the items of the positions that can hold one, 1 to the smaller of Nombre and Cap, so
  // that freeing never fails whatever Nombre holds.
  void Vider() {
    const std::int32_t dernier = Nombre < Cap ? Nombre : Cap;
    for (std::int32_t i = 1; i <= dernier; ++i) {
      delete Items[i];
      Items[i] = nullptr;
    }
  }
  // Stores a new item at position i, after the capacity check, and returns it.
  TItem& Nouveau(std::int32_t i) {
    TItem*& place = Items[i];
    delete place;
    place = new TItem;
    return *place;
  }
  // The item at position i; a position outside 1..Nombre, or empty, is a range error.
  TItem& Item(std::int32_t i) const {
    TItem* item = Items[i];
    if (i > Nombre || item == nullptr) ErreurHorsLimites();
    return *item;
  }
};

class TElements : public TListe<TElement, CapElements> {
 public:
  std::int32_t Indice(const TElement* element) const;
};
class TLiaisons : public TListe<TLiaison, CapLiaisons> {};
class TCharges : public TListe<TCharge, CapCharges> {};
class TRessorts : public TListe<TRessort, CapRessorts> {};
class TTassements : public TListe<TTassement, CapTassements> {};
class TRotules : public TListe<TRotule, CapRotules> {};
class TPonctuelles : public TListe<TPonctuelle, CapPonctuelles> {};
class TTrapezes : public TListe<TTrapeze, CapTrapezes> {};

// The ends of an element whose moment is released, as hinges give them: bit 1 NoeudI, bit 2
// NoeudJ.
constexpr std::int32_t LibereI = 1;
constexpr std::int32_t LibereJ = 2;

// The whole model of the run and every intermediate result.
class TStructure {
 public:
  std::string NomFichier;  // the typed name, without extension, at most 80 characters
  std::int32_t NbNoeuds = 0;
  std::int32_t NbDdl = 0;
  TTableau<double, 1, CapNoeuds> X;  // node abscissae, m
  TElements Elements;
  TLiaisons Liaisons;
  TCharges Charges;
  // The extended model's sections, each empty in a file without its keyword.
  TRessorts Ressorts;
  TTassements Tassements;
  TRotules Rotules;
  TPonctuelles Ponctuelles;
  TTrapezes Trapezes;
  TMatriceGlobale K;  // global stiffness, K[row][column]
  TVecteurGlobal F;   // global forces; after the solution, the displacements
  // What the supports made of the system, kept for the equilibrium check of the command-line
  // mode: the degrees of freedom that MettreLiaisons blocked, F and K's diagonal as it left them
  // (the solver reduces them in place).
  TTableau<bool, 1, CapDdl> Bloque;
  TVecteurGlobal FLiaisons;
  TVecteurGlobal DiagonaleLiaisons;
  TRapport Rapport;
  bool RapportOuvert = false;
  bool RapportCree = false;  // the report file was created, whatever became of the run
  // The face that runs the model. The interactive run asks for the name and shows the reader's
  // checks on the console; the command-line mode is given the name, tells every failure as a
  // located diagnostic, and opens the viewer only when asked (Montrer).
  bool ModeCommande = false;
  bool Montrer = true;
  // The graphs of the elements, as the report prints them: filled by EcrireResultats, read again by
  // the summary and the drawing of the command-line mode, so that they show the report's own
  // values.
  TTableau<TGraphe, 1, CapElements> Graphes;

  TStructure() = default;
  TStructure(const TStructure&) = delete;
  TStructure& operator=(const TStructure&) = delete;
  // Frees the lists; then, when the report was created, closes it and opens it in the viewer.
  // Closing can fail (a full disk shows only then): that is a run-time error, raised from here.
  ~TStructure() noexcept(false);

  bool Calculer();  // true when the report is complete
  bool LireDonnees();
  void DdlNoeud(std::int32_t n, std::int32_t& ddlV, std::int32_t& ddlTheta) const;
  void DdlElement(std::int32_t e, TDdlElement& d) const;
  bool AssemblerRigidite();
  void AssemblerForces();
  void MettreLiaisons();
  bool CalculerDeplacements();
  // True when the supported beam can move without deforming; `mouvement` then says which nodes
  // move and how (mecanisme.cpp).
  bool Mecanisme(std::string& mouvement) const;
  void CalculerForcesElementaires();
  void CalculerActionsLiaison();
  // The relative residual of the equilibrium of the free degrees of freedom after a complete run,
  // ||F - K u|| / ||F|| (equilibre.cpp).
  double ResiduEquilibre() const;
  void EcrireResultats();
  void EcrireCharges();
  void EcrireBlocsEtendus();
  void EcrireGraphes();

  // The element's pieces of the extended model (encastrement.cpp): the ends it releases (LibereI,
  // LibereJ), its stiffness condensed on them, the fixed-end forces of each of its loads, and
  // whether it has any of the extended model's loads or hinges.
  std::int32_t Liberations(std::int32_t e) const;
  bool RigiditeCondensee(std::int32_t e, TMatrice4& k) const;
  bool Etendu(std::int32_t e) const;
  // True when node n's slope has no stiffness: elements end there, every one of them released
  // there, and no support or spring holds the slope.
  bool PenteLibre(std::int32_t n) const;
  bool MomentNodal(std::int32_t n) const;  // a nodal load at n has a moment other than 0

 private:
  bool AjouterRigidites(TMatriceGlobale& k) const;
  void BloquerDdl(std::int32_t d);
  void Signaler(std::int32_t ligne, const std::string& message, bool console) const;
  // The reader's pieces (lecteur.cpp): one operation per section, each true unless it refuses an
  // item.
  bool ChercherDebut(TTexteLu& donnees, std::int32_t& ligneDebut);
  void AvertirMotCleInconnu(std::int32_t numeroLigne, const std::string& ligne) const;
  bool LireSection(TTexteLu& donnees, const std::string& ligne);
  bool AccepterElement(std::int32_t i) const;
  bool Verifier();
  bool VerifierReferences();
  bool VerifierExtensions();
  std::string RefusTassement(std::int32_t i) const;
  void Condenser(std::int32_t e, TTableau<double, 1, 4>& f) const;
  void AjouterForcesEncastrement(std::int32_t e, TTableau<double, 1, 4> f);
  TTableau<double, 1, 4> ForcesElement(std::int32_t e) const;
  void RotationsPropres(std::int32_t e);
  double ValeurImposee(std::int32_t d) const;

 public:
  // The sections of the data file, one operation each (lecteur.cpp): true unless an item is
  // refused.
  bool LireNoeuds(TTexteLu& donnees);
  bool LireElements(TTexteLu& donnees);
  bool LireLiaisons(TTexteLu& donnees);
  bool LireCharges(TTexteLu& donnees);
  bool LireRessorts(TTexteLu& donnees);
  bool LireTassements(TTexteLu& donnees);
  bool LireRotules(TTexteLu& donnees);
  bool LirePonctuelles(TTexteLu& donnees);
  bool LireTrapezes(TTexteLu& donnees);
};

// The run's one structure; elements read the abscissae, displacements and loads through it.
extern TStructure* Structure;

// True when Ligne begins with MotCle, once both are cut to 80 characters, stripped of spaces and
// upper-cased by the ASCII rule.
bool EstMotCle(const std::string& MotCle, const std::string& Ligne);
