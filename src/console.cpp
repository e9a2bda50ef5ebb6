// The console of the command-line mode: its encoding, and the diagnostics.
//
// The program's texts are Windows-1252. On the command line they follow the console: UTF-8 when
// the locale says so, Windows-1252 otherwise; on Windows, the console's code page. The report file
// is always Windows-1252 with CR LF, whatever the console.
#include "console.h"

#include <cstdlib>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

unsigned PointWindows1252(unsigned char octet) {
  static const char16_t Plage80[32] = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  return octet >= 0x80 && octet < 0xA0 ? Plage80[octet - 0x80] : octet;
}

std::string Utf8DepuisWindows1252(std::string_view texte) {
  std::string utf8;
  utf8.reserve(texte.size());
  for (const char c : texte) {
    const unsigned point = PointWindows1252(static_cast<unsigned char>(c));
    if (point < 0x80) {
      utf8 += static_cast<char>(point);
    } else if (point < 0x800) {
      utf8 += static_cast<char>(0xC0 | (point >> 6));
      utf8 += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (point >> 12));
      utf8 += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return utf8;
}

namespace {

#ifdef _WIN32
const char* const FinDeLigne = "\r\n";

// A text of the code page `source` in the console's own code page, through UTF-16.
std::string VersPageConsole(const std::string& texte, UINT source) {
  const UINT page = GetConsoleOutputCP();
  if (page == 0 || page == source || texte.empty()) return texte;
  const int longueur = static_cast<int>(texte.size());
  const int largeur = MultiByteToWideChar(source, 0, texte.data(), longueur, nullptr, 0);
  std::wstring large(static_cast<std::size_t>(largeur), L'\0');
  MultiByteToWideChar(source, 0, texte.data(), longueur, &large[0], largeur);
  const int taille =
      WideCharToMultiByte(page, 0, large.data(), largeur, nullptr, 0, nullptr, nullptr);
  std::string converti(static_cast<std::size_t>(taille), '\0');
  WideCharToMultiByte(page, 0, large.data(), largeur, &converti[0], taille, nullptr, nullptr);
  return converti;
}
#else
const char* const FinDeLigne = "\n";

// The locale's encoding, from the first of LC_ALL, LC_CTYPE and LANG that is set and not empty:
// UTF-8 when it names it ("fr_FR.UTF-8", "C.utf8"), Windows-1252 otherwise.
bool ConsoleUtf8() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* valeur = std::getenv(variable);
    if (valeur == nullptr || *valeur == '\0') continue;
    std::string nom;
    for (const char* c = valeur; *c != '\0'; ++c) {
      if (*c != '-') nom += static_cast<char>(*c >= 'A' && *c <= 'Z' ? *c - 'A' + 'a' : *c);
    }
    return nom.find("utf8") != std::string::npos;
  }
  return false;
}

#endif

}  // namespace

#ifdef _WIN32
std::string VersConsole(const std::string& texte) { return VersPageConsole(texte, 1252); }
std::string NomVersConsole(const std::string& nom) { return VersPageConsole(nom, CP_ACP); }
#else
std::string VersConsole(const std::string& texte) {
  return ConsoleUtf8() ? Utf8DepuisWindows1252(texte) : texte;
}
std::string NomVersConsole(const std::string& nom) { return nom; }
#endif

void ConsoleBinaire() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void EcrireConsole(std::FILE* flux, const std::string& ligne) {
  const std::string texte = ligne + FinDeLigne;
  std::fwrite(texte.data(), 1, texte.size(), flux);
  std::fflush(flux);
}

namespace {
std::vector<TDiagnostic>* Recueil = nullptr;
}

void RecueillirDiagnostics(std::vector<TDiagnostic>* recueil) { Recueil = recueil; }

// The message is the program's text; the file's name is the user's.
void Diagnostic(const std::string& fichier, std::int32_t ligne, const std::string& message,
                TGravite gravite) {
  std::fflush(stdout);
  EcrireConsole(stderr, NomVersConsole(fichier) + ":" +
                            (ligne > 0 ? std::to_string(ligne) + ":" : "") + " " +
                            VersConsole(message));
  if (Recueil != nullptr) Recueil->push_back({ligne, gravite, message});
}
