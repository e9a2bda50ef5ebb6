// Point loads inside an element and linearly varying loads, on textbook beams whose nodal
// displacements, reactions, end forces and values along the element have closed forms.
//
// Each beam is meshed with as few elements as it needs: the loads stand inside an element, so
// that the consistent nodal loads and the curves by pieces are what is checked. Signs: loads and
// deflections along +y, slopes and moments counterclockwise; Ry and Mz are the force and moment a
// support exerts on the beam; Ty and Mfz the actions of the right part on the left part (a
// sagging span has Mfz > 0, and Ty = -dMfz/dx).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analyse.h"

namespace {

constexpr double E = 2.1e11;    // Pa
constexpr double Iz = 8.36e-6;  // m4
constexpr double EI = E * Iz;   // N.m2
constexpr double P = -10000;    // N, downwards
constexpr double M0 = 3000;     // N.m, counterclockwise

using ChargesEtendues = CasFermes;

TEST_F(ChargesEtendues, PoutresClassiques) {
  const auto travee = [this](double L) {
    Noeuds({0, L});
    Element(1, 2, E, Iz);
    Liaison(1, 1);
    Liaison(1, 2);
  };
  const auto travee_deux_elements = [this](double a, double L) {
    Noeuds({0, a, L});
    Element(1, 2, E, Iz);
    Element(2, 3, E, Iz);
    Liaison(1, 1);
    Liaison(1, 3);
  };
  const auto console = [this](double L) {
    Noeuds({0, L});
    Element(1, 2, E, Iz);
    Liaison(3, 1);
  };

  // A simply supported span L = 5 m, the load at a = 2 m, b = 3 m.
  const double L = 5, a = 2, b = 3;
  const double vP = P * a * a * b * b / (3 * EI * L);
  const double t1P = P * a * b * (L + b) / (6 * EI * L), t2P = -P * a * b * (L + a) / (6 * EI * L);
  const double MP = -P * a * b / L;
  const double vMax = P * a * std::pow(L * L - a * a, 1.5) / (9 * std::sqrt(3.0) * EI * L);
  // The point moment M0 at a on the same span.
  const double t1M = M0 * (2 * L * L - 6 * a * L + 3 * a * a) / (6 * EI * L);
  const double t2M = M0 * (3 * a * a - L * L) / (6 * EI * L);
  // The triangular load, 0 at NoeudI to q0 at NoeudJ, downwards, on LT = 6 m.
  const double q0 = 2000, LT = 6;
  const double xv = LT * std::sqrt(1 - std::sqrt(8.0 / 15));
  const double vT = -q0 * xv *
                    (7 * std::pow(LT, 4) - 10 * LT * LT * xv * xv + 3 * std::pow(xv, 4)) /
                    (360 * EI * LT);
  const double MT = q0 * LT * LT / (9 * std::sqrt(3.0));
  // A cantilever LC = 4 m, w = 1500 N/m downwards from c = 1 m to d = 3 m.
  const double LC = 4, c = 1, d = 3, w = 1500;
  // A clamped-clamped span LE = 5 m, w1 = 1000 N/m at NoeudI to w2 = 3000 N/m at NoeudJ.
  const double LE = 5, w1 = 1000, w2 = 3000, q = w2 - w1;
  const double MI = w1 * LE * LE / 12 + q * LE * LE / 30, MJ = w1 * LE * LE / 12 + q * LE * LE / 20;
  const double RI = w1 * LE / 2 + 3 * q * LE / 20, RJ = w1 * LE / 2 + 7 * q * LE / 20;
  // The figures of the span with the load at node 2, as in the first row, a node there.
  const std::vector<Figure> noeud2 = {
      {"deflection node 2", Fleche(2), vP, vP}, {"slope node 1", Pente(1), t1P, t1P},
      {"slope node 3", Pente(3), t2P, t1P},     {"Ry node 1", Ry(1), -P * b / L, P},
      {"Ry node 3", Ry(2), -P * a / L, P},      {"Mfz at node 2, element 1", Effort(1, 4), MP, MP}};
  // The uniform load of the superposition.
  const double p = -2000;

  VerifierTable({
      {"point load inside one element",
       "Roark Table 8.1 case 1e; Gere & Timoshenko App. G Table G-2 case 5: R = -Pb/L, -Pa/L, "
       "M = -Pab/L under the load, v(a) = P a^2 b^2/(3EIL), theta = P a b (L+b)/(6EIL), "
       "-P a b (L+a)/(6EIL); v least, P a (L^2 - a^2)^1.5/(9 sqrt 3 EIL), at sqrt((L^2 - a^2)/3) "
       "from NoeudJ",
       [&] {
         travee(L);
         Ponctuelle(1, a, P);
       },
       {{"Ry node 1", Ry(1), -P * b / L, P},
        {"Ry node 2", Ry(2), -P * a / L, P},
        {"Efforts[2], moment at the pin", Effort(1, 2), 0, P * L},
        {"Efforts[4], moment at the pin", Effort(1, 4), 0, P * L},
        {"Mfz under the load", MfzEn(1, a / L), MP, MP},
        {"Ty left of the load", TyEn(1, 0.2), P * b / L, P},
        {"Ty right of the load", TyEn(1, 0.8), -P * a / L, P},
        {"deflection under the load", FlecheEn(1, a / L), vP, vP},
        {"slope node 1", Pente(1), t1P, t1P},
        {"slope node 2", Pente(2), t2P, t1P},
        {"largest Mfz", Extreme(TGrandeur::Mfz, true, false), MP, MP},
        {"largest Mfz at a", Extreme(TGrandeur::Mfz, true, true), a, L},
        {"least deflection", Extreme(TGrandeur::Fleche, false, false), vMax, vP},
        {"least deflection at L - sqrt((L^2 - a^2)/3)", Extreme(TGrandeur::Fleche, false, true),
         L - std::sqrt((L * L - a * a) / 3), L, 1e-9}}},
      {"point moment inside one element",
       "Roark Table 8.1 case 3e: R = M0/L, -M0/L; Mfz = M0 x/L, less M0 after a; theta1 = "
       "M0 (2L^2 - 6aL + 3a^2)/(6EIL), theta2 = M0 (3a^2 - L^2)/(6EIL), v(a) = theta1 a + "
       "M0 a^3/(6EIL)",
       [&] {
         travee(L);
         Ponctuelle(1, a, 0, M0);
       },
       {{"Ry node 1", Ry(1), M0 / L, M0 / L},
        {"Ry node 2", Ry(2), -M0 / L, M0 / L},
        {"Ty", TyEn(1, 0.7), -M0 / L, M0 / L},
        {"Mfz just before a", Extreme(TGrandeur::Mfz, true, false), M0 * a / L, M0},
        {"Mfz just after a", Extreme(TGrandeur::Mfz, false, false), M0 * a / L - M0, M0},
        {"the jump at a", Extreme(TGrandeur::Mfz, false, true), a, L},
        {"Mfz at the section x = a", MfzEn(1, a / L), M0 * a / L - M0, M0},
        {"slope node 1", Pente(1), t1M, t2M},
        {"slope node 2", Pente(2), t2M, t2M},
        {"deflection under the moment", FlecheEn(1, a / L), t1M * a + M0 * a * a * a / (6 * EI * L),
         t2M * L}}},
      {"triangular load on a simply supported span",
       "Gere & Timoshenko App. G Table G-2 case 11, Roark Table 8.1 case 2e (wa = 0): R = "
       "q0L/6, q0L/3; M = q0 x (L^2 - x^2)/(6L), largest q0 L^2/(9 sqrt 3) at L/sqrt 3; v = "
       "-q0 x (7L^4 - 10L^2x^2 + 3x^4)/(360EIL), theta1 = -7q0L^3/(360EI), theta2 = "
       "8q0L^3/(360EI); v least at L sqrt(1 - sqrt(8/15)) = 0.5193 L, -0.00652 q0 L^4/EI",
       [&] {
         travee(LT);
         Trapeze(1, 0, LT, 0, -q0);
       },
       {{"Ry node 1", Ry(1), q0 * LT / 6, q0 * LT},
        {"Ry node 2", Ry(2), q0 * LT / 3, q0 * LT},
        {"Ty at NoeudI", TyEn(1, 0), -q0 * LT / 6, q0 * LT},
        {"Ty at NoeudJ", TyEn(1, 1), q0 * LT / 3, q0 * LT},
        {"Mfz at mid-span", MfzEn(1, 0.5), q0 * LT * LT / 16, MT},
        {"slope node 1", Pente(1), -7 * q0 * std::pow(LT, 3) / (360 * EI), vT / LT},
        {"slope node 2", Pente(2), 8 * q0 * std::pow(LT, 3) / (360 * EI), vT / LT},
        {"largest Mfz", Extreme(TGrandeur::Mfz, true, false), MT, MT},
        {"largest Mfz at L/sqrt 3", Extreme(TGrandeur::Mfz, true, true), LT / std::sqrt(3.0), LT,
         1e-9},
        {"least deflection", Extreme(TGrandeur::Fleche, false, false), vT, vT},
        {"least deflection at 0.5193 L", Extreme(TGrandeur::Fleche, false, true), xv, LT, 1e-9},
        {"least deflection, the rounded constant", Extreme(TGrandeur::Fleche, false, false),
         -0.00652 * q0 * std::pow(LT, 4) / EI, vT, 1e-3}}},
      {"partial uniform load on a cantilever",
       "Roark Table 8.1 case 2a, by superposition of case 1a (a load at s: tip deflection "
       "P s^2 (3L - s)/(6EI), tip slope P s^2/(2EI)): v(L) = -w (L (d^3 - c^3) - (d^4 - c^4)/4)"
       "/(6EI), Pente(L) = -w (d^3 - c^3)/(6EI); root R = w (d - c), M = w (d - c)(c + d)/2",
       [&] {
         console(LC);
         Trapeze(1, c, d, -w, -w);
       },
       {{"Ry of the clamp", Ry(1), w * (d - c), w * LC},
        {"Mz of the clamp", Mz(1), w * (d - c) * (c + d) / 2, w * LC * LC},
        {"Mfz at the clamp", MfzEn(1, 0), -w * (d - c) * (c + d) / 2, w * LC * LC},
        {"Mfz before the load", MfzEn(1, 0.1), -w * (d - c) * ((c + d) / 2 - 0.4), w * LC * LC},
        {"Ty before the load", TyEn(1, 0.1), -w * (d - c), w * LC},
        {"Mfz inside the load", MfzEn(1, 0.5), -w * (d - 2) * (d - 2) / 2, w * LC * LC},
        {"Ty inside the load", TyEn(1, 0.5), -w * (d - 2), w * LC},
        {"Mfz beyond the load", MfzEn(1, 0.9), 0, w * LC * LC},
        {"Ty beyond the load", TyEn(1, 0.9), 0, w * LC},
        {"tip deflection", Fleche(2),
         -w * (LC * (d * d * d - c * c * c) - (std::pow(d, 4) - std::pow(c, 4)) / 4) / (6 * EI),
         w * std::pow(LC, 4) / EI},
        {"tip slope", Pente(2), -w * (d * d * d - c * c * c) / (6 * EI),
         w * std::pow(LC, 3) / EI}}},
      {"trapezoidal load on a clamped-clamped span",
       "Roark Table 8.1 case 2d (both ends fixed), a uniform w1 and a triangle q0 = w2 - w1 "
       "rising towards NoeudJ: MI = w1 L^2/12 + q0 L^2/30, MJ = w1 L^2/12 + q0 L^2/20, RI = "
       "w1 L/2 + 3 q0 L/20, RJ = w1 L/2 + 7 q0 L/20; Mfz(L/2) by statics",
       [&] {
         Noeuds({0, LE});
         Element(1, 2, E, Iz);
         Liaison(3, 1);
         Liaison(3, 2);
         Trapeze(1, 0, LE, -w1, -w2);
       },
       {{"Ry node 1", Ry(1), RI, w2 * LE},
        {"Ry node 2", Ry(2), RJ, w2 * LE},
        {"Mz node 1", Mz(1), MI, w2 * LE * LE},
        {"Mz node 2", Mz(2), -MJ, w2 * LE * LE},
        {"Efforts[2]", Effort(1, 2), MI, w2 * LE * LE},
        {"Efforts[4]", Effort(1, 4), -MJ, w2 * LE * LE},
        {"Mfz at NoeudI", MfzEn(1, 0), -MI, w2 * LE * LE},
        {"Mfz at mid-span", MfzEn(1, 0.5), -MI + RI * LE / 2 - w1 * LE * LE / 8 - q * LE * LE / 48,
         w2 * LE * LE}}},
      {"point load at a = L on a cantilever",
       "Gere & Timoshenko App. G Table G-1 case 4, as the nodal load at the tip: v = P L^3/(3EI), "
       "theta = P L^2/(2EI); clamp R = -P, M = -P L; the section at the tip carries nothing",
       [&] {
         console(2);
         Ponctuelle(1, 2, P);
       },
       {{"tip deflection", Fleche(2), P * 8 / (3 * EI), P * 8 / EI},
        {"tip slope", Pente(2), P * 4 / (2 * EI), P * 4 / EI},
        {"Ry of the clamp", Ry(1), -P, P},
        {"Mz of the clamp", Mz(1), -P * 2, P * 2},
        {"Ty inside", TyEn(1, 0.5), P, P},
        {"Ty at the tip", TyEn(1, 1), 0, P},
        {"Mfz at the tip", MfzEn(1, 1), 0, P * 2},
        {"Efforts[3]", Effort(1, 3), 0, P}}},
      {"point load at a = 0 of the second element",
       "as the nodal load at node 2, Roark Table 8.1 case 1e with a = 2, b = 3",
       [&] {
         travee_deux_elements(a, L);
         Ponctuelle(2, 0, P);
       },
       Et(noeud2, {{"Mfz at node 2, element 2", [this] { return -El(2).Efforts[2]; }, MP, MP},
                   {"Ty left of node 2", TyEn(1, 1), P * b / L, P},
                   {"Ty right of node 2, after the load", TyEn(2, 0), -P * a / L, P}})},
      {"point load at a = L of the first element",
       "as the nodal load at node 2, Roark Table 8.1 case 1e with a = 2, b = 3",
       [&] {
         travee_deux_elements(a, L);
         Ponctuelle(1, a, P);
       },
       Et(noeud2, {{"Ty at node 2, after the load", Effort(1, 3), -P * a / L, P},
                   {"Ty at the end of element 1", TyEn(1, 1), -P * a / L, P},
                   {"Ty inside element 1", TyEn(1, 0.5), P * b / L, P}})},
      {"point load at a = 0 on a supported node",
       "statics: the load stands on the support, which takes it whole; a load of an element "
       "enters the reaction of the support at its node",
       [&] {
         travee(L);
         Ponctuelle(1, 0, P);
       },
       {{"Ry node 1", Ry(1), -P, P},
        {"Ry node 2", Ry(2), 0, P},
        {"Efforts[1]", Effort(1, 1), -P, P},
        {"slope node 1", Pente(1), 0, t1P},
        {"slope node 2", Pente(2), 0, t1P}}},
      {"point moment at a = 0 on a pinned end",
       "Roark Table 8.1 case 3e with a = 0: R = M0/L, -M0/L, theta1 = M0 L/(3EI), theta2 = "
       "-M0 L/(6EI); Mfz = -M0 (1 - x/L); the pin carries no moment",
       [&] {
         travee(L);
         Ponctuelle(1, 0, 0, M0);
       },
       {{"Ry node 1", Ry(1), M0 / L, M0 / L},
        {"Ry node 2", Ry(2), -M0 / L, M0 / L},
        {"Mz node 1", Mz(1), 0, M0},
        {"Mfz at NoeudI, after the moment", MfzEn(1, 0), -M0, M0},
        {"Mfz at mid-span", MfzEn(1, 0.5), -M0 / 2, M0},
        {"slope node 1", Pente(1), M0 * L / (3 * EI), M0 * L / EI},
        {"slope node 2", Pente(2), -M0 * L / (6 * EI), M0 * L / EI}}},
      {"point load at the abscissa of a graph row",
       "Roark Table 8.1 case 1e, L = 3, a = 0.9: Ty = Pb/L before the load, -Pa/L after, M = "
       "-Pab/L; the row u = 0.3 (u L = 0.8999999999999999) shows the values just after the load",
       [&] {
         travee(3);
         Ponctuelle(1, 0.9, P);
       },
       {{"row 2: Ty before the load", [this] { return s->Graphes[1].Ty[2]; }, P * 2.1 / 3, P},
        {"row 3: Ty after the load", [this] { return s->Graphes[1].Ty[3]; }, -P * 0.9 / 3, P},
        {"row 3: Mfz under the load", [this] { return s->Graphes[1].Mfz[3]; }, -P * 0.9 * 2.1 / 3,
         P * 3},
        {"the curve at u = 0.3", TyEn(1, 0.3), -P * 0.9 / 3, P}}},
      {"point load and a uniform load on one element",
       "superposition of Roark Table 8.1 cases 2e (uniform p: R = -pL/2, theta1 = p L^3/(24EI), "
       "v = p x (L^3 - 2Lx^2 + x^3)/(24EI), Mfz = -p x (L - x)/2) and 1e",
       [&] {
         travee(L);
         Charge(2, 1, p);
         Ponctuelle(1, a, P);
       },
       {{"Ry node 1", Ry(1), -p * L / 2 - P * b / L, P},
        {"Ry node 2", Ry(2), -p * L / 2 - P * a / L, P},
        {"slope node 1", Pente(1), p * L * L * L / (24 * EI) + t1P, t1P},
        {"slope node 2", Pente(2), -p * L * L * L / (24 * EI) + t2P, t1P},
        {"deflection under the load", FlecheEn(1, a / L),
         p * a * (L * L * L - 2 * L * a * a + a * a * a) / (24 * EI) + vP, vP},
        {"Mfz under the load", MfzEn(1, a / L), -p * a * (L - a) / 2 + MP, MP},
        {"Ty after the load", TyEn(1, a / L), p * L / 2 + P * b / L - p * a - P, P}}},
  });
}

}  // namespace
