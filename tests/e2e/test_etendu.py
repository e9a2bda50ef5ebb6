"""Springs, settlements, hinges, point loads inside elements and trapezoidal loads, end to end: the
checks once the data are read (each failing item's console line in the interactive run, its
located diagnostic in the command-line mode), and the report's lines of the new items."""

import re
import unittest

from test_ligne_commande import lancer, texte
from test_solveur import donnees
from vortale_e2e import crlf, executer, rapport_arrete, verifier

ACIER = "2.1E11 8.36E-6"
# The worked example's beam (lines 1 to 19 of the data file): the keyword of a new section stands
# on line 20, its count on line 21, its items from line 22 on.
NOEUDS = ["0", "2.5", "5"]
ELEMENTS = ["1 2 " + ACIER, "2 3 " + ACIER]
LIAISONS = ["1 1", "1 3"]
CHARGES = ["1 2 -10000 0", "2 1 -2000"]
# Elements of 0.3 m (1.4 - 1.1 = 0.2999999999999998 in doubles, written 0.3) and of 1.1 m.
NOEUDS_COURTS = ["1.1", "1.4", "2.5"]


def fichier(noeuds=NOEUDS, charges=CHARGES, **sections):
    return donnees(noeuds, ELEMENTS, LIAISONS, charges, **sections)


HORS = "La charge ponctuelle %d est hors de l'\u00e9l\u00e9ment %d (a = %s m, longueur %s m)"
TRAPEZE_HORS = ("La charge trap\u00e9zo\u00efdale %d est hors de l'\u00e9l\u00e9ment %d (de %s \u00e0 %s m, "
                "longueur %s m)")

# (case, data file, the refusals: (line of the item, console line)), in the order written.
REFUS = [
    ("ressort sur un noeud qui n'existe pas", fichier(ressorts=["4 1000 0", "0 1000 0"]),
     [(22, "Le ressort 1 porte sur le noeud 4, qui n'existe pas"),
      (23, "Le ressort 2 porte sur le noeud 0, qui n'existe pas")]),
    ("raideurs negatives", fichier(ressorts=["2 -1 0", "2 1000 5", "2 0 -1E-300"]),
     [(22, "Le ressort 1 a une raideur n\u00e9gative"),
      (24, "Le ressort 3 a une raideur n\u00e9gative")]),
    ("code de tassement", fichier(tassements=["3 1 -0.01", "0 3 -0.01"]),
     [(22, "Le tassement 1 a le code 3 : 1 (fl\u00e8che) ou 2 (pente) attendu"),
      (23, "Le tassement 2 a le code 0 : 1 (fl\u00e8che) ou 2 (pente) attendu")]),
    ("tassement sur un noeud qui n'existe pas", fichier(tassements=["1 4 -0.01"]),
     [(22, "Le tassement 1 porte sur le noeud 4, qui n'existe pas")]),
    ("tassement d'une fleche libre", fichier(tassements=["1 2 -0.01"]),
     [(22, "Le tassement 1 porte sur la fl\u00e8che du noeud 2, qu'aucune liaison ne bloque")]),
    ("tassement de la pente d'un appui simple", fichier(tassements=["2 1 0.001"]),
     [(22, "Le tassement 1 porte sur la pente du noeud 1, qu'aucune liaison ne bloque")]),
    ("tassements repetes",
     fichier(tassements=["1 1 -0.01", "1 1 -0.02", "1 3 -0.01", "1 1 -0.03"]),
     [(23, "Le tassement 2 r\u00e9p\u00e8te le tassement 1"),
      (25, "Le tassement 4 r\u00e9p\u00e8te le tassement 1")]),
    ("code de rotule", fichier(rotules=["0 1", "4 2", "3 2"]),
     [(22, "La rotule 1 a le code 0 : 1, 2 ou 3 attendu"),
      (23, "La rotule 2 a le code 4 : 1, 2 ou 3 attendu")]),
    ("rotule sur un element qui n'existe pas", fichier(rotules=["1 3"]),
     [(22, "La rotule 1 porte sur l'\u00e9l\u00e9ment 3, qui n'existe pas")]),
    ("charge ponctuelle sur un element qui n'existe pas", fichier(ponctuelles=["3 1 -100 0"]),
     [(22, "La charge ponctuelle 1 porte sur l'\u00e9l\u00e9ment 3, qui n'existe pas")]),
    ("charges ponctuelles hors de l'element",
     fichier(ponctuelles=["1 2.6 -100 0", "2 -0.5 -100 0", "2 2.5 -100 0"]),
     [(22, HORS % (1, 1, "2.6", "2.5")), (23, HORS % (2, 2, "-0.5", "2.5"))]),
    ("charge trapezoidale sur un element qui n'existe pas",
     fichier(trapezes=["0 0 1 -100 -100"]),
     [(22, "La charge trap\u00e9zo\u00efdale 1 porte sur l'\u00e9l\u00e9ment 0, qui n'existe pas")]),
    ("charges trapezoidales hors de l'element",
     fichier(trapezes=["1 -0.1 1 -100 -100", "1 1 2.7 -100 -100", "2 1.5 1.5 -100 -100",
                       "2 2 1 -1 -1", "2 0 2.5 -1 -1"]),
     [(22, TRAPEZE_HORS % (1, 1, "-0.1", "1", "2.5")),
      (23, TRAPEZE_HORS % (2, 1, "1", "2.7", "2.5")),
      (24, TRAPEZE_HORS % (3, 2, "1.5", "1.5", "2.5")),
      (25, TRAPEZE_HORS % (4, 2, "2", "1", "2.5"))]),
    # Within 1e-9 L of an end is inside; beyond, a, b and L as %.10g writes them.
    ("abscisses au dernier chiffre pres",
     fichier(NOEUDS_COURTS, ponctuelles=["2 1.100000002 -100 0", "2 -2e-9 -100 0", "1 0.31 -100 0",
                                         "2 1.100000001 -100 0", "2 -1e-9 -100 0", "1 0.3 -100 0"]),
     [(22, HORS % (1, 2, "1.100000002", "1.1")), (23, HORS % (2, 2, "-2e-09", "1.1")),
      (24, HORS % (3, 1, "0.31", "0.3"))]),
    ("charges trapezoidales au dernier chiffre pres",
     fichier(NOEUDS_COURTS, trapezes=["2 1 1.000000001 -1 -1", "2 0 1.100000002 -1 -1",
                                      "1 0 0.3 -1 -1", "2 -1e-9 1.100000001 -1 -1"]),
     [(22, TRAPEZE_HORS % (1, 2, "1", "1.000000001", "1.1")),
      (23, TRAPEZE_HORS % (2, 2, "0", "1.100000002", "1.1"))]),
    # Every failing item is listed, the reference checks first, then section by section.
    ("plusieurs refus",
     fichier(charges=["1 9 -10000 0", "2 1 -2000"], ressorts=["9 1 1"], tassements=["1 5 0"],
             rotules=["1 7"], ponctuelles=["8 0 0 0"], trapezes=["1 3 2 0 0"]),
     [(18, "La charge 1 porte sur le noeud 9, qui n'existe pas"),
      (22, "Le ressort 1 porte sur le noeud 9, qui n'existe pas"),
      (25, "Le tassement 1 porte sur le noeud 5, qui n'existe pas"),
      (28, "La rotule 1 porte sur l'\u00e9l\u00e9ment 7, qui n'existe pas"),
      (31, "La charge ponctuelle 1 porte sur l'\u00e9l\u00e9ment 8, qui n'existe pas"),
      (34, TRAPEZE_HORS % (1, 1, "3", "2", "2.5"))]),
    # An item that fails several checks gets the line of the first.
    ("premier refus de chaque item",
     fichier(ressorts=["7 -1 0"], tassements=["5 9 0", "1 9 0", "1 2 0", "1 2 0"],
             rotules=["9 9"], ponctuelles=["9 -5 0 0"], trapezes=["9 3 2 0 0"]),
     [(22, "Le ressort 1 porte sur le noeud 7, qui n'existe pas"),
      (25, "Le tassement 1 a le code 5 : 1 (fl\u00e8che) ou 2 (pente) attendu"),
      (26, "Le tassement 2 porte sur le noeud 9, qui n'existe pas"),
      (27, "Le tassement 3 porte sur la fl\u00e8che du noeud 2, qu'aucune liaison ne bloque"),
      (28, "Le tassement 4 porte sur la fl\u00e8che du noeud 2, qu'aucune liaison ne bloque"),
      (31, "La rotule 1 a le code 9 : 1, 2 ou 3 attendu"),
      (34, "La charge ponctuelle 1 porte sur l'\u00e9l\u00e9ment 9, qui n'existe pas"),
      (37, "La charge trap\u00e9zo\u00efdale 1 porte sur l'\u00e9l\u00e9ment 9, qui n'existe pas")]),
]


class Verifications(unittest.TestCase):
    def test_interactif(self):
        # One console line per failing item; the report holds its first line only; status 0.
        for nom, donnees_p, refus in REFUS:
            with self.subTest(nom):
                r = executer({"p.txt": donnees_p}, b"p\n")
                verifier(self, r, crlf("".join(message + "\n" for _, message in refus)),
                         fichiers={"p.txt": donnees_p, "pr.txt": rapport_arrete("p.txt")},
                         visionneuse=[b"pr.txt"])

    def test_ligne_de_commande(self):
        for nom, donnees_p, refus in REFUS:
            with self.subTest(nom):
                r = lancer(["p"], {"p.txt": donnees_p})
                self.assertEqual((r.code, r.stdout), (1, b""))
                self.assertEqual(texte(r.stderr),
                                 "".join("p.txt:%d: %s\n" % refu for refu in refus))

    def test_aux_bouts_de_l_element(self):
        # Loads within 1e-9 L of an element's ends are accepted: the run is complete.
        cas = [
            ("charges ponctuelles", fichier(NOEUDS_COURTS, ponctuelles=[
                "2 1.100000001 -100 0", "2 -1e-9 -100 0", "1 0.3 -100 0", "1 0 0 5"])),
            ("charges trapezoidales", fichier(NOEUDS_COURTS, trapezes=[
                "1 0 0.3 -1 -1", "2 -1e-9 1.100000001 -1 -1", "2 0.5 0.500000002 -1 -1"])),
        ]
        for nom, donnees_p in cas:
            with self.subTest(nom):
                r = executer({"p.txt": donnees_p}, b"p\n")
                verifier(self, r, visionneuse=[b"pr.txt"])
                self.assertTrue(r.fichiers["pr.txt"].startswith(rapport_arrete("p.txt", 6)))


# One beam of every kind of item, in three parts that nothing joins:
#  - nodes 1 to 5 (x = 0, 2, 4, 7, 9): clamped at node 1, pins at 3, 4 and 5; hinges at node 2
#    (end of element 1), at node 3 (start of element 3) and at both ends of element 4; the pin
#    of node 4 settles 5 mm, the clamp turns 1.5 mrad; a point load and a moment inside
#    element 3, a point load at a = -1e-9 (held at 0) on element 1, a trapezoid on element 4;
#  - nodes 6 and 7 (x = 10, 12): a cantilever of 2 m on a spring Kv = 200000 N/m and
#    Kr = 500000 N.m/rad at its root, -100 N at its tip: by statics the spring carries
#    Ry = 100 N and Mz = 100 x 2 = 200 N.m;
#  - nodes 8 and 9 (x = 13, 17): a cantilever of 4 m clamped at node 8, its tip on a spring
#    Kv = 3EI/L^3 = 3 x 2.1E11 x 8.36E-6 / 64 = 82293.75 N/m, as stiff as the cantilever, so that
#    it takes half of the -10000 N at the tip: Ry = 5000 N; Kr = 0, the tip's slope is negative,
#    Mz = -0 x theta = +0.
TOUT = donnees(
    ["0", "2", "4", "7", "9", "10", "12", "13", "17"],
    ["1 2 " + ACIER, "2 3 " + ACIER, "3 4 " + ACIER, "4 5 " + ACIER, "6 7 " + ACIER,
     "8 9 " + ACIER],
    ["3 1", "1 3", "1 4", "1 5", "3 8"],
    ["2 2 -1500", "1 7 -100 0", "1 9 -10000 0"],
    ressorts=["6 200000 500000", "9 82293.75 0"],
    tassements=["1 4 -0.005", "2 1 0.0015"],
    rotules=["2 1", "1 3", "3 4"],
    ponctuelles=["3 1.5 -2500.5 1200", "1 -1e-9 -1000 0"],
    trapezes=["4 0.5 2 -1000 -3000.5"])

# The lines as the report's layout writes them: int(w) right-aligned in w characters, real(w, d)
# in fixed point with d decimals, rounded half away from zero (-2500.5 is -2501), right-aligned.
CHARGES_ETENDUES = (
    # "élément " int(2) " : a = " real(7,3) " m  Fy = " real(7,0) " N  Mz = " real(7,0) " N.m"
    "\u00e9l\u00e9ment  3 : a =   1.500 m  Fy =   -2501 N  Mz =    1200 N.m\n"
    "\u00e9l\u00e9ment  1 : a =   0.000 m  Fy =   -1000 N  Mz =       0 N.m\n"
    # "élément " int(2) " : de " real(7,3) " à " real(7,3) " m  p = " real(10,0) " à " real(10,0)
    # " N/m"
    "\u00e9l\u00e9ment  4 : de   0.500 \u00e0   2.000 m  p =      -1000 \u00e0      -3001 N/m\n")
BLOCS = (
    "\n"
    "Ressorts :\n"
    "\n"
    # "noeud " int(2) "   Kv = " real(12,0) " N/m   Kr = " real(12,0) " N.m/rad"
    "noeud  6   Kv =       200000 N/m   Kr =       500000 N.m/rad\n"
    "noeud  9   Kv =        82294 N/m   Kr =            0 N.m/rad\n"
    "\n"
    "Tassements :\n"
    "\n"
    # "noeud " int(2) "   flèche = " real(10,6) " m", or "   pente = " real(10,6) " rad"
    "noeud  4   fl\u00e8che =  -0.005000 m\n"
    "noeud  1   pente =   0.001500 rad\n"
    "\n"
    "Rotules :\n"
    "\n"
    # "élément " int(2) "   rotule au noeud " int, or "   rotules aux noeuds " int " et " int
    "\u00e9l\u00e9ment  1   rotule au noeud 2\n"
    "\u00e9l\u00e9ment  3   rotule au noeud 3\n"
    "\u00e9l\u00e9ment  4   rotules aux noeuds 4 et 5\n"
    "\n"
    "D\u00e9placements nodaux ( m , rad ):\n")
# "ressort noeud " int " : Ry = " real(5,0) "  Mz = " real(5,0), after the supports' lines.
ACTIONS_RESSORTS = ("ressort noeud 6 : Ry =   100  Mz =   200\n"
                    "ressort noeud 9 : Ry =  5000  Mz =     0\n"
                    "\n"
                    "Graphes \u00e9l\u00e9mentaires :\n")


class Rapport(unittest.TestCase):
    def test_lignes_des_nouveaux_items(self):
        r = executer({"p.txt": TOUT}, b"p\n")
        verifier(self, r, visionneuse=[b"pr.txt"])
        rapport = r.fichiers["pr.txt"]
        self.assertTrue(rapport.startswith(rapport_arrete("p.txt", 6)), rapport[:400])
        # The "Charges :" block: the three lines of "$cha", then the new loads' lines; then the
        # new blocks, each with its heading, an empty line, its lines and an empty line.
        charges = re.search(rb"\r\nCharges :\r\n\r\n((?:.*\r\n){3})" + re.escape(
            crlf(CHARGES_ETENDUES + BLOCS)), rapport)
        self.assertIsNotNone(charges, rapport.decode("cp1252"))
        self.assertEqual([ligne[:5] for ligne in charges.group(1).split(b"\r\n")[:3]],
                         [b"\xe9l\xe9me", b"noeud", b"noeud"])
        # "Actions de liaison": the five supports' lines, then the springs'.
        actions = re.search(rb"\r\nActions de liaison \( N , N\.m \) :\r\n\r\n"
                            rb"((?:noeud \d : .*\r\n){5})" + re.escape(crlf(ACTIONS_RESSORTS)),
                            rapport)
        self.assertIsNotNone(actions, rapport.decode("cp1252"))

    def test_meme_rapport_en_ligne_de_commande(self):
        interactif = executer({"p.txt": TOUT}, b"p\n").fichiers["pr.txt"]
        r = lancer(["p"], {"p.txt": TOUT})
        self.assertEqual((r.code, r.stderr), (0, b""))
        self.assertEqual(r.fichiers["pr.txt"], interactif)


if __name__ == "__main__":
    unittest.main()
