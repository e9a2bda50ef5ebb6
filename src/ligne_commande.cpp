// The command-line mode: vortale [OPTION]... FICHIER...
//
// For scripts and batches. Each FICHIER is one run of the same model, reader, analysis and report
// as the interactive run, in one process, each from a fresh model. There is no banner and no
// prompt: after each complete run one summary line goes to the standard output, and every way a
// run can end without a complete report is one diagnostic line on the standard error stream,
// "FICHIER:LIGNE: message", the convention editors jump to (console.cpp). With --json, one JSON
// object per FICHIER takes the place of the summary line, for every run, complete or not.
#include "ligne_commande.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string>

#include "UTypes.h"
#include "console.h"
#include "dessin.h"
#include "extremes.h"
#include "format.h"
#include "resultats_json.h"
#include "textes.h"
#include "visionneuse.h"

namespace {

// ---------------------------------------------------------------------------------------------
// The options
// ---------------------------------------------------------------------------------------------

struct TOptions {
  bool Aide = false;
  bool Version = false;
  bool Voir = false;    // --view: open each report, and its drawing, in the viewer
  bool Dessin = false;  // --svg: write the drawing beside each complete report
  bool Json = false;    // --json: one JSON object per FICHIER instead of the summary line
  std::vector<std::string> Fichiers;
  std::string Erreur;  // a usage error, in the console's encoding
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
    } else if (argument == "--svg") {
      options.Dessin = true;
    } else if (argument == "--json") {
      options.Json = true;
    } else if (options.Erreur.empty()) {
      options.Erreur =
          Remplir(VersConsole(Textes::OptionInconnue).c_str(), {NomVersConsole(argument)});
    }
  }
  if (options.Erreur.empty() && options.Fichiers.empty() && !options.Aide && !options.Version)
    options.Erreur = VersConsole(Textes::SansFichier);
  return options;
}

void EcrireUsage(std::FILE* flux) {
  for (const char* ligne : Textes::Usage) EcrireConsole(flux, VersConsole(ligne));
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

// A relative residual above this is no equilibrium: the run's results are doubtful. Real beams
// solve to about 1E-16.
constexpr double ResiduDouteux = 1e-6;

// The residual as C's "%.1E" writes it: 2.1E-16, 4.2E+00.
std::string TexteResidu(double residu) {
  char texte[32];
  std::snprintf(texte, sizeof texte, "%.1E", residu);
  return texte;
}

// The summary of a complete run: the report's name, the largest |deflection| and the largest |Mfz|
// of the beam (the exact extremes), each with its abscissa, in the report's own digits, and the
// equilibrium residual. `nom` is already in the summary's encoding, and `texte` puts the program's
// words in it: the console's for the summary line, UTF-8 for the JSON object.
std::string Resume(const TStructure& s, const std::string& nom, const TExtremes& extremes,
                   double residu, std::string (*texte)(const std::string&)) {
  if (s.Elements.Nombre <= 0) {
    return Remplir(texte(Textes::ResumeSansElement).c_str(), {nom, TexteResidu(residu)});
  }
  const TExtreme& fleche = extremes[TGrandeur::Fleche].PlusGrand;
  const TExtreme& moment = extremes[TGrandeur::Mfz].PlusGrand;
  return Remplir(texte(Textes::Resume).c_str(),
                 {nom, SansBlancs(FormatReel(fleche.Valeur, ChampFleche)),
                  SansBlancs(FormatReel(fleche.Abscisse, ChampAbscisse)),
                  SansBlancs(FormatReel(moment.Valeur, ChampMfz)),
                  SansBlancs(FormatReel(moment.Abscisse, ChampAbscisse)), TexteResidu(residu)});
}

// Writes the drawing as a new file (an older one is removed first: replacing a file costs far
// more than creating one); false, with errno, when it cannot be written.
bool EcrireDessin(const std::string& nom, const std::string& svg) {
  std::remove(nom.c_str());
  std::FILE* fichier = std::fopen(nom.c_str(), "wb");
  if (fichier == nullptr) return false;
  const bool ecrit = std::fwrite(svg.data(), 1, svg.size(), fichier) == svg.size();
  return std::fclose(fichier) == 0 && ecrit;
}

std::string Utf8(const std::string& texte) { return Utf8DepuisWindows1252(texte); }

// What one run leaves for the console: whether the report is complete, and the summary line, the
// drawing and the JSON results when it is.
struct TIssue {
  bool RapportCree = false;
  bool Complet = false;
  double Residu = 0;
  std::string Resume, Dessin;
  TJson Resultats;
};

// The run of one name with a fresh model, which lives for this run only. A run-time error has
// already told its diagnostic and closed the report; it ends this run, not the batch.
TIssue Analyser(const std::string& nom, const TOptions& options) {
  TIssue issue;
  try {
    Structure = new TStructure;
    Structure->ModeCommande = true;
    Structure->Montrer = options.Voir;
    Structure->NomFichier = nom;
    issue.Complet = Structure->Calculer();
    issue.RapportCree = Structure->RapportCree;
    if (issue.Complet) {
      const std::string nomRapport = nom + Textes::ExtensionRapport;
      const TExtremes extremes = ExtremesExacts(*Structure);
      issue.Residu = Structure->ResiduEquilibre();
      issue.Resume =
          Resume(*Structure, NomVersConsole(nomRapport), extremes, issue.Residu, VersConsole);
      if (options.Dessin) issue.Dessin = DessinSvg(*Structure, extremes);
      if (options.Json) {
        issue.Resultats =
            ResultatsJson(*Structure, extremes, issue.Residu,
                          Resume(*Structure, nomRapport, extremes, issue.Residu, Utf8));
      }
    }
    delete Structure;  // closes the report, and shows it with --view
  } catch (const EErreurExecution&) {
    if (Structure != nullptr) issue.RapportCree = Structure->RapportCree;
    delete Structure;  // still there unless closing the report failed
    Structure = nullptr;
    issue.Complet = false;
  }
  return issue;
}

// The run of one FICHIER; true when its report (and drawing) is complete and balanced. A run
// without results leaves no drawing, not even an older one, so that a stale picture never stands
// beside a new report; with --view the drawing opens after the report.
bool Executer(const std::string& fichier, const TOptions& options, TIssue& issue) {
  const std::string nom = NomSansExtension(fichier);
  if (nom.empty() || nom.size() + std::string(Textes::ExtensionDonnees).size() > LongueurNomMax) {
    Diagnostic(fichier, 0, nom.empty() ? Textes::NomVide : Textes::NomTropLong);
    return false;
  }
  const std::string nomDessin = nom + Textes::ExtensionDessin;
  issue = Analyser(nom, options);
  bool reussi = issue.Complet;
  if (options.Dessin && !issue.Complet) std::remove(nomDessin.c_str());
  if (issue.Complet && options.Dessin) {
    if (!EcrireDessin(nomDessin, issue.Dessin)) {
      const int numero = errno;
      std::remove(nomDessin.c_str());
      Diagnostic(nomDessin, 0, Remplir(Textes::EcritureDessinImpossible, {RaisonSysteme(numero)}));
      reussi = false;
    } else if (options.Voir) {
      OuvrirDessin(nomDessin);
    }
  }
  if (reussi && !options.Json) EcrireConsole(stdout, issue.Resume);
  if (reussi && !(issue.Residu <= ResiduDouteux)) {
    Diagnostic(nom + Textes::ExtensionDonnees, 0,
               Remplir(Textes::ResultatDouteux, {TexteResidu(issue.Residu)}));
    reussi = false;
  }
  return reussi;
}

// One FICHIER: its run, then with --json its object, once every diagnostic of the run is told.
bool ExecuterFichier(const std::string& fichier, const TOptions& options) {
  std::vector<TDiagnostic> diagnostics;
  RecueillirDiagnostics(options.Json ? &diagnostics : nullptr);
  TIssue issue;
  const bool reussi = Executer(fichier, options, issue);
  RecueillirDiagnostics(nullptr);
  if (options.Json) {
    const std::string rapport = NomSansExtension(fichier) + Textes::ExtensionRapport;
    EcrireConsole(stdout, ObjetJson(fichier, rapport, issue.RapportCree, issue.Complet, diagnostics,
                                    issue.Resultats));
  }
  return reussi;
}

}  // namespace

int LigneCommande(const std::vector<std::string>& arguments) {
  const TOptions options = LireOptions(arguments);
  if (!options.Erreur.empty()) {
    EcrireConsole(stderr, options.Erreur);
    EcrireUsage(stderr);
    return 2;
  }
  if (options.Aide) {
    EcrireUsage(stdout);
    return 0;
  }
  if (options.Version) {
    EcrireConsole(stdout, VersConsole(Textes::Version));
    return 0;
  }
  int statut = 0;
  for (const std::string& fichier : options.Fichiers) {
    if (!ExecuterFichier(fichier, options)) statut = 1;
  }
  return statut;
}
