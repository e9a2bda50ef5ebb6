// Opening the finished report, and the drawing of the command-line mode, in a viewer.
//
// The viewer is chosen by the environment variable VORTALE_VIEWER:
//  - set and not blank: its value split on blanks is the command, and the file's name is added
//    as one last argument, whatever characters it holds;
//  - set but blank: no viewer;
//  - unset: the report goes to a text editor, on Windows "notepad " + the report's name, on macOS
//    "open -t"; the drawing goes to the system's default opener, ShellExecute "open" on Windows,
//    "open" on macOS; elsewhere both go to "xdg-open", only when a display (DISPLAY or
//    WAYLAND_DISPLAY) is there to show them.
// The viewer is started once per file, after the file is closed, detached, and never waited for;
// any failure to start it is silent. It is never started through a shell: a name such as
// "a; rm x" reaches it as one literal argument.
#include "visionneuse.h"

#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
extern char** environ;
#endif

namespace {

std::vector<std::string> Mots(const std::string& texte) {
  std::vector<std::string> mots;
  std::string mot;
  for (char c : texte + ' ') {
    if (c != ' ' && c != '\t') {
      mot += c;
    } else if (!mot.empty()) {
      mots.push_back(mot);
      mot.clear();
    }
  }
  return mots;
}

// What the file to show is: the report, a text, or the drawing.
enum class TGenre { Texte, Dessin };

// The command that shows the file, empty for none.
std::vector<std::string> CommandeVisionneuse(const std::string& nom,
                                             [[maybe_unused]] TGenre genre) {
  std::vector<std::string> commande;
  if (const char* choix = std::getenv("VORTALE_VIEWER")) {
    commande = Mots(choix);
    if (commande.empty()) return commande;
  } else {
#if defined(_WIN32)
    commande = {genre == TGenre::Texte ? "notepad" : "open"};
#elif defined(__APPLE__)
    commande = genre == TGenre::Texte ? std::vector<std::string>{"open", "-t"}
                                      : std::vector<std::string>{"open"};
#else
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
      return commande;
    }
    commande = {"xdg-open"};
#endif
  }
  commande.push_back(nom);
  return commande;
}

#ifdef _WIN32
// One argument of a Windows command line, quoted so that the program receives it unchanged.
std::string ArgumentCite(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string cite = "\"";
  std::size_t barres = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++barres;
      continue;
    }
    cite.append(c == '"' ? 2 * barres + 1 : barres, '\\');
    barres = 0;
    cite += c;
  }
  cite.append(2 * barres, '\\');
  return cite + "\"";
}

// Without a choice of viewer, the report goes to notepad, started with WinExec and the plain
// command line "notepad NAME", shown normally (show-window value 1); the drawing goes to the
// program that the system associates with it, ShellExecute "open".
void Lancer(const std::vector<std::string>& commande, TGenre genre) {
  if (std::getenv("VORTALE_VIEWER") == nullptr) {
    if (genre == TGenre::Texte) {
      WinExec(("notepad " + commande.back()).c_str(), 1);
    } else {
      ShellExecuteA(nullptr, "open", commande.back().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    return;
  }
  std::string ligne;
  for (const std::string& argument : commande)
    ligne += (ligne.empty() ? "" : " ") + ArgumentCite(argument);
  STARTUPINFOA demarrage = {};
  demarrage.cb = sizeof demarrage;
  PROCESS_INFORMATION processus = {};
  if (CreateProcessA(nullptr, &ligne[0], nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                     nullptr, &demarrage, &processus)) {
    CloseHandle(processus.hThread);
    CloseHandle(processus.hProcess);
  }
}
#elif defined(__EMSCRIPTEN__)
// In a browser no other program can be started; the page shows the report and the drawing itself.
void Lancer(const std::vector<std::string>&, TGenre) {}
#else
// The viewer runs in a session of its own, its three standard streams on /dev/null, so that it
// holds nothing of ours (no terminal, no pipe of whoever started us).
void Lancer(const std::vector<std::string>& commande, TGenre) {
  std::vector<char*> arguments;
  for (const std::string& argument : commande)
    arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);

  posix_spawn_file_actions_t fichiers;
  posix_spawnattr_t attributs;
  if (posix_spawn_file_actions_init(&fichiers) != 0) return;
  if (posix_spawnattr_init(&attributs) == 0) {
    posix_spawn_file_actions_addopen(&fichiers, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&fichiers, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fichiers, 2, "/dev/null", O_WRONLY, 0);
#ifdef POSIX_SPAWN_SETSID
    posix_spawnattr_setflags(&attributs, POSIX_SPAWN_SETSID);
#endif
    pid_t pid;
    posix_spawnp(&pid, arguments[0], &fichiers, &attributs, arguments.data(), environ);
    posix_spawnattr_destroy(&attributs);
  }
  posix_spawn_file_actions_destroy(&fichiers);
}
#endif

}  // namespace

void OuvrirVisionneuse(const std::string& nomRapport) {
  const std::vector<std::string> commande = CommandeVisionneuse(nomRapport, TGenre::Texte);
  if (!commande.empty()) Lancer(commande, TGenre::Texte);
}

void OuvrirDessin(const std::string& nomDessin) {
  const std::vector<std::string> commande = CommandeVisionneuse(nomDessin, TGenre::Dessin);
  if (!commande.empty()) Lancer(commande, TGenre::Dessin);
}
