"""Beams that can move without deforming (mechanisms) are refused before the solution, whatever
rounding would leave on the solver's pivots: the report ends with the pivot message as after a
failed pivot, the interactive run ends with status 0 and shows it, and the command line names the
nodes that move and how (exit status 1). Beams that are held still solve. Hinges and springs are
part of what holds a beam or leaves it free."""

import unittest

from test_solveur import donnees
from vortale_e2e import executer, rapport_arrete, verifier
from test_ligne_commande import lancer, texte

MECANISME = "p.txt: la poutre est un m\u00e9canisme : "
ACIER = "2.1E11 8.36E-6"
NOEUDS = ["0", "2.5", "5"]
ELEMENTS = ["1 2 " + ACIER, "2 3 " + ACIER]
CHARGES = ["1 2 -10000 0", "2 1 -2000"]
NOEUDS_GERBER = ["0", "2.5", "5", "7.5"]
ELEMENTS_GERBER = ["1 2 " + ACIER, "2 3 " + ACIER, "3 4 " + ACIER]
MOMENT_SUR_ROTULES = ("le moment appliqu\u00e9 au noeud %d ne s'exerce sur aucun \u00e9l\u00e9ment : "
                      "chacun y a une rotule")

# (case, data file, what the command line says: the motion, or None for a beam that is held).
CAS = [
    ("un seul appui simple", donnees(NOEUDS, ELEMENTS, ["1 1"], CHARGES),
     "les noeuds 1 \u00e0 3 peuvent tourner autour de x = 0.000 m sans se d\u00e9former"),
    ("deux appuis sur le meme noeud", donnees(NOEUDS, ELEMENTS, ["1 2", "1 2"], CHARGES),
     "les noeuds 1 \u00e0 3 peuvent tourner autour de x = 2.500 m sans se d\u00e9former"),
    # Nodes 1 and 3 both at x = 0, each joined to node 2: two pins at one abscissa.
    ("deux appuis a la meme abscisse",
     donnees(["0", "2.5", "0"], ["1 2 " + ACIER, "3 2 " + ACIER], ["1 1", "1 3"], CHARGES),
     "les noeuds 1 \u00e0 3 peuvent tourner autour de x = 0.000 m sans se d\u00e9former"),
    ("pentes seules bloquees", donnees(NOEUDS, ELEMENTS, ["2 1", "2 3"], CHARGES),
     "les noeuds 1 \u00e0 3 peuvent monter ou descendre sans tourner"),
    ("partie au-dela d'un element sans rigidite",
     donnees(["0", "1", "2", "3"], ["1 2 " + ACIER, "2 3 0 8.36E-6", "3 4 " + ACIER], ["3 1"],
             ["1 4 -100 0"]),
     "les noeuds 3 et 4 ne sont tenus par aucune liaison (l'\u00e9l\u00e9ment 2 n'a pas de "
     "rigidit\u00e9 en flexion : E \u00d7 Iz = 0)"),
    ("noeud relie a aucun element",
     donnees(["0", "1", "2"], ["1 2 " + ACIER], ["3 1", "1 3"], ["1 2 -100 0"]),
     "le noeud 3 n'est reli\u00e9 \u00e0 aucun \u00e9l\u00e9ment"),
    ("mecanisme sans charge", donnees(NOEUDS, ELEMENTS, ["1 1"], []),
     "les noeuds 1 \u00e0 3 peuvent tourner autour de x = 0.000 m sans se d\u00e9former"),
    ("encastrement", donnees(NOEUDS, ELEMENTS, ["3 1"], CHARGES), None),
    ("appui simple et pente bloquee", donnees(NOEUDS, ELEMENTS, ["1 1", "2 3"], CHARGES), None),
    ("deux appuis simples", donnees(NOEUDS, ELEMENTS, ["1 1", "1 3"], CHARGES), None),
    ("noeud isole encastre",
     donnees(["0", "1", "2"], ["1 2 " + ACIER], ["3 1", "3 3"], ["1 2 -100 0"]), None),
    # Hinges: a released end does not tie its element's rotation to the node.
    ("poutre Gerber", donnees(NOEUDS, ELEMENTS, ["3 1", "1 3"], CHARGES, rotules=["2 1"]), None),
    ("rotule entre deux appuis simples",
     donnees(NOEUDS, ELEMENTS, ["1 1", "1 3"], CHARGES, rotules=["2 1"]),
     "les noeuds 1 et 2 peuvent tourner autour de x = 0.000 m sans se d\u00e9former"),
    # Clamp, hinge, hinge, pin: the middle element turns about the first hinge.
    ("poutre Gerber avec une rotule de trop",
     donnees(NOEUDS_GERBER, ELEMENTS_GERBER, ["3 1", "1 4"], ["1 3 -10000 0"],
             rotules=["2 1", "2 2"]),
     "les noeuds 2 et 3 peuvent tourner autour de la rotule du noeud 2"),
    ("poutre Gerber a deux rotules tenue",
     donnees(NOEUDS_GERBER, ELEMENTS_GERBER, ["3 1", "1 3", "1 4"], ["1 2 -10000 0"],
             rotules=["2 1", "2 2"]), None),
    # Springs: Kv > 0 holds the deflection, Kr > 0 the slope, as a support would.
    ("ressort Kv a la place d'un appui simple",
     donnees(NOEUDS, ELEMENTS, ["1 1"], CHARGES, ressorts=["3 1E6 0"]), None),
    ("ressort de raideurs nulles", donnees(NOEUDS, ELEMENTS, ["1 1"], CHARGES, ressorts=["3 0 0"]),
     "les noeuds 1 \u00e0 3 peuvent tourner autour de x = 0.000 m sans se d\u00e9former"),
    ("ressort Kr qui bloque la pente",
     donnees(NOEUDS, ELEMENTS, ["1 1"], CHARGES, ressorts=["3 0 1E6"]), None),
    ("ressort Kr seul", donnees(NOEUDS, ELEMENTS, [], CHARGES, ressorts=["1 0 1E6"]),
     "les noeuds 1 \u00e0 3 peuvent monter ou descendre sans tourner"),
    ("ressorts Kv seuls", donnees(NOEUDS, ELEMENTS, [], CHARGES, ressorts=["1 1E6 0", "3 1E6 0"]),
     None),
    # A node whose every element end is released: its slope is held at 0 unless a nodal moment
    # acts there, which no element could carry.
    ("moment sur un noeud a rotules des deux cotes",
     donnees(NOEUDS, ELEMENTS, ["3 1", "3 3"], ["1 2 -10000 500"], rotules=["2 1", "1 2"]),
     MOMENT_SUR_ROTULES % 2),
    ("noeud a rotules des deux cotes sans moment",
     donnees(NOEUDS, ELEMENTS, ["3 1", "3 3"], ["1 2 -10000 0"], rotules=["2 1", "1 2"]), None),
    ("moment sur une rotule d'appui simple",
     donnees(NOEUDS, ELEMENTS, ["3 1", "1 3"], ["1 3 0 500"], rotules=["2 2"]),
     MOMENT_SUR_ROTULES % 3),
    ("rotule d'appui simple tenue par un ressort Kr",
     donnees(NOEUDS, ELEMENTS, ["3 1", "1 3"], ["1 3 0 500"], rotules=["2 2"],
             ressorts=["3 0 1E6"]), None),
]


class Mecanismes(unittest.TestCase):
    def test_interactif(self):
        for nom, fichier, mouvement in CAS:
            with self.subTest(nom):
                r = executer({"p.txt": fichier}, b"p\n")
                verifier(self, r, visionneuse=[b"pr.txt"])
                rapport = r.fichiers["pr.txt"]
                if mouvement is None:
                    self.assertTrue(rapport.startswith(rapport_arrete("p.txt", 6)), rapport[:300])
                else:
                    self.assertEqual(rapport, rapport_arrete("p.txt", 4, pivot=True))

    def test_ligne_de_commande(self):
        for nom, fichier, mouvement in CAS:
            with self.subTest(nom):
                r = lancer(["p"], {"p.txt": fichier})
                if mouvement is None:
                    self.assertEqual((r.code, r.stderr), (0, b""))
                    self.assertTrue(texte(r.stdout).startswith("pr.txt : "), r.stdout)
                else:
                    self.assertEqual((r.code, r.stdout), (1, b""))
                    self.assertEqual(texte(r.stderr), MECANISME + mouvement + "\n")


if __name__ == "__main__":
    unittest.main()
