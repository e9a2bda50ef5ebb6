// libFuzzer target: whole runs of the program on arbitrary data-file bytes, interactive and then
// from the command line.
//
// The data file "f.txt" holds the input, the typed name "f" comes from a file put in place of
// stdin, and the program's two runs, linked from its library, run in-process: the interactive run
// (ExecuterInteractif) and the command-line mode (LigneCommande), each the reader, the analysis and
// the report. A run-time error ("Invalid numeric input", "Range check error", "I/O error N") is one
// of the program's normal endings: ErreurExecution throws it and the interactive run returns 1,
// leaving the structure alive with its report already closed; it is freed here, so that every run
// starts afresh and LeakSanitizer sees only the program's own leaks.
//
// Besides the sanitizers' own checks, every run must end in one of the program's defined ways:
//  - exit status 0 or 1;
//  - after status 0 the structure has been freed (and the global cleared) by the entry point;
//  - a structure left alive holds no open report;
//  - the report "fr.txt" exists and begins with its first line, whatever happened later: what
//    the program already wrote is never lost.
// A breach aborts, which libFuzzer reports as a crash with the input that caused it.
//
// Console output goes to /dev/null. The error line on stderr is left to the fuzzer's option
// -close_fd_mask=2 (or 3), which keeps libFuzzer's and the sanitizers' own reports visible; the
// reason of a breach goes through the sanitizers' report stream for the same reason.
//
// The work folder is made and entered before libFuzzer reads its arguments: corpus folders and
// the artifact prefix must be given as absolute paths.
#include <sanitizer/common_interface_defs.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "UTypes.h"
#include "ligne_commande.h"
#include "pilote.h"
#include "textes.h"

namespace {

[[noreturn]] void Echec(const char* quoi) {
  __sanitizer_report_error_summary((std::string("fuzz_vortale: ") + quoi).c_str());
  std::abort();
}

void EcrireFichier(const char* nom, const void* octets, std::size_t taille) {
  std::FILE* f = std::fopen(nom, "wb");
  if (f == nullptr) Echec("cannot create a file in the work folder");
  if (taille != 0 && std::fwrite(octets, 1, taille, f) != taille) Echec("cannot write a file");
  if (std::fclose(f) != 0) Echec("cannot close a file");
}

// The report must begin with the reader's first line.
void VerifierRapport() {
  const std::string attendu = std::string(Textes::LectureFichier) + "f.txt\r\n";
  std::FILE* f = std::fopen("fr.txt", "rb");
  if (f == nullptr) Echec("the report fr.txt was not created");
  std::string debut(attendu.size(), '\0');
  const std::size_t lu = std::fread(&debut[0], 1, debut.size(), f);
  std::fclose(f);
  if (lu != attendu.size() || debut != attendu)
    Echec("the report does not begin with its first line");
}

char Dossier[] = "/tmp/fuzz_vortale.XXXXXX";

// At exit the work folder goes; after a crash it stays, with the last input in it.
void Nettoyer() {
  for (const char* nom : {"f.txt", "fr.txt", "fr.svg", "nom"}) std::remove(nom);
  if (chdir("/") == 0) rmdir(Dossier);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A private work folder: every run writes f.txt, fr.txt and the typed name there.
  if (mkdtemp(Dossier) == nullptr || chdir(Dossier) != 0) Echec("cannot make the work folder");
  std::atexit(Nettoyer);
  setenv("VORTALE_VIEWER", "", 1);  // set but blank: never start a viewer
  if (std::freopen("/dev/null", "w", stdout) == nullptr) Echec("cannot silence stdout");
  EcrireFichier("nom", "f\n", 2);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t taille) {
  std::remove("fr.txt");
  EcrireFichier("f.txt", octets, taille);
  if (std::freopen("nom", "rb", stdin) == nullptr) Echec("cannot put the typed name on stdin");

  const int code = ExecuterInteractif();

  if (code != 0 && code != 1) Echec("exit status other than 0 or 1");
  if (code == 0 && Structure != nullptr) Echec("orderly run left the structure alive");
  if (Structure != nullptr && Structure->RapportOuvert)
    Echec("run-time error left the report open");
  delete Structure;  // alive after a run-time error only; null after an orderly run
  Structure = nullptr;
  VerifierRapport();

  // The same data through the command line, whose diagnostics locate every failure, with the
  // drawing: it frees its model whatever happens.
  std::remove("fr.txt");
  const int statut = LigneCommande({"--svg", "f"});
  if (statut != 0 && statut != 1) Echec("command line: exit status other than 0 or 1");
  if (Structure != nullptr) Echec("command line left the structure alive");
  VerifierRapport();
  std::clearerr(stdout);
  std::clearerr(stderr);
  return 0;
}
