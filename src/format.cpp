// Field writers of the report.
//
// Reals are not written through printf or streams: those round the binary
// value once, correctly, whereas the report first reduces the value to 18
// significant decimal digits in extended arithmetic and then rounds that
// decimal form half away from zero at the last printed digit. The two differ
// on exact halves (2.5 gives 3 here) and on values a hair below a half.
#include "format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

// The digit generation relies on the 80-bit extended format: 64-bit mantissa.
static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the 80-bit extended type");

namespace {

using Etendu = std::numeric_limits<long double>;

const int ChiffresGeneres = 18;  // the digits of D
const int DecimalesMax = 216;
const int ChiffresMantisseMin = 2;
const int ChiffresMantisseMax = 18;
const int LargeurHorsMantisse = 8;  // sign, point, "E", exponent sign, 4 digits
const std::uint64_t DixPuissance18 = 1000000000000000000u;

// From 2^120 on, fixed point would need more than 37 integer digits.
const long double SeuilScientifique = 0x1p120L;

// Quotient rounded towards minus infinity; the built-in division truncates
// towards zero, which is one too high for a negative inexact quotient.
constexpr int DivisionPlancher(int a, int b)
{
    return a / b - ((a % b != 0 && a < 0) ? 1 : 0);
}

// Power of ten t taken out of a magnitude whose binary exponent is b:
// floor(b x 19728 / 65536), where 19728 / 65536 is log10(2) to 16 bits. The
// scaled magnitude lands near 1..20, and the scaling loop finishes the job.
constexpr int Decade(int b)
{
    return DivisionPlancher(b * 19728, 65536);
}

// The largest magnitude, of binary exponent max_exponent - 1, needs 10^-4931,
// the smallest power in the table.
static_assert(Decade(Etendu::max_exponent - 1) <= -Etendu::min_exponent10,
              "powers of ten table too short");

// 10^n correctly rounded to extended, for n from min_exponent10 (-4931) to
// max_exponent10 (4932). strtold rounds correctly, and "1e<n>" is read with
// no radix character, so the locale does not matter. Each power is read once,
// when first asked for: a report needs only a handful, and reading all ten
// thousand up front would cost more than the whole analysis.
long double PuissanceDix(int n)
{
    constexpr int premier = Etendu::min_exponent10;
    constexpr int nombre = Etendu::max_exponent10 - premier + 1;
    static long double table[nombre];
    static bool lue[nombre];
    const std::size_t i = static_cast<std::size_t>(n - premier);
    if (!lue[i]) {
        table[i] = std::strtold(("1e" + std::to_string(n)).c_str(), nullptr);
        lue[i] = true;
    }
    return table[i];
}

// m x 10^n with a single rounding of the product.
//
// Subnormal magnitudes need up to 10^4951, beyond the extended range. For
// those, m x 2^64 is exact, and 10^n x 2^-64 = 5^64 x 10^(n-64) is read from
// its exact decimal form and rounded once by strtold, to the same mantissa as
// 10^n. The product is then the one that an unlimited exponent would give.
long double MultiplierParPuissanceDix(long double m, int n)
{
    if (n <= Etendu::max_exponent10)
        return m * PuissanceDix(n);
    const std::string cinqPuissance64 = "542101086242752217003726400434970855712890625";
    const std::string puissance = cinqPuissance64 + "e" + std::to_string(n - 64);
    return std::ldexp(m, 64) * std::strtold(puissance.c_str(), nullptr);
}

// The decimal digits of a magnitude: L, then D; the value is about
// L D[0] . D[1] D[2] ... x 10^k when L is 1, D[0] . D[1] ... x 10^k otherwise.
struct Chiffres {
    int k = 0;      // power of ten taken out by the scaling
    int l = 0;      // lead digit L, 0 or 1
    std::string d;  // the digits D
};

// Scaling: divides m by powers of ten until its binary exponent lies in 0..3,
// that is 1 <= m < 16, and counts them in k. A magnitude below 1 has a
// negative t and is multiplied by 10^|t|.
long double MettreAEchelle(long double m, int& k)
{
    k = 0;
    while (m != 0) {
        const int t = Decade(std::ilogb(m));
        if (t == 0)
            break;
        m = MultiplierParPuissanceDix(m, -t);
        k += t;
    }
    return m;
}

// The 18 digits D and the lead digit L: y = m x 10^17, rounded once in
// extended, then to the nearest integer with ties to even (default rounding
// mode). As m < 16, y < 1.6 x 10^18, and L is 1 when y reaches 10^18.
Chiffres GenererChiffres(long double m, bool echelle)
{
    Chiffres c;
    if (echelle)
        m = MettreAEchelle(m, c.k);
    const long double produit = m * 1e17L;
    std::uint64_t y = static_cast<std::uint64_t>(std::nearbyint(produit));
    if (y >= DixPuissance18) {
        y -= DixPuissance18;
        c.l = 1;
    }
    c.d.assign(ChiffresGeneres, '0');
    for (int i = ChiffresGeneres - 1; i >= 0; --i) {
        c.d[static_cast<std::size_t>(i)] = static_cast<char>('0' + y % 10);
        y /= 10;
    }
    return c;
}

// Keeps the first p digits of D. Below 18 digits, the (p+1)-th digit decides:
// 5 or more adds one to the p-th digit, the carry running left through nines
// and out of D[0] into L. When L is already 1, D starts with 6 at most
// (m < 16), so the carry can only reach an L of 0. From 18 digits on, the
// missing digits are zeros and nothing is rounded.
void Couper(Chiffres& c, int p)
{
    const std::size_t fin = static_cast<std::size_t>(p);
    if (p < ChiffresGeneres && c.d[fin] >= '5') {
        std::size_t i = fin;
        while (i > 0 && c.d[i - 1] == '9')
            c.d[--i] = '0';
        if (i > 0)
            ++c.d[i - 1];
        else
            c.l = 1;
    }
    c.d.resize(fin, '0');
}

std::string AlignerADroite(const std::string& texte, int largeur)
{
    if (largeur <= 0 || static_cast<std::size_t>(largeur) <= texte.size())
        return texte;
    return std::string(static_cast<std::size_t>(largeur) - texte.size(), ' ') + texte;
}

// Fixed point for m < 2^120: a magnitude below 10 is not scaled (k = 0);
// k + 1 integer digits (after L when L is 1), then the decimals.
std::string FormatFixe(bool negatif, long double m, int decimales)
{
    Chiffres c = GenererChiffres(m, m >= 10);
    const std::size_t entiers = static_cast<std::size_t>(c.k + 1);
    Couper(c, c.k + 1 + decimales);
    std::string texte = negatif ? "-" : "";
    if (c.l == 1)
        texte += '1';
    texte += c.d.substr(0, entiers);
    if (decimales > 0)
        texte += "." + c.d.substr(entiers);
    return texte;
}

// The exponent's sign and its magnitude in exactly four digits; the extended
// range keeps it below 10000 (at most 4951).
std::string FormatExposant(int exposant)
{
    const std::string chiffres = std::to_string(std::abs(exposant));
    return (exposant >= 0 ? "+" : "-") + std::string(4 - chiffres.size(), '0') + chiffres;
}

// Scientific form: n = w - 8 mantissa digits, between 2 and 18, counted from
// L when L is 1 (the exponent then gains one); a sign position ("-" or a
// blank), d.ddd, "E" and the exponent: n + 8 characters, then right-aligned.
std::string FormatScientifique(bool negatif, long double m, int largeur)
{
    // Clamping the width before subtracting keeps any width from overflowing.
    const int n = std::clamp(largeur, ChiffresMantisseMin + LargeurHorsMantisse,
                             ChiffresMantisseMax + LargeurHorsMantisse)
                  - LargeurHorsMantisse;
    Chiffres c = GenererChiffres(m, true);
    Couper(c, n - c.l);
    // A carry into L leaves n zeros in D: the mantissa is then 1 and n - 1 zeros.
    const std::string mantisse = (c.l == 1 ? "1" + c.d : c.d).substr(0, static_cast<std::size_t>(n));
    const std::string texte = (negatif ? "-" : " ") + mantisse.substr(0, 1) + "."
                              + mantisse.substr(1) + "E" + FormatExposant(c.k + c.l);
    return AlignerADroite(texte, largeur);
}

}  // namespace

std::string FormatEntier(std::int32_t valeur, int largeur)
{
    return AlignerADroite(std::to_string(valeur), largeur);
}

std::string FormatTexte(const std::string& texte, int largeur)
{
    return AlignerADroite(texte, largeur);
}

std::string FormatReel(long double valeur, int largeur, int decimales)
{
    if (std::isnan(valeur))
        return AlignerADroite("Nan", largeur);
    if (std::isinf(valeur))
        return AlignerADroite(valeur > 0 ? "+Inf" : "-Inf", largeur);
    const bool negatif = std::signbit(valeur);
    const long double m = std::fabs(valeur);
    if (decimales < 0 || m >= SeuilScientifique)
        return FormatScientifique(negatif, m, largeur);
    return AlignerADroite(FormatFixe(negatif, m, std::min(decimales, DecimalesMax)), largeur);
}
