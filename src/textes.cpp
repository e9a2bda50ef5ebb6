// Filling the place-holders of the program's messages.
#include "textes.h"

std::string Remplir(const char* modele, std::initializer_list<std::string> valeurs) {
  std::string texte;
  for (const char* c = modele; *c != '\0'; ++c) {
    const bool marque = c[0] == '%' && c[1] >= '1' && c[1] <= '9' &&
                        static_cast<std::size_t>(c[1] - '1') < valeurs.size();
    if (marque) {
      texte += valeurs.begin()[c[1] - '1'];
      ++c;
    } else {
      texte += *c;
    }
  }
  return texte;
}
