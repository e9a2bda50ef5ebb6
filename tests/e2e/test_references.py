"""Node and element numbers checked once the data are read. Every item that names a node beyond
NbNoeuds or an element beyond Elements.Nombre gets its console line (elements, then supports, then
loads); the report then holds its first line only, the viewer shows it, and the exit status is 0.
The checks made while reading (capacities, lengths, Iz) come first."""

import unittest

from vortale_e2e import crlf, executer, rapport_arrete, verifier

ELEMENT = "L'\u00e9l\u00e9ment {} relie le noeud {}, qui n'existe pas"
LIAISON = "La liaison {} porte sur le noeud {}, qui n'existe pas"
NODALE = "La charge {} porte sur le noeud {}, qui n'existe pas"
REPARTIE = "La charge {} porte sur l'\u00e9l\u00e9ment {}, qui n'existe pas"

# Three nodes at 0, 1 and 2 m; two elements; then the cases' support and load lines.
TETE = "Essai\n$deb\n$noe\n3\n0\n1\n2\n$ele\n2\n1 2 2.1E11 8.36E-6\n2 3 2.1E11 8.36E-6\n"


def donnees(liaisons="1 1\n1 3", charges="1 2 -100 0", tete=TETE, fin="$fin\n"):
    items = lambda lignes: [l for l in lignes.split("\n") if l]
    texte = tete + "$lia\n%d\n%s" % (len(items(liaisons)), "".join(l + "\n" for l in items(liaisons)))
    texte += "$cha\n%d\n%s" % (len(items(charges)), "".join(l + "\n" for l in items(charges)))
    return crlf(texte + fin)


# (case, data file, the console lines in order; none: the run is complete)
CAS = [
    # Node 9 has the abscissa 0 and passes the length check, then would act as a hidden clamp.
    ("element depuis un noeud non lu",
     donnees(tete=TETE.replace("2 3 2.1E11", "9 2 2.1E11")), [ELEMENT.format(2, 9)]),
    ("appui sur un noeud non lu", donnees(liaisons="1 1\n1 3\n3 4"), [LIAISON.format(3, 4)]),
    ("charge nodale sur un noeud non lu", donnees(charges="1 4 -100 0"), [NODALE.format(1, 4)]),
    ("charge repartie sur un element non lu", donnees(charges="2 3 -100"), [REPARTIE.format(1, 3)]),
    ("charge de code 3 sur l'element 0", donnees(charges="3 0 -100"), [REPARTIE.format(1, 0)]),
    ("toutes a la fois, chacune listee",
     donnees(liaisons="1 1\n2 5\n1 3\n3 -1", charges="2 1 -5\n1 50 -5 0\n2 9 -5"),
     [LIAISON.format(2, 5), LIAISON.format(4, -1), NODALE.format(2, 50), REPARTIE.format(3, 9)]),
    ("sans $fin", donnees(charges="1 4 -100 0", fin=""), [NODALE.format(1, 4)]),
    # A second "$noe" of 2 nodes: node 3 no longer exists, for the element and the support.
    ("second $noe plus court",
     donnees(fin="$noe\n2\n0\n1\n$fin\n"), [ELEMENT.format(2, 3), LIAISON.format(2, 3)]),
    # Accepted: a support that blocks nothing names no node that is used, and the last node and
    # the last element are numbers that exist.
    ("code d'appui inconnu sur un noeud non lu", donnees(liaisons="1 1\n1 3\n7 9"), None),
    ("charges sur le dernier noeud et le dernier element",
     donnees(charges="1 3 -100 0\n2 2 -50"), None),
]


class References(unittest.TestCase):
    def test_references(self):
        for nom, fichier, lignes in CAS:
            with self.subTest(nom):
                r = executer({"p.txt": fichier}, b"p\n")
                if lignes is None:
                    verifier(self, r, visionneuse=[b"pr.txt"])
                    self.assertTrue(r.fichiers["pr.txt"].startswith(rapport_arrete("p.txt", 6)))
                    self.assertTrue(r.fichiers["pr.txt"].endswith(b"\r\n\r\n"))
                else:
                    verifier(self, r, crlf("".join(l + "\n" for l in lignes)),
                             visionneuse=[b"pr.txt"],
                             fichiers={"p.txt": fichier, "pr.txt": rapport_arrete("p.txt")})


if __name__ == "__main__":
    unittest.main()
