"""The command-line mode, vortale [OPTION]... FICHIER...: options and exit statuses, batches,
the located diagnostics of every way a run ends without a complete report, the console's encoding,
and the reports, which are those of the interactive run byte for byte."""

import os
import pathlib
import subprocess
import tempfile
import time
import unittest

from vortale_e2e import BIN, LANCEUR, TESTS, crlf, executer

# Under Windows (wine) the console's code page decides the encoding, not the locale variables, and
# lines end with CR LF. The tests run under the locale C.UTF-8 on Linux.
WINDOWS = "wine" in LANCEUR


def texte(octets):
    """A console stream as text: its encoding decoded, its line ends checked and made LF."""
    if not WINDOWS:
        return octets.decode("utf-8")
    assert octets.count(b"\n") == octets.count(b"\r\n"), octets
    return octets.replace(b"\r\n", b"\n").decode("cp1252")

EXEMPLE = (TESTS.parent / "examples" / "poutre.txt").read_bytes()
# The worked example's summary: the largest deflection lies between the graph rows, where the slope
# is 0 (-0.0194767 m at x = 2.45812 m, from the closed forms of a simply supported span under a
# central point load and a uniform load on its left half); the largest moment is under the load.
RESUME = ("poutrer.txt : fl\u00e8che max -0.019477 m en x = 2.458 m, Mfz max 15625.00 N.m en "
          "x = 2.500 m, \u00e9quilibre \u00e0 3.8E-16 pr\u00e8s\n")
UTF8 = {"LC_ALL": "C.UTF-8"}
CP1252 = {"LC_ALL": "C", "LANG": "fr_FR.UTF-8"}  # LC_ALL wins over LANG


def lancer(arguments, donnees=None, env=UTF8, **options):
    """Runs the command line in a fresh folder holding the worked example as poutre.txt."""
    fichiers = {"poutre.txt": EXEMPLE} if donnees is None else donnees
    return executer(fichiers, b"", arguments=arguments, env=env,
                    visionneuse_attendue=options.pop("visionneuse_attendue", False), **options)


class Options(unittest.TestCase):
    def test_options_et_statuts(self):
        # (case, arguments, exit status, stdout begins with, stderr begins with, reports written)
        cas = [
            ("aide", ["--help"], 0, "Usage : vortale [OPTION]... FICHIER...\n", "", []),
            ("aide courte", ["-h", "poutre"], 0, "Usage : vortale", "", []),
            ("version", ["--version"], 0, "vortale 1.0\n", "", []),
            ("option inconnue", ["-x", "poutre"], 2, "",
             "vortale : option inconnue \u00ab -x \u00bb\nUsage : vortale", []),
            ("aucun fichier", ["--view"], 2, "", "vortale : aucun FICHIER\nUsage : vortale", []),
            ("fin des options seule", ["--"], 2, "", "vortale : aucun FICHIER\n", []),
            ("un fichier", ["poutre"], 0, RESUME, "", ["poutrer.txt"]),
            ("suffixe .txt retire", ["poutre.txt"], 0, RESUME, "", ["poutrer.txt"]),
            ("suffixe .TXT retire", ["poutre.TXT"], 0, RESUME, "", ["poutrer.txt"]),
            ("dessin", ["--svg", "poutre"], 0, RESUME, "", ["poutrer.svg", "poutrer.txt"]),
            ("apres --, un nom qui commence par -", ["--", "-x"], 1, "",
             "-x.txt: ouverture impossible : fichier introuvable\n", []),
            ("lot avec un fichier absent au milieu", ["poutre", "absent", "poutre.txt"], 1,
             RESUME + RESUME, "absent.txt: ouverture impossible : fichier introuvable\n",
             ["poutrer.txt"]),
        ]
        for nom, arguments, statut, sortie, erreurs, rapports in cas:
            with self.subTest(nom):
                r = lancer(arguments)
                self.assertEqual(r.code, statut)
                self.assertTrue(texte(r.stdout).startswith(sortie), r.stdout)
                self.assertTrue(texte(r.stderr).startswith(erreurs), r.stderr)
                self.assertEqual(sorted(set(r.fichiers) - {"poutre.txt"}), rapports)
                self.assertIsNone(r.visionneuse)  # the viewer only with --view

    def test_visionneuse_seulement_avec_view(self):
        r = lancer(["--view", "poutre"], visionneuse_attendue=True)
        self.assertEqual((r.code, r.visionneuse), (0, [b"poutrer.txt"]))

    def test_visionneuse_du_rapport_puis_du_dessin(self):
        # Each start of the viewer appends its argument to a list: one for the report, one for
        # the drawing, both detached (so in no fixed order on the list).
        with tempfile.TemporaryDirectory() as dossier:
            dossier = pathlib.Path(dossier)
            (dossier / "poutre.txt").write_bytes(EXEMPLE)
            vue = dossier / "vue.sh"
            vue.write_text('#!/bin/sh\nprintf "%s\\n" "$1" >> "$(dirname "$0")/vues"\n')
            vue.chmod(0o755)
            env = dict(os.environ, VORTALE_VIEWER=str(vue), LC_ALL="C.UTF-8")
            code = subprocess.run(LANCEUR + [BIN, "--view", "--svg", "poutre"], cwd=dossier, env=env,
                                  capture_output=True, timeout=60).returncode
            vues = dossier / "vues"
            echeance = time.monotonic() + 5
            while time.monotonic() < echeance and (
                    not vues.exists() or len(vues.read_text().split()) < 2):
                time.sleep(0.02)
            self.assertEqual((code, sorted(vues.read_text().split())),
                             (0, ["poutrer.svg", "poutrer.txt"]))

    def test_dessin_perime_ou_impossible(self):
        # A run without results removes an older drawing of its name; a drawing that cannot be
        # written (a folder holds its name) is a diagnostic, and the report stays complete.
        cas = [
            ("run sans resultats", {"p.txt": crlf("Essai\n"), "pr.svg": b"<svg/>"}, None,
             "p.txt: pas de ligne \u00ab $deb \u00bb", b"Lecture du fichier : p.txt\r\n"),
            ("dessin non inscriptible", {"p.txt": EXEMPLE},
             lambda d: (d / "pr.svg").mkdir() or (d / "pr.svg" / "x").write_bytes(b""),
             "pr.svg: \u00e9criture du dessin impossible : ", b"\r\n\r\n"),
        ]
        for nom, donnees, preparer, erreur, fin_du_rapport in cas:
            with self.subTest(nom):
                r = lancer(["--svg", "p"], donnees, preparer=preparer)
                self.assertEqual(r.code, 1)
                self.assertTrue(texte(r.stderr).startswith(erreur), r.stderr)
                self.assertEqual(sorted(r.fichiers), ["p.txt", "pr.txt"])  # no pr.svg file
                self.assertTrue(r.fichiers["pr.txt"].endswith(fin_du_rapport))


    @unittest.skipIf(WINDOWS, "wine hands over the names in its own code page")
    def test_noms_et_resumes(self):
        # A name given by the user reaches the console and the drawing as it is (here UTF-8, not
        # taken for Windows-1252); a deflection that is not a number is never the largest: with
        # E Iz = 2e-312 under -1000 N/m, w overflows, the first graph point is NaN and the others
        # -Inf (the report's own texts).
        nan = crlf("x\n$deb\n$noe\n3\n0\n1\n2\n$ele\n2\n1 2 1e-300 2e-12\n2 3 1 1\n$lia\n3\n3 1\n"
                   "3 2\n3 3\n$cha\n1\n2 1 -1000\n")
        cas = [
            ("nom accentue", {"poutr\u00e9.txt": EXEMPLE}, ["--svg", "poutr\u00e9"],
             "poutr\u00e9r.txt : fl\u00e8che max -0.019477 m", ""),
            ("option accentuee", {}, ["--\u00e9"], "", "vortale : option inconnue \u00ab --\u00e9 \u00bb\n"),
            ("fleche non finie", {"nan.txt": nan}, ["nan"],
             "nanr.txt : fl\u00e8che max -Inf m en x = 0.100 m, Mfz max -83.33 N.m en x = 1.000 m, "
             "\u00e9quilibre \u00e0 0.0E+00 pr\u00e8s\n", ""),
        ]
        for nom, donnees, arguments, sortie, erreurs in cas:
            with self.subTest(nom):
                r = lancer(arguments, donnees)
                self.assertTrue(texte(r.stdout).startswith(sortie), r.stdout)
                self.assertTrue(texte(r.stderr).startswith(erreurs), r.stderr)
                if "poutr\u00e9r.svg" in r.fichiers:
                    self.assertIn("<title>Calcul d'une poutre droite : poutr\u00e9.txt</title>",
                                  r.fichiers["poutr\u00e9r.svg"].decode())

    @unittest.skipIf(WINDOWS, "the console's code page, not the locale, decides on Windows")
    def test_encodage_de_la_console(self):
        for env, codage in [(UTF8, "utf-8"), (CP1252, "cp1252"), ({"LC_ALL": "", "LC_CTYPE": None,
                            "LANG": "fr_FR.utf8"}, "utf-8"), ({"LC_ALL": None, "LC_CTYPE": None,
                            "LANG": None}, "cp1252")]:
            with self.subTest(env=env):
                r = lancer(["poutre", "absent"], env=env)
                self.assertEqual(r.stdout, RESUME.encode(codage))
                self.assertEqual(r.stderr, "absent.txt: ouverture impossible : fichier introuvable"
                                 "\n".encode(codage))


def fichier(texte):
    return crlf(texte)


EN_TETE = "Essai\n$deb\n$noe\n3\n0\n2.5\n5\n$ele\n2\n1 2 2.1E11 8.36E-6\n2 3 2.1E11 8.36E-6\n"
APPUIS = "$lia\n2\n1 1\n1 3\n"
CHARGES = "$cha\n2\n1 2 -10000 0\n2 1 -2000\n$fin\n"


class Diagnostics(unittest.TestCase):
    def test_chaque_cause(self):
        # (case, data file p.txt, the diagnostic lines); every run ends with exit status 1.
        cas = [
            ("pas de $deb", fichier("Essai\n$noe\n"),
             ["p.txt: pas de ligne \u00ab $deb \u00bb : les donn\u00e9es commencent apr\u00e8s une "
              "ligne $deb"]),
            ("marque UTF-8 devant $deb", b"\xef\xbb\xbf" + fichier("$deb\n$noe\n"),
             ["p.txt: pas de ligne \u00ab $deb \u00bb : le fichier commence par une marque d'ordre "
              "des octets UTF-8, qui cache un $deb en premi\u00e8re ligne ; enregistrez-le en "
              "Windows-1252 (ANSI)"]),
            ("$deb en derniere ligne", fichier("Essai\n\n$deb\n"),
             ["p.txt:3: rien apr\u00e8s la ligne \u00ab $deb \u00bb"]),
            ("virgule decimale", fichier(EN_TETE.replace("2.5", "2,5") + APPUIS + CHARGES),
             ["p.txt:6: un r\u00e9el attendu, lu \u00ab 2,5 \u00bb : le s\u00e9parateur d\u00e9cimal "
              "est le point (2.5, et non 2,5)"]),
            ("entier attendu", fichier(EN_TETE + "$lia\n2\n1 1\n1.0 3\n" + CHARGES),
             ["p.txt:15: un entier attendu, lu \u00ab 1.0 \u00bb"]),
            ("compte attendu", fichier(EN_TETE + "$lia\ndeux\n"),
             ["p.txt:13: un nombre d'items (un entier) attendu, lu \u00ab deux \u00bb"]),
            ("reel trop grand", fichier(EN_TETE.replace("8.36E-6\n2 3", "1e999\n2 3")),
             ["p.txt:10: un r\u00e9el d'au plus 1.7E308 en valeur absolue attendu, lu "
              "\u00ab 1e999 \u00bb"]),
            ("capacite", fichier("$deb\n$cha\n21\n" + "1 1 0 0\n" * 21),
             ["p.txt:3: la section $cha annonce plus d'items que sa capacit\u00e9 : 20"]),
            ("noeud d'element hors capacite", fichier(EN_TETE.replace("2 3 2.1E11", "2 60 2.1E11")),
             ["p.txt:11: L'\u00e9l\u00e9ment 2 relie le noeud 60, hors des noeuds 1 \u00e0 50"]),
            ("longueur nulle", fichier(EN_TETE.replace("2 3 2.1E11", "2 2 2.1E11")),
             ["p.txt:11: La longueur de l'\u00e9l\u00e9ment 2 est nulle"]),
            ("Iz nul", fichier(EN_TETE.replace("8.36E-6\n2 3", "1E-13\n2 3")),
             ["p.txt:10: Le moment quadratique Iz de l'\u00e9l\u00e9ment 1 est nulle"]),
            ("references", fichier(EN_TETE + "$lia\n2\n1 1\n1 4\n$cha\n2\n1 9 -1 0\n2 3 -1\n"),
             ["p.txt:15: La liaison 2 porte sur le noeud 4, qui n'existe pas",
              "p.txt:18: La charge 1 porte sur le noeud 9, qui n'existe pas",
              "p.txt:19: La charge 2 porte sur l'\u00e9l\u00e9ment 3, qui n'existe pas"]),
            # A cantilever of 1 m held by a clamp, E Iz = 1E-12 N.m2: the pivot of row 3, the
            # deflection of node 2, is 12 E Iz / L^3 = 1.2E-11, below the absolute threshold.
            ("pivot", fichier("$deb\n$noe\n2\n0\n1\n$ele\n1\n1 2 1E-12 1\n$lia\n1\n3 1\n"),
             ["p.txt: le syst\u00e8me est mal conditionn\u00e9 : pivot inf\u00e9rieur \u00e0 1E-10 au degr\u00e9 "
              "de libert\u00e9 3 (fl\u00e8che du noeud 2) : la poutre n'est pas tenue (m\u00e9canisme) ou "
              "sa rigidit\u00e9 est trop faible"]),
        ]
        for nom, donnees, lignes in cas:
            with self.subTest(nom):
                r = lancer(["p"], {"p.txt": donnees})
                self.assertEqual(r.code, 1)
                self.assertEqual(r.stdout, b"")
                self.assertEqual(texte(r.stderr), "".join(l + "\n" for l in lignes))
                self.assertIn("pr.txt", r.fichiers)  # the report tells how far the run got

    @unittest.skipIf(WINDOWS, "no /dev/full")
    def test_fichiers_inaccessibles(self):
        # The report cannot be created (a folder has its name), or a write fails (a full device).
        cas = [
            ("rapport non creable", lambda d: (d / "pr.txt").mkdir(),
             "p.txt: cr\u00e9ation du rapport impossible : c'est un dossier\n"),
            ("disque plein", lambda d: (d / "pr.txt").symlink_to("/dev/full"),
             "p.txt: \u00e9criture du rapport impossible : plus de place sur le disque\n"),
        ]
        for nom, preparer, ligne in cas:
            with self.subTest(nom):
                r = lancer(["p", "poutre"], {"p.txt": EXEMPLE, "poutre.txt": EXEMPLE},
                           preparer=preparer)
                self.assertEqual((r.code, texte(r.stderr), texte(r.stdout)), (1, ligne, RESUME))


class EquilibreEtAvertissements(unittest.TestCase):
    def test_equilibre_douteux(self):
        # Three spans on two end supports, the middle one 1E15 times less stiff than the others
        # (E = 1E20 and 1E5 Pa, Iz = 1 m4): the solution balances the loads only to 4.5E-01. The
        # report and the summary are written, the diagnostic follows, and the run counts as failed.
        contraste = crlf("$deb\n$noe\n4\n0\n1\n2\n3\n$ele\n3\n1 2 1e20 1\n2 3 1e5 1\n"
                         "3 4 1e20 1\n$lia\n2\n1 1\n1 4\n$cha\n1\n1 2 -1000 0\n$fin\n")
        r = lancer(["--svg", "d", "poutre"], {"d.txt": contraste, "poutre.txt": EXEMPLE})
        self.assertEqual(r.code, 1)
        self.assertEqual(texte(r.stderr), "d.txt: r\u00e9sultat douteux : l'\u00e9quilibre des "
                         "noeuds n'est v\u00e9rifi\u00e9 qu'\u00e0 4.5E-01 pr\u00e8s (syst\u00e8me "
                         "tr\u00e8s mal conditionn\u00e9 : rigidit\u00e9s trop contrast\u00e9es ?)\n")
        self.assertTrue(texte(r.stdout).startswith("dr.txt : "), r.stdout)
        self.assertTrue(texte(r.stdout).endswith("\u00e9quilibre \u00e0 4.5E-01 pr\u00e8s\n" + RESUME))
        self.assertIn(b"Graphes \xe9l\xe9mentaires :", r.fichiers["dr.txt"])
        self.assertIn("dr.svg", r.fichiers)

    def test_mots_cles_inconnus(self):
        # (case, data file, warnings): a line read between the sections whose first character other
        # than a blank is "$" and that matches no keyword is warned of on its line; the run and its
        # exit status are those of the same file without the warning.
        liste = ("(les mots-cl\u00e9s s'\u00e9crivent sans accent : $noe, $ele, $lia, $cha, $res, "
                 "$tas, $rot, $pon, $tra, $fin)")
        accent = EXEMPLE.replace(b"$ele", b"$\xc9l\xe9ments\r\n$ele")
        cas = [
            ("accent", accent,
             ["p.txt:8: attention : \u00ab $\u00c9l\u00e9ments \u00bb n'est pas un mot-cl\u00e9 : "
              "ligne ignor\u00e9e " + liste]),
            ("synonyme", EXEMPLE.replace(b"$lia", b"$appuis du bout\r\n$lia"),
             ["p.txt:12: attention : \u00ab $appuis \u00bb n'est pas un mot-cl\u00e9 : ligne "
              "ignor\u00e9e " + liste]),
            ("tabulation", EXEMPLE.replace(b"$fin", b"\t$fin"),
             ["p.txt:20: attention : \u00ab $fin \u00bb n'est pas lu comme un mot-cl\u00e9 : une "
              "tabulation le pr\u00e9c\u00e8de ; ligne ignor\u00e9e"]),
            ("second $deb et $ avant $deb",
             EXEMPLE.replace(b"Poutre", b"$ prix : 100\r\nPoutre").replace(b"$noe", b"$deb\r\n$noe"),
             []),
        ]
        for nom, donnees, avertissements in cas:
            with self.subTest(nom):
                r = lancer(["p"], {"p.txt": donnees})
                self.assertEqual(texte(r.stderr), "".join(a + "\n" for a in avertissements))
                self.assertEqual((r.code, texte(r.stdout)), (0, RESUME.replace("poutrer", "pr")))


class MemesRapports(unittest.TestCase):
    def test_vecteurs(self):
        # Every reference run with a name: the command line writes the same files as the
        # interactive run; its exit status is 0 exactly when the report is complete.
        for dossier in sorted(p for p in (TESTS / "vecteurs").iterdir() if p.is_dir()):
            nom = (dossier / "stdin").read_bytes().rstrip(b"\r\n").decode("cp1252")
            if not nom or nom.lower().endswith(".txt"):
                continue  # the command line drops a typed ".txt" on purpose
            with self.subTest(vecteur=dossier.name):
                donnees = {p.name: p.read_bytes() for p in dossier.glob("*.txt")}
                r = lancer([nom], donnees)
                crees = {p.name: p.read_bytes() for p in (dossier / "expected").glob("*.txt")}
                for n in donnees:
                    r.fichiers.pop(n, None)
                self.assertEqual(r.fichiers, crees)
                complet = any(b"Graphes \xe9l\xe9mentaires :" in c for c in crees.values())
                self.assertEqual(r.code, 0 if complet else 1)
                self.assertEqual(len(r.stderr.splitlines()), 0 if complet else max(1, len(
                    (dossier / "expected" / "stdout").read_bytes().split(b"? ", 1)[1].splitlines())))


if __name__ == "__main__":
    unittest.main()
