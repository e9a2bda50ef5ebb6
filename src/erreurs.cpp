// Run-time errors, and the system's reasons for a failed file operation.
#include "erreurs.h"

#include <cerrno>
#include <cstdio>

#include "UTypes.h"
#include "console.h"
#include "textes.h"

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

void ErreurEntreeSortie(int numero, const char* quoi) {
  ErreurExecution(Remplir(Textes::ErreurES, {std::to_string(numero)}), 0,
                  Remplir(quoi, {RaisonSysteme(numero)}));
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
      return Remplir(Textes::RaisonErreurSysteme, {std::to_string(numero)});
  }
}
