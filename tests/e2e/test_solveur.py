"""The analysis steps end to end: runs that the solver stops with
its pivot message, and a support that blocks nothing on a node outside the beam.

A failed solution is an orderly run: the report ends with the progress lines and the message
"Le syst\u00e8me est mal conditionn\u00e9 : pivot n\u00e9gatif ou nul", nothing after it, the viewer is
opened on it, the console shows nothing after the prompt, and the exit status is 0.

The reference runs tests/vecteurs/pivot-no-support, pivot-last and pivot-e-zero already cover a
single free element, a single support of code 1, and one clamped element with E = 0; they are not
repeated here."""

import unittest

from vortale_e2e import crlf, executer, rapport_arrete, verifier


def donnees(noeuds, elements=(), liaisons=(), charges=(), sections=None, ressorts=(),
            tassements=(), rotules=(), ponctuelles=(), trapezes=()):
    """A data file (bytes, CR LF) from its items, one string per item line. `sections` lists the
    sections to write, in order, among "noe", "ele", "lia", "cha", "res", "tas", "rot", "pon",
    "tra" (by default the first four, then each of the others that has items)."""
    contenu = {"noe": noeuds, "ele": elements, "lia": liaisons, "cha": charges, "res": ressorts,
               "tas": tassements, "rot": rotules, "pon": ponctuelles, "tra": trapezes}
    if sections is None:
        sections = ["noe", "ele", "lia", "cha"] + [nom for nom in ("res", "tas", "rot", "pon", "tra")
                                                   if contenu[nom]]
    texte = "Essai\n$deb\n"
    for nom in sections:
        items = contenu[nom]
        compte = items if isinstance(items, int) else len(items)
        texte += "$%s\n%d\n" % (nom, compte)
        if not isinstance(items, int):
            texte += "".join("%s\n" % item for item in items)
    return crlf(texte + "$fin\n")


# Runs that the solver stops: (case, where the expected outcome comes from, data file).
PIVOTS = [
    ("console E.Iz = 1e-12 N.m2",
     "absolute threshold, row 3's pivot 12 E Iz / L^3 = 1.2e-11 fails",
     donnees(["0", "1"], ["1 2 1E-6 1E-6"], ["3 1"], ["1 2 -1 0"])),
    ("poutre dont tous les E sont nuls",
     "the first free degree of freedom has a zero pivot",
     donnees(["0", "2.5", "5", "7.5"],
             ["1 2 0 8.36E-6", "2 3 0 8.36E-6", "3 4 0 8.36E-6"],
             ["1 1", "1 4"], ["2 1 -2000", "1 2 -10000 0", "2 3 -500"])),
    ("poutre encastree dont tous les E sont nuls",
     "E = 0 on every element, with several elements",
     donnees(["0", "1", "2"], ["1 2 0 1E-4", "2 3 0 1E-4"], ["3 1"], ["1 3 -10 0"])),
    ("module negatif",
     "the test compares the pivot itself, a negative pivot fails",
     donnees(["0", "2"], ["1 2 -2.1E11 8.36E-6"], ["3 1"], ["1 2 -100 0"])),
    ("E.Iz qui deborde vers l'infini",
     "row 3's pivot is +inf, its multiplier -inf/inf is NaN, the last pivot is NaN and "
     "fails like a zero one",
     donnees(["0", "1"], ["1 2 1E300 1E300"], ["3 1"], ["1 2 -1 0"])),
    ("mecanisme : deux travees sur un seul appui simple",
     "a structure held by too few supports",
     donnees(["0", "1", "2"], ["1 2 2.1E11 8.36E-6", "2 3 2.1E11 8.36E-6"], ["1 2"],
             ["2 1 -1000", "2 2 -1000"])),
    ("pentes seules bloquees",
     "code 2 everywhere leaves the rigid translation free",
     donnees(["0", "1", "2"], ["1 2 2.1E11 8.36E-6", "2 3 2.1E11 8.36E-6"],
             ["2 1", "2 2", "2 3"], ["1 2 -1000 0"])),
    ("appuis de codes 0 et 4",
     "a code outside 1..3 blocks nothing",
     donnees(["0", "1"], ["1 2 2.1E11 8.36E-6"], ["0 1", "4 1", "0 2", "4 2"], [])),
]

class EchecDuSolveur(unittest.TestCase):
    """The pivot message ends the report, the viewer shows it, the run ends with status 0."""

    def test_pivots(self):
        for nom, source, fichier in PIVOTS:
            with self.subTest(nom, source=source):
                r = executer({"p.txt": fichier}, b"p\n")
                verifier(self, r, fichiers={"p.txt": fichier,
                                            "pr.txt": rapport_arrete("p.txt", 4, pivot=True)},
                         visionneuse=[b"pr.txt"])

    def test_nom_avec_chemin_et_espaces(self):
        # The viewer's one argument is the report's name as typed, spaces included.
        fichier = PIVOTS[0][2]
        r = executer({"mon essai.txt": fichier}, b"mon essai\n")
        verifier(self, r, fichiers={"mon essai.txt": fichier,
                                    "mon essair.txt": rapport_arrete("mon essai.txt", 4,
                                                                     pivot=True)},
                 visionneuse=[b"mon essair.txt"])


class AppuiHorsDeLaPoutre(unittest.TestCase):
    def test_appui_sans_effet_hors_de_la_poutre(self):
        # A support that blocks nothing forms DOF numbers it never uses: on node 51 the run is
        # complete (any other code blocks nothing).
        fichier = donnees(["0", "2"], ["1 2 1 1"], ["3 1", "0 51"], ["1 2 -100 0"])
        r = executer({"p.txt": fichier}, b"p\n")
        verifier(self, r, visionneuse=[b"pr.txt"])
        rapport = r.fichiers["pr.txt"]
        self.assertTrue(rapport.startswith(rapport_arrete("p.txt", 6)), rapport[:400])
        self.assertIn(b"\r\nnoeud 1 : Ry =   100  Mz =   200\r\n", rapport)


if __name__ == "__main__":
    unittest.main()
