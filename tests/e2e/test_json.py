"""--json: one JSON object per FICHIER on the standard output, one per line, for every run; its
numbers are the computed values, which the report prints rounded."""

import decimal
import json
import os
import re
import subprocess
import sys
import unittest

from vortale_e2e import TESTS, executer
from test_ligne_commande import (APPUIS, CHARGES, EN_TETE, EXEMPLE, RESUME, UTF8, WINDOWS,
                                 fichier, texte)

EXEMPLES = TESTS.parent / "examples"
CLES = ["fichier", "rapport", "complet", "diagnostics"]
CLES_RESULTATS = ["noeuds", "elements", "liaisons", "charges", "ressorts", "tassements", "rotules",
                  "ponctuelles", "trapezes", "deplacements", "extremes", "equilibre", "resume"]


def lancer(arguments, donnees):
    return executer(donnees, b"", arguments=arguments, env=UTF8, visionneuse_attendue=False)


def objets(sortie):
    """The objects of the standard output; "-0" (a negative zero, which the report prints with its
    sign) read as the float -0.0, where Python would read the integer 0."""
    def entier(t):
        return -0.0 if t == "-0" else int(t)
    return [json.loads(ligne, parse_int=entier) for ligne in sortie.decode("utf-8").splitlines()]


class Lot(unittest.TestCase):
    def test_chaque_issue(self):
        # (case, data file or None for none, report written, complete, diagnostics as
        # (line, gravity, message)): one batch, one object per argument in their order.
        melange = EXEMPLE.replace(b"$ele", b"$\xc9l\xe9ments\r\n$ele")
        mecanisme = fichier(EN_TETE + "$lia\n1\n1 1\n" + CHARGES)
        douteux = fichier("$deb\n$noe\n4\n0\n1\n2\n3\n$ele\n3\n1 2 1e20 1\n2 3 1e5 1\n"
                          "3 4 1e20 1\n$lia\n2\n1 1\n1 4\n$cha\n1\n1 2 -1000 0\n$fin\n")
        cas = [
            ("complet", EXEMPLE, True, True, []),
            ("accent", melange, True, True,
             [(8, "attention", "attention : \u00ab $\u00c9l\u00e9ments \u00bb n'est pas un "
               "mot-cl\u00e9 : ligne ignor\u00e9e (les mots-cl\u00e9s s'\u00e9crivent sans accent "
               ": $noe, $ele, $lia, $cha, $res, $tas, $rot, $pon, $tra, $fin)")]),
            ("absent", None, False, False,
             [(None, "erreur", "ouverture impossible : fichier introuvable")]),
            ("virgule", fichier(EN_TETE.replace("2.5", "2,5") + APPUIS + CHARGES), True, False,
             [(6, "erreur", "un r\u00e9el attendu, lu \u00ab 2,5 \u00bb : le s\u00e9parateur "
               "d\u00e9cimal est le point (2.5, et non 2,5)")]),
            ("mecanisme", mecanisme, True, False,
             [(None, "erreur", "la poutre est un m\u00e9canisme : les noeuds 1 \u00e0 3 peuvent "
               "tourner autour de x = 0.000 m sans se d\u00e9former")]),
            # The report is complete and the run fails: the object has the results and the error.
            ("douteux", douteux, True, True,
             [(None, "erreur", "r\u00e9sultat douteux : l'\u00e9quilibre des noeuds n'est "
               "v\u00e9rifi\u00e9 qu'\u00e0 4.5E-01 pr\u00e8s (syst\u00e8me tr\u00e8s mal "
               "conditionn\u00e9 : rigidit\u00e9s trop contrast\u00e9es ?)")]),
            ("", None, False, False, [(None, "erreur", "nom de fichier vide")]),
            ("n" * 77, None, False, False,
             [(None, "erreur", "nom trop long : au plus 76 caract\u00e8res sans \u00ab .txt \u00bb")]),
        ]
        donnees = {nom + ".txt": d for nom, d, *_ in cas if d is not None}
        r = lancer(["--json", "--svg"] + [nom for nom, *_ in cas], donnees)
        self.assertEqual(r.code, 1)
        lignes = objets(r.stdout)
        self.assertEqual(len(lignes), len(cas))
        for (nom, _, rapport, complet, diagnostics), objet in zip(cas, lignes):
            with self.subTest(nom):
                cles = CLES + (CLES_RESULTATS if complet else [])
                self.assertEqual(list(objet), cles)
                self.assertEqual(objet["fichier"], nom)
                self.assertEqual(objet["rapport"], nom + "r.txt" if rapport else None)
                self.assertEqual(objet["complet"], complet)
                self.assertEqual([(d["ligne"], d["gravite"], d["message"])
                                  for d in objet["diagnostics"]], diagnostics)
        # Each diagnostic is also on the standard error stream, located as without --json.
        erreurs = texte(r.stderr).splitlines()
        for nom, _, _, _, diagnostics in cas:
            for ligne, _, message in diagnostics:
                fin = (":%d: " % ligne if ligne else ": ") + message
                self.assertTrue(any(e.startswith(nom) and e.endswith(fin) for e in erreurs), fin)
        self.assertIn("douteuxr.svg", r.fichiers)  # --svg as without --json

    def test_options_et_statuts(self):
        # (arguments, exit status, objects): the summary line gives way to the object; the exit
        # status, the files and the viewer stay as without --json.
        cas = [
            (["--json", "poutre"], 0, 1),
            (["poutre", "--json"], 0, 1),
            (["--json", "--view", "poutre", "poutre.txt"], 0, 2),
        ]
        for arguments, statut, nombre in cas:
            with self.subTest(arguments):
                r = executer({"poutre.txt": EXEMPLE}, b"", arguments=arguments, env=UTF8,
                             visionneuse_attendue="--view" in arguments)
                self.assertEqual(r.code, statut)
                lignes = objets(r.stdout)
                self.assertEqual(len(lignes), nombre)
                self.assertEqual(lignes[0]["resume"] + "\n", RESUME)
                self.assertEqual(r.visionneuse is not None, "--view" in arguments)

    @unittest.skipIf(WINDOWS, "names are Unicode under Windows")
    def test_nom_hors_utf8(self):
        # A name whose bytes are not UTF-8 (a Windows-1252 "\u00e9", byte E9) is escaped as its
        # character, so that the line stays valid JSON.
        nom = os.fsdecode(b"\xe9t\xe9")
        r = lancer(["--json", nom], {nom + ".txt": EXEMPLE})
        self.assertIn(b'{"fichier":"\\u00e9t\\u00e9","rapport":"\\u00e9t\\u00e9r.txt",', r.stdout)
        objet, = objets(r.stdout)
        self.assertTrue(objet["resume"].startswith("\u00e9t\u00e9r.txt : fl\u00e8che max"))


class Readme(unittest.TestCase):
    def blocs(self, langue):
        texte = (TESTS.parent / "README.md").read_text(encoding="utf-8")
        section = texte[texte.index("### Results for scripts"):]
        return re.findall(r"```" + langue + r"\n(.*?)```", section, re.S)

    def test_objet_de_l_exemple(self):
        # The README's object of the worked example, indented, is the program's, number for number.
        # (Blanks are left out on both sides: the README's indentation, the summary's words.)
        r = lancer(["--json", "poutre"], {"poutre.txt": EXEMPLE})
        self.assertEqual(re.sub(r"\s", "", self.blocs("json")[0]),
                         re.sub(r"\s", "", r.stdout.decode("utf-8")))

    def test_script_des_moments(self):
        # The README's script, on a batch with a failure: the largest |Mfz| of each beam.
        r = lancer(["--json", "poutre", "absent", "triangle"],
                   {"poutre.txt": EXEMPLE, "triangle.txt": (EXEMPLES / "triangle.txt").read_bytes()})
        script = subprocess.run([sys.executable, "-c", self.blocs("python")[0]], input=r.stdout,
                                capture_output=True, check=True)
        # The triangle's moment: q0 L^2 / (9 sqrt 3) = 10000 x 36 / 15.588 = 23094.01 N.m at
        # x = L / sqrt 3 = 3.464 m.
        self.assertEqual(script.stdout.decode("utf-8"),
                         "poutre : Mfz 15625.00 N.m en x = 2.500 m\n"
                         "absent en \u00e9chec : ouverture impossible : fichier introuvable\n"
                         "triangle : Mfz 23094.01 N.m en x = 3.464 m\n")


def champ(valeur, decimales):
    """The texts the report may print for a value at `decimales` decimals, rounded half away
    from zero: from its exact binary value, or from its 18 significant digits first (the
    report's field writer works from an 18-digit decimal form)."""
    exacte = decimal.Decimal(valeur)
    quantum = decimal.Decimal(1).scaleb(-decimales)
    textes = set()
    for v in (exacte, decimal.Context(prec=18).plus(exacte)):
        texte = str(v.quantize(quantum, rounding=decimal.ROUND_HALF_UP))
        textes.add(texte)
    return textes


def nombres_du_rapport(rapport):
    """The numbers of each line of the report after the data file's name, as texts."""
    lignes = rapport.decode("cp1252").split("\r\n")
    debut = next(i for i, l in enumerate(lignes) if l.startswith("Nom du fichier"))
    return [n for n in (re.findall(r"-?\d+(?:\.\d+)?", l) for l in lignes[debut + 1:]) if n]


def nombres_attendus(o):
    """The same lines from the object: an int as its text, a real as the set of texts champ gives,
    in the order of the report's blocks."""
    def r(valeur, decimales):
        return champ(valeur, decimales)

    def e(valeur):
        return str(valeur)

    lignes = [[e(n["numero"]), r(n["x"], 3)] for n in o["noeuds"]]
    lignes += [[e(el["numero"]), e(el["noeud_i"]), e(el["noeud_j"]),
                r(decimal.Decimal(el["E"]).scaleb(-6), 0), "6",
                r(decimal.Decimal(el["Iz"]).scaleb(8), 2), "4"] for el in o["elements"]]
    lignes += [[e(l["noeud"])] + (["0"] if l["code"] in (1, 2) else []) for l in o["liaisons"]]
    for c in o["charges"]:
        if c["code"] == 1:
            lignes.append([e(c["noeud"])] + [r(v, 0) for v in (c["P"], c["Mz"]) if abs(v) > 1e-6])
        else:
            lignes.append([e(c["element"]), r(c["P"], 0)])
    lignes += [[e(c["element"]), r(c["a"], 3), r(c["Fy"], 0), r(c["Mz"], 0)]
               for c in o["ponctuelles"]]
    lignes += [[e(c["element"]), r(c["a"], 3), r(c["b"], 3), r(c["pa"], 0), r(c["pb"], 0)]
               for c in o["trapezes"]]
    lignes += [[e(s["noeud"]), r(s["Kv"], 0), r(s["Kr"], 0)] for s in o["ressorts"]]
    lignes += [[e(t["noeud"]), r(t["valeur"], 6)] for t in o["tassements"]]
    for h in o["rotules"]:
        el = o["elements"][h["element"] - 1]
        bouts = [el["noeud_i"]] * (h["code"] != 2) + [el["noeud_j"]] * (h["code"] != 1)
        lignes.append([e(h["element"])] + [e(n) for n in bouts])
    lignes += [[e(d["noeud"]), r(d["fleche"], 6), r(d["pente"], 6)] for d in o["deplacements"]]
    for el in o["elements"]:
        lignes.append([e(el["numero"]), e(el["noeud_i"]), r(el["Ty_i"], 0), r(el["Mfz_i"], 0)])
        lignes.append([e(el["noeud_j"]), r(el["Ty_j"], 0), r(el["Mfz_j"], 0)])
    for l in o["liaisons"]:
        lignes.append([e(l["noeud"])] + [r(l[k], 0) for k in ("Ry", "Mz") if l[k] is not None])
    lignes += [[e(s["noeud"]), r(s["Ry"], 0), r(s["Mz"], 0)] for s in o["ressorts"]]
    for el in o["elements"]:
        lignes.append([e(el["numero"])])
        lignes += [[r(p["x"], 3), r(p["fleche"], 6), r(p["pente"], 5), r(p["Ty"], 2),
                    r(p["Mfz"], 2)] for p in el["graphe"]]
    return lignes


def lancements():
    """Every example and every reference run with a name: (case, data files, name)."""
    for exemple in sorted(EXEMPLES.glob("*.txt")):
        if not exemple.stem.endswith("r"):
            yield exemple.name, {exemple.name: exemple.read_bytes()}, exemple.stem
    for dossier in sorted(p for p in (TESTS / "vecteurs").iterdir() if p.is_dir()):
        nom = (dossier / "stdin").read_bytes().rstrip(b"\r\n").decode("cp1252")
        if nom:
            yield dossier.name, {p.name: p.read_bytes() for p in dossier.glob("*.txt")}, nom


class MemesNombresQueLeRapport(unittest.TestCase):
    def test_chaque_exemple_et_reference(self):
        # Each number of the object, printed with the report's field for it, is the report's text.
        complets = 0
        for cas, donnees, nom in lancements():
            with self.subTest(cas):
                r = lancer(["--json", nom], donnees)
                objet, = objets(r.stdout)
                rapport = r.fichiers.get(objet["rapport"] or "")
                self.assertEqual(objet["complet"], r.code == 0)
                if not objet["complet"]:
                    continue
                complets += 1
                lus = nombres_du_rapport(rapport)
                attendus = nombres_attendus(objet)
                self.assertEqual(len(lus), len(attendus))
                for ligne, (lu, attendu) in enumerate(zip(lus, attendus)):
                    self.assertEqual(len(lu), len(attendu), (ligne, lu))
                    for texte_lu, textes in zip(lu, attendu):
                        self.assertIn(texte_lu, textes if isinstance(textes, set) else {textes},
                                      (ligne, lu))
                self.assertIn(objet["resume"] + "\n", texte(lancer([nom], donnees).stdout))
        self.assertGreaterEqual(complets, 14)


if __name__ == "__main__":
    unittest.main()
