// Small helpers shared by the unit tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// A model built in memory: its nodes, elements, supports and loads as the data file gives them.
struct DonneesElement {
  std::int32_t NoeudI, NoeudJ;
  double E, Iz;
};
struct DonneesLiaison {
  std::int32_t Code, Noeud;
};
struct DonneesCharge {
  std::int32_t Code, Numero;
  double P, Mz;
};

// Each test builds one or more models in turn, filled as the reader fills them; the global
// Structure points to the current one. The report is created in a temporary file so that the
// analysis steps can write their progress lines; RapportOuvert stays false, so freeing the model
// neither closes it with checks nor shows it.
class ModeleEnMemoire : public ::testing::Test {
 protected:
  void TearDown() override {
    Modele.reset();
    Structure = nullptr;
    std::remove(NomRapport().c_str());
  }

  TStructure& NouveauModele(const std::vector<double>& abscisses,
                            const std::vector<DonneesElement>& elements,
                            const std::vector<DonneesLiaison>& liaisons,
                            const std::vector<DonneesCharge>& charges) {
    Modele.reset();
    Modele = std::make_unique<TStructure>();
    Structure = Modele.get();
    EXPECT_TRUE(Modele->Rapport.Creer(NomRapport()));
    TStructure& s = *Modele;
    s.NbNoeuds = static_cast<std::int32_t>(abscisses.size());
    for (std::int32_t n = 1; n <= s.NbNoeuds; ++n) s.X[n] = abscisses[n - 1];
    s.Elements.Nombre = static_cast<std::int32_t>(elements.size());
    for (std::int32_t i = 1; i <= s.Elements.Nombre; ++i) {
      TElement& e = s.Elements.Nouveau(i);
      e.NoeudI = elements[i - 1].NoeudI;
      e.NoeudJ = elements[i - 1].NoeudJ;
      e.E = elements[i - 1].E;
      e.Iz = elements[i - 1].Iz;
    }
    s.Liaisons.Nombre = static_cast<std::int32_t>(liaisons.size());
    for (std::int32_t i = 1; i <= s.Liaisons.Nombre; ++i) {
      TLiaison& l = s.Liaisons.Nouveau(i);
      l.Code = liaisons[i - 1].Code;
      l.Noeud = liaisons[i - 1].Noeud;
    }
    s.Charges.Nombre = static_cast<std::int32_t>(charges.size());
    for (std::int32_t i = 1; i <= s.Charges.Nombre; ++i) {
      TCharge& c = s.Charges.Nouveau(i);
      c.Code = charges[i - 1].Code;
      c.Numero = charges[i - 1].Numero;
      c.P = charges[i - 1].P;
      c.Mz = charges[i - 1].Mz;
    }
    return s;
  }

  // The analysis up to the reactions, as the run chains it; false if the solution fails.
  static bool Analyser(TStructure& s) {
    if (!s.AssemblerRigidite()) return false;
    s.AssemblerForces();
    s.MettreLiaisons();
    if (!s.CalculerDeplacements()) return false;
    s.CalculerForcesElementaires();
    s.CalculerActionsLiaison();
    return true;
  }

 private:
  static std::string NomRapport() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "modele_" + test->test_suite_name() + "_" + test->name() +
           "r.txt";
  }
  std::unique_ptr<TStructure> Modele;
};
