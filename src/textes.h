// Every text the program shows or writes, in one place.
//
// The program speaks French in the single-byte Windows-1252 character set: accented letters are
// written as byte escapes (\xE9 = é, \xE8 = è, \xC9 = É) so that the bytes written are those of
// that set whatever the encoding of this source file or of the terminal. Line ends are added by the
// writers (CR LF), never held in these texts.
#pragma once

namespace Textes {

// Console: the banner, the prompt and the reader's element checks.
inline const char* const Banniere[] = {
    "",
    "  VORTALE SIMPLE D'UNE POUTRE DROITE",
    "  PAR LA METHODE DES ELEMENTS FINIS",
    "  (Mod\xE8le de Bernoulli)",
    "",
    "  vortale 1.0 - poutre droite en flexion simple",
    "",
};
inline const char* const Invite = "Nom du fichier ( sans extension ) ? ";
inline const char* const LongueurNulleDebut = "La longueur de l'\xE9l\xE9ment ";
inline const char* const LongueurNulleFin = " est nulle";
inline const char* const IzNulDebut = "Le moment quadratique Iz de l'\xE9l\xE9ment ";
inline const char* const IzNulFin = " est nulle";
// The reader's reference checks: "L'élément 2 relie le noeud 9, qui n'existe pas".
inline const char* const ElementRelie = "L'\xE9l\xE9ment ";
inline const char* const RelieLeNoeud = " relie le noeud ";
inline const char* const Liaison = "La liaison ";
inline const char* const Charge = "La charge ";
inline const char* const PorteSurLeNoeud = " porte sur le noeud ";
inline const char* const PorteSurLElement = " porte sur l'\xE9l\xE9ment ";
inline const char* const QuiNExistePas = ", qui n'existe pas";

// Data file: the extension of the data file and of the report, and the section keywords.
inline const char* const ExtensionDonnees = ".txt";
inline const char* const ExtensionRapport = "r.txt";
inline const char* const MotDebut = "$deb";
inline const char* const MotNoeuds = "$noe";
inline const char* const MotElements = "$ele";
inline const char* const MotLiaisons = "$lia";
inline const char* const MotCharges = "$cha";
inline const char* const MotFin = "$fin";

// Report: progress lines of the run, one per step, and the solver's failure.
inline const char* const LectureFichier = "Lecture du fichier : ";
inline const char* const AssemblageRigidite = "Assemblage de la matrice de rigidit\xE9";
inline const char* const AssemblageForces = "Assemblage du vecteur force global";
inline const char* const MiseEnPlaceLiaisons = "Mise en place des Liaisons";
inline const char* const CalculDeplacements = "Calcul des d\xE9placements inconnus";
inline const char* const PivotNul =
    "Le syst\xE8me est mal conditionn\xE9 : pivot n\xE9gatif ou nul";
inline const char* const CalculForces = "Calcul des forces \xE9l\xE9mentaires";
inline const char* const CalculActions = "Calcul des actions de liaison";

// Report: the results.
inline const char* const Titre = "Calcul d'une poutre droite";
inline const char* const NomDonnees =
    "Nom du fichier de donn\xE9"
    "es : ";
inline const char* const TitreNoeuds = "Noeuds :";
inline const char* const TitreElements = "\xC9l\xE9ments :";
inline const char* const TitreLiaisons = "Liaisons :";
inline const char* const TitreCharges = "Charges :";
inline const char* const TitreDeplacements = "D\xE9placements nodaux ( m , rad ):";
inline const char* const TitreEfforts = "Efforts dans les \xE9l\xE9ments ( N , N.m ) :";
inline const char* const TitreActions = "Actions de liaison ( N , N.m ) :";
inline const char* const TitreGraphes = "Graphes \xE9l\xE9mentaires :";

inline const char* const Noeud = "noeud ";
inline const char* const X = "  x = ";
inline const char* const Metre = " m";
inline const char* const ParenthOuvE = " ( ";
inline const char* const ParenthFermE = " )";
inline const char* const ModuleE = "  E = ";
inline const char* const UniteE = "E6 Pa   Iz = ";
inline const char* const UniteIz = " cm4";
inline const char* const FlecheNulle =
    "   fl\xE8"
    "che = 0";
inline const char* const PenteNulle = "   pente = 0";
inline const char* const Encastrement = "   encastrement";
inline const char* const Fy = "  Fy = ";
inline const char* const UniteFy = " N  ";
inline const char* const MzCharge = "  Mz = ";
inline const char* const UniteMz = " N.m";
inline const char* const Element = "\xE9l\xE9ment ";
inline const char* const Py = " : py = ";
inline const char* const UnitePy = " N/m";
inline const char* const EnteteNoeud = "Noeud";
inline const char* const EnteteFleche =
    "Fl\xE8"
    "che";
inline const char* const EntetePente = "Pente";
inline const char* const Ty = "    Ty = ";
inline const char* const Mfz = "  Mfz = ";
inline const char* const DeuxPoints = " : ";
inline const char* const Ry = "Ry = ";
inline const char* const MzApresRy = "  Mz = ";
inline const char* const MzSeul = "Mz = ";
inline const char* const TitreGraphe = "\xC9l\xE9ment ";
inline const char* const FinTitreGraphe = " :";
inline const char* const GrapheX = "x(m)";
inline const char* const GrapheFleche =
    "Fl\xE8"
    "che(m)";
inline const char* const GraphePente = "Pente(rad)";
inline const char* const GrapheTy = "Ty(N)";
inline const char* const GrapheMfz = "Mfz(N.m)";

// Drawing of a complete run (SVG). The drawing is UTF-8: it converts these Windows-1252 texts, as
// it converts the typed name, so that every text of the program stays in this one file and one set.
inline const char* const DessinPoutre =
    "Poutre : noeuds, \xE9l\xE9ments, liaisons (1 fl\xE8"
    "che = 0, 2 pente = 0, 3 encastrement), charges et actions de liaison";
inline const char* const DessinFleche =
    "Fl\xE8"
    "che v (m), positive vers le haut (+y)";
inline const char* const DessinPente =
    "Pente dv/dx (rad), positive dans le sens trigonom\xE9trique";
inline const char* const DessinTy =
    "Effort tranchant Ty (N) : action de la partie droite sur la partie gauche, positif vers le "
    "haut (+y)";
inline const char* const DessinMfz =
    "Moment fl\xE9"
    "chissant Mfz (N.m) : action de la partie droite sur la partie gauche, positif dans le sens "
    "trigonom\xE9trique";
inline const char* const DessinNonFinies = "valeurs non finies";
inline const char* const DessinMax = "max ";
inline const char* const DessinMin = "min ";
inline const char* const DessinMaxMin = "max = min = ";
inline const char* const DessinAbscisse = " (x = ";
inline const char* const DessinFinAbscisse = ")";
inline const char* const DessinAxe = "x (m)";
inline const char* const DessinFy = "Fy = ";
inline const char* const DessinPy = "py = ";
inline const char* const DessinN = " N";

// Run-time errors: the error's own words, written on the standard error stream.
inline const char* const SaisieNumeriqueInvalide = "Invalid numeric input";
inline const char* const HorsLimites = "Range check error";
inline const char* const ErreurES = "I/O error ";

// The command-line mode's diagnostics, "FICHIER:LIGNE: message". (A hex escape runs on through
// every hexadecimal digit that follows it: "\xE9" "cimal" keeps the c out of the escape.)
inline const char* const OuvertureImpossible = "ouverture impossible : ";
inline const char* const CreationImpossible =
    "cr\xE9"
    "ation du rapport impossible : ";
inline const char* const LectureImpossible = "lecture impossible : ";
inline const char* const EcritureImpossible =
    "\xE9"
    "criture du rapport impossible : ";
inline const char* const SansDebut =
    "pas de ligne \xAB $deb \xBB : les donn\xE9"
    "es commencent apr\xE8s une ligne $deb";
inline const char* const SansDebutMarqueUtf8 =
    "pas de ligne \xAB $deb \xBB : le fichier commence par une marque d'ordre des octets UTF-8, "
    "qui cache un $deb en premi\xE8re ligne ; enregistrez-le en Windows-1252 (ANSI)";
inline const char* const RienApresDebut = "rien apr\xE8s la ligne \xAB $deb \xBB";
inline const char* const AttenduCompte = "un nombre d'items (un entier) attendu";
inline const char* const AttenduEntier = "un entier attendu";
inline const char* const AttenduReel =
    "un r\xE9"
    "el attendu";
inline const char* const ReelTropGrand =
    "un r\xE9"
    "el d'au plus 1.7E308 en valeur absolue attendu";
inline const char* const AttenduLu = ", lu ";
inline const char* const GuillemetOuvrant = "\xAB ";
inline const char* const GuillemetFermant = " \xBB";
inline const char* const VirguleDecimale =
    " : le s\xE9parateur d\xE9"
    "cimal est le point (2.5, et non 2,5)";
inline const char* const CompteTropGrandDebut = "la section ";
inline const char* const CompteTropGrandMilieu = " annonce plus d'items que sa capacit\xE9 : ";
inline const char* const NoeudHorsCapacite = ", hors des noeuds 1 \xE0 50";
inline const char* const DepassementCapacite = "d\xE9passement de capacit\xE9 (Range check error)";
inline const char* const PivotDebut =
    "le syst\xE8me est mal conditionn\xE9 : pivot inf\xE9rieur \xE0 1E-10 au degr\xE9 de "
    "libert\xE9 ";
inline const char* const PivotFleche =
    " (fl\xE8"
    "che du noeud ";
inline const char* const PivotPente = " (pente du noeud ";
inline const char* const PivotFin =
    ") : la poutre n'est pas tenue (m\xE9"
    "canisme) ou sa rigidit\xE9 est trop faible";
inline const char* const RaisonIntrouvable = "fichier introuvable";
inline const char* const RaisonAccesRefuse = "acc\xE8s refus\xE9";
inline const char* const RaisonDossier = "c'est un dossier";
inline const char* const RaisonCheminDossier = "un \xE9l\xE9ment du chemin n'est pas un dossier";
inline const char* const RaisonNomTropLong = "nom trop long";
inline const char* const RaisonDisquePlein = "plus de place sur le disque";
inline const char* const RaisonLectureSeule = "syst\xE8me de fichiers en lecture seule";
inline const char* const RaisonNonOuvert = "fichier non ouvert";
inline const char* const RaisonErreurSysteme = "erreur syst\xE8me ";

// The command-line mode: its usage, its errors of use, and the summary of a complete run,
// "poutrer.txt : flèche max -0.019469 m en x = 2.500 m, Mfz max 15625.00 N.m en x = 2.500 m".
inline const char* const Programme = "vortale : ";
inline const char* const Version = "vortale 1.0";  // as the banner and the packages
inline const char* const Usage[] = {
    "Usage : vortale [OPTION]... FICHIER...",
    "Calcule la poutre d\xE9"
    "crite dans chaque FICHIER (FICHIER.txt ; le \xAB .txt \xBB peut \xEA"
    "tre",
    "omis) et \xE9"
    "crit son rapport FICHIERr.txt. Sans argument, vortale demande le nom du",
    "fichier (mode interactif).",
    "",
    "Options :",
    "  -h, --help     affiche cette aide et termine",
    "      --version  affiche la version et termine",
    "      --view     ouvre chaque rapport (et son dessin) dans la visionneuse",
    "      --svg      \xE9"
    "crit aussi le dessin FICHIERr.svg de chaque rapport complet",
    "      --         termine les options",
    "",
    "Apr\xE8s chaque rapport complet, une ligne de r\xE9sum\xE9 sur la sortie standard ; chaque",
    "\xE9"
    "chec, une ligne FICHIER:LIGNE: message sur la sortie d'erreur.",
    "Statut de sortie : 0 si chaque FICHIER a donn\xE9 un rapport complet, 1 sinon,",
    "2 pour une erreur d'usage.",
};
inline const char* const OptionInconnue = "option inconnue \xAB ";
inline const char* const SansFichier = "aucun FICHIER";
inline const char* const NomVide = "nom de fichier vide";
inline const char* const NomTropLong =
    "nom trop long : au plus 76 caract\xE8res sans \xAB .txt \xBB";
inline const char* const ResumeFleche =
    " : fl\xE8"
    "che max ";
inline const char* const ResumeMetreEnX = " m en x = ";
inline const char* const ResumeMoment = " m, Mfz max ";
inline const char* const ResumeNewtonMetreEnX = " N.m en x = ";
inline const char* const ResumeSansElement = " : aucun \xE9l\xE9ment";
inline const char* const ExtensionDessin = "r.svg";
inline const char* const EcritureDessinImpossible =
    "\xE9"
    "criture du dessin impossible : ";

}  // namespace Textes
