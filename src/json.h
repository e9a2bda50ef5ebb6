// A writer of JSON text (RFC 8259), for the results that scripts read: objects, lists, numbers,
// strings, true, false and null, appended to one string.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The shortest decimal text that reads back to the same double, laid out as JavaScript and
// JSON.stringify write numbers: digits in fixed point for magnitudes from 1e-6 to below 1e21
// ("15625", "-0.019476", "0.000001"), else one digit, the others after a point, and a signed
// exponent ("1e-7", "1.5e+21"). A negative zero is "-0". The caller deals with values that are not
// finite, which JSON cannot write.
std::string NombreJson(double valeur);

// The bytes as the contents of a JSON string: every well-formed UTF-8 sequence as it is; every
// other byte read as Windows-1252 and written as \u escape of its character ("\u00e9" for the
// byte E9, "\u20ac" for 80); the quote, the backslash and the control characters escaped.
std::string ChaineJson(std::string_view octets);

// Appends a JSON value to Texte, the commas between members and items placed by the writer. A
// member is Cle(name) followed by its value.
class TJson {
 public:
  std::string Texte;

  void DebutObjet();
  void FinObjet();
  void DebutListe();
  void FinListe();
  void Cle(const char* nom);
  void Reel(double valeur);  // null when not finite
  void Entier(std::int64_t valeur);
  void Booleen(bool valeur);
  void Nul();
  void Chaine(std::string_view octets);
  // Members already written by another writer started with SuiteObjet, placed after the members
  // of the object that this writer has open.
  void Membres(const TJson& suite);
  // A writer for members that will be placed after the first members of an object.
  static TJson SuiteObjet();

 private:
  void Valeur();            // the comma before a value, unless it is the first of its list
  void Ouvrir(char signe);  // '{' or '['
  void Fermer(char signe);  // '}' or ']'
  bool Premier = true;      // nothing written yet in the innermost open object or list, or a key
                            // written whose value comes next
};
