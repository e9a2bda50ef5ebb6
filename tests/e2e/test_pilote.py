"""The driver, end to end: every stage a run can end in (console, report, exit status, viewer),
the run-time error path, and how the viewer is chosen and started."""

import os
import subprocess
import sys
import tempfile
import time
import unittest

from vortale_e2e import (BANNIERE_AVANT, BIN, INVITE, TESTS, crlf, executer, rapport_arrete,
                         verifier)

EXEMPLE = (TESTS / "vecteurs" / "worked-example" / "poutre.txt").read_bytes()
RAPPORT_EXEMPLE = (TESTS / "vecteurs" / "worked-example" / "expected" / "poutrer.txt").read_bytes()

# One element from x = 0 to 1 m with no support: the first free pivot that fails ends the solution.
SANS_APPUI = crlf("$deb\n$noe\n2\n0\n1\n$ele\n1\n1 2 1 1\n$fin\n")


class EtatsDeFin(unittest.TestCase):
    """The stages a run ends in: what the console, the report and the viewer show for each."""

    def test_fins_silencieuses(self):
        # Empty name, data file that cannot be opened, report that cannot be created: nothing
        # after the prompt, no file touched, no viewer, exit status 0.
        cas = [
            ("nom vide", b"\n", None),
            ("nom vide, CR LF", b"\r\n", None),  # the CR is left out of the line
            ("fin de saisie sans rien", b"", None),
            ("Ctrl-Z d'abord", b"\x1apoutre\n", None),  # Ctrl-Z ends the input: empty name
            ("fichier absent", b"absent\n", None),
            ("rapport non creable", b"poutre\n", lambda d: (d / "poutrer.txt").mkdir()),
        ]
        for nom, saisie, preparer in cas:
            with self.subTest(nom):
                r = executer({"poutre.txt": EXEMPLE}, saisie, preparer=preparer,
                             visionneuse_attendue=False)
                verifier(self, r, fichiers={"poutre.txt": EXEMPLE})

    def test_fins_montrees(self):
        # Stages that end with the report closed and shown, exit status 0.
        longueur_nulle = crlf("$deb\n$noe\n2\n0\n0\n$ele\n1\n1 2 2.1E11 8.36E-6\n$fin\n")
        iz_nul = crlf("$deb\n$noe\n3\n0\n1\n2\n$ele\n2\n1 2 2.1E11 8.36E-6\n2 3 2.1E11 1E-13\n")
        # The element is checked when read, with the abscissae of the time; the nodes read again
        # afterwards turn it round, and the stiffness refuses it (no message of its own).
        retourne = crlf("$deb\n$noe\n2\n0\n1\n$ele\n1\n1 2 1 1\n$noe\n2\n1\n0\n$fin\n")
        cas = [
            # (case, data file, console after the prompt, report)
            ("pas de $deb", crlf("Poutre\n$noe\n2\n0\n1\n"), b"", rapport_arrete("p.txt")),
            ("$deb en derniere ligne", crlf("titre\n$deb\n"), b"", rapport_arrete("p.txt")),
            ("longueur nulle", longueur_nulle,
             crlf("La longueur de l'\u00e9l\u00e9ment 1 est nulle\n"), rapport_arrete("p.txt")),
            ("Iz trop petit", iz_nul,
             crlf("Le moment quadratique Iz de l'\u00e9l\u00e9ment 2 est nulle\n"),
             rapport_arrete("p.txt")),
            ("assemblage refuse", retourne, b"", rapport_arrete("p.txt", 1)),
            ("pivot nul", SANS_APPUI, b"", rapport_arrete("p.txt", 4, pivot=True)),
        ]
        for nom, donnees, suite, rapport in cas:
            with self.subTest(nom):
                r = executer({"p.txt": donnees}, b"p\n")
                verifier(self, r, suite, fichiers={"p.txt": donnees, "pr.txt": rapport},
                         visionneuse=[b"pr.txt"])

    def test_calcul_complet(self):
        # The worked example: progress lines then the full results, shown.
        r = executer({"poutre.txt": EXEMPLE}, b"poutre\n")
        verifier(self, r, fichiers={"poutre.txt": EXEMPLE, "poutrer.txt": RAPPORT_EXEMPLE},
                 visionneuse=[b"poutrer.txt"])

    def test_liste_pleine_dont_le_premier_element_est_refuse(self):
        # Decided: an element count of 60 whose first element fails its check ends with the
        # check's line and the report shown; freeing the list never touches position 50 or more.
        donnees = crlf("$deb\n$noe\n2\n0\n0\n$ele\n60\n1 2 2.1E11 8.36E-6\n$fin\n")
        r = executer({"p.txt": donnees}, b"p\n")
        verifier(self, r, crlf("La longueur de l'\u00e9l\u00e9ment 1 est nulle\n"),
                 fichiers={"p.txt": donnees, "pr.txt": rapport_arrete("p.txt")},
                 visionneuse=[b"pr.txt"])


class ErreursExecution(unittest.TestCase):
    """A run-time error: one line on stderr, exit status 1, the report left with what was
    written (flushed to disk), not shown."""

    def test_erreurs(self):
        cas = [
            # (case, data file, error words, report)
            ("nombre invalide a la lecture", crlf("$deb\n$noe\n2\n0\nun\n"),
             "Invalid numeric input", rapport_arrete("p.txt")),
            ("51e abscisse", crlf("$deb\n$noe\n51\n" + "0\n" * 51),
             "Range check error", rapport_arrete("p.txt")),
        ]
        for nom, donnees, mots, rapport in cas:
            with self.subTest(nom):
                r = executer({"p.txt": donnees}, b"p\n", visionneuse_attendue=False)
                verifier(self, r, erreur=mots, fichiers={"p.txt": donnees, "pr.txt": rapport})

    def test_console_videe_avant_le_message(self):
        # Console and error stream on one pipe: the element check's line, still in the console's
        # buffer when closing the report on a full device fails, comes before the error's line.
        donnees = crlf("$deb\n$noe\n2\n0\n0\n$ele\n1\n1 2 1 1\n")
        with tempfile.TemporaryDirectory() as dossier:
            with open(os.path.join(dossier, "p.txt"), "wb") as f:
                f.write(donnees)
            os.symlink("/dev/full", os.path.join(dossier, "pr.txt"))
            env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
            env["VORTALE_VIEWER"] = ""
            proc = subprocess.run([BIN], input=b"p\n", cwd=dossier, env=env, timeout=60,
                                  stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.assertEqual(proc.returncode, 1)
        self.assertTrue(proc.stdout.startswith(BANNIERE_AVANT))
        suite = proc.stdout.split(INVITE, 1)[1]
        ligne, message = suite.split(b"\r\n", 1)
        self.assertEqual(ligne, crlf("La longueur de l'\u00e9l\u00e9ment 1 est nulle").rstrip())
        self.assertIn(b"I/O error", message)
        self.assertTrue(message.endswith(b"\r\n") and message.count(b"\n") == 1, message)


# A viewer stand-in that stays open 5 s like an editor. Before recording its arguments it notes,
# in the working folder, where its descriptors lead, its session and its own process id, and
# copies the report as it finds it when it starts.
ENREGISTREUR_LENT = f"""#!{sys.executable}
import os, shutil, sys, time
constat = []
for fd in sorted(os.listdir("/proc/self/fd"), key=int):
    try:
        constat.append(f"fd {{fd}} {{os.readlink('/proc/self/fd/' + fd)}}")
    except OSError:
        pass  # the descriptor of the listing itself, closed by now
constat.append(f"session {{os.getsid(0)}} {{os.getpid()}}")
with open("constat.txt", "w") as f:
    f.write("\\n".join(constat) + "\\n")
shutil.copyfile(sys.argv[-1], "vu.txt")
dossier = os.path.dirname(sys.argv[0])
with open(os.path.join(dossier, ".visionneuse.tmp"), "wb") as f:
    f.write(b"".join(os.fsencode(a) + b"\\0" for a in sys.argv[1:]))
os.rename(os.path.join(dossier, ".visionneuse.tmp"), os.path.join(dossier, ".visionneuse"))
time.sleep(5)
"""

# xdg-open stand-in, found first on the PATH: records like the usual recorder, one folder up.
XDG_OPEN = """#!/bin/sh
dossier=$(dirname "$0")/..
for a in "$@"; do printf '%s\\0' "$a"; done > "$dossier/.visionneuse.tmp"
mv "$dossier/.visionneuse.tmp" "$dossier/.visionneuse"
"""


def placer(nom, texte):
    """A preparer that writes an executable script `nom` beside the working folder."""
    def preparer(travail):
        chemin = travail.parent / nom
        chemin.parent.mkdir(exist_ok=True)
        chemin.write_text(texte)
        chemin.chmod(0o755)
    return preparer


class Visionneuse(unittest.TestCase):
    """How the viewer is chosen, what it receives and how it is started."""

    def test_choix(self):
        # VORTALE_VIEWER set and not blank: its words, then the report's name as one last
        # argument; a viewer that cannot start changes nothing. Set but blank: none. Unset:
        # xdg-open, only when a display is there.
        chemin = {"PATH": "{dossier}/bin:" + os.environ.get("PATH", "/usr/bin:/bin")}
        cas = [
            ("mots en plus", {"VORTALE_VIEWER": "{dossier}/visionneuse.sh -a b"},
             [b"-a", b"b", b"poutrer.txt"]),
            ("blancs autour", {"VORTALE_VIEWER": "  {dossier}/visionneuse.sh   -a  b  "},
             [b"-a", b"b", b"poutrer.txt"]),
            ("introuvable, echec ignore", {"VORTALE_VIEWER": "{dossier}/absente -a"}, None),
            ("vide", {"VORTALE_VIEWER": ""}, None),
            ("blancs seuls", {"VORTALE_VIEWER": "   "}, None),
            ("non definie, DISPLAY", dict(chemin, VORTALE_VIEWER=None, DISPLAY=":0"),
             [b"poutrer.txt"]),
            ("non definie, WAYLAND_DISPLAY",
             dict(chemin, VORTALE_VIEWER=None, WAYLAND_DISPLAY="wayland-0"), [b"poutrer.txt"]),
            ("non definie, sans affichage", dict(chemin, VORTALE_VIEWER=None), None),
        ]
        for nom, env, attendu in cas:
            with self.subTest(nom):
                r = executer({"poutre.txt": EXEMPLE}, b"poutre\n", env=env,
                             preparer=placer("bin/xdg-open", XDG_OPEN),
                             visionneuse_attendue=attendu is not None)
                verifier(self, r, visionneuse=attendu,
                         fichiers={"poutre.txt": EXEMPLE, "poutrer.txt": RAPPORT_EXEMPLE})

    def test_detachee_et_jamais_attendue(self):
        # The viewer holds no pipe of ours (else capturing our output would last until it ends),
        # its standard streams are /dev/null, it leads a session of its own, and it finds the
        # report complete.
        debut = time.monotonic()
        r = executer({"poutre.txt": EXEMPLE}, b"poutre\n",
                     env={"VORTALE_VIEWER": "{dossier}/lent.py"},
                     preparer=placer("lent.py", ENREGISTREUR_LENT))
        self.assertLess(time.monotonic() - debut, 4)
        self.assertEqual(r.visionneuse, [b"poutrer.txt"])
        constat = r.fichiers["constat.txt"].decode().splitlines()
        descripteurs = dict(ligne.split(" ", 2)[1:] for ligne in constat if ligne.startswith("fd "))
        self.assertEqual([descripteurs.get(fd) for fd in "012"], ["/dev/null"] * 3)
        self.assertFalse([c for c in descripteurs.values() if c.startswith("pipe:")], constat)
        _, session, pid = constat[-1].split()
        self.assertEqual(session, pid)
        self.assertNotEqual(int(session), os.getsid(0))
        self.assertEqual(r.fichiers["vu.txt"], RAPPORT_EXEMPLE)

    def test_nom_recu_tel_que_tape(self):
        # The report's name reaches the viewer as one literal argument, never through a shell:
        # "a; touch x" creates no file x; blanks inside the name stay.
        for nom in ["a; touch x", "deux  mots"]:
            with self.subTest(nom):
                donnees = nom + ".txt"
                r = executer({donnees: EXEMPLE}, nom.encode() + b"\n")
                rapport = RAPPORT_EXEMPLE.replace(b"poutre.txt", donnees.encode())
                verifier(self, r, fichiers={donnees: EXEMPLE, nom + "r.txt": rapport},
                         visionneuse=[nom.encode() + b"r.txt"])

    def test_chemin_tape(self):
        # A typed path: the report is made beside the data file and named with that path (the
        # slow recorder copies it as vu.txt into the working folder).
        def preparer(travail):
            (travail / "sous").mkdir()
            (travail / "sous" / "poutre.txt").write_bytes(EXEMPLE)
            placer("lent.py", ENREGISTREUR_LENT)(travail)
        r = executer({}, b"sous/poutre\n", preparer=preparer,
                     env={"VORTALE_VIEWER": "{dossier}/lent.py"})
        verifier(self, r, visionneuse=[b"sous/poutrer.txt"])
        self.assertEqual(r.fichiers["vu.txt"],
                         RAPPORT_EXEMPLE.replace(b"poutre.txt", b"sous/poutre.txt"))


if __name__ == "__main__":
    unittest.main()
