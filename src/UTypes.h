// The beam model: the classes that hold the beam and every intermediate result of its analysis,
// and the declarations of all their operations.
//
// Units are SI throughout and values are stored as read (m, Pa, m4, N, N.m, N/m, rad). Deflections,
// forces and distributed loads are positive along +y; slopes and moments are positive
// counterclockwise. Node n owns degree of freedom 2n-1 (deflection v) and 2n (slope theta).
//
// The operations are defined in one source file per piece of the run:
//   UTypes.cpp    the model, the run-time error, the text files and the data-file reader;
//   analyse.cpp   numbering, stiffness, loads, supports, solver, end forces and reactions;
//   rapport.cpp   the element graphs and the results report;
//   vortale.cpp   the run sequence (Calculer) and the entry point;
//   visionneuse.cpp  opening the finished report in a viewer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "etendu.h"

// ---------------------------------------------------------------------------------------------
// Run-time errors
// ---------------------------------------------------------------------------------------------

// A run-time error ends the run at once: a malformed number in the data file, an index beyond a
// capacity, a failed write to the report. ErreurExecution is the one routine that raises them: it
// flushes the console, flushes what the report already holds (so the report tells how far the run
// got), writes the error's own words and CR LF on the standard error stream, then throws
// EErreurExecution. The entry point catches it and ends with exit status 1 without closing or
// showing the report; a harness that runs the program in-process catches it the same way.
struct EErreurExecution {
  std::string Mots;
};
[[noreturn]] void ErreurExecution(const std::string& mots);

// ---------------------------------------------------------------------------------------------
// Capacities and thresholds
// ---------------------------------------------------------------------------------------------

constexpr std::int32_t CapNoeuds = 50;
constexpr std::int32_t CapDdl = 100;  // two degrees of freedom per node
constexpr std::int32_t CapElements = 49;
constexpr std::int32_t CapLiaisons = 20;
constexpr std::int32_t CapCharges = 20;
constexpr std::size_t LongueurNomMax = 80;  // typed name and data-file lines, in characters

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

[[noreturn]] void ErreurHorsLimites();

template <typename T, std::int32_t Bas, std::int32_t Haut>
std::size_t TTableau<T, Bas, Haut>::Position(std::int32_t i) {
  if (i < Bas || i > Haut) ErreurHorsLimites();
  return static_cast<std::size_t>(static_cast<std::int64_t>(i) - Bas);
}

// ---------------------------------------------------------------------------------------------
// Text files
// ---------------------------------------------------------------------------------------------

// A text file read line by line or number by number. Lines end at LF or CR LF; a lone CR is no
// line end and is left out of a line read as text; a Ctrl-Z (code 26) ends the file. The console
// (the typed name) is read by the same rules.
class TTexteLu {
 public:
  explicit TTexteLu(std::FILE* fichier) : Fichier(fichier) {}
  bool Fin();                 // at the end of the file, or before a Ctrl-Z
  std::string LireLigne();    // the next line, its first 80 characters; the rest is discarded
  void FinirLigne();          // discards the rest of the current line, its line end included
  std::int32_t LireEntier();  // a free-format integer; 0 at the end of the file
  double LireReel();          // a free-format real; 0 at the end of the file

 private:
  int Regarder();  // the next byte, not consumed, or FinFichier
  void Avancer();
  std::string LireJeton();
  static constexpr int FinFichier = -1;
  std::FILE* Fichier;
  int Suivant = -2;  // byte looked at and not yet consumed; -2: none
};

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

// ---------------------------------------------------------------------------------------------
// The model
// ---------------------------------------------------------------------------------------------

using TMatrice4 = TTableau<TTableau<double, 1, 4>, 1, 4>;  // an element matrix, element DOF order
using TDdlElement = TTableau<std::int32_t, 1, 4>;          // (v_I, theta_I, v_J, theta_J)

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
  std::int32_t NoeudI = 0;
  std::int32_t NoeudJ = 0;
  double E = 0;   // Pa
  double Iz = 0;  // m4
  // End forces exerted on the element by its nodes, element DOF order: force and moment at
  // NoeudI, force and moment at NoeudJ (N, N.m), along +y and counterclockwise.
  TTableau<double, 1, 4> Efforts;

  double Longueur() const;
  bool RigiditeElement(TMatrice4& k) const;
  void GrapheElement(TGraphe& graphe) const;
};

// One support. Code 1: deflection blocked; 2: slope blocked; 3: clamped; any other: nothing.
class TLiaison {
 public:
  std::int32_t Code = 0;
  std::int32_t Noeud = 0;
  double Ry = 0;  // reaction force, N
  double Mz = 0;  // reaction moment, N.m
};

// One load. Code 1: at node Numero, force P (N) and moment Mz (N.m); any other code: uniformly
// distributed along element Numero, intensity P (N/m).
class TCharge {
 public:
  std::int32_t Code = 0;
  std::int32_t Numero = 0;
  double P = 0;
  double Mz = 0;
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
  TTableau<TTableau<double, 1, CapDdl>, 1, CapDdl> K;  // global stiffness, K[row][column]
  TTableau<double, 1, CapDdl> F;  // global forces; after the solution, the displacements
  TRapport Rapport;
  bool RapportOuvert = false;

  TStructure() = default;
  TStructure(const TStructure&) = delete;
  TStructure& operator=(const TStructure&) = delete;
  // Frees the lists; then, when the report was created, closes it and opens it in the viewer.
  // Closing can fail (a full disk shows only then): that is a run-time error, raised from here.
  ~TStructure() noexcept(false);

  void Calculer();
  bool LireDonnees();
  void DdlNoeud(std::int32_t n, std::int32_t& ddlV, std::int32_t& ddlTheta) const;
  void DdlElement(std::int32_t e, TDdlElement& d) const;
  bool AssemblerRigidite();
  void AssemblerForces();
  void MettreLiaisons();
  bool CalculerDeplacements();
  void CalculerForcesElementaires();
  void CalculerActionsLiaison();
  void EcrireResultats();

 private:
  void BloquerDdl(std::int32_t d);
  bool LireSection(TTexteLu& donnees, const std::string& ligne);
  bool LireElements(TTexteLu& donnees);
};

// The run's one structure; elements read the abscissae, displacements and loads through it.
extern TStructure* Structure;

// True when Ligne begins with MotCle, once both are cut to 80 characters, stripped of spaces and
// upper-cased by the ASCII rule.
bool EstMotCle(const std::string& MotCle, const std::string& Ligne);

// Starts the viewer on the finished report; never waited for, any failure ignored.
void OuvrirVisionneuse(const std::string& nomRapport);
