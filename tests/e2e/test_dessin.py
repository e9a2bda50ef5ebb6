"""The drawing of a complete run, vortale --svg FICHIER: the page NAMEr.svg beside the report, for the
worked example, a cantilever, two spans, the largest model and a model whose graphs hold values
that are not finite. The page must be well-formed XML with its five panels, hold no NaN or Inf in
any attribute, render to a picture that is not blank (librsvg, and Chromium for the worked
example), and label each diagram's extremes with the very text of the report's graph rows. The
README's picture docs/poutrer.svg must be the program's drawing of examples/poutre.txt.

The checks that need rsvg-convert, xmllint or chromium are skipped only when the tool is absent."""

import re
import shutil
import struct
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ET
import zlib
from math import isfinite

from vortale_e2e import TESTS, executer

RACINE = TESTS.parent
SVG = "{http://www.w3.org/2000/svg}"
GROUPES = ["poutre", "fleche", "pente", "effort-tranchant", "moment-flechissant"]
COLONNE = {"fleche": 1, "pente": 2, "effort-tranchant": 3, "moment-flechissant": 4}

# Three spans clamped at every node, -1E308 N/m on the middle one: its deflection, slope, shear
# and moment overflow (Inf, NaN) while the outer spans stay finite.
NON_FINI = (b"Charge demesuree\r\n$deb\r\n$noe\r\n4\r\n0\r\n1\r\n5\r\n6\r\n$ele\r\n3\r\n"
            b"1 2 2.1E11 8.36E-6\r\n2 3 2.1E11 8.36E-6\r\n3 4 2.1E11 8.36E-6\r\n$lia\r\n4\r\n"
            b"3 1\r\n3 2\r\n3 3\r\n3 4\r\n$cha\r\n1\r\n2 2 -1E308\r\n$fin\r\n")

MODELES = {  # name: data file
    "poutre": (RACINE / "examples" / "poutre.txt").read_bytes(),
    "console": (TESTS / "vecteurs" / "cantilever" / "c.txt").read_bytes(),
    "travees": (TESTS / "vecteurs" / "two-spans" / "t.txt").read_bytes(),
    "grand": (RACINE / "examples" / "grand.txt").read_bytes(),
    "nonfini": NON_FINI,
}


def lignes_graphes(rapport):
    """The report's graph rows, as their five texts: x, deflection, slope, Ty, Mfz."""
    texte = rapport.decode("cp1252")
    section = texte[texte.index("Graphes \u00e9l\u00e9mentaires :"):]
    rangs = []
    for ligne in section.split("\r\n"):
        champs = ligne.split()
        if len(champs) == 5 and champs[0] != "x(m)":
            rangs.append(champs)
    return rangs


def pixels_png(png):
    """Width, height and the rows of a PNG of 8-bit channels, its filters undone."""
    largeur = hauteur = canaux = 0
    donnees = b""
    pos = 8
    while pos < len(png):
        longueur, genre = struct.unpack(">I4s", png[pos:pos + 8])
        corps = png[pos + 8:pos + 8 + longueur]
        pos += 12 + longueur
        if genre == b"IHDR":
            largeur, hauteur, profondeur, couleur = struct.unpack(">IIBB", corps[:10])
            assert profondeur == 8, profondeur
            canaux = {0: 1, 2: 3, 4: 2, 6: 4}[couleur]
        elif genre == b"IDAT":
            donnees += corps
    brut = zlib.decompress(donnees)
    pas = largeur * canaux
    rangs, precedent = [], bytearray(pas)
    for y in range(hauteur):
        filtre = brut[y * (pas + 1)]
        rang = bytearray(brut[y * (pas + 1) + 1:(y + 1) * (pas + 1)])
        for i in range(pas):
            a = rang[i - canaux] if i >= canaux else 0
            b = precedent[i]
            c = precedent[i - canaux] if i >= canaux else 0
            if filtre == 1:
                rang[i] = (rang[i] + a) & 255
            elif filtre == 2:
                rang[i] = (rang[i] + b) & 255
            elif filtre == 3:
                rang[i] = (rang[i] + (a + b) // 2) & 255
            elif filtre == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                rang[i] = (rang[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rangs.append(bytes(rang))
        precedent = rang
    return largeur, hauteur, canaux, rangs


def verifier_image(test, png):
    """A drawing, not a blank page: many colours, and ink on at least 2 % of the pixels."""
    largeur, hauteur, canaux, rangs = pixels_png(png)
    couleurs, encre = set(), 0
    for rang in rangs:
        for i in range(0, len(rang), canaux):
            pixel = rang[i:i + min(canaux, 3)]
            couleurs.add(pixel)
            encre += min(pixel) < 200
    test.assertGreater(len(couleurs), 20)
    test.assertGreater(encre, 0.02 * largeur * hauteur)


class Dessin(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.runs = {nom: executer({nom + ".txt": donnees}, b"", arguments=["--svg", nom],
                                  visionneuse_attendue=False)
                    for nom, donnees in MODELES.items()}

    def pages(self):
        """(name, run, parsed page) of every model."""
        return [(nom, r, ET.fromstring(r.fichiers[nom + "r.svg"])) for nom, r in self.runs.items()]

    def test_contrat_de_la_ligne_de_commande(self):
        for nom, r in self.runs.items():
            with self.subTest(nom):
                self.assertEqual(r.code, 0, r.stderr)
                self.assertEqual(sorted(r.fichiers), [nom + ".txt", nom + "r.svg", nom + "r.txt"])
                self.assertIsNone(r.visionneuse)  # no viewer without --view

    def test_xml_bien_forme_et_cinq_panneaux(self):
        xmllint = shutil.which("xmllint")
        for nom, r, racine in self.pages():
            with self.subTest(nom):
                self.assertEqual((racine.tag, racine.get("version")), (SVG + "svg", "1.1"))
                ids = [g.get("id") for g in racine.iter(SVG + "g")]
                self.assertEqual([i for i in ids if i in GROUPES], GROUPES)
                if xmllint:
                    proc = subprocess.run([xmllint, "--noout", "-"],
                                          input=r.fichiers[nom + "r.svg"], capture_output=True)
                    self.assertEqual(proc.returncode, 0, proc.stderr)

    def test_aucune_valeur_non_finie_dans_les_attributs(self):
        for nom, _, racine in self.pages():
            with self.subTest(nom):
                for element in racine.iter():
                    for attribut, valeur in element.attrib.items():
                        self.assertIsNone(re.search(r"nan|inf", valeur, re.I), (attribut, valeur))

    def test_extremes_avec_le_texte_du_rapport(self):
        # Each diagram labels its largest and smallest values (one label when they are equal), the
        # exact extremes of the beam, with the report's field for the value and its abscissa: a
        # graph row holds that pair, or the value lies beyond every row's (an extreme between
        # rows, where the curve is stationary) and within the beam. A column holding a value that
        # is not finite makes its panel say so.
        for nom, r, racine in self.pages():
            rangs = lignes_graphes(r.fichiers[nom + "r.txt"])
            abscisses = [float(rang[0]) for rang in rangs]
            for groupe in racine.iter(SVG + "g"):
                if groupe.get("id") not in COLONNE:
                    continue
                with self.subTest(nom, panneau=groupe.get("id")):
                    textes = [(rang[0], rang[COLONNE[groupe.get("id")]]) for rang in rangs]
                    finies = [float(v) for _, v in textes if isfinite(float(v))]
                    self.assertEqual(any(t.text == "valeurs non finies"
                                         for t in groupe.iter(SVG + "text")),
                                     len(finies) < len(textes))
                    ecrits = {t.get("class"): t.text for t in groupe.iter(SVG + "text")
                              if t.get("class")}
                    if "max min" in ecrits:
                        self.assertEqual(max(finies), min(finies))
                        ecrits["max"] = ecrits["min"] = ecrits["max min"]
                    for sens, plus in (("max", max), ("min", min)):
                        valeur, x = re.fullmatch(r"(?:max = min =|max|min) (\S+) \(x = (\S+)\)",
                                                 ecrits[sens]).groups()
                        if (x, valeur) not in textes:
                            self.assertEqual(plus(float(valeur), plus(finies)), float(valeur),
                                             ecrits[sens])
                            self.assertTrue(min(abscisses) <= float(x) <= max(abscisses), x)
                        else:
                            self.assertEqual(float(valeur), plus(finies), ecrits[sens])

    @unittest.skipUnless(shutil.which("rsvg-convert"), "rsvg-convert (librsvg2-bin) absent")
    def test_rendu_librsvg(self):
        for nom, r in self.runs.items():
            with self.subTest(nom):
                proc = subprocess.run(["rsvg-convert", "-w", "560", "-f", "png"],
                                      input=r.fichiers[nom + "r.svg"], capture_output=True,
                                      timeout=60)
                self.assertEqual(proc.returncode, 0, proc.stderr)
                verifier_image(self, proc.stdout)

    @unittest.skipUnless(shutil.which("chromium"), "chromium absent")
    def test_rendu_chromium(self):
        with tempfile.TemporaryDirectory() as dossier:
            page = f"{dossier}/poutrer.svg"
            image = f"{dossier}/poutrer.png"
            with open(page, "wb") as f:
                f.write(self.runs["poutre"].fichiers["poutrer.svg"])
            subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu",
                            "--disable-quic", "--no-first-run", "--disable-background-networking",
                            "--disable-component-update", "--disable-sync",
                            f"--user-data-dir={dossier}/profil", f"--screenshot={image}",
                            "--window-size=1123,794", "--hide-scrollbars", "file://" + page],
                           capture_output=True, timeout=120)
            with open(image, "rb") as f:
                verifier_image(self, f.read())

    def test_image_du_readme_a_jour(self):
        self.assertEqual((RACINE / "docs" / "poutrer.svg").read_bytes(),
                         self.runs["poutre"].fichiers["poutrer.svg"],
                         "regenerate it: (cd examples && vortale --svg poutre) "
                         "&& mv examples/poutrer.svg docs/")


if __name__ == "__main__":
    unittest.main()
