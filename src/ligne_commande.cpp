// The command-line mode: vortale [OPTION]... FICHIER...
//
// For scripts and batches. Each FICHIER is one run of the same model, reader, analysis and report
// as the interactive run, in one process, each from a fresh model. There is no banner and no
// prompt: after each complete run one summary line goes to the standard output, and every way a
// run can end without a complete report is one diagnostic line on the standard error stream,
// "FICHIER:LIGNE: message", the convention editors jump to (console.cpp).
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

// The summary of a complete run, in the console's encoding: the report's name, the largest
// |deflection| and the largest |Mfz| of the beam (the exact extremes), each with its abscissa, in
// the report's own digits, and the equilibrium residual.
std::string Resume(const TStructure& s, const std::string& nomRapport, const TExtremes& extremes,
                   double residu) {
  const std::string nom = NomVersConsole(nomRapport);
  if (s.Elements.Nombre <= 0) {
    return Remplir(VersConsole(Textes::ResumeSansElement).c_str(), {nom, TexteResidu(residu)});
  }
  const TExtreme& fleche = extremes[TGrandeur::Fleche].PlusGrand;
  const TExtreme& moment = extremes[TGrandeur::Mfz].PlusGrand;
  return Remplir(VersConsole(Textes::Resume).c_str(),
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

// The run of one FICHIER; true when its report (and drawing) is complete. The model lives for this
// run only. A run-time error has already told its diagnostic and closed the report; it ends this
// run, not the batch. A run without results leaves no drawing, not even an older one, so that a
// stale picture never stands beside a new report; with --view the drawing opens after the report.
bool Executer(const std::string& fichier, const TOptions& options) {
  const std::string nom = NomSansExtension(fichier);
  if (nom.empty() || nom.size() + std::string(Textes::ExtensionDonnees).size() > LongueurNomMax) {
    Diagnostic(fichier, 0, nom.empty() ? Textes::NomVide : Textes::NomTropLong);
    return false;
  }
  const std::string nomDessin = nom + Textes::ExtensionDessin;
  bool complet = false;
  double residu = 0;
  std::string resume, dessin;
  try {
    Structure = new TStructure;
    Structure->ModeCommande = true;
    Structure->Montrer = options.Voir;
    Structure->NomFichier = nom;
    complet = Structure->Calculer();
    if (complet) {
      const TExtremes extremes = ExtremesExacts(*Structure);
      residu = Structure->ResiduEquilibre();
      resume = Resume(*Structure, nom + Textes::ExtensionRapport, extremes, residu);
      if (options.Dessin) dessin = DessinSvg(*Structure, extremes);
    }
    delete Structure;  // closes the report, and shows it with --view
  } catch (const EErreurExecution&) {
    delete Structure;  // still there unless closing the report failed
    Structure = nullptr;
    complet = false;
  }
  if (options.Dessin && !complet) std::remove(nomDessin.c_str());
  if (!complet) return false;
  if (options.Dessin) {
    if (!EcrireDessin(nomDessin, dessin)) {
      const int numero = errno;
      std::remove(nomDessin.c_str());
      Diagnostic(nomDessin, 0, Remplir(Textes::EcritureDessinImpossible, {RaisonSysteme(numero)}));
      return false;
    }
    if (options.Voir) OuvrirDessin(nomDessin);
  }
  EcrireConsole(stdout, resume);
  if (!(residu <= ResiduDouteux)) {
    Diagnostic(nom + Textes::ExtensionDonnees, 0,
               Remplir(Textes::ResultatDouteux, {TexteResidu(residu)}));
    return false;
  }
  return true;
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
    if (!Executer(fichier, options)) statut = 1;
  }
  return statut;
}
