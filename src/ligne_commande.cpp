// The command-line mode: vortale [OPTION]... FICHIER...
//
// For scripts and batches. Each FICHIER is one run of the same model, reader, analysis and report
// as the interactive run, in one process, each from a fresh model. There is no banner and no
// prompt: after each complete run one summary line goes to the standard output, and every way a
// run can end without a complete report is one diagnostic line on the standard error stream,
// "FICHIER:LIGNE: message", the convention editors jump to (console.cpp).
#include "ligne_commande.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "UTypes.h"
#include "console.h"
#include "format.h"
#include "textes.h"

namespace {

// ---------------------------------------------------------------------------------------------
// The options
// ---------------------------------------------------------------------------------------------

struct TOptions {
  bool Aide = false;
  bool Version = false;
  bool Voir = false;  // --view: open each report, and its drawing, in the viewer
  std::vector<std::string> Fichiers;
  std::string Erreur;  // a usage error, Windows-1252
};

TOptions LireOptions(const std::vector<std::string>& arguments) {
  TOptions options;
  bool finOptions = false;
  for (const std::string& argument : arguments) {
    if (finOptions || argument.size() < 2 || argument[0] != '-') {
      options.Fichiers.push_back(argument);
    } else if (argument == "--") {
      finOptions = true;
    } else if (argument == "-h" || argument == "--help") {
      options.Aide = true;
    } else if (argument == "--version") {
      options.Version = true;
    } else if (argument == "--view") {
      options.Voir = true;
    } else if (options.Erreur.empty()) {
      options.Erreur = Textes::OptionInconnue + argument + Textes::GuillemetFermant;
    }
  }
  if (options.Erreur.empty() && options.Fichiers.empty() && !options.Aide && !options.Version)
    options.Erreur = Textes::SansFichier;
  return options;
}

void EcrireUsage(std::FILE* flux) {
  for (const char* ligne : Textes::Usage) EcrireConsole(flux, "", ligne);
}

// ---------------------------------------------------------------------------------------------
// One run
// ---------------------------------------------------------------------------------------------

// The name of the run: FICHIER without a final ".txt" of any case, so that a name completed by
// the shell works.
std::string NomSansExtension(const std::string& fichier) {
  const std::string extension = Textes::ExtensionDonnees;
  if (fichier.size() < extension.size()) return fichier;
  const std::size_t debut = fichier.size() - extension.size();
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const char c = fichier[debut + i];
    if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != extension[i]) return fichier;
  }
  return fichier.substr(0, debut);
}

// A value as the report prints it in its graph table, without its leading blanks.
std::string TexteDuRapport(double valeur, int largeur, int decimales) {
  const std::string champ = FormatReel(valeur, largeur, decimales);
  return champ.substr(champ.find_first_not_of(' '));
}

// The summary of a complete run: the report's name, then the largest |deflection| and the largest
// |Mfz| of the graph rows, each with its abscissa, in the report's own digits (the first row
// wins a tie; a value that is not a number is never the largest).
std::string Resume(const TStructure& s) {
  const std::string rapport = s.NomFichier + Textes::ExtensionRapport;
  if (s.Elements.Nombre <= 0) return rapport + Textes::ResumeSansElement;
  struct TExtreme {
    double Valeur = 0, Abscisse = 0;
    bool Trouve = false;
  } fleche, moment;
  const auto retenir = [](TExtreme& extreme, double valeur, double abscisse) {
    if (!extreme.Trouve || std::fabs(valeur) > std::fabs(extreme.Valeur)) {
      extreme = {valeur, abscisse, true};
    }
  };
  for (std::int32_t i = 1; i <= s.Elements.Nombre; ++i) {
    const TGraphe& graphe = s.Graphes[i];
    for (std::int32_t k = 0; k <= graphe.NbIntervalles; ++k) {
      retenir(fleche, graphe.Fleche[k], graphe.Abscisse[k]);
      retenir(moment, graphe.Mfz[k], graphe.Abscisse[k]);
    }
  }
  return rapport + Textes::ResumeFleche + TexteDuRapport(fleche.Valeur, 12, 6) +
         Textes::ResumeMetreEnX + TexteDuRapport(fleche.Abscisse, 7, 3) + Textes::ResumeMoment +
         TexteDuRapport(moment.Valeur, 10, 2) + Textes::ResumeNewtonMetreEnX +
         TexteDuRapport(moment.Abscisse, 7, 3) + Textes::Metre;
}

// The run of one FICHIER; true when its report (and drawing) is complete. The model lives for this
// run only. A run-time error has already told its diagnostic and closed the report; it ends this
// run, not the batch.
bool Executer(const std::string& fichier, const TOptions& options) {
  const std::string nom = NomSansExtension(fichier);
  if (nom.empty() || nom.size() + std::string(Textes::ExtensionDonnees).size() > LongueurNomMax) {
    EcrireConsole(stderr, fichier + ": ", nom.empty() ? Textes::NomVide : Textes::NomTropLong);
    return false;
  }
  bool complet = false;
  std::string resume;
  try {
    Structure = new TStructure;
    Structure->ModeCommande = true;
    Structure->Montrer = options.Voir;
    Structure->NomFichier = nom;
    complet = Structure->Calculer();
    if (complet) resume = Resume(*Structure);
    delete Structure;  // closes the report, and shows it with --view
  } catch (const EErreurExecution&) {
    delete Structure;  // still there unless closing the report failed
    Structure = nullptr;
    complet = false;
  }
  if (!complet) return false;
  EcrireConsole(stdout, "", resume);
  return true;
}

}  // namespace

int LigneCommande(const std::vector<std::string>& arguments) {
  const TOptions options = LireOptions(arguments);
  if (!options.Erreur.empty()) {
    EcrireConsole(stderr, "", Textes::Programme + options.Erreur);
    EcrireUsage(stderr);
    return 2;
  }
  if (options.Aide) {
    EcrireUsage(stdout);
    return 0;
  }
  if (options.Version) {
    EcrireConsole(stdout, "", Textes::Version);
    return 0;
  }
  int statut = 0;
  for (const std::string& fichier : options.Fichiers) {
    if (!Executer(fichier, options)) statut = 1;
  }
  return statut;
}
