"""Whole reference runs (tests/vecteurs/*): typed name, data files, and the expected console bytes,
report bytes, exit status, error words and viewer arguments. Line 6 of the console, the banner's
identification line, is free and is not compared."""

import ast
import pathlib
import unittest

from vortale_e2e import TESTS, executer

VECTEURS = sorted(p for p in (TESTS / "vecteurs").iterdir() if p.is_dir())


def sans_ligne_6(console):
    lignes = console.split(b"\r\n")
    return lignes[:5] + lignes[6:]


class Vecteurs(unittest.TestCase):
    def test_chaque_vecteur(self):
        self.assertGreater(len(VECTEURS), 0)
        for dossier in VECTEURS:
            with self.subTest(vecteur=dossier.name):
                attendu = dossier / "expected"
                donnees = {p.name: p.read_bytes() for p in dossier.glob("*.txt")}
                visionneuse = (attendu / "viewer").read_text().strip()
                visionneuse = None if visionneuse == "none" else [
                    a.encode("cp1252") for a in ast.literal_eval(visionneuse)]
                r = executer(donnees, (dossier / "stdin").read_bytes(),
                             visionneuse_attendue=visionneuse is not None)
                self.assertEqual(r.code, int((attendu / "exit").read_text()))
                self.assertEqual(sans_ligne_6(r.stdout),
                                 sans_ligne_6((attendu / "stdout").read_bytes()))
                mots = attendu / "stderr-words"
                if mots.exists():
                    self.assertIn(mots.read_bytes().strip(), r.stderr)
                    self.assertTrue(r.stderr.endswith(b"\r\n"))
                else:
                    self.assertEqual(r.stderr, b"")
                self.assertEqual(r.visionneuse, visionneuse)
                crees = {p.name: p.read_bytes() for p in attendu.glob("*.txt")}
                for nom in donnees:
                    r.fichiers.pop(nom, None)
                self.assertEqual(r.fichiers, crees)


if __name__ == "__main__":
    unittest.main()
