"""The page in a real browser: headless Chromium, driven through its DevTools protocol on a pipe,
opens the page that web/build.sh built, from file:// with no network.

Every reference run of tests/vecteurs that writes a report, and every example, is opened as a
link ?nom=NAME&donnees=TEXT; the report the page shows (CR LF, Windows-1252) and the two files it
offers for download must be the bytes of the native program, its diagnostics the lines that
`vortale --svg NAME` writes on stderr, its drawing the five groups of the SVG.

Environment: VORTALE_PAGE, the folder holding the built index.html; VORTALE_BIN, the native program
built from the same sources; CHROMIUM, the browser (default: chromium)."""

import base64
import json
import os
import pathlib
import select
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

TESTS = pathlib.Path(__file__).resolve().parent.parent
RACINE = TESTS.parent
PAGE = pathlib.Path(os.environ.get("VORTALE_PAGE", RACINE / "build-web" / "page")).resolve()
BIN = os.path.abspath(os.environ.get("VORTALE_BIN", RACINE / "build" / "vortale"))
CHROMIUM = os.environ.get("CHROMIUM", "chromium")

DRAPEAUX = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--remote-debugging-pipe"]

GROUPES_DESSIN = ["poutre", "fleche", "pente", "effort-tranchant", "moment-flechissant"]

# The line of the data file that the diagnostic of a failing reference run names, read in its data
# file: where the malformed number stands, or the refused element.
LIGNE_DIAGNOSTIC = {
    "invalid-number": 5,  # b.txt line 5: "2,5"
    "iz-too-small": 9,  # z.txt line 9: element 1, Iz = 1e-13
    "negative-length": 9,  # z.txt line 9: element 1 from node 2 to node 1
    "zero-length": 9,  # z.txt line 9: element 1 shorter than 1e-6 m
    "too-many-nodes": 3,  # m.txt line 3: the count 51
}


class Chromium:
    """One headless Chromium and one page in it. Commands go out on the browser's fd 3 and answers
    and events come back on its fd 4, each a JSON text ended by a NUL byte. Every event is kept:
    console calls, exceptions, log entries and network requests are checked by the tests."""

    def __init__(self):
        self.profil = tempfile.mkdtemp(prefix="vortale-chromium-")
        commandes, self.ecriture = os.pipe()
        self.lecture, reponses = os.pipe()

        def tuyaux():  # in the child, before exec: the protocol's two pipes at fds 3 and 4
            os.dup2(commandes, 3)
            os.dup2(reponses, 4)
            os.set_inheritable(3, True)
            os.set_inheritable(4, True)

        self.processus = subprocess.Popen(
            [CHROMIUM, *DRAPEAUX, "--user-data-dir=" + self.profil, "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            close_fds=False, preexec_fn=tuyaux)
        os.close(commandes)
        os.close(reponses)
        self.tampon = b""
        self.numero = 0
        self.session = None
        self.evenements = []
        cible = self.commande("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.commande("Target.attachToTarget", targetId=cible,
                                     flatten=True)["sessionId"]
        for domaine in ("Page", "Runtime", "Log", "Network"):
            self.commande(domaine + ".enable")

    def fermer(self):
        self.processus.kill()
        self.processus.wait()
        os.close(self.lecture)
        os.close(self.ecriture)
        shutil.rmtree(self.profil, ignore_errors=True)

    def _message(self, echeance):
        while b"\0" not in self.tampon:
            reste = echeance - time.monotonic()
            if reste <= 0 or not select.select([self.lecture], [], [], reste)[0]:
                raise TimeoutError("no answer from chromium")
            morceau = os.read(self.lecture, 1 << 20)
            if not morceau:
                raise EOFError("chromium ended")
            self.tampon += morceau
        message, _, self.tampon = self.tampon.partition(b"\0")
        return json.loads(message)

    def commande(self, methode, **parametres):
        self.numero += 1
        envoi = {"id": self.numero, "method": methode, "params": parametres}
        if self.session:
            envoi["sessionId"] = self.session
        donnees = json.dumps(envoi).encode() + b"\0"
        while donnees:
            donnees = donnees[os.write(self.ecriture, donnees):]
        echeance = time.monotonic() + 30
        while True:
            message = self._message(echeance)
            if message.get("id") == self.numero:
                if "error" in message:
                    raise RuntimeError(f"{methode}: {message['error']}")
                return message.get("result", {})
            self.evenements.append(message)

    def evaluer(self, expression):
        """The value of a JavaScript expression in the page, promises awaited."""
        r = self.commande("Runtime.evaluate", expression=expression, returnByValue=True,
                          awaitPromise=True)
        if "exceptionDetails" in r:
            raise RuntimeError(r["exceptionDetails"])
        return r["result"].get("value")

    def attendre(self, expression, delai=30):
        echeance = time.monotonic() + delai
        while time.monotonic() < echeance:
            try:
                valeur = self.evaluer(expression)
            except RuntimeError:  # the document is being replaced
                valeur = None
            if valeur:
                return valeur
            time.sleep(0.02)
        raise TimeoutError(expression)

    def ouvrir(self, url):
        """Opens the page and waits for its first run."""
        self.evaluer("window.pageQuittee = true")
        self.commande("Page.navigate", url=url)
        return self.attendre("!window.pageQuittee && document.getElementById('etat').dataset.calculs")

    def touche_entree_ctrl(self):
        for genre in ("rawKeyDown", "keyUp"):
            self.commande("Input.dispatchKeyEvent", type=genre, modifiers=2, key="Enter",
                          code="Enter", windowsVirtualKeyCode=13)

    def problemes(self):
        """Console calls, uncaught exceptions, error log entries, and requests that would leave the
        machine: the page must have none."""
        vus = []
        for e in self.evenements:
            methode, p = e.get("method"), e.get("params", {})
            if methode in ("Runtime.consoleAPICalled", "Runtime.exceptionThrown"):
                vus.append(json.dumps(p)[:300])
            elif methode == "Log.entryAdded" and p["entry"]["level"] == "error":
                vus.append(p["entry"]["text"])
            elif methode == "Network.requestWillBeSent":
                url = p["request"]["url"]
                if url.split(":", 1)[0] not in ("file", "data", "blob", "about"):
                    vus.append("network: " + url)
        return vus


# What the page shows, as JSON: its status, the report, the drawing's groups, the diagnostics, and
# the two downloads' names and bytes (base64), read back from their object URLs.
ETAT_PAGE = """(async () => {
  const octets = async (id) => {
    const lien = document.getElementById(id);
    if (!lien.href) return null;
    const contenu = new Uint8Array(await (await fetch(lien.href)).arrayBuffer());
    let binaire = "";
    for (const octet of contenu) binaire += String.fromCharCode(octet);
    return [lien.download, btoa(binaire)];
  };
  return {
    code: Number(document.getElementById("etat").dataset.code),
    duree: Number(document.getElementById("etat").dataset.dureeMs),
    rapport: document.getElementById("rapport").textContent,
    groupes: [...document.querySelectorAll("#dessin > svg g[id]")].map((g) => g.id),
    diagnostics: [...document.querySelectorAll("#diagnostics li")].map((li) => [li.textContent,
        li.querySelector("button") ? Number(li.querySelector("button").dataset.ligne) : null]),
    telechargementRapport: await octets("telecharger-rapport"),
    telechargementDessin: await octets("telecharger-dessin"),
    telechargementJson: await octets("telecharger-json"),
    resume: document.getElementById("resume").textContent,
  };
})()"""


def windows_1252(texte):
    """The text as Windows-1252 bytes, a character outside the set as "?", like the page."""
    return texte.encode("cp1252", "replace")


def natif(nom, donnees):
    """`vortale --svg --json -- NAME.txt` in a fresh folder holding NAME.txt, the name and the
    console in Windows-1252 as in the page: exit status, the report and the drawing (bytes, or
    None), the lines written on stderr and the JSON object's line (bytes)."""
    octets = windows_1252(nom)
    with tempfile.TemporaryDirectory() as dossier:
        dossier = pathlib.Path(dossier)
        (dossier / os.fsdecode(octets + b".txt")).write_bytes(donnees)
        env = {k: v for k, v in os.environ.items() if k not in ("LC_ALL", "LC_CTYPE")}
        env.update(LANG="fr_FR.CP1252", VORTALE_VIEWER="")
        r = subprocess.run([BIN, "--svg", "--json", "--", octets + b".txt"], cwd=dossier, env=env, capture_output=True,
                           stdin=subprocess.DEVNULL, timeout=60)
        lire = lambda chemin: chemin.read_bytes() if chemin.exists() else None
        return (r.returncode, lire(dossier / os.fsdecode(octets + b"r.txt")),
                lire(dossier / os.fsdecode(octets + b"r.svg")),
                r.stderr.decode("cp1252").splitlines(), r.stdout)


def cas():
    """(case, name, data bytes, expected report bytes): every reference run that writes a report,
    its expected report beside it; then every example, and the worked example under names with
    accents, a character outside Windows-1252, a leading dash or a ".TXT" of their own, their reports
    made by the native program."""
    liste = []
    for dossier in sorted(p for p in (TESTS / "vecteurs").iterdir() if p.is_dir()):
        nom = (dossier / "stdin").read_bytes().split(b"\n")[0].rstrip(b"\r").decode("cp1252")
        attendu = dossier / "expected" / (nom + "r.txt")
        if attendu.exists():
            liste.append((dossier.name, nom, (dossier / (nom + ".txt")).read_bytes(),
                          attendu.read_bytes()))
    for exemple in sorted((RACINE / "examples").glob("*.txt")):
        if exemple.stem.endswith("r") and exemple.with_name(exemple.stem[:-1] + ".txt").exists():
            continue  # a report left by a run of the examples
        donnees = exemple.read_bytes()
        liste.append(("examples/" + exemple.name, exemple.stem, donnees,
                      natif(exemple.stem, donnees)[1]))
    poutre = (RACINE / "examples" / "poutre.txt").read_bytes()
    for nom in ["-poutre-é€Ω", "poutre.TXT"]:  # an option's dash; an extension the run keeps
        liste.append((nom, nom, poutre, natif(nom, poutre)[1]))
    return liste


def lien(nom, texte):
    return (PAGE / "index.html").as_uri() + "?nom=" + urllib.parse.quote(nom, safe="") + \
        "&donnees=" + urllib.parse.quote(texte, safe="")


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not (PAGE / "index.html").exists():
            raise unittest.SkipTest(f"no page at {PAGE}: bash web/build.sh {PAGE}")
        cls.navigateur = Chromium()

    @classmethod
    def tearDownClass(cls):
        cls.navigateur.fermer()

    def tearDown(self):
        self.assertEqual(self.navigateur.problemes(), [])

    def test_chaque_rapport(self):
        liste = cas()
        self.assertGreater(len(liste), 2)
        for nom_cas, nom, donnees, rapport in liste:
            with self.subTest(cas=nom_cas):
                code, _, dessin, erreurs, objet = natif(nom, donnees)
                self.navigateur.ouvrir(lien(nom, donnees.decode("cp1252")))
                page = self.navigateur.evaluer(ETAT_PAGE)
                nom_fichier = windows_1252(nom).decode("cp1252")
                self.assertEqual(windows_1252(page["rapport"].replace("\n", "\r\n")), rapport)
                self.assertEqual(page["telechargementRapport"],
                                 [nom_fichier + "r.txt", base64.b64encode(rapport).decode()])
                self.assertEqual(page["code"], code)
                # The same object as the native program's, byte for byte: its numbers written
                # there by the library's shortest conversion, here by the page's own.
                self.assertEqual(page["telechargementJson"],
                                 [nom_fichier + "r.json", base64.b64encode(objet).decode()])
                self.assertEqual(page["resume"], json.loads(objet).get("resume", ""))
                self.assertEqual([texte for texte, _ in page["diagnostics"]], erreurs)
                if nom_cas in LIGNE_DIAGNOSTIC:
                    ligne = LIGNE_DIAGNOSTIC[nom_cas]
                    debut = f"{nom_fichier}.txt:{ligne}: "
                    self.assertTrue(any(texte.startswith(debut) and l == ligne
                                        for texte, l in page["diagnostics"]), page["diagnostics"])
                if dessin is None:
                    self.assertEqual((page["telechargementDessin"], page["groupes"]), (None, []))
                else:
                    self.assertEqual(page["telechargementDessin"],
                                     [nom_fichier + "r.svg", base64.b64encode(dessin).decode()])
                    self.assertEqual(sorted(set(GROUPES_DESSIN) - set(page["groupes"])), [])

    def test_liens_des_formulaires(self):
        """A link written as a form or Python's urlencode writes it (a blank as "+") runs as one
        written with %20: the same text, a complete report."""
        texte = (RACINE / "examples" / "poutre.txt").read_bytes().decode("cp1252")
        texte = texte.replace("\r\n", "\n")  # as the editor holds it
        texte = texte.replace("2.1E11", "2.1E+11")  # a plus sign that must stay one
        base = (PAGE / "index.html").as_uri() + "?"
        for lien_cas in [base + urllib.parse.urlencode({"nom": "p q", "donnees": texte}),
                         lien("p q", texte)]:
            with self.subTest(lien=lien_cas[len(base):len(base) + 20]):
                self.navigateur.ouvrir(lien_cas)
                page = self.navigateur.evaluer(ETAT_PAGE)
                self.assertEqual(self.navigateur.evaluer(
                    "[document.getElementById('nom').value, "
                    "document.getElementById('donnees').value]"), ["p q", texte])
                self.assertEqual(page["code"], 0)

    def test_edition_et_calculs_successifs(self):
        """A bad number, its diagnostic clicked; the link of the beam opened again; a refused name;
        then the largest model run with Ctrl+Enter, on the same page, its time measured there."""
        n = self.navigateur
        texte = "$deb\n$noe\n2\n0\n2,5\n$fin  \u00e9\u03a9+%&=\n"
        n.ouvrir(lien("b c", texte))
        n.evaluer("document.querySelector('#diagnostics button').click()")
        self.assertEqual(n.evaluer("[document.activeElement.id, document.getElementById('donnees')"
                                   ".selectionStart]"), ["donnees", len("$deb\n$noe\n2\n0\n")])

        n.evaluer("document.getElementById('lien').click()")
        n.ouvrir(n.attendre("document.getElementById('texte-lien').value"))
        self.assertEqual(n.evaluer("[document.getElementById('nom').value, "
                                   "document.getElementById('donnees').value]"), ["b c", texte])

        calculs = n.evaluer("document.getElementById('etat').dataset.calculs")
        for refuse in ["", "a/b", "a\0b", "\u00c0o"]:  # "Ào": bytes C0 6F, a "/" once read as UTF-8
            n.evaluer(f"document.getElementById('nom').value = {json.dumps(refuse)};"
                      "document.getElementById('calculer').click()")
            self.assertTrue(n.evaluer("document.getElementById('erreur-nom').textContent"), refuse)
        self.assertEqual(n.evaluer("document.getElementById('etat').dataset.calculs"), calculs)

        grand = (RACINE / "examples" / "grand.txt").read_bytes()
        n.evaluer(f"document.getElementById('nom').value = 'grand';"
                  f"document.getElementById('donnees').value = {json.dumps(grand.decode('cp1252'))};"
                  "document.getElementById('donnees').focus()")
        durees = []
        for _ in range(5):
            n.touche_entree_ctrl()
            calculs = str(int(calculs) + 1)
            n.attendre(f"document.getElementById('etat').dataset.calculs === '{calculs}'")
            page = n.evaluer(ETAT_PAGE)
            self.assertEqual((page["code"], page["diagnostics"]), (0, []))
            self.assertEqual(windows_1252(page["rapport"].replace("\n", "\r\n")),
                             natif("grand", grand)[1])
            durees.append(page["duree"])
        print(f"\nlargest model in the page: {', '.join(f'{d:.1f}' for d in durees)} ms",
              file=sys.stderr)
        self.assertLess(sorted(durees)[2], 100)


if __name__ == "__main__":
    unittest.main()
