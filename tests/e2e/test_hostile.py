"""Hostile input, end to end: whatever the data file or the typed name holds, the run ends in one
of its defined ways (a report, a console check line, or one run-time error line with exit status
1), and each case checks exactly which."""

import os
import random
import unittest

from vortale_e2e import TESTS, crlf, executer, rapport_arrete, verifier

EXEMPLE = (TESTS / "vecteurs" / "worked-example" / "poutre.txt").read_bytes()
RAPPORT_EXEMPLE = (TESTS / "vecteurs" / "worked-example" / "expected" / "poutrer.txt").read_bytes()

# The results of a model with nothing in it: every section holds only its heading and empty lines.
RESULTATS_VIDES = crlf(
    "\nCalcul d'une poutre droite\n\nNom du fichier de donn\u00e9es : p.txt\n\n"
    "Noeuds :\n\n\n\u00c9l\u00e9ments :\n\n\nLiaisons :\n\n\nCharges :\n\n\n"
    "D\u00e9placements nodaux ( m , rad ):\n\nNoeud  Fl\u00e8che     Pente\n\n\n"
    "Efforts dans les \u00e9l\u00e9ments ( N , N.m ) :\n\n\n"
    "Actions de liaison ( N , N.m ) :\n\n\nGraphes \u00e9l\u00e9mentaires :\n\n")


def modele(elements="1 2 1 1\n2 3 1 1", appuis="3 1", charges=""):
    """Three nodes at 0, 1 and 2 m, then the given element, support and load lines."""
    sections = [("$ele", elements), ("$lia", appuis), ("$cha", charges)]
    texte = "$deb\n$noe\n3\n0\n1\n2\n"
    for mot, lignes in sections:
        items = [ligne for ligne in lignes.split("\n") if ligne]
        texte += f"{mot}\n{len(items)}\n" + "".join(ligne + "\n" for ligne in items)
    return crlf(texte + "$fin\n")


def executer_p(donnees, montre, **options):
    """Runs the data file p.txt with the name p typed; montre: a viewer is expected."""
    return executer({"p.txt": donnees}, b"p\n", visionneuse_attendue=montre, **options)


def bruit(graine, taille=4096):
    return random.Random(graine).randbytes(taille)


class Octets(unittest.TestCase):
    """Binary junk, deterministic by its seed."""

    def test_bruit_sans_debut(self):
        # Without any "$" no line can be a keyword: no data start, the report holds its first line.
        for graine in range(1, 5):
            with self.subTest(graine=graine):
                donnees = bruit(graine).replace(b"$", b"")
                r = executer_p(donnees, True)
                verifier(self, r, fichiers={"p.txt": donnees, "pr.txt": rapport_arrete("p.txt")},
                         visionneuse=[b"pr.txt"])

    def test_bruit_lu_comme_nombre(self):
        # Junk where the node count is read: a byte from 128 up belongs to the token, and a
        # control character where a number starts gives an empty token; neither is a number.
        for graine, premier in [(1, 0x80), (2, 0xFF), (3, 0x00), (4, 0x01), (5, 0x7F)]:
            with self.subTest(graine=graine, premier=premier):
                donnees = b"$deb\r\n$noe\r\n" + bytes([premier]) + bruit(graine)
                r = executer_p(donnees, False)
                verifier(self, r, erreur="Invalid numeric input",
                         fichiers={"p.txt": donnees, "pr.txt": rapport_arrete("p.txt")})

    def test_bruit_comme_texte_libre(self):
        # Junk lines (without "$" or Ctrl-Z) before "$deb" and between sections are free text:
        # the example reads as without them.
        lignes = EXEMPLE.split(b"\r\n")
        for graine in range(1, 4):
            with self.subTest(graine=graine):
                texte = bruit(graine, 600).replace(b"$", b"").replace(b"\x1a", b"") + b"\r\n"
                donnees = b"\r\n".join(lignes[:2] + [texte] + lignes[2:7] + [texte] + lignes[7:11]
                                       + [texte] + lignes[11:])
                r = executer({"poutre.txt": donnees}, b"poutre\n")
                verifier(self, r, fichiers={"poutre.txt": donnees, "poutrer.txt": RAPPORT_EXEMPLE},
                         visionneuse=[b"poutrer.txt"])


class PresqueVides(unittest.TestCase):
    def test_fichiers(self):
        # Without a line after "$deb" there is no data; a line after it, or "$fin", starts an
        # empty model, which solves with nothing to solve and gives a report of empty sections.
        vide = rapport_arrete("p.txt", 6) + RESULTATS_VIDES
        cas = [
            ("vide", b"", rapport_arrete("p.txt")),
            ("Ctrl-Z seul", b"\x1a$deb\r\n", rapport_arrete("p.txt")),
            ("$deb sans fin de ligne", b"$deb", rapport_arrete("p.txt")),
            ("$deb seul", b"$deb\r\n", rapport_arrete("p.txt")),
            ("$deb puis une ligne vide", b"$deb\r\n\r\n", vide),
            ("$deb puis $fin", b"$deb\r\n$fin\r\n", vide),
            ("comptes nuls et negatifs",
             crlf("$deb\n$noe\n-2147483648\n$ele\n0\n$lia\n-1\n$cha\n-2147483648\n$fin\n"), vide),
        ]
        for nom, donnees, rapport in cas:
            with self.subTest(nom):
                r = executer_p(donnees, True)
                verifier(self, r, fichiers={"p.txt": donnees, "pr.txt": rapport},
                         visionneuse=[b"pr.txt"])


class Comptes(unittest.TestCase):
    def test_comptes_enormes(self):
        # Items missing at the end of the file read as zeros until a capacity stops the run; an
        # element of zeros names node 0. A count beyond 32 bits is no integer.
        cas = [
            ("noeuds", "$deb\n$noe\n2147483647\n0\n1\n", "Range check error"),
            ("elements", "$deb\n$noe\n2\n0\n1\n$ele\n2147483647\n1 2 1 1\n", "Range check error"),
            ("appuis", "$deb\n$lia\n2147483647\n3 1\n", "Range check error"),
            ("charges", "$deb\n$cha\n2147483647\n1 1 5 5\n", "Range check error"),
            ("items suivis d'un mot-cle", "$deb\n$lia\n60\n3 1\n$fin\n", "Invalid numeric input"),
            ("2147483648", "$deb\n$noe\n2147483648\n", "Invalid numeric input"),
            ("-2147483649", "$deb\n$cha\n-2147483649\n", "Invalid numeric input"),
            ("vingt chiffres", "$deb\n$ele\n99999999999999999999\n", "Invalid numeric input"),
        ]
        for nom, texte, mots in cas:
            with self.subTest(nom):
                donnees = crlf(texte)
                r = executer_p(donnees, False)
                verifier(self, r, erreur=mots,
                         fichiers={"p.txt": donnees, "pr.txt": rapport_arrete("p.txt")})


class NumerosHorsLimites(unittest.TestCase):
    """Node and element numbers outside the model. An element's node outside the array is
    "Range check error" while it is read; every other number is checked once the data are read:
    a console line per item that names a missing node or element, the report holding its first
    line only, exit status 0."""

    NOEUDS = ["0", "51", "-1", "2147483647", "-2147483648", "4"]
    ELEMENT = "L'\u00e9l\u00e9ment 1 relie le noeud {}, qui n'existe pas"
    LIAISON = "La liaison 2 porte sur le noeud {}, qui n'existe pas"
    CHARGE_NODALE = "La charge 1 porte sur le noeud {}, qui n'existe pas"
    CHARGE_REPARTIE = "La charge 1 porte sur l'\u00e9l\u00e9ment {}, qui n'existe pas"

    def test_numeros(self):
        cas = []  # (case, data, the error's progress lines or None, the console line or None)
        for n in self.NOEUDS:
            # Elements: the length check reads X[n] while reading; node 4 has an abscissa (0).
            if n == "4":
                cas.append((f"element 1 {n}", modele(elements=f"1 {n} 1 1"), None,
                            "La longueur de l'\u00e9l\u00e9ment 1 est nulle"))
                cas.append((f"element 2 {n}", modele(elements=f"2 {n} 1 1"), None,
                            "La longueur de l'\u00e9l\u00e9ment 1 est nulle"))
            else:
                cas.append((f"element 1 {n}", modele(elements=f"1 {n} 1 1"), 0, None))
                cas.append((f"element {n} 2", modele(elements=f"{n} 2 1 1"), 0, None))
            cas.append((f"appui code 1 noeud {n}", modele(appuis=f"3 1\n1 {n}"), None,
                        self.LIAISON.format(n)))
            cas.append((f"appui code 2 noeud {n}", modele(appuis=f"3 1\n2 {n}"), None,
                        self.LIAISON.format(n)))
            cas.append((f"charge nodale noeud {n}", modele(charges=f"1 {n} -5 0"), None,
                        self.CHARGE_NODALE.format(n)))
        # Uniform loads, of any code but 1, on element numbers outside 1..Elements.Nombre.
        for e in ["0", "50", "-1", "2147483647", "-2147483648", "3", "49"]:
            cas.append((f"charge repartie element {e}", modele(charges=f"2 {e} -5"), None,
                        self.CHARGE_REPARTIE.format(e)))
        cas.append(("charge de code 3 sur une position vide", modele(charges="3 3 -5"), None,
                    self.CHARGE_REPARTIE.format(3)))
        cas.append(("charge repartie sans elements", modele(elements="", charges="2 1 -5"), None,
                    self.CHARGE_REPARTIE.format(1)))
        # A support that blocks nothing is not checked, but a node number whose DOFs do not fit
        # 32 bits still stops the supports step (the third).
        for n in ["2147483647", "-2147483648"]:
            cas.append((f"appui code 7 noeud {n}", modele(appuis=f"3 1\n7 {n}"), 3, None))
        for nom, donnees, etapes, ligne in cas:
            with self.subTest(nom):
                r = executer_p(donnees, ligne is not None)
                if ligne is None:
                    verifier(self, r, erreur="Range check error", fichiers={
                        "p.txt": donnees, "pr.txt": rapport_arrete("p.txt", etapes)})
                else:
                    verifier(self, r, crlf(ligne + "\n"), visionneuse=[b"pr.txt"], fichiers={
                        "p.txt": donnees, "pr.txt": rapport_arrete("p.txt")})

    def test_appui_sans_code_connu_hors_des_noeuds(self):
        # A support of code 7 blocks nothing, whatever its node: the example's results, with the
        # support's node written as stored in its two lines.
        for n in ["0", "51", "-1"]:
            with self.subTest(noeud=n):
                donnees = EXEMPLE.replace(b"$lia\r\n2\r\n", crlf(f"$lia\n3\n7 {n}\n"))
                r = executer({"poutre.txt": donnees}, b"poutre\n")
                rapport = RAPPORT_EXEMPLE.replace(
                    b"\r\n\r\nnoeud  1   fl", crlf(f"\n\nnoeud {n:>2}\nnoeud  1   fl")).replace(
                    b"\r\n\r\nnoeud 1 : Ry", crlf(f"\n\nnoeud {n} : \nnoeud 1 : Ry"))
                verifier(self, r, fichiers={"poutre.txt": donnees, "poutrer.txt": rapport},
                         visionneuse=[b"poutrer.txt"])


class ReelsExtremes(unittest.TestCase):
    def test_depassements(self):
        # A real beyond the doubles is no number, wherever it stands.
        cas = [("abscisse", crlf("$deb\n$noe\n2\n0\n1e400\n")),
               ("E", modele(elements="1 2 1e400 1")),
               ("Iz", modele(elements="1 2 1 -1e400")),
               ("charge", modele(charges="2 1 1E+400"))]
        for nom, donnees in cas:
            with self.subTest(nom):
                r = executer_p(donnees, False)
                verifier(self, r, erreur="Invalid numeric input",
                         fichiers={"p.txt": donnees, "pr.txt": rapport_arrete("p.txt")})

    def test_fins_montrees(self):
        cas = [
            # A real that underflows reads as 0: an Iz of 0 is refused.
            ("Iz 1e-400", modele(elements="1 2 1 1e-400"),
             crlf("Le moment quadratique Iz de l'\u00e9l\u00e9ment 1 est nulle\n"),
             rapport_arrete("p.txt")),
            # E = 1e308 with L = Iz = 1: stiffness entries are infinite, the multiplier of the
            # last row is inf/inf, and its pivot, not a number, fails the test (decided).
            ("E 1e308", crlf("$deb\n$noe\n2\n0\n1\n$ele\n1\n1 2 1e308 1\n$lia\n1\n3 1\n"), b"",
             rapport_arrete("p.txt", 4, pivot=True)),
            # An abscissa of 1e308: L^3 overflows, E Iz / L^3 is 0, and so is the pivot of row 3.
            ("abscisse 1e308", crlf("$deb\n$noe\n2\n0\n1e308\n$ele\n1\n1 2 1 1\n$lia\n1\n3 1\n"),
             b"", rapport_arrete("p.txt", 4, pivot=True)),
        ]
        for nom, donnees, suite, rapport in cas:
            with self.subTest(nom):
                r = executer_p(donnees, True)
                verifier(self, r, suite, fichiers={"p.txt": donnees, "pr.txt": rapport},
                         visionneuse=[b"pr.txt"])

    def test_charges_1e308(self):
        # The run completes; the load line writes the value from 2^120 up in scientific form
        # within its width (2 mantissa digits in widths 7 and 10).
        cas = [(b"2 1 -2000", b"2 1 1e308", "\u00e9l\u00e9ment  1 : py =  1.0E+0308 N/m"),
               (b"2 1 -2000", b"2 1 -1e308", "\u00e9l\u00e9ment  1 : py = -1.0E+0308 N/m"),
               (b"1 2 -10000 0", b"1 2 1e308 0", "noeud  2  Fy =  1.0E+0308 N  ")]
        for avant, apres, ligne in cas:
            with self.subTest(ligne):
                r = executer({"poutre.txt": EXEMPLE.replace(avant, apres)}, b"poutre\n")
                verifier(self, r, visionneuse=[b"poutrer.txt"])
                rapport = r.fichiers["poutrer.txt"]
                self.assertTrue(rapport.startswith(rapport_arrete("poutre.txt", 6)))
                self.assertIn(crlf("\n" + ligne + "\n"), rapport)
                self.assertTrue(rapport.endswith(b"\r\n\r\n"))


class Noms(unittest.TestCase):
    def test_nom_de_200_caracteres(self):
        # 80 characters are kept: the data file opened is those 80 (no room left for ".txt"),
        # the report is named with them + "r.txt".
        nom = "".join(chr(ord("a") + i % 26) for i in range(200))
        garde = nom[:80]
        with self.subTest("fichier du nom entier seulement"):
            r = executer({nom + ".txt": EXEMPLE}, nom.encode() + b"\n", visionneuse_attendue=False)
            verifier(self, r, fichiers={nom + ".txt": EXEMPLE})
        with self.subTest("fichier des 80 premiers caracteres"):
            r = executer({garde: EXEMPLE}, nom.encode() + b"\n")
            rapport = (RAPPORT_EXEMPLE
                       .replace(b"du fichier : poutre.txt", b"du fichier : " + garde.encode())
                       .replace(b"es : poutre.txt", b"es : " + garde.encode() + b".txt"))
            verifier(self, r, fichiers={garde: EXEMPLE, garde + "r.txt": rapport},
                     visionneuse=[garde.encode() + b"r.txt"])

    def test_metacaracteres(self):
        # The name is bytes for the file system and one literal argument for the viewer: no
        # shell sees it, so nothing runs and no other file appears.
        for nom in [b"a; touch x", b"$(touch y)", b"`touch z`", b"q\"uo'te", b"a|b&c>d", b"*",
                    b" blancs autour ", b"-n", b"\xe9t\xe9"]:
            with self.subTest(nom=nom):
                donnees, rapport = os.fsdecode(nom + b".txt"), os.fsdecode(nom + b"r.txt")
                r = executer({donnees: EXEMPLE}, nom + b"\n")
                attendu = RAPPORT_EXEMPLE.replace(b"poutre.txt", nom + b".txt")
                verifier(self, r, fichiers={donnees: EXEMPLE, rapport: attendu},
                         visionneuse=[nom + b"r.txt"])

    def test_octet_nul(self):
        # A name with a NUL byte names no file: the run ends silently, and the file whose name
        # stops at the NUL is neither read nor replaced.
        r = executer({"poutre": EXEMPLE}, b"poutre\x00\n", visionneuse_attendue=False)
        verifier(self, r, fichiers={"poutre": EXEMPLE})


class FichiersImpossibles(unittest.TestCase):
    def test_fins_silencieuses(self):
        # A data file that is a directory cannot be opened, a report whose name is a directory
        # cannot be created: the run ends after the prompt, no report, no viewer.
        cas = [("donnees dossier", {}, "p.txt"), ("rapport dossier", {"p.txt": EXEMPLE}, "pr.txt")]
        for nom, donnees, dossier in cas:
            with self.subTest(nom):
                r = executer(donnees, b"p\n", preparer=lambda d: (d / dossier).mkdir(),
                             visionneuse_attendue=False)
                verifier(self, r, fichiers=donnees)

    def test_rapport_sur_peripherique_plein(self):
        # The report is a link to /dev/full: the failure shows when the buffered text is written
        # at the latest when the report is closed: "I/O error", exit status 1, no viewer. A
        # run-time error met first is the one told.
        cas = [
            ("calcul complet", EXEMPLE, b"", "I/O error"),
            ("pas de $deb", b"rien\r\n", b"", "I/O error"),
            ("element refuse", crlf("$deb\n$noe\n2\n0\n0\n$ele\n1\n1 2 1 1\n"),
             crlf("La longueur de l'\u00e9l\u00e9ment 1 est nulle\n"), "I/O error"),
            ("nombre invalide", crlf("$deb\n$noe\nx\n"), b"", "Invalid numeric input"),
        ]
        for nom, donnees, suite, mots in cas:
            with self.subTest(nom):
                r = executer_p(donnees, False,
                               preparer=lambda d: (d / "pr.txt").symlink_to("/dev/full"))
                verifier(self, r, suite, erreur=mots, fichiers={"p.txt": donnees})


if __name__ == "__main__":
    unittest.main()
