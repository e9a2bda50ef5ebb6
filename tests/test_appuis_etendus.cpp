// Elastic supports, settlements and hinges, on textbook beams whose displacements, reactions, end
// forces and own rotations at the hinges have closed forms (statics, compatibility, or the
// tabulated cases superposed).
//
// Signs: loads, deflections and settlements along +y, slopes and moments counterclockwise; Ry and
// Mz are the force and moment that a support or a spring exerts on the beam (a spring's Ry =
// -Kv v, Mz = -Kr theta); Ty and Mfz the actions of the right part on the left part.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analyse.h"

namespace {

constexpr double E = 2.1e11;    // Pa
constexpr double Iz = 8.36e-6;  // m4
constexpr double EI = E * Iz;   // N.m2
constexpr double P = -10000;    // N, downwards
constexpr double p = -2000;     // N/m, downwards
constexpr double q0 = 2000;     // N/m, the peak of a triangular load, downwards
constexpr double M0 = 3000;     // N.m, counterclockwise

using AppuisEtendus = CasFermes;

TEST_F(AppuisEtendus, PoutresClassiques) {
  // Spans of L = 4 m; a settlement of delta = 10 mm downwards, a turn of theta0 = 2 mrad.
  const double L = 4, delta = 0.01, theta0 = 0.002;
  const double L2 = L * L, L3 = L2 * L;
  // A simply supported span of L on pins at its ends, the central node between them.
  const auto travee = [this](double longueur) {
    Noeuds({0, longueur / 2, longueur});
    Element(1, 2, E, Iz);
    Element(2, 3, E, Iz);
    Liaison(1, 1);
    Liaison(1, 3);
  };
  const auto deux_travees = [this, L] {
    Noeuds({0, L, 2 * L});
    Element(1, 2, E, Iz);
    Element(2, 3, E, Iz);
  };
  const auto console_appuyee = [this, L] {
    Noeuds({0, L});
    Element(1, 2, E, Iz);
    Liaison(3, 1);
    Liaison(1, 2);
  };
  // A Gerber beam: a cantilever of a = 3 m clamped at node 1, a suspended span of l = 4 m from
  // node 2 to the pin of node 3; the hinges are each row's.
  const double a = 3, l = 4;
  const auto gerber = [this, a, l] {
    Noeuds({0, a, a + l});
    Element(1, 2, E, Iz);
    Element(2, 3, E, Iz);
    Liaison(3, 1);
    Liaison(1, 3);
  };
  // A central spring k under the central load: the span's own stiffness there is 48EI/L^3.
  const double k = 1e6, kTravee = 48 * EI / L3;
  const double vRessort = P / (kTravee + k), RRessort = -k * vRessort;
  // A cantilever of 2 m on a rotational spring Kr at its root.
  const double LR = 2, Kr = 5e5;
  // The Gerber beam: the hinge's force on the cantilever and its deflection, for each load.
  const double VP = P / 2, vGP = VP * a * a * a / (3 * EI);      // the point load at mid-span
  const double Vp = p * l / 2, vGp = Vp * a * a * a / (3 * EI);  // the uniform load
  const double vM = -M0 / l * a * a * a / (3 * EI);       // a moment M0 at the span's hinge end
  const double vPA = P * a * a * a / (3 * EI);            // the load P at the hinge
  const double vTr = -q0 * l / 6 * a * a * a / (3 * EI);  // a triangle rising to q0 at the pin
  // Two cantilevers of L1 = 3 m and L2 = 4 m, clamped at their far ends, joined by a hinge.
  const double L1 = 3, L2b = 4;
  const double k1 = 3 * EI / (L1 * L1 * L1), k2 = 3 * EI / (L2b * L2b * L2b);
  const double vH = P / (k1 + k2), F1 = k1 * vH, F2 = k2 * vH;
  // The force between them when a moment M0 stands at the first one's released end.
  const double FM = -1.5 * M0 * L1 * L1 / (L1 * L1 * L1 + L2b * L2b * L2b);
  const auto deux_consoles = [this, L1, L2b] {
    Noeuds({0, L1, L1 + L2b});
    Element(1, 2, E, Iz);
    Element(2, 3, E, Iz);
    Liaison(3, 1);
    Liaison(3, 3);
  };
  // Two spans on a very stiff middle spring: the stiffness of the span 2L at its middle is
  // 48EI/(2L)^3 = 6EI/L^3.
  const double kMilieu = 6 * EI / L3, kRaide = 1e6 * kMilieu, rapport = kMilieu / kRaide;
  const double RMilieu = -5 * p * L / 4;

  // The suspended span under p, released at both ends.
  const std::vector<Figure> lien = {
      {"Ry node 1", Ry(1), -Vp, p * l},
      {"Mz node 1", Mz(1), -Vp * a, p * l * a},
      {"Ry node 3", Ry(2), -p * l / 2, p * l},
      {"Mfz at the hinge", Effort(1, 4), 0, p * l * a},
      {"Mfz at mid-span", MfzEn(2, 0.5), -p * l * l / 8, p * l * a},
      {"Mfz at the pin", MfzEn(2, 1), 0, p * l * a},
      {"deflection of the hinge", Fleche(2), vGp, vGp},
      {"slope node 2", Pente(2), Vp * a * a / (2 * EI), vGp / a},
      {"slope node 3, held", Pente(3), 0, vGp / a},
      {"element 2's rotation at node 2", RotationI(2), -vGp / l + p * l * l * l / (24 * EI),
       vGp / a},
      {"element 2's rotation at node 3", RotationJ(2), -vGp / l - p * l * l * l / (24 * EI),
       vGp / a},
      {"the curve's slope at node 3", PenteEn(2, 1), -vGp / l - p * l * l * l / (24 * EI), vGp / a},
      {"deflection at mid-span", FlecheEn(2, 0.5), vGp / 2 + 5 * p * l * l * l * l / (384 * EI),
       vGp}};

  VerifierTable({
      {"two equal spans, the middle support settles",
       "Roark Table 8.1 case 1e on the span 2L, loaded at its middle by the Q that gives the "
       "settlement there, Q (2L)^3/(48EI) = delta: R = 3EI delta/L^3 at the ends, -6EI delta/L^3 "
       "in the middle, M = Q (2L)/4 = 3EI delta/L^2 over it, end slopes -+3 delta/(2L)",
       [&] {
         deux_travees();
         Liaison(1, 1);
         Liaison(1, 2);
         Liaison(1, 3);
         Tassement(1, 2, -delta);
       },
       {{"Ry node 1", Ry(1), 3 * EI * delta / L3, 6 * EI * delta / L3},
        {"Ry node 2", Ry(2), -6 * EI * delta / L3, 6 * EI * delta / L3},
        {"Ry node 3", Ry(3), 3 * EI * delta / L3, 6 * EI * delta / L3},
        {"Mfz over the middle support, element 1", Effort(1, 4), 3 * EI * delta / L2,
         3 * EI * delta / L2},
        {"Mfz over the middle support, element 2", MfzEn(2, 0), 3 * EI * delta / L2,
         3 * EI * delta / L2},
        {"deflection node 2", Fleche(2), -delta, delta},
        {"slope node 1", Pente(1), -1.5 * delta / L, delta / L},
        {"slope node 2", Pente(2), 0, delta / L},
        {"slope node 3", Pente(3), 1.5 * delta / L, delta / L}}},
      {"propped cantilever, the prop settles",
       "Gere & Timoshenko App. G Table G-1 case 4, the tip force R that gives the settlement, "
       "R L^3/(3EI) = -delta: R = -3EI delta/L^3, clamp Ry = 3EI delta/L^3 and Mz = -R L = "
       "3EI delta/L^2, slope at the prop R L^2/(2EI) = -3 delta/(2L)",
       [&] {
         console_appuyee();
         Tassement(1, 2, -delta);
       },
       {{"Ry node 1", Ry(1), 3 * EI * delta / L3, 3 * EI * delta / L3},
        {"Ry node 2", Ry(2), -3 * EI * delta / L3, 3 * EI * delta / L3},
        {"Mz node 1", Mz(1), 3 * EI * delta / L2, 3 * EI * delta / L2},
        {"Mfz at the clamp", MfzEn(1, 0), -3 * EI * delta / L2, 3 * EI * delta / L2},
        {"deflection node 2", Fleche(2), -delta, delta},
        {"slope node 2", Pente(2), -1.5 * delta / L, delta / L}}},
      {"propped cantilever, the clamp turns",
       "slope-deflection, far end pinned (Hibbeler, Structural Analysis, ch. 11): M = "
       "3EI theta0/L at the end turned, carry-over: slope -theta0/2 at the pin; R = +-M/L",
       [&] {
         console_appuyee();
         Tassement(2, 1, theta0);
       },
       {{"Mz node 1", Mz(1), 3 * EI * theta0 / L, 3 * EI * theta0 / L},
        {"Ry node 1", Ry(1), 3 * EI * theta0 / L2, 3 * EI * theta0 / L2},
        {"Ry node 2", Ry(2), -3 * EI * theta0 / L2, 3 * EI * theta0 / L2},
        {"slope node 1", Pente(1), theta0, theta0},
        {"slope node 2", Pente(2), -theta0 / 2, theta0}}},
      {"simply supported span on a central spring",
       "Roark Table 8.1 case 1e: the span's stiffness 48EI/L^3 at mid-span in parallel with the "
       "spring, v = P/(48EI/L^3 + k); spring Ry = -k v; the pins share the rest",
       [&] {
         travee(L);
         Ressort(2, k, 0);
         Charge(1, 2, P);
       },
       {{"deflection node 2", Fleche(2), vRessort, vRessort},
        {"spring Ry", RessortRy(1), RRessort, P},
        {"spring Mz", RessortMz(1), 0, P * L},
        {"Ry node 1", Ry(1), -(P + RRessort) / 2, P},
        {"Ry node 3", Ry(2), -(P + RRessort) / 2, P},
        {"slope node 1", Pente(1), (P + RRessort) * L2 / (16 * EI), P * L2 / EI}}},
      {"cantilever on a rotational spring at its root",
       "Gere & Timoshenko App. G Table G-1 case 4 and the rigid turn of the root, theta = "
       "P L/Kr: v = P L^3/(3EI) + P L^2/Kr, slope P L^2/(2EI) + P L/Kr; spring Mz = -P L",
       [&] {
         Noeuds({0, LR});
         Element(1, 2, E, Iz);
         Liaison(1, 1);
         Ressort(1, 0, Kr);
         Charge(1, 2, P);
       },
       {{"tip deflection", Fleche(2), P * LR * LR * LR / (3 * EI) + P * LR * LR / Kr,
         P * LR * LR / Kr},
        {"tip slope", Pente(2), P * LR * LR / (2 * EI) + P * LR / Kr, P * LR / Kr},
        {"root slope", Pente(1), P * LR / Kr, P * LR / Kr},
        {"spring Mz", RessortMz(1), -P * LR, P * LR},
        {"spring Ry", RessortRy(1), 0, P},
        {"Ry node 1", Ry(1), -P, P}}},
      {"Gerber beam, a point load on the suspended span",
       "statics of the suspended span (R = -P/2 at the hinge and at the pin, M = -P l/4 under "
       "the load) and of the cantilever under the hinge force P/2 (Gere & Timoshenko App. G "
       "Table G-1 case 4: v = V a^3/(3EI), theta = V a^2/(2EI)); the span's own rotations: "
       "-v/l -+ P l^2/(16EI) (Table G-2 case 4)",
       [&] {
         gerber();
         Rotule(1, 2);
         Ponctuelle(2, l / 2, P);
       },
       {{"Ry node 1", Ry(1), -VP, P},
        {"Mz node 1", Mz(1), -VP * a, P * a},
        {"Ry node 3", Ry(2), -P / 2, P},
        {"Mfz at the hinge, element 1", Effort(1, 4), 0, P * a},
        {"Mfz at the hinge, element 2", MfzEn(2, 0), 0, P * a},
        {"Mfz under the load", MfzEn(2, 0.5), -P * l / 4, P * a},
        {"deflection of the hinge", Fleche(2), vGP, vGP},
        {"slope node 2, the cantilever's", Pente(2), VP * a * a / (2 * EI), vGP / a},
        {"element 1's rotation at the hinge", RotationJ(1), VP * a * a / (2 * EI), vGP / a},
        {"element 2's rotation at the hinge", RotationI(2), -vGP / l + P * l * l / (16 * EI),
         vGP / a},
        {"the curve's slope at the hinge", PenteEn(2, 0), -vGP / l + P * l * l / (16 * EI),
         vGP / a},
        {"slope node 3", Pente(3), -vGP / l - P * l * l / (16 * EI), vGP / a},
        {"deflection under the load", FlecheEn(2, 0.5), vGP / 2 + P * l * l * l / (48 * EI), vGP}}},
      {"Gerber beam, the suspended span released at both ends",
       "statics of the suspended span under p (R = -p l/2 at each end, M = -p l^2/8 at "
       "mid-span) and of the cantilever (Gere & Timoshenko App. G Table G-1 case 4); the span's "
       "own rotations -v/l -+ p l^3/(24EI), v(l/2) = v/2 + 5 p l^4/(384EI) (Table G-2 case 1); "
       "node 3's slope, on released ends only, held at 0",
       [&] {
         gerber();
         Rotule(3, 2);
         Charge(2, 2, p);
       },
       lien},
      {"Gerber beam, codes 1 and 2 on the suspended span",
       "two hinges on one element add up to code 3: the row above",
       [&] {
         gerber();
         Rotule(1, 2);
         Rotule(2, 2);
         Charge(2, 2, p);
       },
       lien},
      {"two clamped spans joined by a hinge, a load on it",
       "compatibility of two cantilevers sharing the hinge's deflection (Gere & Timoshenko "
       "App. G Table G-1 case 4): k = 3EI/L^3 each, v = P/(k1 + k2), Fi = ki v; clamps Ry = -Fi, "
       "Mz = -F1 L1 and F2 L2; each side's rotation at the hinge F1 L1^2/(2EI), -F2 L2^2/(2EI)",
       [&] {
         deux_consoles();
         Rotule(2, 1);
         Charge(1, 2, P);
       },
       {{"Ry node 1", Ry(1), -F1, P},
        {"Mz node 1", Mz(1), -F1 * L1, P * L1},
        {"Ry node 3", Ry(2), -F2, P},
        {"Mz node 3", Mz(2), F2 * L2b, P * L1},
        {"Mfz at the hinge, element 1", Effort(1, 4), 0, P * L1},
        {"Mfz at the hinge, element 2", MfzEn(2, 0), 0, P * L1},
        {"Ty in element 1", TyEn(1, 0.5), F1, P},
        {"Ty in element 2", TyEn(2, 0.5), -F2, P},
        {"deflection of the hinge", Fleche(2), vH, vH},
        {"slope node 2, element 2's", Pente(2), -F2 * L2b * L2b / (2 * EI), vH / L1},
        {"element 2's rotation at the hinge", RotationI(2), -F2 * L2b * L2b / (2 * EI), vH / L1},
        {"element 1's rotation at the hinge", RotationJ(1), F1 * L1 * L1 / (2 * EI), vH / L1}}},
      {"a point moment at a released end, the node's slope held",
       "compatibility of two cantilevers sharing the hinge's deflection, the first under its tip "
       "moment M0 and force F, the second under -F (Gere & Timoshenko App. G Table G-1 cases 4 "
       "and 6): M0 L1^2/(2EI) + F L1^3/(3EI) = -F L2^3/(3EI); every end at node 2 released, its "
       "slope held at 0",
       [&] {
         deux_consoles();
         Rotule(2, 1);
         Rotule(1, 2);
         Ponctuelle(1, L1, 0, M0);
       },
       {{"Ry node 1", Ry(1), -FM, M0 / L1},
        {"Mz node 1", Mz(1), -FM * L1 - M0, M0},
        {"Ry node 3", Ry(2), FM, M0 / L1},
        {"Mz node 3", Mz(2), -FM * L2b, M0},
        {"deflection of the hinge", Fleche(2), -FM * L2b * L2b * L2b / (3 * EI), M0 * L1 * L1 / EI},
        {"slope node 2, held", Pente(2), 0, M0 * L1 / EI},
        {"element 1's rotation at the hinge", RotationJ(1), M0 * L1 / EI + FM * L1 * L1 / (2 * EI),
         M0 * L1 / EI},
        {"element 2's rotation at the hinge", RotationI(2), FM * L2b * L2b / (2 * EI),
         M0 * L1 / EI}}},
      {"Gerber beam, a point moment at the released end of the suspended span",
       "Roark Table 8.1 case 3e with a = 0 for the suspended span (R = M0/l, -M0/l, end slopes "
       "M0 l/(3EI), -M0 l/(6EI), Mfz = -M0 (1 - x/l)), and Gere & Timoshenko App. G Table G-1 "
       "case 4 for the cantilever under V = -M0/l: v = V a^3/(3EI), theta = V a^2/(2EI)",
       [&] {
         gerber();
         Rotule(1, 2);
         Ponctuelle(2, 0, 0, M0);
       },
       {{"Ry node 1", Ry(1), M0 / l, M0 / l},
        {"Mz node 1", Mz(1), M0 * a / l, M0},
        {"Ry node 3", Ry(2), -M0 / l, M0 / l},
        {"Mfz at the hinge, element 1", Effort(1, 4), 0, M0},
        {"Mfz just after the moment", MfzEn(2, 0), -M0, M0},
        {"Mfz at mid-span", MfzEn(2, 0.5), -M0 / 2, M0},
        {"deflection of the hinge", Fleche(2), vM, vM},
        {"slope node 2, the cantilever's", Pente(2), -M0 / l * a * a / (2 * EI), M0 * l / EI},
        {"element 1's rotation at the hinge", RotationJ(1), -M0 / l * a * a / (2 * EI),
         M0 * l / EI},
        {"element 2's rotation at the hinge", RotationI(2), -vM / l + M0 * l / (3 * EI),
         M0 * l / EI},
        {"slope node 3", Pente(3), -vM / l - M0 * l / (6 * EI), M0 * l / EI}}},
      {"Gerber beam, a point moment at the released end of the cantilever",
       "Gere & Timoshenko App. G Table G-1 case 6 (cantilever, moment at the tip: v = "
       "M0 a^2/(2EI), theta = M0 a/EI, Mfz = M0, clamp Mz = -M0); the suspended span, unloaded, "
       "turns rigidly by -v/l",
       [&] {
         gerber();
         Rotule(2, 1);
         Ponctuelle(1, a, 0, M0);
       },
       {{"Ry node 1", Ry(1), 0, M0 / a},
        {"Mz node 1", Mz(1), -M0, M0},
        {"Ry node 3", Ry(2), 0, M0 / a},
        {"Mfz in the cantilever", MfzEn(1, 0.5), M0, M0},
        {"Mfz at the hinge, after the moment", MfzEn(1, 1), 0, M0},
        {"Mfz in the suspended span", MfzEn(2, 0.5), 0, M0},
        {"deflection of the hinge", Fleche(2), M0 * a * a / (2 * EI), M0 * a * a / EI},
        {"element 1's rotation at the hinge", RotationJ(1), M0 * a / EI, M0 * a / EI},
        {"slope node 2, the suspended span's", Pente(2), -M0 * a * a / (2 * EI * l), M0 * a / EI},
        {"slope node 3", Pente(3), -M0 * a * a / (2 * EI * l), M0 * a / EI}}},
      {"Gerber beam, a point load at the released end of the suspended span",
       "statics: the load stands on the hinge, the cantilever takes it whole (Gere & Timoshenko "
       "App. G Table G-1 case 4: v = P a^3/(3EI)); the suspended span turns rigidly by -v/l",
       [&] {
         gerber();
         Rotule(1, 2);
         Ponctuelle(2, 0, P);
       },
       {{"Ry node 1", Ry(1), -P, P},
        {"Mz node 1", Mz(1), -P * a, P * a},
        {"Ry node 3", Ry(2), 0, P},
        {"Ty in the suspended span", TyEn(2, 0.5), 0, P},
        {"Mfz in the suspended span", MfzEn(2, 0.5), 0, P * a},
        {"deflection of the hinge", Fleche(2), vPA, vPA},
        {"element 2's rotation at the hinge", RotationI(2), -vPA / l, vPA / a},
        {"slope node 3", Pente(3), -vPA / l, vPA / a}}},
      {"Gerber beam, a triangular load on the suspended span",
       "Gere & Timoshenko App. G Table G-2 case 11 for the suspended span (R = q0 l/6 at the "
       "hinge, q0 l/3 at the pin, end slopes -7 q0 l^3/(360EI), 8 q0 l^3/(360EI), Mfz(l/2) = "
       "q0 l^2/16), Table G-1 case 4 for the cantilever under -q0 l/6",
       [&] {
         gerber();
         Rotule(1, 2);
         Trapeze(2, 0, l, 0, -q0);
       },
       {{"Ry node 1", Ry(1), q0 * l / 6, q0 * l},
        {"Mz node 1", Mz(1), q0 * l * a / 6, q0 * l * a},
        {"Ry node 3", Ry(2), q0 * l / 3, q0 * l},
        {"Mfz at the hinge", MfzEn(2, 0), 0, q0 * l * a},
        {"Mfz at mid-span", MfzEn(2, 0.5), q0 * l * l / 16, q0 * l * a},
        {"deflection of the hinge", Fleche(2), vTr, vTr},
        {"element 2's rotation at the hinge", RotationI(2),
         -vTr / l - 7 * q0 * l * l * l / (360 * EI), vTr / a},
        {"slope node 3", Pente(3), -vTr / l + 8 * q0 * l * l * l / (360 * EI), vTr / a}}},
      {"a nodal moment on a released end, held by a rotational spring",
       "statics: the element's end is released, so the spring alone carries the moment: theta = "
       "M0/Kr, spring Mz = -M0; the element stays unloaded and straight",
       [&] {
         console_appuyee();
         Rotule(2, 1);
         Ressort(2, 0, Kr);
         Charge(1, 2, 0, M0);
       },
       {{"slope node 2", Pente(2), M0 / Kr, M0 / Kr},
        {"spring Mz", RessortMz(1), -M0, M0},
        {"Ry node 1", Ry(1), 0, M0 / L},
        {"Mz node 1", Mz(1), 0, M0},
        {"Ry node 2", Ry(2), 0, M0 / L},
        {"element 1's rotation at node 2", RotationJ(1), 0, M0 / Kr},
        {"Mfz in the element", MfzEn(1, 0.5), 0, M0}}},
      {"spring of stiffness 0",
       "no effect: Roark Table 8.1 case 1e, v = P L^3/(48EI), theta1 = P L^2/(16EI), R = -P/2",
       [&] {
         travee(L);
         Ressort(2, 0, 0);
         Charge(1, 2, P);
       },
       {{"deflection node 2", Fleche(2), P * L3 / (48 * EI), P * L3 / EI},
        {"slope node 1", Pente(1), P * L2 / (16 * EI), P * L2 / EI},
        {"Ry node 1", Ry(1), -P / 2, P},
        {"spring Ry", RessortRy(1), 0, P},
        {"spring Mz", RessortMz(1), 0, P * L}}},
      {"spring on a pinned node",
       "the spring's deflection is held at 0, so it carries nothing (-Kv x 0); the span is "
       "Roark Table 8.1 case 1e",
       [&] {
         travee(L);
         Ressort(1, k, 0);
         Charge(1, 2, P);
       },
       {{"spring Ry", RessortRy(1), 0, P},
        {"Ry node 1", Ry(1), -P / 2, P},
        {"deflection node 2", Fleche(2), P * L3 / (48 * EI), P * L3 / EI}}},
      {"two spans on a very stiff middle spring",
       "Roark Table 8.1, two spans of case 2e on a rigid middle support: R = -3pL/8, -5pL/4, "
       "M = pL^2/8 over it; a spring k gives R/(1 + (6EI/L^3)/k), a relative difference below "
       "the ratio of the stiffness 6EI/L^3 of the span 2L at its middle to k",
       [&] {
         deux_travees();
         Liaison(1, 1);
         Liaison(1, 3);
         Ressort(2, kRaide, 0);
         Charge(2, 1, p);
         Charge(2, 2, p);
       },
       {{"spring Ry, towards the rigid support's", RessortRy(1), RMilieu, RMilieu, rapport},
        {"spring Ry", RessortRy(1), RMilieu / (1 + rapport), RMilieu, 1e-9},
        {"Ry node 1", Ry(1), -3 * p * L / 8, RMilieu, rapport},
        {"Ry node 3", Ry(2), -3 * p * L / 8, RMilieu, rapport},
        {"Mfz over the spring", Effort(1, 4), p * L2 / 8, RMilieu * L / 2, rapport},
        {"deflection at the spring, below R/k", Fleche(2), 0, RMilieu / kRaide, 1}}},
  });
}

}  // namespace
