// Every text the program shows or writes, in one place.
//
// The program speaks French in the single-byte Windows-1252 character set: accented letters are
// written as octal byte escapes (\351 = é, \350 = è, \340 = à, \311 = É, \253 and \273 = « and »)
// so that the bytes written are those of that set whatever the encoding of this source file or of
// the terminal. An octal escape takes three digits at most, so it never swallows the letters after
// it, and each sentence stays one literal. A message with variable parts is one literal with
// place-holders %1, %2, ... that Remplir fills. Line ends are added by the writers (CR LF), never
// held in these texts.
#pragma once

#include <initializer_list>
#include <string>

// The model with %1 replaced by the first value, %2 by the second, and so on (at most 9); a "%"
// followed by anything else stays as it is.
std::string Remplir(const char* modele, std::initializer_list<std::string> valeurs);

namespace Textes {

// Console: the banner, the prompt and the reader's element checks.
inline const char* const Banniere[] = {
    "",
    "  VORTALE SIMPLE D'UNE POUTRE DROITE",
    "  PAR LA METHODE DES ELEMENTS FINIS",
    "  (Mod\350le de Bernoulli)",
    "",
    "  vortale 1.0 - poutre droite en flexion simple",
    "",
};
inline const char* const Invite = "Nom du fichier ( sans extension ) ? ";
inline const char* const LongueurNulle = "La longueur de l'\351l\351ment %1 est nulle";
inline const char* const IzNul = "Le moment quadratique Iz de l'\351l\351ment %1 est nulle";
// The reader's reference checks, once the data are read: %1 the item, %2 the number it names.
inline const char* const ElementSansNoeud =
    "L'\351l\351ment %1 relie le noeud %2, qui n'existe pas";
inline const char* const LiaisonSansNoeud = "La liaison %1 porte sur le noeud %2, qui n'existe pas";
inline const char* const ChargeSansNoeud = "La charge %1 porte sur le noeud %2, qui n'existe pas";
inline const char* const ChargeSansElement =
    "La charge %1 porte sur l'\351l\351ment %2, qui n'existe pas";

// Data file: the extension of the data file and of the report, and the section keywords.
inline const char* const ExtensionDonnees = ".txt";
inline const char* const ExtensionRapport = "r.txt";
inline const char* const MotDebut = "$deb";
inline const char* const MotNoeuds = "$noe";
inline const char* const MotElements = "$ele";
inline const char* const MotLiaisons = "$lia";
inline const char* const MotCharges = "$cha";
inline const char* const MotRessorts = "$res";
inline const char* const MotTassements = "$tas";
inline const char* const MotRotules = "$rot";
inline const char* const MotPonctuelles = "$pon";
inline const char* const MotTrapezes = "$tra";
inline const char* const MotFin = "$fin";

// Report: progress lines of the run, one per step, and the solver's failure.
inline const char* const LectureFichier = "Lecture du fichier : ";
inline const char* const AssemblageRigidite = "Assemblage de la matrice de rigidit\351";
inline const char* const AssemblageForces = "Assemblage du vecteur force global";
inline const char* const MiseEnPlaceLiaisons = "Mise en place des Liaisons";
inline const char* const CalculDeplacements = "Calcul des d\351placements inconnus";
inline const char* const PivotNul =
    "Le syst\350me est mal conditionn\351 : pivot n\351gatif ou nul";
inline const char* const CalculForces = "Calcul des forces \351l\351mentaires";
inline const char* const CalculActions = "Calcul des actions de liaison";

// Report: the results.
inline const char* const Titre = "Calcul d'une poutre droite";
inline const char* const NomDonnees = "Nom du fichier de donn\351es : ";
inline const char* const TitreNoeuds = "Noeuds :";
inline const char* const TitreElements = "\311l\351ments :";
inline const char* const TitreLiaisons = "Liaisons :";
inline const char* const TitreCharges = "Charges :";
inline const char* const TitreDeplacements = "D\351placements nodaux ( m , rad ):";
inline const char* const TitreEfforts = "Efforts dans les \351l\351ments ( N , N.m ) :";
inline const char* const TitreActions = "Actions de liaison ( N , N.m ) :";
inline const char* const TitreGraphes = "Graphes \351l\351mentaires :";

inline const char* const Noeud = "noeud ";
inline const char* const X = "  x = ";
inline const char* const Metre = " m";
inline const char* const ParenthOuvE = " ( ";
inline const char* const ParenthFermE = " )";
inline const char* const ModuleE = "  E = ";
inline const char* const UniteE = "E6 Pa   Iz = ";
inline const char* const UniteIz = " cm4";
inline const char* const FlecheNulle = "   fl\350che = 0";
inline const char* const PenteNulle = "   pente = 0";
inline const char* const Encastrement = "   encastrement";
inline const char* const Fy = "  Fy = ";
inline const char* const UniteFy = " N  ";
inline const char* const MzCharge = "  Mz = ";
inline const char* const UniteMz = " N.m";
inline const char* const Element = "\351l\351ment ";
inline const char* const Py = " : py = ";
inline const char* const UnitePy = " N/m";
// The extended model's lines in the report.
inline const char* const PonctuelleA = " : a = ";
inline const char* const PonctuelleFy = " m  Fy = ";
inline const char* const PonctuelleMz = " N  Mz = ";
inline const char* const TrapezeDe = " : de ";
inline const char* const TrapezeA = " \340 ";
inline const char* const TrapezeP = " m  p = ";
inline const char* const TitreRessorts = "Ressorts :";
inline const char* const Kv = "   Kv = ";
inline const char* const UniteKv = " N/m   Kr = ";
inline const char* const UniteKr = " N.m/rad";
inline const char* const TitreTassements = "Tassements :";
inline const char* const TassementFleche = "   fl\350che = ";
inline const char* const TassementPente = "   pente = ";
inline const char* const Radian = " rad";
inline const char* const TitreRotules = "Rotules :";
inline const char* const RotuleAuNoeud = "   rotule au noeud ";
inline const char* const RotulesAuxNoeuds = "   rotules aux noeuds ";
inline const char* const ActionRessort = "ressort noeud ";
inline const char* const EnteteNoeud = "Noeud";
inline const char* const EnteteFleche = "Fl\350che";
inline const char* const EntetePente = "Pente";
inline const char* const Ty = "    Ty = ";
inline const char* const Mfz = "  Mfz = ";
inline const char* const DeuxPoints = " : ";
inline const char* const Ry = "Ry = ";
inline const char* const MzApresRy = "  Mz = ";
inline const char* const MzSeul = "Mz = ";
inline const char* const TitreGraphe = "\311l\351ment ";
inline const char* const FinTitreGraphe = " :";
inline const char* const GrapheX = "x(m)";
inline const char* const GrapheFleche = "Fl\350che(m)";
inline const char* const GraphePente = "Pente(rad)";
inline const char* const GrapheTy = "Ty(N)";
inline const char* const GrapheMfz = "Mfz(N.m)";

// Drawing of a complete run (SVG). The drawing is UTF-8: it converts these Windows-1252 texts, as
// it converts the typed name, so that every text of the program stays in this one file and one set.
inline const char* const DessinPoutre =
    "Poutre : noeuds, \351l\351ments, liaisons (1 fl\350che = 0, 2 pente = 0, 3 encastrement), "
    "charges et actions de liaison";
inline const char* const DessinFleche = "Fl\350che v (m), positive vers le haut (+y)";
inline const char* const DessinPente =
    "Pente dv/dx (rad), positive dans le sens trigonom\351trique";
inline const char* const DessinTy =
    "Effort tranchant Ty (N) : action de la partie droite sur la partie gauche, positif vers le "
    "haut (+y)";
inline const char* const DessinMfz =
    "Moment fl\351chissant Mfz (N.m) : action de la partie droite sur la partie gauche, positif "
    "dans le sens trigonom\351trique";
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
inline const char* const DessinP = "p = ";
inline const char* const DessinKv = "Kv = ";
inline const char* const DessinUniteKv = " N/m";
inline const char* const DessinKr = "Kr = ";
// A settlement's value in the drawing. The drawing alone writes it, in UTF-8, the one text of
// this file that is not Windows-1252: that set has no delta (U+03B4, bytes CE B4).
inline const char* const DessinTassementUtf8 = "\316\264 = ";

// Run-time errors: the error's own words, written on the standard error stream.
inline const char* const SaisieNumeriqueInvalide = "Invalid numeric input";
inline const char* const HorsLimites = "Range check error";
inline const char* const ErreurES = "I/O error %1";

// The command-line mode's diagnostics, "FICHIER:LIGNE: message". A failed file operation: %1 the
// system's reason.
inline const char* const OuvertureImpossible = "ouverture impossible : %1";
inline const char* const CreationImpossible = "cr\351ation du rapport impossible : %1";
inline const char* const LectureImpossible = "lecture impossible : %1";
inline const char* const EcritureImpossible = "\351criture du rapport impossible : %1";
inline const char* const SansDebut =
    "pas de ligne \253 $deb \273 : les donn\351es commencent apr\350s une ligne $deb";
inline const char* const SansDebutMarqueUtf8 =
    "pas de ligne \253 $deb \273 : le fichier commence par une marque d'ordre des octets UTF-8, "
    "qui cache un $deb en premi\350re ligne ; enregistrez-le en Windows-1252 (ANSI)";
inline const char* const RienApresDebut = "rien apr\350s la ligne \253 $deb \273";
inline const char* const AttenduCompte = "un nombre d'items (un entier) attendu";
inline const char* const AttenduEntier = "un entier attendu";
inline const char* const AttenduReel = "un r\351el attendu";
inline const char* const ReelTropGrand = "un r\351el d'au plus 1.7E308 en valeur absolue attendu";
// A token that is not a number: %1 what was expected (one of the four above), %2 the token.
inline const char* const AttenduLu = "%1, lu \253 %2 \273";
inline const char* const AttenduLuVirgule =
    "%1, lu \253 %2 \273 : le s\351parateur d\351cimal est le point (2.5, et non 2,5)";
// %1 the section's keyword, %2 its capacity.
inline const char* const CompteTropGrand =
    "la section %1 annonce plus d'items que sa capacit\351 : %2";
// %1 the element, %2 the node.
inline const char* const NoeudHorsCapacite =
    "L'\351l\351ment %1 relie le noeud %2, hors des noeuds 1 \340 50";
inline const char* const DepassementCapacite = "d\351passement de capacit\351 (Range check error)";
// The solver's refusal: %1 the degree of freedom, %2 its node.
inline const char* const PivotFleche =
    "le syst\350me est mal conditionn\351 : pivot inf\351rieur \340 1E-10 au degr\351 de "
    "libert\351 %1 "
    "(fl\350che du noeud %2) : la poutre n'est pas tenue (m\351canisme) ou sa rigidit\351 est trop "
    "faible";
inline const char* const PivotPente =
    "le syst\350me est mal conditionn\351 : pivot inf\351rieur \340 1E-10 au degr\351 de "
    "libert\351 %1 "
    "(pente du noeud %2) : la poutre n'est pas tenue (m\351canisme) ou sa rigidit\351 est trop "
    "faible";
// The checks of the extended model's items: %1 the item, %2 the number it names, then its
// abscissae and its element's length (m).
inline const char* const RessortSansNoeud = "Le ressort %1 porte sur le noeud %2, qui n'existe pas";
inline const char* const RessortNegatif = "Le ressort %1 a une raideur n\351gative";
inline const char* const TassementCode =
    "Le tassement %1 a le code %2 : 1 (fl\350che) ou 2 (pente) attendu";
inline const char* const TassementSansNoeud =
    "Le tassement %1 porte sur le noeud %2, qui n'existe pas";
inline const char* const TassementFlecheLibre =
    "Le tassement %1 porte sur la fl\350che du noeud %2, qu'aucune liaison ne bloque";
inline const char* const TassementPenteLibre =
    "Le tassement %1 porte sur la pente du noeud %2, qu'aucune liaison ne bloque";
inline const char* const TassementRepete = "Le tassement %1 r\351p\350te le tassement %2";
inline const char* const RotuleCode = "La rotule %1 a le code %2 : 1, 2 ou 3 attendu";
inline const char* const RotuleSansElement =
    "La rotule %1 porte sur l'\351l\351ment %2, qui n'existe pas";
inline const char* const PonctuelleSansElement =
    "La charge ponctuelle %1 porte sur l'\351l\351ment %2, qui n'existe pas";
inline const char* const PonctuelleHors =
    "La charge ponctuelle %1 est hors de l'\351l\351ment %2 (a = %3 m, longueur %4 m)";
inline const char* const TrapezeSansElement =
    "La charge trap\351zo\357dale %1 porte sur l'\351l\351ment %2, qui n'existe pas";
inline const char* const TrapezeHors =
    "La charge trap\351zo\357dale %1 est hors de l'\351l\351ment %2 (de %3 \340 %4 m, longueur %5 "
    "m)";
// A line that looks like a keyword line and is none: %1 its first word, %2 the keywords.
inline const char* const MotCleInconnu =
    "attention : \253 %1 \273 n'est pas un mot-cl\351 : ligne ignor\351e (les mots-cl\351s "
    "s'\351crivent "
    "sans accent : %2)";
inline const char* const MotCleApresTabulation =
    "attention : \253 %1 \273 n'est pas lu comme un mot-cl\351 : une tabulation le pr\351c\350de ; "
    "ligne "
    "ignor\351e";
// The mechanism check: %1 the motion that the supports leave free.
inline const char* const Mecanisme = "la poutre est un m\351canisme : %1";
inline const char* const NoeudSansElement = "le noeud %1 n'est reli\351 \340 aucun \351l\351ment";
inline const char* const NoeudsSansLiaison = "les noeuds %1 ne sont tenus par aucune liaison";
inline const char* const NoeudsTournent =
    "les noeuds %1 peuvent tourner autour de x = %2 m sans se d\351former";
inline const char* const NoeudsTournentRotule =
    "les noeuds %1 peuvent tourner autour de la rotule du noeud %2";
inline const char* const MomentSurRotules =
    "le moment appliqu\351 au noeud %1 ne s'exerce sur aucun \351l\351ment : chacun y a une rotule";
inline const char* const PenteSansElement =
    "la pente du noeud %1 n'est tenue par aucun \351l\351ment rigide";
inline const char* const NoeudsMontent = "les noeuds %1 peuvent monter ou descendre sans tourner";
inline const char* const ElementSansRigidite =
    " (l'\351l\351ment %1 n'a pas de rigidit\351 en flexion : E \327 Iz = 0)";
inline const char* const IntervalleNoeuds = "%1 \340 %2";
inline const char* const EtNoeud = " et ";
inline const char* const RaisonIntrouvable = "fichier introuvable";
inline const char* const RaisonAccesRefuse = "acc\350s refus\351";
inline const char* const RaisonDossier = "c'est un dossier";
inline const char* const RaisonCheminDossier = "un \351l\351ment du chemin n'est pas un dossier";
inline const char* const RaisonNomTropLong = "nom trop long";
inline const char* const RaisonDisquePlein = "plus de place sur le disque";
inline const char* const RaisonLectureSeule = "syst\350me de fichiers en lecture seule";
inline const char* const RaisonNonOuvert = "fichier non ouvert";
inline const char* const RaisonErreurSysteme = "erreur syst\350me %1";

// The command-line mode: its usage, its errors of use, and the summary of a complete run,
// "poutrer.txt : flèche max -0.019469 m en x = 2.500 m, Mfz max 15625.00 N.m en x = 2.500 m".
inline const char* const Version = "vortale 1.0";  // as the banner and the packages
// One literal per line of the usage, however long its escapes make it.
// clang-format off
inline const char* const Usage[] = {
    "Usage : vortale [OPTION]... FICHIER...",
    "Calcule la poutre d\351crite dans chaque FICHIER (FICHIER.txt ; le \253 .txt \273 peut \352tre",
    "omis) et \351crit son rapport FICHIERr.txt. Sans argument, vortale demande le nom du",
    "fichier (mode interactif).",
    "",
    "Options :",
    "  -h, --help     affiche cette aide et termine",
    "      --version  affiche la version et termine",
    "      --view     ouvre chaque rapport (et son dessin) dans la visionneuse",
    "      --svg      \351crit aussi le dessin FICHIERr.svg de chaque rapport complet",
    "      --json     \351crit un objet JSON par FICHIER (r\351sultats et messages) au lieu",
    "                 de la ligne de r\351sum\351",
    "      --         termine les options",
    "",
    "Apr\350s chaque rapport complet, une ligne de r\351sum\351 sur la sortie standard ; chaque",
    "\351chec, une ligne FICHIER:LIGNE: message sur la sortie d'erreur.",
    "Statut de sortie : 0 si chaque FICHIER a donn\351 un rapport complet, 1 sinon,",
    "2 pour une erreur d'usage.",
};
// clang-format on
inline const char* const OptionInconnue = "vortale : option inconnue \253 %1 \273";
inline const char* const SansFichier = "vortale : aucun FICHIER";
inline const char* const NomVide = "nom de fichier vide";
inline const char* const NomTropLong =
    "nom trop long : au plus 76 caract\350res sans \253 .txt \273";
// %1 the report's name, %2 and %3 the largest deflection and its abscissa, %4 and %5 the largest
// moment and its abscissa, in the report's digits, %6 the equilibrium residual.
inline const char* const Resume =
    "%1 : fl\350che max %2 m en x = %3 m, Mfz max %4 N.m en x = %5 m, \351quilibre \340 %6 pr\350s";
inline const char* const ResumeSansElement =
    "%1 : aucun \351l\351ment, \351quilibre \340 %2 pr\350s";
// %1 the equilibrium residual, when it is too large to be a balance.
inline const char* const ResultatDouteux =
    "r\351sultat douteux : l'\351quilibre des noeuds n'est v\351rifi\351 qu'\340 %1 pr\350s "
    "(syst\350me "
    "tr\350s mal conditionn\351 : rigidit\351s trop contrast\351es ?)";
inline const char* const ExtensionDessin = "r.svg";
inline const char* const EcritureDessinImpossible = "\351criture du dessin impossible : %1";

}  // namespace Textes
