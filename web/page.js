// The page: a data-file editor, and the program run on it in memory at each "Calculer".
//
// Each run writes NAME.txt (the editor's text in Windows-1252) into an empty folder of the
// program's in-memory file system, runs the command-line mode `vortale --svg --json -- NAME.txt`
// there (vortale_calculer), reads back the report NAMEr.txt and the drawing NAMEr.svg, and empties
// the folder again: nothing is kept from one run to the next. The run's standard output is its JSON
// object (UTF-8, whatever the console), offered as NAMEr.json, whose summary line the page shows;
// the lines that the run writes on its standard error stream are its diagnostics,
// "NAME.txt:LINE: message" or "NAME.txt: message". The program's console is Windows-1252, like
// the Windows console it was made for: the name is given to it in Windows-1252, and the
// diagnostics are read back the same way.
//
// A link ?nom=NAME&donnees=TEXT (TEXT percent-encoded UTF-8) loads that beam and runs it once.
"use strict";

const DOSSIER = "/travail";  // the run's folder in the in-memory file system
const NOM_PAR_DEFAUT = "poutre";

const $ = (id) => document.getElementById(id);
const editeur = $("donnees");
const numeros = $("numeros");
const champNom = $("nom");
const menuExemples = $("exemple");
const boutonCalculer = $("calculer");
const etat = $("etat");

// ---------------------------------------------------------------------------------------------
// Windows-1252
// ---------------------------------------------------------------------------------------------

// The browser decodes Windows-1252; the encoder is the decoder's table of the 256 bytes turned
// round. Every byte decodes to one character of the basic plane.
const decodeur1252 = new TextDecoder("windows-1252");
const octetDuCaractere = new Map();
{
  const octets = new Uint8Array(256).map((_, i) => i);
  const caracteres = decodeur1252.decode(octets);
  for (let i = 0; i < 256; i++) octetDuCaractere.set(caracteres.charCodeAt(i), i);
}

// The text as a Windows-1252 file would hold it: a character outside the set becomes "?".
function en1252(texte) {
  const octets = [];
  for (const caractere of texte) {
    const octet = octetDuCaractere.get(caractere.codePointAt(0));
    octets.push(octet === undefined ? 0x3f : octet);
  }
  return Uint8Array.from(octets);
}

const ascii = (texte) => Uint8Array.from(texte, (c) => c.charCodeAt(0));

function concatener(...morceaux) {
  const tout = new Uint8Array(morceaux.reduce((n, m) => n + m.length, 0));
  let position = 0;
  for (const morceau of morceaux) {
    tout.set(morceau, position);
    position += morceau.length;
  }
  return tout;
}

// ---------------------------------------------------------------------------------------------
// The program
// ---------------------------------------------------------------------------------------------

let programme = null;  // the WebAssembly module, once loaded
let octetsSortie = [];  // the run's standard output, byte by byte
let octetsErreur = [];  // its standard error stream

function chargerProgramme() {
  return CreerVortale({
    stdin: () => null,  // nothing is ever typed: an immediate end of file
    stdout: (octet) => octetsSortie.push(octet),
    stderr: (octet) => octetsErreur.push(octet),
    // A Windows-1252 console: the environment names no UTF-8 locale.
    preRun: [(module) => { module.ENV.LANG = "fr_FR.CP1252"; }],
  }).then((module) => {
    module.FS.mkdir(DOSSIER);
    module.FS.chdir(DOSSIER);
    programme = module;
  });
}

// The program opens its files by the bytes of their names, and the file system decodes those as
// UTF-8; the page names the files through the same decoder, so that both mean the same file
// whatever bytes the name holds: the data file, the report and the drawing of a name.
function fichiersDuNom(octetsNom) {
  const nomFichier = (suffixe) =>
      programme.UTF8ArrayToString(concatener(octetsNom, ascii(suffixe), [0]), 0);
  return {donnees: nomFichier(".txt"), rapport: nomFichier("r.txt"), dessin: nomFichier("r.svg")};
}

function viderDossier() {
  for (const nom of programme.FS.readdir(DOSSIER)) {
    if (nom !== "." && nom !== "..") programme.FS.unlink(DOSSIER + "/" + nom);
  }
}

function lireFichier(cheminFichier) {
  const trouve = programme.FS.analyzePath(cheminFichier);
  return trouve.exists ? programme.FS.readFile(cheminFichier) : null;
}

// The lines of a console stream, without their line ends.
function lignes(octets) {
  const texte = decodeur1252.decode(Uint8Array.from(octets)).replace(/\r?\n$/, "");
  return texte === "" ? [] : texte.split(/\r?\n/);
}

// One run of `vortale --svg --json -- NAME.txt` on the data bytes: {code, rapport, dessin, json,
// objet, erreurs, duree}; rapport and dessin are the files' bytes, or null when the run wrote none;
// json is the standard output's bytes, the run's JSON object on one line, and objet that object.
function executer(octetsNom, octetsDonnees) {
  const fichiers = fichiersDuNom(octetsNom);
  const debut = performance.now();
  viderDossier();
  programme.FS.writeFile(DOSSIER + "/" + fichiers.donnees, octetsDonnees);
  octetsSortie = [];
  octetsErreur = [];
  const code = programme.ccall("vortale_calculer", "number", ["array"],
                               [concatener(octetsNom, ascii(".txt"), [0])]);
  const resultat = {
    code: code,
    rapport: lireFichier(DOSSIER + "/" + fichiers.rapport),
    dessin: lireFichier(DOSSIER + "/" + fichiers.dessin),
    json: Uint8Array.from(octetsSortie),
    objet: JSON.parse(new TextDecoder("utf-8").decode(Uint8Array.from(octetsSortie))),
    erreurs: lignes(octetsErreur),
  };
  viderDossier();
  resultat.duree = performance.now() - debut;
  return resultat;
}

// ---------------------------------------------------------------------------------------------
// A run from the page
// ---------------------------------------------------------------------------------------------

let liensTelechargement = [];  // the object URLs of the last run's downloads

// Why a name cannot name a file of the folder, or "" when it can. Some bytes of Windows-1252
// text, read as UTF-8 by the file system, can even make a "/" ("Ào"): such a name is refused too.
function refusNom(nom) {
  if (nom === "") return "Donnez un nom de fichier.";
  if (nom.includes("/")) return "Le nom ne peut pas contenir « / ».";
  if (nom.includes("\0")) return "Le nom ne peut pas contenir de caractère nul.";
  const fichiers = Object.values(fichiersDuNom(en1252(nom)));
  if (fichiers.some((f) => f.includes("/") || f.includes("\0"))) {
    return "Ce nom ne peut pas nommer un fichier ici : choisissez-en un autre.";
  }
  return "";
}

function calculer() {
  if (programme === null) return;
  const nom = champNom.value;
  const refus = refusNom(nom);
  $("erreur-nom").textContent = refus;
  champNom.setAttribute("aria-invalid", refus ? "true" : "false");
  if (refus) {
    champNom.focus();
    return;
  }
  const octetsNom = en1252(nom);
  const nomAffiche = decodeur1252.decode(octetsNom);
  let resultat;
  try {
    resultat = executer(octetsNom, en1252(editeur.value));
  } catch (erreur) {
    // A failure the program does not foresee: a fresh module for the next run.
    afficher(nomAffiche, {code: -1, rapport: null, dessin: null, json: null, objet: null,
                          erreurs: ["Erreur interne du programme : " + erreur], duree: 0});
    programme = null;
    boutonCalculer.disabled = true;
    chargerProgramme().then(() => { boutonCalculer.disabled = false; });
    return;
  }
  afficher(nomAffiche, resultat);
}

const ISSUES = {
  0: "rapport complet",
  1: "rapport incomplet",
  2: "erreur d'utilisation",
};

function afficher(nom, r) {
  $("rapport").textContent =
      r.rapport ? decodeur1252.decode(r.rapport).replace(/\r\n/g, "\n") : "";
  afficherDessin(r.dessin);
  afficherDiagnostics(nom + ".txt", r.erreurs);
  preparerTelechargements(nom, r);
  const duree = r.duree.toLocaleString("fr-FR", {maximumFractionDigits: 1});
  const issue = ISSUES[r.code] || "erreur interne";
  etat.textContent = nom + ".txt : " + issue + (r.rapport ? "" : ", aucun rapport") +
      " (calcul en " + duree + " ms).";
  $("resume").textContent = r.objet && r.objet.resume ? r.objet.resume : "";
  etat.dataset.code = r.code;
  etat.dataset.dureeMs = r.duree.toFixed(3);
  etat.dataset.calculs = Number(etat.dataset.calculs || 0) + 1;
}

function afficherDessin(octets) {
  const zone = $("dessin");
  zone.replaceChildren();
  if (!octets) return;
  const document_svg = new DOMParser().parseFromString(new TextDecoder("utf-8").decode(octets),
                                                       "image/svg+xml");
  const racine = document_svg.documentElement;
  if (racine.localName === "svg" && !document_svg.querySelector("parsererror")) {
    zone.append(document.importNode(racine, true));
  } else {
    zone.textContent = "Le dessin n'a pas pu être lu.";
  }
}

// Each line becomes an item; one that names a line of the data file is a button that puts the
// editor's cursor on that line.
function afficherDiagnostics(nomDonnees, lignes) {
  const liste = $("diagnostics");
  liste.replaceChildren();
  for (const ligne of lignes) {
    if (ligne === "") continue;
    const item = document.createElement("li");
    const numero = ligne.startsWith(nomDonnees + ":")
        ? /^(\d+):/.exec(ligne.slice(nomDonnees.length + 1)) : null;
    if (numero) {
      const bouton = document.createElement("button");
      bouton.type = "button";
      bouton.className = "diagnostic";
      bouton.textContent = ligne;
      bouton.dataset.ligne = numero[1];
      bouton.addEventListener("click", () => allerALaLigne(Number(numero[1])));
      item.append(bouton);
    } else {
      item.textContent = ligne;
    }
    liste.append(item);
  }
}

function preparerTelechargements(nom, r) {
  for (const url of liensTelechargement) URL.revokeObjectURL(url);
  liensTelechargement = [];
  const telechargement = (id, octets, nomFichier, type) => {
    const lien = $(id);
    if (octets) {
      const url = URL.createObjectURL(new Blob([octets], {type: type}));
      liensTelechargement.push(url);
      lien.href = url;
      lien.download = nomFichier;
      lien.classList.remove("inactif");
      lien.removeAttribute("aria-disabled");
      lien.title = nomFichier;
    } else {
      lien.removeAttribute("href");
      lien.removeAttribute("download");
      lien.classList.add("inactif");
      lien.setAttribute("aria-disabled", "true");
      lien.removeAttribute("title");
    }
  };
  telechargement("telecharger-rapport", r.rapport, nom + "r.txt", "text/plain;charset=windows-1252");
  telechargement("telecharger-dessin", r.dessin, nom + "r.svg", "image/svg+xml");
  telechargement("telecharger-json", r.json, nom + "r.json", "application/json");
}

// ---------------------------------------------------------------------------------------------
// The editor
// ---------------------------------------------------------------------------------------------

function numeroterLignes() {
  const nombre = editeur.value.split("\n").length;
  let texte = "";
  for (let i = 1; i <= nombre; i++) texte += i + "\n";
  numeros.textContent = texte + "\n";  // room for the editor's horizontal scroll bar
  numeros.scrollTop = editeur.scrollTop;
}

function allerALaLigne(numero) {
  const lignes = editeur.value.split("\n");
  let debut = 0;
  for (let i = 0; i < numero - 1 && i < lignes.length - 1; i++) debut += lignes[i].length + 1;
  editeur.focus();
  editeur.setSelectionRange(debut, debut);
  const hauteurLigne = parseFloat(getComputedStyle(editeur).lineHeight);
  editeur.scrollTop = Math.max(0, (numero - 1) * hauteurLigne - editeur.clientHeight / 3);
  numeros.scrollTop = editeur.scrollTop;
}

function chargerTexte(nom, texte) {
  champNom.value = nom;
  editeur.value = texte;
  numeroterLignes();
}

// ---------------------------------------------------------------------------------------------
// Links
// ---------------------------------------------------------------------------------------------

// The link of the beam in the editor: this page with ?nom=...&donnees=..., percent-encoded UTF-8,
// a blank as %20 and a plus sign as %2B, which every reader of queries takes the same way.
function lienActuel() {
  const encoder = (texte) => encodeURIComponent(texte.toWellFormed ? texte.toWellFormed() : texte);
  return location.href.replace(/[?#].*$/, "") + "?nom=" + encoder(champNom.value) +
      "&donnees=" + encoder(editeur.value);
}

// The query's parameters, decoded as HTML forms, URLSearchParams and Python's urlencode write them:
// a "+" is a blank, "%2B" a plus sign (2.1E+11). Null when malformed.
function parametres() {
  const valeurs = {};
  try {
    for (const morceau of location.search.slice(1).split("&")) {
      if (morceau === "") continue;
      const egal = morceau.indexOf("=");
      const cle = egal < 0 ? morceau : morceau.slice(0, egal);
      const decoder = (texte) => decodeURIComponent(texte.replace(/\+/g, " "));
      valeurs[decoder(cle)] = egal < 0 ? "" : decoder(morceau.slice(egal + 1));
    }
  } catch (erreur) {
    return null;
  }
  return valeurs;
}

function copierLien() {
  const lien = lienActuel();
  const champ = $("texte-lien");
  champ.value = lien;
  $("zone-lien").hidden = false;
  const message = $("message-lien");
  const montrer = () => {
    champ.focus();
    champ.select();
    message.textContent = "Copiez ce lien (Ctrl+C).";
  };
  if (navigator.clipboard && window.isSecureContext) {
    navigator.clipboard.writeText(lien).then(
        () => { message.textContent = "Lien copié dans le presse-papiers."; }, montrer);
  } else {
    montrer();
  }
}

// ---------------------------------------------------------------------------------------------
// Start
// ---------------------------------------------------------------------------------------------

function remplirExemples() {
  const noms = Object.keys(EXEMPLES);
  noms.sort((a, b) => (a === NOM_PAR_DEFAUT ? -1 : b === NOM_PAR_DEFAUT ? 1 : a.localeCompare(b)));
  for (const nom of noms) menuExemples.append(new Option(nom + ".txt", nom));
  menuExemples.addEventListener("change", () => {
    chargerTexte(menuExemples.value, EXEMPLES[menuExemples.value]);
    calculer();
  });
}

function demarrer() {
  remplirExemples();
  const valeurs = parametres();
  let message = "";
  if (valeurs && valeurs.donnees !== undefined) {
    chargerTexte(valeurs.nom !== undefined ? valeurs.nom : NOM_PAR_DEFAUT, valeurs.donnees);
    menuExemples.selectedIndex = -1;
  } else {
    if (valeurs === null) message = "Le lien est mal formé : l'exemple est chargé à sa place. ";
    chargerTexte(NOM_PAR_DEFAUT, EXEMPLES[NOM_PAR_DEFAUT]);
  }
  editeur.addEventListener("input", numeroterLignes);
  editeur.addEventListener("scroll", () => { numeros.scrollTop = editeur.scrollTop; });
  boutonCalculer.addEventListener("click", calculer);
  $("lien").addEventListener("click", copierLien);
  document.addEventListener("keydown", (evenement) => {
    if (evenement.key === "Enter" && (evenement.ctrlKey || evenement.metaKey)) {
      evenement.preventDefault();
      calculer();
    }
  });
  chargerProgramme().then(() => {
    boutonCalculer.disabled = false;
    calculer();
    if (message) etat.textContent = message + etat.textContent;
  }, (erreur) => {
    etat.textContent = "Le programme n'a pas pu être chargé : " + erreur;
  });
}

demarrer();
