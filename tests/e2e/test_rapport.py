"""The results report through the real program: the exact bytes of the lines that the edge cases
concern, the figures of beams whose answers are known in closed form (read back from the graph
rows), and a report that cannot be written."""

import os
import re
import sys
import unittest
from dataclasses import dataclass
from typing import Callable

from vortale_e2e import crlf, executer

ACIER = 2.1e11  # Pa
IPE_200 = 8.36e-6  # m4

PROGRESSION = ("Assemblage de la matrice de rigidité\n"
               "Assemblage du vecteur force global\n"
               "Mise en place des Liaisons\n"
               "Calcul des déplacements inconnus\n"
               "Calcul des forces élémentaires\n"
               "Calcul des actions de liaison\n")
ENTETE_GRAPHE = "  x(m)      Flèche(m)   Pente(rad)    Ty(N)    Mfz(N.m)"


def donnees(noeuds, elements=(), liaisons=(), charges=()):
    """A data file: node abscissae; elements (I, J, E, Iz); supports (code, node); loads (code,
    number, P) or (1, node, Fy, Mz)."""
    lignes = ["Essai", "$deb", "$noe", str(len(noeuds))] + [str(x) for x in noeuds]
    for mot, items in (("$ele", elements), ("$lia", liaisons), ("$cha", charges)):
        lignes += [mot, str(len(items))] + [" ".join(str(v) for v in item) for item in items]
    return ("\n".join(lignes + ["$fin", ""])).encode("cp1252")


def lignes_du_rapport(test, rapport):
    """The report's lines, decoded; every line, the last one included, ends with CR LF, and no
    CR or LF stands anywhere else."""
    test.assertTrue(rapport.endswith(b"\r\n"))
    lignes = rapport[:-2].split(b"\r\n")
    for ligne in lignes:
        test.assertNotIn(b"\r", ligne)
        test.assertNotIn(b"\n", ligne)
    return [ligne.decode("cp1252") for ligne in lignes]


def bloc(test, lignes, titre):
    """The lines of the block under a heading: the heading, one empty line, the block, and the
    empty line that closes it."""
    debut = lignes.index(titre) + 1
    test.assertEqual(lignes[debut], "")
    fin = lignes.index("", debut + 1)
    return lignes[debut + 1:fin]


def graphe(test, lignes, element):
    """The 11 rows of an element's graph, each (x, Fleche, Pente, Ty, Mfz)."""
    debut = lignes.index("Graphes élémentaires :")
    titre = lignes.index(f"Élément {element} :", debut)
    test.assertEqual(lignes[titre + 1:titre + 4], ["", ENTETE_GRAPHE, ""])
    rangees = []
    for ligne in lignes[titre + 4:titre + 15]:
        valeurs = [float(v) for v in ligne.split()]
        test.assertEqual(len(valeurs), 5, ligne)
        rangees.append(valeurs)
    return rangees


class AvecRapport(unittest.TestCase):
    def rapport(self, contenu, nom="essai"):
        """Runs the program on one data file and returns the report's bytes."""
        r = executer({nom + ".txt": contenu}, nom.encode("cp1252") + b"\n")
        self.assertEqual(r.code, 0)
        self.assertEqual(r.stderr, b"")
        self.assertEqual(r.console_apres_invite(), b"")
        return r.fichiers[nom + "r.txt"]

    def lignes(self, contenu, nom="essai"):
        return lignes_du_rapport(self, self.rapport(contenu, nom))


class SectionsVides(AvecRapport):
    def test_modele_vide(self):
        # Neither nodes, elements, supports nor loads: every section holds its heading and two
        # empty lines, and the graphs' heading is followed by the final empty line alone.
        attendu = crlf("Lecture du fichier : vide.txt\n" + PROGRESSION + "\n"
                       "Calcul d'une poutre droite\n\n"
                       "Nom du fichier de données : vide.txt\n\n"
                       "Noeuds :\n\n\n"
                       "Éléments :\n\n\n"
                       "Liaisons :\n\n\n"
                       "Charges :\n\n\n"
                       "Déplacements nodaux ( m , rad ):\n\n"
                       "Noeud  Flèche     Pente\n\n\n"
                       "Efforts dans les éléments ( N , N.m ) :\n\n\n"
                       "Actions de liaison ( N , N.m ) :\n\n\n"
                       "Graphes élémentaires :\n\n")
        self.assertEqual(self.rapport(b"$deb\n$fin\n", "vide"), attendu)

    def test_sans_element_ni_charge(self):
        # Two clamped nodes and no element (a count of 0, or a negative count): the element,
        # load, end-force and graph sections hold only their headings and empty lines; the
        # reactions are sums over no element, 0.
        for nombre in ("0", "-2"):
            with self.subTest(elements=nombre):
                contenu = f"$deb\n$noe\n2\n0\n1\n$ele\n{nombre}\n$lia\n2\n3 1\n3 2\n$fin\n"
                attendu = crlf("Lecture du fichier : essai.txt\n" + PROGRESSION + "\n"
                               "Calcul d'une poutre droite\n\n"
                               "Nom du fichier de données : essai.txt\n\n"
                               "Noeuds :\n\n"
                               " 1  x =      0.000 m\n"
                               " 2  x =      1.000 m\n\n"
                               "Éléments :\n\n\n"
                               "Liaisons :\n\n"
                               "noeud  1   encastrement\n"
                               "noeud  2   encastrement\n\n"
                               "Charges :\n\n\n"
                               "Déplacements nodaux ( m , rad ):\n\n"
                               "Noeud  Flèche     Pente\n\n"
                               "  1   0.000000   0.000000\n"
                               "  2   0.000000   0.000000\n\n"
                               "Efforts dans les éléments ( N , N.m ) :\n\n\n"
                               "Actions de liaison ( N , N.m ) :\n\n"
                               "noeud 1 : Ry =     0  Mz =     0\n"
                               "noeud 2 : Ry =     0  Mz =     0\n\n"
                               "Graphes élémentaires :\n\n")
                self.assertEqual(self.rapport(contenu.encode("cp1252")), attendu)


# Four steel elements of 1 m, every node clamped: the structure solves whatever the loads and the
# element properties, so that the data lines can be chosen freely.
NOEUDS_ENCASTRES = [0, 1, 2, 3, 4]
ELEMENTS_ACIER = [(1, 2, ACIER, IPE_200), (2, 3, ACIER, IPE_200), (3, 4, ACIER, IPE_200),
                  (4, 5, ACIER, IPE_200)]
ENCASTREMENTS = [(3, n) for n in range(1, 6)]


class LignesDeDonnees(AvecRapport):
    def test_lignes_de_charge(self):
        # A nodal value is written only when its magnitude exceeds 1e-6, in a width of 7 with no
        # decimals, rounded half away from zero; a uniform load is always written, width 10.
        cas = [
            ((1, 2, 0, 500), "noeud  2  Mz =     500 N.m"),
            ((1, 3, 1e-06, 0), "noeud  3"),
            ((1, 3, -1e-06, 1e-06), "noeud  3"),
            ((1, 4, 1.1e-06, 0), "noeud  4  Fy =       0 N  "),
            ((1, 2, -10000, 0), "noeud  2  Fy =  -10000 N  "),
            ((1, 2, -50, 500), "noeud  2  Fy =     -50 N    Mz =     500 N.m"),
            ((1, 2, 2.5, -2.5), "noeud  2  Fy =       3 N    Mz =      -3 N.m"),
            ((1, 5, 12345678, 0), "noeud  5  Fy = 12345678 N  "),
            ((2, 1, 0.4), "élément  1 : py =          0 N/m"),
            ((2, 1, -0.4), "élément  1 : py =         -0 N/m"),
            ((2, 2, 1e-07), "élément  2 : py =          0 N/m"),
            ((2, 2, 0.5), "élément  2 : py =          1 N/m"),
            ((3, 3, -1000), "élément  3 : py =      -1000 N/m"),
            ((0, 4, -2.5), "élément  4 : py =         -3 N/m"),
        ]
        lignes = self.lignes(donnees(NOEUDS_ENCASTRES, ELEMENTS_ACIER, ENCASTREMENTS,
                                     [charge for charge, _ in cas]))
        self.assertEqual(bloc(self, lignes, "Charges :"), [ligne for _, ligne in cas])

    def test_lignes_d_element(self):
        # E is shown in units of 1e6 Pa with no decimals, width 5; Iz in cm4 (x 1e8) with two
        # decimals, width 5; a wider number is written whole and shifts the rest of the line.
        # 2.5e6 Pa is 2.5 units, rounded away from zero to 3 (-3 when negative); 5e-11 m4 is
        # 0.005 cm4, rounded to 0.01.
        cas = [
            ((1, 2, ACIER, IPE_200), " 1 (  1  2 )  E = 210000E6 Pa   Iz = 836.00 cm4"),
            ((2, 3, 7e10, 0.0001), " 2 (  2  3 )  E = 70000E6 Pa   Iz = 10000.00 cm4"),
            ((3, 4, 2500000.0, 5e-11), " 3 (  3  4 )  E =     3E6 Pa   Iz =  0.01 cm4"),
            ((4, 5, -2500000.0, 1.2e-08), " 4 (  4  5 )  E =    -3E6 Pa   Iz =  1.20 cm4"),
        ]
        lignes = self.lignes(donnees(NOEUDS_ENCASTRES, [e for e, _ in cas], ENCASTREMENTS))
        self.assertEqual(bloc(self, lignes, "Éléments :"), [ligne for _, ligne in cas])

    def test_nom_avec_blancs(self):
        # The typed name is taken whole, blanks included, in the file names and the file line.
        for nom in ("ma poutre", " deux  blancs "):
            with self.subTest(nom=nom):
                lignes = self.lignes(donnees([0, 1], [(1, 2, ACIER, IPE_200)], [(3, 1), (3, 2)]),
                                     nom)
                self.assertEqual(lignes[0], f"Lecture du fichier : {nom}.txt")
                self.assertEqual(lignes[8:11], ["Calcul d'une poutre droite", "",
                                                f"Nom du fichier de données : {nom}.txt"])


# One steel element of 1 m clamped at both ends: nothing moves, and the end forces are the
# fixed-end forces of its uniform load p, (-p L/2, -p L^2/12, -p L/2, +p L^2/12).
def encastree(charges, liaisons=((3, 1), (3, 2))):
    return donnees([0, 1], [(1, 2, ACIER, IPE_200)], list(liaisons), charges)


class LignesDEfforts(AvecRapport):
    def test_efforts_aux_extremites(self):
        # First end: the end forces negated; second end: as they stand. Width 5, no decimals.
        cas = [
            # No load: end forces of exactly 0; their negation prints -0 at the first end.
            ([], ["   1   1    Ty =    -0  Mfz =    -0", "       2    Ty =     0  Mfz =     0"],
             ["noeud 1 : Ry =     0  Mz =     0", "noeud 2 : Ry =     0  Mz =     0"]),
            # p = -5 N/m: end forces of 2.5 N exactly, rounded away from zero; 5/12 N.m.
            ([(2, 1, -5)], ["   1   1    Ty =    -3  Mfz =    -0", "       2    Ty =     3  Mfz =    -0"],
             ["noeud 1 : Ry =     3  Mz =     0", "noeud 2 : Ry =     3  Mz =    -0"]),
            ([(2, 1, 5)], ["   1   1    Ty =     3  Mfz =     0", "       2    Ty =    -3  Mfz =     0"],
             ["noeud 1 : Ry =    -3  Mz =    -0", "noeud 2 : Ry =    -3  Mz =     0"]),
            # p = -24691.2 N/m: 12345.6 N and 2057.6 N.m; -12345.6 takes six characters in its
            # width of 5 and shifts the rest of its line by one.
            ([(2, 1, -24691.2)],
             ["   1   1    Ty = -12346  Mfz = -2058", "       2    Ty = 12346  Mfz = -2058"],
             ["noeud 1 : Ry = 12346  Mz =  2058", "noeud 2 : Ry = 12346  Mz = -2058"]),
        ]
        for charges, efforts, actions in cas:
            with self.subTest(charges=charges):
                lignes = self.lignes(encastree(charges))
                self.assertEqual(bloc(self, lignes, "Efforts dans les éléments ( N , N.m ) :"),
                                 efforts)
                self.assertEqual(bloc(self, lignes, "Actions de liaison ( N , N.m ) :"), actions)

    def test_liaisons_de_code_inconnu(self):
        # A support of code other than 1, 2 or 3 blocks nothing; its support line is the node
        # alone and its reaction line stops after " : ", each ended like every other line.
        # Reactions at node 1 under p = -5 N/m: Ry = 2.5 -> 3, Mz = 5/12 -> 0; node 2: 3 and -0.
        liaisons = [(3, 1), (3, 2), (1, 1), (2, 1), (0, 2), (4, 1), (-1, 2), (3, 1)]
        lignes = self.lignes(encastree([(2, 1, -5)], liaisons))
        self.assertEqual(bloc(self, lignes, "Liaisons :"), [
            "noeud  1   encastrement",
            "noeud  2   encastrement",
            "noeud  1   flèche = 0",
            "noeud  1   pente = 0",
            "noeud  2",
            "noeud  1",
            "noeud  2",
            "noeud  1   encastrement",
        ])
        self.assertEqual(bloc(self, lignes, "Actions de liaison ( N , N.m ) :"), [
            "noeud 1 : Ry =     3  Mz =     0",
            "noeud 2 : Ry =     3  Mz =    -0",
            "noeud 1 : Ry =     3",
            "noeud 1 : Mz =     0",
            "noeud 2 : ",
            "noeud 1 : ",
            "noeud 2 : ",
            "noeud 1 : Ry =     3  Mz =     0",
        ])
        self.assertEqual(lignes[lignes.index("Actions de liaison ( N , N.m ) :") + 11],
                         "Graphes élémentaires :")


@dataclass
class Poutre:
    """A beam and its closed-form answer: deflection v(x), slope, shear force T(x) and bending
    moment M(x) (the actions of the right-hand part on the left-hand part, so that a sagging
    span has M > 0 and T = -dM/dx), the support reactions (Ry, Mz), and a few textbook figures."""
    nom: str
    contenu: bytes
    elements: int
    v: Callable
    pente: Callable
    T: Callable
    M: Callable
    reactions: dict
    remarquables: list  # (x, column, value): 1 Fleche, 3 Ty, 4 Mfz


def appuis_simples():
    # Span L = 4 m in two elements, E Iz = 2e11 x 5e-7 = 1e5 N.m2, p = -1000 N/m.
    L, EI, p = 4.0, 1e5, -1000.0
    return Poutre(
        "appuis simples sous charge uniforme",
        donnees([0, 2, 4], [(1, 2, 2e11, 5e-7), (2, 3, 2e11, 5e-7)], [(1, 1), (1, 3)],
                [(2, 1, p), (2, 2, p)]),
        2,
        v=lambda x: p * x * (L**3 - 2 * L * x**2 + x**3) / (24 * EI),
        pente=lambda x: p * (L**3 - 6 * L * x**2 + 4 * x**3) / (24 * EI),
        T=lambda x: p * (L - 2 * x) / 2,
        M=lambda x: -p * x * (L - x) / 2,
        reactions={1: (-p * L / 2, None), 3: (-p * L / 2, None)},
        # Mid-span: 5 p L^4 / 384 E Iz = -0.033333 m; p L^2 / 8 = 2000 N.m, sagging.
        remarquables=[(2.0, 1, 5 * p * L**4 / (384 * EI)), (2.0, 4, -p * L**2 / 8)])


def console():
    # Length L = 3 m in three elements, E Iz = 2e11 x 4e-6 = 8e5 N.m2, clamped at x = 0,
    # P = -2000 N at the tip.
    L, EI, P = 3.0, 8e5, -2000.0
    return Poutre(
        "console chargée en bout",
        donnees([0, 1, 2, 3], [(1, 2, 2e11, 4e-6), (2, 3, 2e11, 4e-6), (3, 4, 2e11, 4e-6)],
                [(3, 1)], [(1, 4, P, 0)]),
        3,
        v=lambda x: P * x**2 * (3 * L - x) / (6 * EI),
        pente=lambda x: P * x * (2 * L - x) / (2 * EI),
        T=lambda x: P,
        M=lambda x: P * (L - x),
        reactions={1: (-P, -P * L)},
        # Tip: P L^3 / 3 E Iz = -0.0225 m; root moment P L = -6000 N.m, hogging.
        remarquables=[(3.0, 1, P * L**3 / (3 * EI)), (0.0, 4, P * L)])


def bi_encastree():
    # Span L = 6 m in two elements, E Iz = 2e11 x 1e-5 = 2e6 N.m2, clamped at both ends,
    # p = -2000 N/m.
    L, EI, p = 6.0, 2e6, -2000.0
    return Poutre(
        "bi-encastrée sous charge uniforme",
        donnees([0, 3, 6], [(1, 2, 2e11, 1e-5), (2, 3, 2e11, 1e-5)], [(3, 1), (3, 3)],
                [(2, 1, p), (2, 2, p)]),
        2,
        v=lambda x: p * x**2 * (L - x)**2 / (24 * EI),
        pente=lambda x: p * x * (L - x) * (L - 2 * x) / (12 * EI),
        T=lambda x: p * (L - 2 * x) / 2,
        M=lambda x: p * (L**2 - 6 * L * x + 6 * x**2) / 12,
        reactions={1: (-p * L / 2, -p * L**2 / 12), 3: (-p * L / 2, p * L**2 / 12)},
        # End moments p L^2 / 12 = -6000 N.m (hogging); mid-span -p L^2 / 24 = 3000 N.m and
        # p L^4 / 384 E Iz = -0.003375 m.
        remarquables=[(0.0, 4, p * L**2 / 12), (6.0, 4, p * L**2 / 12),
                      (3.0, 4, -p * L**2 / 24), (3.0, 1, p * L**4 / (384 * EI))])


def deux_travees():
    # Two spans of L = 4 m, one element each, E Iz = 2e11 x 5e-6 = 1e6 N.m2, p = -1500 N/m,
    # deflection blocked at the three supports. Each span is a propped cantilever (zero slope over
    # the middle support, by symmetry); the second span mirrors the first.
    L, EI, p = 4.0, 1e6, -1500.0

    def miroir(f, signe):
        return lambda x: f(x) if x <= L else signe * f(2 * L - x)

    return Poutre(
        "deux travées continues",
        donnees([0, 4, 8], [(1, 2, 2e11, 5e-6), (2, 3, 2e11, 5e-6)], [(1, 1), (1, 2), (1, 3)],
                [(2, 1, p), (2, 2, p)]),
        2,
        v=miroir(lambda x: p * x * (L**3 - 3 * L * x**2 + 2 * x**3) / (48 * EI), 1),
        pente=miroir(lambda x: p * (L**3 - 9 * L * x**2 + 8 * x**3) / (48 * EI), -1),
        T=miroir(lambda x: 3 * p * L / 8 - p * x, -1),
        M=miroir(lambda x: -3 * p * L * x / 8 + p * x**2 / 2, 1),
        reactions={1: (-3 * p * L / 8, None), 2: (-10 * p * L / 8, None),
                   3: (-3 * p * L / 8, None)},
        # Over the middle support p L^2 / 8 = -3000 N.m; end reactions 3 |p| L / 8 = 2250 N,
        # middle one 10 |p| L / 8 = 7500 N.
        remarquables=[(4.0, 4, p * L**2 / 8)])


# A printed value differs from the exact one by at most half a unit of its last decimal.
DECIMALES = (3, 6, 5, 2, 2)  # x, Fleche, Pente, Ty, Mfz
ECARTS = [0.5 * 10**-d + 1e-9 for d in DECIMALES]
ACTION = re.compile(r"noeud (\d+) : Ry = *(\S+)(?:  Mz = *(\S+))?$")


class Physique(AvecRapport):
    def test_poutres_de_reference(self):
        for poutre in (appuis_simples(), console(), bi_encastree(), deux_travees()):
            with self.subTest(poutre=poutre.nom):
                lignes = self.lignes(poutre.contenu)
                rangees = []
                for e in range(1, poutre.elements + 1):
                    lues = graphe(self, lignes, e)
                    milieu = (lues[0][0] + lues[10][0]) / 2
                    # Each element's closed form is taken just inside the element, since the
                    # shear jumps over an inner support.
                    rangees += [(r, r[0] + 1e-9 * (milieu - r[0])) for r in lues]
                for (x, fleche, pente, ty, mfz), xi in rangees:
                    attendus = (x, poutre.v(xi), poutre.pente(xi), poutre.T(xi), poutre.M(xi))
                    for lu, attendu, ecart in zip((x, fleche, pente, ty, mfz), attendus, ECARTS):
                        self.assertAlmostEqual(lu, attendu, delta=ecart, msg=f"x = {x}")
                for x, colonne, valeur in poutre.remarquables:
                    lus = [r[colonne] for r, _ in rangees if r[0] == x]
                    self.assertTrue(lus, f"x = {x}")
                    for lu in lus:
                        self.assertAlmostEqual(lu, valeur, delta=ECARTS[colonne], msg=f"x = {x}")
                actions = bloc(self, lignes, "Actions de liaison ( N , N.m ) :")
                self.assertEqual(len(actions), len(poutre.reactions))
                for ligne in actions:
                    trouve = ACTION.match(ligne)
                    self.assertIsNotNone(trouve, ligne)
                    ry, mz = poutre.reactions[int(trouve.group(1))]
                    self.assertAlmostEqual(float(trouve.group(2)), ry, delta=0.5 + 1e-9)
                    if mz is None:
                        self.assertIsNone(trouve.group(3))
                    else:
                        self.assertAlmostEqual(float(trouve.group(3)), mz, delta=0.5 + 1e-9)


@unittest.skipUnless(sys.platform.startswith("linux") and os.path.exists("/dev/full"),
                     "needs /dev/full")
class EcritureImpossible(unittest.TestCase):
    def test_disque_plein(self):
        # The report's name is a link to /dev/full, where every write fails with ENOSPC (28).
        # A long report fails while the results are written; a short one (no "$deb": only its
        # first line) fails only when the buffer is flushed at the close. Either way the run ends
        # with the error, exit status 1, and the report is not shown.
        n = 30
        longue = donnees(list(range(n + 1)), [(i, i + 1, ACIER, IPE_200) for i in range(1, n + 1)],
                         [(1, 1), (1, n + 1)], [(2, i, -1000) for i in range(1, 11)])
        for nom, contenu in (("rapport long", longue), ("rapport court", b"rien\n")):
            with self.subTest(nom):
                r = executer({"essai.txt": contenu}, b"essai\n", visionneuse_attendue=False,
                             preparer=lambda dossier: os.symlink("/dev/full",
                                                                 dossier / "essair.txt"))
                self.assertEqual(r.code, 1)
                self.assertIn(b"I/O error 28", r.stderr)
                self.assertTrue(r.stderr.endswith(b"\r\n"))
                self.assertEqual(r.console_apres_invite(), b"")
                self.assertIsNone(r.visionneuse)


if __name__ == "__main__":
    unittest.main()
