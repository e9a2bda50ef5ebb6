// What the tests of the finite element analysis share: the report's progress lines, the bits of
// a double, the sentinels that show what a step left untouched, and the tables of expected figures.
//
// Every test builds its model in memory (outils.h). A test of one step calls that step, in the
// order of Calculer, and looks at what it left; a test of the whole analysis runs Calculer, which
// reads the model back from a data file, and looks at the structure read back.
//
// Expected figures come from small cases worked by hand (the source column says which) or from
// textbook closed forms of beam theory (Euler-Bernoulli: nodal values of Hermite elements are exact
// for point and uniform loads), never from the program's output.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "UTypes.h"
#include "courbes.h"
#include "extremes.h"
#include "outils.h"

using Entier = std::int32_t;
inline constexpr Entier EntierMax = std::numeric_limits<Entier>::max();
inline constexpr Entier EntierMin = std::numeric_limits<Entier>::min();
inline const double NaN = std::numeric_limits<double>::quiet_NaN();

// Progress lines and the solver's message, as they stand in the report (Windows-1252, CR LF).
inline const std::string LigneRigidite = "Assemblage de la matrice de rigidit\xE9\r\n";
inline const std::string LigneForces = "Assemblage du vecteur force global\r\n";
inline const std::string LigneLiaisons = "Mise en place des Liaisons\r\n";
inline const std::string LigneDeplacements = "Calcul des d\xE9placements inconnus\r\n";
inline const std::string LignePivot =
    "Le syst\xE8me est mal conditionn\xE9 : pivot n\xE9gatif ou nul\r\n";
inline const std::string LigneForcesElementaires = "Calcul des forces \xE9l\xE9mentaires\r\n";
inline const std::string LigneActions = "Calcul des actions de liaison\r\n";
inline const std::string HorsLimites = "Range check error";

inline std::uint64_t Bits(double valeur) {
  std::uint64_t bits;
  std::memcpy(&bits, &valeur, sizeof bits);
  return bits;
}

// A value that no step writes: a sentinel for "left untouched".
inline double Sentinelle(Entier r, Entier c) { return 1000.0 * r + c + 0.25; }

class Analyse : public ModeleEnMemoire {
 protected:
  // The report up to the results: the reader's line when the data were read, then the progress
  // lines of the steps that ran.
  std::string Etapes() {
    const std::string rapport = Rapport();
    const std::size_t resultats = rapport.find("\r\n\r\n");
    return resultats == std::string::npos ? rapport : rapport.substr(0, resultats + 2);
  }
  // The reader's line in the report of Calculer.
  std::string LigneLecture() const { return "Lecture du fichier : " + Nom + ".txt\r\n"; }

  void RemplirSentinelles() {
    for (Entier r = 1; r <= CapDdl; ++r) {
      for (Entier c = 1; c <= CapDdl; ++c) s->K[r][c] = Sentinelle(r, c);
      s->F[r] = -Sentinelle(r, 0);
    }
  }
  // The bits of the whole of K then F.
  std::vector<std::uint64_t> Instantane() const {
    std::vector<std::uint64_t> bits;
    for (Entier r = 1; r <= CapDdl; ++r) {
      for (Entier c = 1; c <= CapDdl; ++c) bits.push_back(Bits(s->K[r][c]));
    }
    for (Entier r = 1; r <= CapDdl; ++r) bits.push_back(Bits(s->F[r]));
    return bits;
  }
  // The bits of the block 1..n of K then F[1..n]: what the solver sees.
  std::vector<std::uint64_t> Systeme(Entier n) const {
    std::vector<std::uint64_t> bits;
    for (Entier r = 1; r <= n; ++r) {
      for (Entier c = 1; c <= n; ++c) bits.push_back(Bits(s->K[r][c]));
    }
    for (Entier r = 1; r <= n; ++r) bits.push_back(Bits(s->F[r]));
    return bits;
  }

  double V(Entier noeud) const { return s->F[2 * noeud - 1]; }
  double Theta(Entier noeud) const { return s->F[2 * noeud]; }
  TElement& El(Entier e) const { return s->Elements.Item(e); }
  TLiaison& Li(Entier l) const { return s->Liaisons.Item(l); }
  TRessort& Re(Entier r) const { return s->Ressorts.Item(r); }
  // The curves of element e at the fraction u of its length from NoeudI.
  TPointCourbe Courbe(Entier e, double u) const { return TCourbes(*s, El(e), e).Point(u); }

  // Every DOF that a support blocks comes out of the solver as exactly +0.
  void VerifierDdlBloquesAPlusZero() const {
    for (Entier l = 1; l <= s->Liaisons.Nombre; ++l) {
      const TLiaison& liaison = s->Liaisons.Item(l);
      if (liaison.Code == 1 || liaison.Code == 3) {
        EXPECT_EQ(Bits(V(liaison.Noeud)), 0u)
            << "deflection of node " << liaison.Noeud << " = " << V(liaison.Noeud) << ", not +0";
      }
      if (liaison.Code == 2 || liaison.Code == 3) {
        EXPECT_EQ(Bits(Theta(liaison.Noeud)), 0u)
            << "slope of node " << liaison.Noeud << " = " << Theta(liaison.Noeud) << ", not +0";
      }
    }
  }
};

// One expected figure: what it is, where it comes from, its value, the value obtained, and the
// scale of its kind of quantity (the tolerance is relative to that scale, so that a zero expected
// value is compared with the same absolute tolerance as its neighbours).
struct Attendu {
  std::string quoi;
  std::string source;
  double attendu;
  double obtenu;
  double echelle;
};

inline constexpr double ToleranceRelative = 1e-11;

inline void Verifier(const std::vector<Attendu>& table) {
  for (const Attendu& a : table) {
    EXPECT_NEAR(a.obtenu, a.attendu, ToleranceRelative * std::fabs(a.echelle))
        << a.quoi << "  [" << a.source << "]";
  }
}

// A beam worked in closed form, one row of a table: its name, the source of its expected figures,
// how to build it, and each figure: how to read it from the complete run, its expected value, the
// scale of its kind of quantity, and the tolerance relative to that scale.
struct Figure {
  std::string quoi;
  std::function<double()> obtenu;
  double attendu;
  double echelle;
  double tolerance = ToleranceRelative;
};
struct CasFerme {
  std::string quoi;
  std::string source;
  std::function<void()> construire;
  std::vector<Figure> figures;
};

// Builds and runs every beam of the table in turn, the whole analysis through Calculer, and
// compares its figures.
class CasFermes : public Analyse {
 protected:
  using Lecture = std::function<double()>;

  // How each figure is read from the complete run: reactions of support l and of spring r,
  // displacements of node n, end forces of element e, its own rotations, its curves at the
  // fraction u, and the exact extremes.
  Lecture Ry(Entier l) const {
    return [this, l] { return Li(l).Ry; };
  }
  Lecture Mz(Entier l) const {
    return [this, l] { return Li(l).Mz; };
  }
  Lecture RessortRy(Entier r) const {
    return [this, r] { return Re(r).Ry; };
  }
  Lecture RessortMz(Entier r) const {
    return [this, r] { return Re(r).Mz; };
  }
  Lecture Fleche(Entier n) const {
    return [this, n] { return V(n); };
  }
  Lecture Pente(Entier n) const {
    return [this, n] { return Theta(n); };
  }
  Lecture Effort(Entier e, Entier m) const {
    return [this, e, m] { return El(e).Efforts[m]; };
  }
  Lecture RotationI(Entier e) const {
    return [this, e] { return El(e).RotationI; };
  }
  Lecture RotationJ(Entier e) const {
    return [this, e] { return El(e).RotationJ; };
  }
  Lecture TyEn(Entier e, double u) const {
    return [this, e, u] { return Courbe(e, u).Ty; };
  }
  Lecture MfzEn(Entier e, double u) const {
    return [this, e, u] { return Courbe(e, u).Mfz; };
  }
  Lecture FlecheEn(Entier e, double u) const {
    return [this, e, u] { return Courbe(e, u).Fleche; };
  }
  Lecture PenteEn(Entier e, double u) const {
    return [this, e, u] { return Courbe(e, u).Pente; };
  }
  // The figures of a, then those of b.
  static std::vector<Figure> Et(std::vector<Figure> a, const std::vector<Figure>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
  // The largest (max) or smallest value of g over the beam, or its abscissa.
  Lecture Extreme(TGrandeur g, bool max, bool abscisse) const {
    return [this, g, max, abscisse] {
      const TExtremes extremes = ExtremesExacts(*s);
      const TExtreme& e = max ? extremes[g].Max : extremes[g].Min;
      return abscisse ? e.Abscisse : e.Valeur;
    };
  }

  void VerifierTable(const std::vector<CasFerme>& table) {
    for (const CasFerme& cas : table) {
      SCOPED_TRACE(cas.quoi + "  [" + cas.source + "]");
      Recommencer();
      cas.construire();
      if (!Calculer()) {
        ADD_FAILURE() << "the run is not complete";
        continue;
      }
      for (const Figure& f : cas.figures) {
        EXPECT_NEAR(f.obtenu(), f.attendu, f.tolerance * std::fabs(f.echelle)) << f.quoi;
      }
    }
  }
};
