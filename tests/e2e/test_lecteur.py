"""The data-file reader, end to end: the typed name, the text rules of the data file (line ends,
CR, Ctrl-Z, 80-character lines, keywords), the sections and their items, the element checks, the
capacities, and every way the reading can end."""

import re
import unittest

from vortale_e2e import TESTS, crlf, executer, rapport_arrete, verifier

RAPPORT_EXEMPLE = (TESTS / "vecteurs" / "worked-example" / "expected" / "poutrer.txt").read_bytes()

# The worked example, line by line: its report is RAPPORT_EXEMPLE when the name typed is poutre.
LIGNES = ["Poutre sur deux appuis", "$deb",
          "$noe", "3", "0", "2.5", "5",
          "$ele", "2", "1 2 2.1E11 8.36E-6", "2 3 2.1E11 8.36E-6",
          "$lia", "2", "1 1", "1 3",
          "$cha", "2", "1 2 -10000 0", "2 1 -2000",
          "$fin"]

LONGUEUR_NULLE = crlf("La longueur de l'\u00e9l\u00e9ment 1 est nulle\n")
IZ_NUL = crlf("Le moment quadratique Iz de l'\u00e9l\u00e9ment 1 est nulle\n")


def fichier(lignes, fin="\r\n"):
    """A data file of these lines (Windows-1252), each ended by `fin`."""
    return "".join(ligne + fin for ligne in lignes).encode("cp1252")


def remplacer(ancienne, *nouvelles, lignes=LIGNES):
    """The lines with the first line equal to `ancienne` replaced by `nouvelles`."""
    i = lignes.index(ancienne)
    return lignes[:i] + list(nouvelles) + lignes[i + 1:]


def rapport_exemple(lecture=b"poutre.txt", donnees=b"poutre.txt"):
    """The worked example's report with the data file's name of its first line (the name opened)
    and of its results (the name typed + ".txt") changed."""
    return (RAPPORT_EXEMPLE
            .replace(b"Lecture du fichier : poutre.txt", b"Lecture du fichier : " + lecture)
            .replace(b"es : poutre.txt", b"es : " + donnees))


def inserer_apres(rapport, *paires):
    """The report with, for each (line, added), the text `added` put after that line."""
    for ligne, ajout in paires:
        ligne = crlf(ligne + "\n")
        assert rapport.count(ligne) == 1, ligne
        rapport = rapport.replace(ligne, ligne + crlf(ajout))
    return rapport


class LuCommeLExemple(unittest.TestCase):
    """Variants of the worked example that the reader must read exactly as the example: the
    report is the example's, byte for byte."""

    def test_variantes(self):
        cas = [
            ("fins de ligne LF", fichier(LIGNES, "\n"), b"poutre\n"),
            ("sans $fin", fichier(LIGNES[:-1]), b"poutre\n"),
            ("sans fin de la derniere ligne", fichier(LIGNES)[:-2], b"poutre\n"),
            ("sections apres $fin pas lues", fichier(LIGNES + ["$noe", "1", "0", "$cha", "0"]),
             b"poutre\n"),
            ("rien n'est lu avant $deb", fichier(["$noe", "1", "7", "$fin"] + LIGNES), b"poutre\n"),
            ("compte sur la ligne du mot-cle ignore",
             fichier(remplacer("$noe", "$noe 7", lignes=remplacer("$lia", "$lia 0 appuis"))),
             b"poutre\n"),
            ("reste des lignes ignore",  # a 4th number on a uniform load, comments after items
             fichier(remplacer("2 1 -2000", "2 1 -2000 99", lignes=remplacer(
                 "1 1", "1 1 appui gauche", lignes=remplacer("3", "3 noeuds")))), b"poutre\n"),
            ("lignes vides entre compte et items",
             fichier(remplacer("2.5", "", "   ", "2.5", "\t", lignes=remplacer("3", "3", ""))),
             b"poutre\n"),
            ("mots-cles en majuscules et espaces",
             fichier(["$DEBUT des donnees", "$ NOE"] + LIGNES[3:7] + ["$ELE"]
                     + LIGNES[8:11] + ["  $ l i a"] + LIGNES[12:15] + ["$Charges :"]
                     + LIGNES[16:19] + ["$FIN"]), b"poutre\n"),
            ("texte libre entre sections",
             fichier(remplacer("$lia", "Appuis de la poutre", "$ pas un mot-cle", "$lia")),
             b"poutre\n"),
            ("CR isoles entre les nombres",
             fichier(remplacer("1 1", "1\r1", lignes=remplacer("2 3 2.1E11 8.36E-6",
                                                              "2\r3 2.1E11\r8.36E-6"))),
             b"poutre\n"),
            ("CR isole laisse hors d'une ligne", fichier(remplacer("$noe", "$n\roe")), b"poutre\n"),
            ("Ctrl-Z termine le fichier", fichier(LIGNES[:-1]) + b"\x1a\r\n$cha\r\n0\r\n",
             b"poutre\n"),
            ("Ctrl-Z au milieu d'une ligne",
             fichier(LIGNES[:-2]) + b"2 1 -2000\x1a 5\r\n$cha\r\n0\r\n", b"poutre\n"),
            ("nombres au-dela de la colonne 80",
             fichier(remplacer("2 3 2.1E11 8.36E-6", " " * 90 + "2 3 2.1E11 8.36E-6")),
             b"poutre\n"),
            ("mot-cle finissant en colonne 80", fichier(remplacer("$deb", " " * 76 + "$deb")),
             b"poutre\n"),
            ("sections lues deux fois",  # the second reading replaces the first
             fichier(remplacer("$deb", "$deb", "$noe", "5", "0", "1", "2", "3", "4",
                               "$ele", "1", "1 3 1 1", "$lia", "3", "3 1", "3 2", "3 3",
                               "$cha", "3", "1 1 5 5", "1 2 5 5", "1 3 5 5")), b"poutre\n"),
            # The typed name: ends at LF, CRs left out, Ctrl-Z ends the input.
            ("nom fini par CR LF", fichier(LIGNES), b"poutre\r\n"),
            ("nom avec un CR dedans", fichier(LIGNES), b"pou\rtre\n"),
            ("nom fini par Ctrl-Z", fichier(LIGNES), b"poutre\x1aautre\n"),
            ("nom sans fin de ligne", fichier(LIGNES), b"poutre"),
            ("seule la premiere ligne tapee compte", fichier(LIGNES), b"poutre\nautre\n"),
        ]
        for nom, donnees, saisie in cas:
            with self.subTest(nom):
                r = executer({"poutre.txt": donnees}, saisie)
                verifier(self, r, fichiers={"poutre.txt": donnees, "poutrer.txt": RAPPORT_EXEMPLE},
                         visionneuse=[b"poutrer.txt"])


class FinsDeLecture(unittest.TestCase):
    """Readings that end otherwise than the example, each with its own outcome."""

    def test_fins_silencieuses(self):
        # The data file that the name designates cannot be opened: nothing more, no file.
        n90 = "0123456789" * 9
        cas = [
            ("nom tape avec son extension", {"poutre.txt": fichier(LIGNES)}, b"poutre.txt\n"),
            # Only 80 characters of the name are kept: the name opened is those 80, without any
            # extension left, so neither the whole name's file nor the cut name's + .txt is opened.
            ("nom de 90 caracteres",
             {n90 + ".txt": fichier(LIGNES), n90[:80] + ".txt": fichier(LIGNES)},
             n90.encode() + b"\n"),
        ]
        for nom, donnees, saisie in cas:
            with self.subTest(nom):
                r = executer(donnees, saisie, visionneuse_attendue=False)
                verifier(self, r, fichiers=donnees)

    def test_noms_longs(self):
        # The data file's name is the name + ".txt" held to 80 characters; the report's name and
        # the name in the results are the name (itself at most 80 characters) + "r.txt" or ".txt".
        n = "abcdefghij" * 9
        cas = [(n, n[:80]), (n[:80], n[:80]), (n[:78], n[:78] + ".t"), (n[:77], n[:77] + ".tx"),
               (n[:76], n[:76] + ".txt")]
        for tape, ouvert in cas:
            garde = tape[:80]
            with self.subTest(longueur=len(tape)):
                r = executer({ouvert: fichier(LIGNES)}, tape.encode() + b"\n")
                rapport = rapport_exemple(ouvert.encode(), garde.encode() + b".txt")
                verifier(self, r, fichiers={ouvert: fichier(LIGNES), garde + "r.txt": rapport},
                         visionneuse=[garde.encode() + b"r.txt"])

    def test_fins_montrees(self):
        # The reading ends; the report is closed and shown, exit status 0.
        cantilever = ["$deb", "$noe", "2", "0", "1", "$ele", "1", "1 2 1 1",
                      "$lia", "1", "3 1", "$fin"]
        cas = [
            # (case, data lines, console after the prompt, report)
            ("pas de $deb, mot-cle accentue", remplacer("$deb", "$D\u00e9but"), b"",
             rapport_arrete("p.txt")),
            ("$deb au-dela de la colonne 80", remplacer("$deb", " " * 80 + "$deb"), b"",
             rapport_arrete("p.txt")),
            ("Ctrl-Z avant $deb", ["titre\x1a"] + LIGNES[1:], b"", rapport_arrete("p.txt")),
            ("longueur negative", remplacer("1 2 2.1E11 8.36E-6", "2 1 2.1E11 8.36E-6"),
             LONGUEUR_NULLE, rapport_arrete("p.txt")),
            # The thresholds in extended precision: the doubles nearest to 1e-6 and 1e-12 are
            # refused, the next doubles up are accepted (and then fail the absolute pivot test,
            # E Iz / L^3 being 1e-12 N/m).
            ("longueur 1e-6", remplacer("1 2 1 1", "1 2 1e-30 1",
                                        lignes=remplacer("1", "1e-6", lignes=cantilever)),
             LONGUEUR_NULLE, rapport_arrete("p.txt")),
            ("longueur juste au-dessus de 1e-6",
             remplacer("1 2 1 1", "1 2 1e-30 1",
                       lignes=remplacer("1", "1.0000000000000002e-6", lignes=cantilever)),
             b"", rapport_arrete("p.txt", 4, pivot=True)),
            ("Iz 1e-12", remplacer("1 2 1 1", "1 2 1 1e-12", lignes=cantilever), IZ_NUL,
             rapport_arrete("p.txt")),
            ("Iz juste au-dessus de 1e-12",
             remplacer("1 2 1 1", "1 2 1 1.0000000000000002e-12", lignes=cantilever), b"",
             rapport_arrete("p.txt", 4, pivot=True)),
            # E is not checked: the element adds no stiffness and the free slope has a zero pivot.
            ("E nul", remplacer("1 2 1 1", "1 2 0 1", lignes=cantilever), b"",
             rapport_arrete("p.txt", 4, pivot=True)),
            ("Iz manquant en fin de fichier", LIGNES[1:11] + ["$ele", "1", "1 2 1"], IZ_NUL,
             rapport_arrete("p.txt")),
        ]
        for nom, lignes, suite, rapport in cas:
            with self.subTest(nom):
                donnees = fichier(lignes)
                r = executer({"p.txt": donnees}, b"p\n")
                verifier(self, r, suite, fichiers={"p.txt": donnees, "pr.txt": rapport},
                         visionneuse=[b"pr.txt"])

    def test_fichier_a_cr_seuls(self):
        # A lone CR ends no line: the whole file is one line, which is not "$deb".
        donnees = fichier(LIGNES, "\r")
        r = executer({"p.txt": donnees}, b"p\n")
        verifier(self, r, fichiers={"p.txt": donnees, "pr.txt": rapport_arrete("p.txt")},
                 visionneuse=[b"pr.txt"])

    def test_items_decales_ou_completes(self):
        # A code-1 load with only Fy takes its Mz from the next line's first number, and the rest
        # of that line is lost. An abscissa missing at the end of the file reads as 0 (the nodes
        # read again last, the element 1-2 already checked; node 3 clamped so that it solves).
        decalee = remplacer("2 1 -2000", "5 1 -2000", "2 1 -3000",
                            lignes=remplacer("1 2 -10000 0", "1 2 -10000"))
        tronquee = ["$deb", "$noe", "3", "0", "1", "2", "$ele", "1", "1 2 1 1",
                    "$lia", "2", "3 1", "3 3", "$noe", "3", "0", "1"]
        cas = [
            ("Mz pris a la ligne suivante", decalee,
             "noeud  2  Fy =  -10000 N    Mz =       5 N.m\n"
             "\u00e9l\u00e9ment  1 : py =      -3000 N/m\n"),
            ("abscisse manquante en fin de fichier", tronquee,
             " 1  x =      0.000 m\n 2  x =      1.000 m\n 3  x =      0.000 m\n"),
        ]
        for nom, lignes, extrait in cas:
            with self.subTest(nom):
                r = executer({"p.txt": fichier(lignes)}, b"p\n")
                verifier(self, r, visionneuse=[b"pr.txt"])
                self.assertIn(crlf(extrait), r.fichiers["pr.txt"])
                self.assertTrue(r.fichiers["pr.txt"].startswith(rapport_arrete("p.txt", 6)))

    def test_appuis_sans_code_connu(self):
        # A support code outside 1..3 is read without complaint and blocks nothing: the results
        # are the example's, with one more support line and reaction line, each stopped after
        # the node number (and ended). A support list longer than the file gets zeros: a support
        # of code 0 on node 0.
        def appuis_en_dernier(compte, *appuis):
            """The example without "$fin", its supports read last: that count, those lines."""
            return LIGNES[:11] + LIGNES[15:19] + ["$lia", compte] + list(appuis)
        cas = [("code " + code, appuis_en_dernier("3", "1 1", "1 3", code + " 2"), "2")
               for code in ["0", "4", "-3"]]
        cas.append(("appuis manquants en fin de fichier",
                    appuis_en_dernier("3", "1 1", "1 3"), "0"))
        for nom, lignes, noeud in cas:
            with self.subTest(nom):
                donnees = fichier(lignes)
                r = executer({"poutre.txt": donnees}, b"poutre\n")
                rapport = inserer_apres(
                    RAPPORT_EXEMPLE, ("noeud  3   fl\u00e8che = 0", f"noeud {noeud:>2}\n"),
                    ("noeud 3 : Ry =  6250", f"noeud {noeud} : \n"))
                verifier(self, r, fichiers={"poutre.txt": donnees, "poutrer.txt": rapport},
                         visionneuse=[b"poutrer.txt"])


def noeuds(n):
    return ["$noe", str(n)] + [str(i) for i in range(n)]


def elements(n):
    return ["$ele", str(n)] + [f"{i} {i + 1} 2.1E11 8.36E-6" for i in range(1, n + 1)]


class ErreursDeLecture(unittest.TestCase):
    """Data the reader stops on with a run-time error: exit status 1, the report holding its first
    line, not shown."""

    def test_erreurs(self):
        cas = [
            ("commentaire dans une section", remplacer("2.5", "noeud du milieu", "2.5"),
             "Invalid numeric input"),
            ("compte plus grand que les items", LIGNES[:16] + ["3"] + LIGNES[17:],
             "Invalid numeric input"),  # the "$fin" line is read as the third load's code
            ("virgule decimale", remplacer("2.5", "2,5"), "Invalid numeric input"),
            ("reel pour un entier", remplacer("1 1", "1.0 1"), "Invalid numeric input"),
            ("lettres collees", remplacer("2 1 -2000", "2 1 -2000N/m"), "Invalid numeric input"),
            ("inf", remplacer("2 1 -2000", "2 1 inf"), "Invalid numeric input"),
            ("espace insecable", remplacer("2.5", "2.5\u00a0"), "Invalid numeric input"),
            ("caractere de controle au debut d'un nombre", remplacer("2.5", "\x01 2.5"),
             "Invalid numeric input"),
            # A capacity is checked before the item is read: the garbage in the first item beyond
            # it is never read as a number.
            ("51e abscisse", ["$deb"] + noeuds(50)[:1] + ["51"] + noeuds(50)[2:] + ["x"],
             "Range check error"),
            ("50e element",
             ["$deb"] + noeuds(50) + elements(49)[:1] + ["50"] + elements(49)[2:] + ["x"],
             "Range check error"),
            ("21e appui", ["$deb", "$lia", "21"] + ["1 1"] * 20 + ["x"], "Range check error"),
            ("21e charge", ["$deb", "$cha", "21"] + ["1 1 5 5"] * 20 + ["x"], "Range check error"),
            ("noeud 51 d'un element", remplacer("2 3 2.1E11 8.36E-6", "2 51 2.1E11 8.36E-6"),
             "Range check error"),
        ]
        for nom, lignes, mots in cas:
            with self.subTest(nom):
                donnees = fichier(lignes)
                r = executer({"p.txt": donnees}, b"p\n", visionneuse_attendue=False)
                verifier(self, r, erreur=mots,
                         fichiers={"p.txt": donnees, "pr.txt": rapport_arrete("p.txt")})

    def test_references_manquantes(self):
        # Data read without complaint that name a missing element: the reference check refuses
        # them once the data are read, with a console line, and the report holds its first line.
        cas = [
            # The missing loads read as zeros: code 0, a uniform load on element 0.
            ("charges manquantes en fin de fichier", LIGNES[:16] + ["3"] + LIGNES[17:19],
             "La charge 3 porte sur l'\u00e9l\u00e9ment 0, qui n'existe pas"),
            # An accented keyword is no keyword: no element is read, and the uniform load names
            # element 1 of an empty list.
            ("mot-cle accentue", remplacer("$ele", "$\u00c9l\u00e9ments"),
             "La charge 2 porte sur l'\u00e9l\u00e9ment 1, qui n'existe pas"),
        ]
        for nom, lignes, message in cas:
            with self.subTest(nom):
                donnees = fichier(lignes)
                r = executer({"p.txt": donnees}, b"p\n")
                verifier(self, r, crlf(message + "\n"), visionneuse=[b"pr.txt"],
                         fichiers={"p.txt": donnees, "pr.txt": rapport_arrete("p.txt")})


class Capacites(unittest.TestCase):
    def test_plus_grand_modele(self):
        # 50 nodes, 49 elements, 20 supports and 20 loads are all read and computed.
        lignes = (["$deb"] + noeuds(50) + elements(49)
                  + ["$lia", "20"] + [f"1 {2 * i - 1}" for i in range(1, 21)]
                  + ["$cha", "20"] + [f"1 {i} -1000 0" for i in range(41, 51)]
                  + [f"2 {i} -500" for i in range(1, 11)] + ["$fin"])
        r = executer({"g.txt": fichier(lignes)}, b"g\n")
        verifier(self, r, visionneuse=[b"gr.txt"])
        rapport = r.fichiers["gr.txt"].decode("cp1252")
        self.assertTrue(rapport.startswith(rapport_arrete("g.txt", 6).decode("cp1252")))
        self.assertTrue(rapport.endswith("\r\n\r\n"))
        compter = lambda motif: len(re.findall(motif, rapport, re.M))
        self.assertEqual(compter(r"^[ \d]\d  x = "), 50)
        self.assertEqual(compter(r"^[ \d]\d \( [ \d]\d[ \d]{2}\d \)  E = "), 49)
        self.assertEqual(compter(r"^noeud [ \d]\d   fl\u00e8che = 0\r$"), 20)
        self.assertEqual(compter(r"^noeud \d+ : Ry = "), 20)
        self.assertEqual(compter(r"^noeud [ \d]\d  Fy = "), 10)
        self.assertEqual(compter(r"^\u00e9l\u00e9ment [ \d]\d : py = "), 10)
        self.assertEqual(compter(r"^\u00c9l\u00e9ment \d+ :\r$"), 49)


if __name__ == "__main__":
    unittest.main()
