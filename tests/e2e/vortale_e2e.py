"""Runs the built program as a user would: in a fresh temporary folder holding the data files,
with the typed name piped on stdin, and the viewer replaced by a script that records the
arguments it receives.

The program's path comes from VORTALE_BIN, the tests folder from VORTALE_TESTS (CTest sets
both). VORTALE_LANCEUR, when set, is a command put before the program's path, split on blanks:
"wine" for a Windows build, "qemu-aarch64" for an ARM one."""

import os
import pathlib
import subprocess
import tempfile
import time
from dataclasses import dataclass, field

BIN = os.environ.get("VORTALE_BIN", "")
LANCEUR = os.environ.get("VORTALE_LANCEUR", "").split()
TESTS = pathlib.Path(os.environ.get("VORTALE_TESTS", pathlib.Path(__file__).parent.parent))

# The console's banner and prompt, Windows-1252 bytes with CR LF. Line 6 identifies the build.
BANNIERE_AVANT = (b"\r\n  VORTALE SIMPLE D'UNE POUTRE DROITE\r\n  PAR LA METHODE DES ELEMENTS FINIS"
                  b"\r\n  (Mod\xe8le de Bernoulli)\r\n\r\n")
INVITE = b"Nom du fichier ( sans extension ) ? "

# The viewer stand-in: writes each argument followed by a NUL byte, then renames the record into
# place so that a reader never sees it half written.
ENREGISTREUR = """#!/bin/sh
dossier=$(dirname "$0")
for a in "$@"; do printf '%s\\0' "$a"; done > "$dossier/.visionneuse.tmp"
mv "$dossier/.visionneuse.tmp" "$dossier/.visionneuse"
"""


@dataclass
class Resultat:
    code: int
    stdout: bytes
    stderr: bytes
    fichiers: dict = field(default_factory=dict)  # every file the run left in its folder
    visionneuse: list = None  # the viewer's arguments (bytes), or None when none was started

    def console_apres_invite(self):
        """What the console shows after the banner and the prompt."""
        debut = self.stdout.index(INVITE) + len(INVITE)
        return self.stdout[debut:]


def executer(donnees, saisie, viewer=True, visionneuse_attendue=True, preparer=None, env=None,
             arguments=()):
    """Runs the program once. donnees: {file name: bytes} written into the folder first; saisie:
    the bytes typed; arguments: the command line's arguments (none: the interactive run); viewer: record the viewer (False leaves VORTALE_VIEWER unset); preparer: a
    function called with the folder before the run (to place links, folders...);
    visionneuse_attendue: wait up to 5 s for the viewer, else 0.3 s for one wrongly started;
    env: variables set for the run, where a value None removes the variable and "{dossier}" stands
    for the run's folder, the parent of the working folder (where the recorder writes its record,
    and where preparer can place a viewer stand-in of its own)."""
    with tempfile.TemporaryDirectory() as dossier:
        dossier = pathlib.Path(dossier)
        travail = dossier / "travail"
        travail.mkdir()
        for nom, contenu in donnees.items():
            (travail / nom).write_bytes(contenu)
        if preparer:
            preparer(travail)
        environnement = {k: v for k, v in os.environ.items()
                         if k not in ("VORTALE_VIEWER", "DISPLAY", "WAYLAND_DISPLAY")}
        enregistreur = dossier / "visionneuse.sh"
        if viewer:
            enregistreur.write_text(ENREGISTREUR)
            enregistreur.chmod(0o755)
            environnement["VORTALE_VIEWER"] = str(enregistreur)
        for nom, valeur in (env or {}).items():
            if valeur is None:
                environnement.pop(nom, None)
            else:
                environnement[nom] = valeur.replace("{dossier}", str(dossier))
        avant = set(os.listdir(travail))
        proc = subprocess.run(LANCEUR + [BIN, *arguments], input=saisie, cwd=travail, env=environnement,
                              capture_output=True, timeout=60)
        visionneuse = None
        record = dossier / ".visionneuse"
        echeance = time.monotonic() + (5.0 if visionneuse_attendue else 0.3)
        while viewer and time.monotonic() < echeance and not record.exists():
            time.sleep(0.02)
        if record.exists():
            visionneuse = record.read_bytes().split(b"\0")[:-1]
        fichiers = {}
        for nom in os.listdir(travail):
            chemin = travail / nom
            if (nom not in avant or nom in donnees) and chemin.is_file() and not chemin.is_symlink():
                fichiers[nom] = chemin.read_bytes()
        return Resultat(proc.returncode, proc.stdout, proc.stderr, fichiers, visionneuse)


# The report's progress lines, one per step of the run in the order of the run, and the solver's
# failure message.
ETAPES = ["Assemblage de la matrice de rigidit\u00e9", "Assemblage du vecteur force global",
          "Mise en place des Liaisons", "Calcul des d\u00e9placements inconnus",
          "Calcul des forces \u00e9l\u00e9mentaires", "Calcul des actions de liaison"]
PIVOT = "Le syst\u00e8me est mal conditionn\u00e9 : pivot n\u00e9gatif ou nul"


def rapport_arrete(nom_donnees, etapes=0, pivot=False):
    """The report of a run that stopped early: its "Lecture du fichier : " line with the data file's
    name (str), the progress lines of the first `etapes` steps, then the solver's message."""
    lignes = ["Lecture du fichier : " + nom_donnees] + ETAPES[:etapes] + ([PIVOT] if pivot else [])
    return crlf("".join(ligne + "\n" for ligne in lignes))


def verifier(test, r, suite=b"", erreur=None, fichiers=None, visionneuse=None):
    """Checks the whole outcome of a run r in the unittest case `test`:
    suite: the console bytes after the prompt (the banner's line 6 is free, only indented);
    erreur: None for an orderly run (exit status 0, nothing on stderr), else the run-time error's
      words (exit status 1, one line on stderr holding them, ended by CR LF);
    fichiers: every file the folder must hold afterwards, data files included ({name: bytes}),
      or None to leave them unchecked;
    visionneuse: the viewer's arguments (bytes), None when no viewer may start."""
    test.assertTrue(r.stdout.startswith(BANNIERE_AVANT), r.stdout[:200])
    ligne6, _, reste = r.stdout[len(BANNIERE_AVANT):].partition(b"\r\n")
    test.assertTrue(ligne6.startswith(b"  ") and ligne6.strip() and b"\r" not in ligne6, ligne6)
    test.assertEqual(reste, b"\r\n" + INVITE + suite)
    if erreur is None:
        test.assertEqual((r.code, r.stderr), (0, b""))
    else:
        test.assertEqual(r.code, 1)
        test.assertIn(erreur.encode("cp1252"), r.stderr)
        test.assertTrue(r.stderr.endswith(b"\r\n"), r.stderr)
        test.assertEqual(r.stderr.count(b"\n"), 1, r.stderr)
    if fichiers is not None:
        test.assertEqual(r.fichiers, fichiers)
    test.assertEqual(r.visionneuse, visionneuse)


def crlf(texte):
    """A Windows-1252 text with CR LF line ends, from a Python string written with LF."""
    return texte.replace("\n", "\r\n").encode("cp1252")
