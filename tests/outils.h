// Small helpers shared by the unit tests, and the one builder of a model in memory.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>

#include "UTypes.h"

// The words of the run-time error that the action raises, or a marker when it raises none.
inline std::string MotsErreur(const std::function<void()>& action) {
  try {
    action();
  } catch (const EErreurExecution& erreur) {
    return erreur.Mots;
  }
  return "(aucune erreur)";
}

// A model built in memory: each test fills one structure, or several in turn, the way the reader
// fills it, and the global Structure points at the current one. Its report is created in the
// test's temporary folder so that the steps can write their progress lines; RapportOuvert stays
// false, so that freeing the structure neither checks the report nor shows it.
//
// Calculer runs the whole analysis as the command line runs it: the model built is written as the
// data file NAME.txt, and a fresh structure reads it back and runs every step; the structure read
// back then takes the place of the one built. A test that looks at one step calls that step.
class ModeleEnMemoire : public ::testing::Test {
 protected:
  void SetUp() override {
    Nom = ::testing::TempDir() + "vortale_modele_" + std::to_string(getpid());
    // The reader cuts the data file's name to 80 characters.
    ASSERT_LE(Nom.size() + 4, LongueurNomMax) << Nom;
    Recommencer();
  }

  void TearDown() override {
    s.reset();
    Structure = nullptr;
    std::remove((Nom + ".txt").c_str());
    std::remove((Nom + "r.txt").c_str());
  }

  // A fresh structure, its report (re)created empty.
  void Recommencer() {
    s.reset();
    s = std::make_unique<TStructure>();
    Structure = s.get();
    ASSERT_TRUE(s->Rapport.Creer(Nom + "r.txt")) << Nom;
    ASSERT_FALSE(s->RapportOuvert);
  }

  // A new item at the end of one of the model's lists.
  template <typename TItem, std::int32_t Cap>
  static TItem& Ajouter(TListe<TItem, Cap>& liste) {
    ++liste.Nombre;
    return liste.Nouveau(liste.Nombre);
  }

  void Noeuds(std::initializer_list<double> abscisses) {
    s->NbNoeuds = 0;
    for (double x : abscisses) {
      ++s->NbNoeuds;
      s->X[s->NbNoeuds] = x;
    }
  }
  // n elements per span of length L, nodes equally spaced from x = 0, elements k -> k + 1.
  void Maillage(double L, std::int32_t n, std::int32_t travees, double E, double Iz) {
    s->NbNoeuds = n * travees + 1;
    for (std::int32_t k = 1; k <= s->NbNoeuds; ++k) s->X[k] = L * (k - 1) / n;
    for (std::int32_t k = 1; k < s->NbNoeuds; ++k) Element(k, k + 1, E, Iz);
  }
  TElement& Element(std::int32_t i, std::int32_t j, double E, double Iz) {
    TElement& e = Ajouter(s->Elements);
    e.NoeudI = i;
    e.NoeudJ = j;
    e.E = E;
    e.Iz = Iz;
    return e;
  }
  TLiaison& Liaison(std::int32_t code, std::int32_t noeud) {
    TLiaison& l = Ajouter(s->Liaisons);
    l.Code = code;
    l.Noeud = noeud;
    return l;
  }
  TCharge& Charge(std::int32_t code, std::int32_t numero, double P, double Mz = 0) {
    TCharge& c = Ajouter(s->Charges);
    c.Code = code;
    c.Numero = numero;
    c.P = P;
    c.Mz = Mz;
    return c;
  }

  TRessort& Ressort(std::int32_t noeud, double Kv, double Kr) {
    TRessort& r = Ajouter(s->Ressorts);
    r.Noeud = noeud;
    r.Kv = Kv;
    r.Kr = Kr;
    return r;
  }
  TTassement& Tassement(std::int32_t code, std::int32_t noeud, double valeur) {
    TTassement& t = Ajouter(s->Tassements);
    t.Code = code;
    t.Noeud = noeud;
    t.Valeur = valeur;
    return t;
  }
  TRotule& Rotule(std::int32_t code, std::int32_t element) {
    TRotule& r = Ajouter(s->Rotules);
    r.Code = code;
    r.Element = element;
    return r;
  }
  TPonctuelle& Ponctuelle(std::int32_t element, double a, double Fy, double Mz = 0) {
    TPonctuelle& p = Ajouter(s->Ponctuelles);
    p.Element = element;
    p.A = a;
    p.Fy = Fy;
    p.Mz = Mz;
    return p;
  }
  TTrapeze& Trapeze(std::int32_t element, double a, double b, double pa, double pb) {
    TTrapeze& t = Ajouter(s->Trapezes);
    t.Element = element;
    t.A = a;
    t.B = b;
    t.Pa = pa;
    t.Pb = pb;
    return t;
  }

  // The whole run of the model built, TStructure::Calculer in the command-line mode without the
  // viewer: true when the report is complete.
  bool Calculer() {
    EcrireDonnees();
    s.reset();
    s = std::make_unique<TStructure>();
    Structure = s.get();
    s->NomFichier = Nom;
    s->ModeCommande = true;
    s->Montrer = false;
    return s->Calculer();
  }

  // Closes the report and returns its bytes.
  std::string Rapport() {
    s->Rapport.Fermer();
    std::ifstream fichier(Nom + "r.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(fichier), std::istreambuf_iterator<char>());
  }

  std::unique_ptr<TStructure> s;
  std::string Nom;  // the data file and the report, without their ".txt" and "r.txt"

 private:
  // The model built, as a data file: every real with 17 significant digits, so that it reads back
  // to the same double, the sign of a zero included.
  void EcrireDonnees() const {
    std::FILE* f = std::fopen((Nom + ".txt").c_str(), "wb");
    ASSERT_NE(f, nullptr) << Nom;
    std::fprintf(f, "$deb\n$noe\n%d\n", s->NbNoeuds);
    for (std::int32_t n = 1; n <= s->NbNoeuds; ++n) std::fprintf(f, "%.17g\n", s->X[n]);
    std::fprintf(f, "$ele\n%d\n", s->Elements.Nombre);
    for (std::int32_t i = 1; i <= s->Elements.Nombre; ++i) {
      const TElement& e = s->Elements.Item(i);
      std::fprintf(f, "%d %d %.17g %.17g\n", e.NoeudI, e.NoeudJ, e.E, e.Iz);
    }
    std::fprintf(f, "$lia\n%d\n", s->Liaisons.Nombre);
    for (std::int32_t i = 1; i <= s->Liaisons.Nombre; ++i) {
      std::fprintf(f, "%d %d\n", s->Liaisons.Item(i).Code, s->Liaisons.Item(i).Noeud);
    }
    std::fprintf(f, "$cha\n%d\n", s->Charges.Nombre);
    for (std::int32_t i = 1; i <= s->Charges.Nombre; ++i) {
      const TCharge& c = s->Charges.Item(i);
      std::fprintf(f, "%d %d %.17g", c.Code, c.Numero, c.P);
      if (c.Code == 1) std::fprintf(f, " %.17g", c.Mz);  // the only code that reads a moment
      std::fprintf(f, "\n");
    }
    // The extended model's sections, each only when it holds items.
    if (s->Ressorts.Nombre > 0) std::fprintf(f, "$res\n%d\n", s->Ressorts.Nombre);
    for (std::int32_t i = 1; i <= s->Ressorts.Nombre; ++i) {
      const TRessort& r = s->Ressorts.Item(i);
      std::fprintf(f, "%d %.17g %.17g\n", r.Noeud, r.Kv, r.Kr);
    }
    if (s->Tassements.Nombre > 0) std::fprintf(f, "$tas\n%d\n", s->Tassements.Nombre);
    for (std::int32_t i = 1; i <= s->Tassements.Nombre; ++i) {
      const TTassement& t = s->Tassements.Item(i);
      std::fprintf(f, "%d %d %.17g\n", t.Code, t.Noeud, t.Valeur);
    }
    if (s->Rotules.Nombre > 0) std::fprintf(f, "$rot\n%d\n", s->Rotules.Nombre);
    for (std::int32_t i = 1; i <= s->Rotules.Nombre; ++i) {
      std::fprintf(f, "%d %d\n", s->Rotules.Item(i).Code, s->Rotules.Item(i).Element);
    }
    if (s->Ponctuelles.Nombre > 0) std::fprintf(f, "$pon\n%d\n", s->Ponctuelles.Nombre);
    for (std::int32_t i = 1; i <= s->Ponctuelles.Nombre; ++i) {
      const TPonctuelle& p = s->Ponctuelles.Item(i);
      std::fprintf(f, "%d %.17g %.17g %.17g\n", p.Element, p.A, p.Fy, p.Mz);
    }
    if (s->Trapezes.Nombre > 0) std::fprintf(f, "$tra\n%d\n", s->Trapezes.Nombre);
    for (std::int32_t i = 1; i <= s->Trapezes.Nombre; ++i) {
      const TTrapeze& t = s->Trapezes.Item(i);
      std::fprintf(f, "%d %.17g %.17g %.17g %.17g\n", t.Element, t.A, t.B, t.Pa, t.Pb);
    }
    std::fprintf(f, "$fin\n");
    ASSERT_EQ(std::fclose(f), 0) << Nom;
  }
};
