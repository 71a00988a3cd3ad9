<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommandLine</name>
    <message>
        <source>A shooting-gallery game: shoot the pictures before they vanish.</source>
        <translation>Un stand de tir : touchez les images avant qu&apos;elles ne disparaissent.</translation>
    </message>
    <message>
        <source>plinkard: takes no arguments (%1); see plinkard --help</source>
        <translation>plinkard : n&apos;accepte aucun argument (%1) ; voir plinkard --help</translation>
    </message>
</context>
<context>
    <name>TargetPictures</name>
    <message>
        <source>apple</source>
        <translation>pomme</translation>
    </message>
    <message>
        <source>banana</source>
        <translation>banane</translation>
    </message>
    <message>
        <source>cherries</source>
        <translation>cerises</translation>
    </message>
    <message>
        <source>strawberry</source>
        <translation>fraise</translation>
    </message>
    <message>
        <source>gem</source>
        <translation>pierre précieuse</translation>
    </message>
    <message>
        <source>pear</source>
        <translation>poire</translation>
    </message>
    <message>
        <source>watermelon</source>
        <translation>pastèque</translation>
    </message>
    <message>
        <source>grapes</source>
        <translation>raisin</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>orange</translation>
    </message>
    <message>
        <source>carrot</source>
        <translation>carotte</translation>
    </message>
    <message>
        <source>mushroom</source>
        <translation>champignon</translation>
    </message>
    <message>
        <source>sun</source>
        <translation>soleil</translation>
    </message>
    <message>
        <source>light-bulb</source>
        <translation>ampoule</translation>
    </message>
    <message>
        <source>shooting-star</source>
        <translation>étoile filante</translation>
    </message>
    <message>
        <source>bomb</source>
        <translation>bombe</translation>
    </message>
    <message>
        <source>umbrella</source>
        <translation>parapluie</translation>
    </message>
    <message>
        <source>teapot</source>
        <translation>théière</translation>
    </message>
    <message>
        <source>ice-cream</source>
        <translation>glace</translation>
    </message>
    <message>
        <source>snail</source>
        <translation>escargot</translation>
    </message>
    <message>
        <source>gold-coin</source>
        <translation>pièce d&apos;or</translation>
    </message>
    <message>
        <source>cupcake</source>
        <translation>petit gâteau</translation>
    </message>
    <message>
        <source>lightning</source>
        <translation>éclair</translation>
    </message>
    <message>
        <source>fish-bowl</source>
        <translation>bocal à poisson</translation>
    </message>
    <message>
        <source>pizza</source>
        <translation>pizza</translation>
    </message>
    <message>
        <source>kitten</source>
        <translation>chaton</translation>
    </message>
    <message>
        <source>fish</source>
        <translation>poisson</translation>
    </message>
    <message>
        <source>frog</source>
        <translation>grenouille</translation>
    </message>
    <message>
        <source>ladybird</source>
        <translation>coccinelle</translation>
    </message>
    <message>
        <source>penguin</source>
        <translation>pingouin</translation>
    </message>
    <message>
        <source>rabbit</source>
        <translation>lapin</translation>
    </message>
    <message>
        <source>owl</source>
        <translation>hibou</translation>
    </message>
    <message>
        <source>crown</source>
        <translation>couronne</translation>
    </message>
    <message>
        <source>rocket</source>
        <translation>fusée</translation>
    </message>
    <message>
        <source>money-bag</source>
        <translation>sac d&apos;argent</translation>
    </message>
    <message>
        <source>pig</source>
        <translation>cochon</translation>
    </message>
    <message>
        <source>bee</source>
        <translation>abeille</translation>
    </message>
    <message>
        <source>jet</source>
        <translation>avion à réaction</translation>
    </message>
    <message>
        <source>butterfly</source>
        <translation>papillon</translation>
    </message>
    <message>
        <source>crab</source>
        <translation>crabe</translation>
    </message>
    <message>
        <source>sailboat</source>
        <translation>voilier</translation>
    </message>
    <message>
        <source>house</source>
        <translation>maison</translation>
    </message>
    <message>
        <source>tree</source>
        <translation>arbre</translation>
    </message>
    <message>
        <source>skull</source>
        <translation>tête de mort</translation>
    </message>
    <message>
        <source>shoe</source>
        <translation>chaussure</translation>
    </message>
    <message>
        <source>flower</source>
        <translation>fleur</translation>
    </message>
    <message>
        <source>balloon</source>
        <translation>ballon</translation>
    </message>
    <message>
        <source>guitar</source>
        <translation>guitare</translation>
    </message>
    <message>
        <source>pencil</source>
        <translation>crayon</translation>
    </message>
    <message>
        <source>tortoise</source>
        <translation>tortue</translation>
    </message>
    <message>
        <source>beach-ball</source>
        <translation>ballon de plage</translation>
    </message>
    <message>
        <source>race-car</source>
        <translation>voiture de course</translation>
    </message>
    <message>
        <source>duck</source>
        <translation>canard</translation>
    </message>
    <message>
        <source>cactus</source>
        <translation>cactus</translation>
    </message>
    <message>
        <source>egg</source>
        <translation>œuf</translation>
    </message>
    <message>
        <source>snowman</source>
        <translation>bonhomme de neige</translation>
    </message>
</context>
<context>
    <name>frmColors</name>
    <message>
        <source>Colors</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>&amp;BG Image:</source>
        <translation>&amp;Image :</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Parcourir</translation>
    </message>
    <message>
        <source>C&amp;hoose</source>
        <translation>&amp;Choisir</translation>
    </message>
    <message>
        <source>B&amp;G Color:</source>
        <translation>C&amp;ouleur :</translation>
    </message>
    <message>
        <source>Score Panel</source>
        <translation>Tableau des scores</translation>
    </message>
    <message>
        <source>BG &amp;Image:</source>
        <translation>I&amp;mage :</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>Pa&amp;rcourir</translation>
    </message>
    <message>
        <source>Choos&amp;e</source>
        <translation>C&amp;hoisir</translation>
    </message>
    <message>
        <source>BG Co&amp;lor:</source>
        <translation>Co&amp;uleur :</translation>
    </message>
    <message>
        <source>Choo&amp;se</source>
        <translation>Choi&amp;sir</translation>
    </message>
    <message>
        <source>&amp;Fore Color:</source>
        <translation>&amp;Texte :</translation>
    </message>
    <message>
        <source>&amp;Okay</source>
        <translation>&amp;D&apos;accord</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Choisir un fichier</translation>
    </message>
    <message>
        <source>Choose Color</source>
        <translation>Choisir une couleur</translation>
    </message>
    <message>
        <source>Graphics</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>The field&apos;s picture</source>
        <translation>L&apos;image du terrain</translation>
    </message>
    <message>
        <source>Browse for the field&apos;s picture</source>
        <translation>Chercher une image pour le terrain</translation>
    </message>
    <message>
        <source>Choose the field&apos;s colour</source>
        <translation>Choisir la couleur du terrain</translation>
    </message>
    <message>
        <source>The field&apos;s colour</source>
        <translation>La couleur du terrain</translation>
    </message>
    <message>
        <source>The panel&apos;s picture</source>
        <translation>L&apos;image du tableau des scores</translation>
    </message>
    <message>
        <source>Browse for the panel&apos;s picture</source>
        <translation>Chercher une image pour le tableau des scores</translation>
    </message>
    <message>
        <source>Choose the panel&apos;s colour</source>
        <translation>Choisir la couleur du tableau des scores</translation>
    </message>
    <message>
        <source>The panel&apos;s colour</source>
        <translation>La couleur du tableau des scores</translation>
    </message>
    <message>
        <source>Choose the panel&apos;s text colour</source>
        <translation>Choisir la couleur du texte du tableau des scores</translation>
    </message>
    <message>
        <source>The panel&apos;s text colour</source>
        <translation>La couleur du texte du tableau des scores</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>rouge %1, vert %2, bleu %3</translation>
    </message>
</context>
<context>
    <name>frmName</name>
    <message>
        <source>High Score!</source>
        <translation>Nouveau record !</translation>
    </message>
    <message>
        <source>You have gotten a High Score!  Enter your name below:</source>
        <translation>Vous avez battu un record !  Entrez votre nom ci-dessous :</translation>
    </message>
    <message>
        <source>Okay</source>
        <translation>D&apos;accord</translation>
    </message>
</context>
<context>
    <name>frmPlinkard</name>
    <message>
        <source>Your system cannot play sounds.</source>
        <translation>Votre système ne peut pas jouer de sons.</translation>
    </message>
    <message>
        <source>Sound Test</source>
        <translation>Test du son</translation>
    </message>
    <message>
        <source>Error!  %1 was not found.  Plinkard high scores will not operate with out this file.</source>
        <translation>Erreur !  %1 est introuvable.  Le palmarès de Plinkard ne marchera pas sans ce fichier.</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Erreur !</translation>
    </message>
    <message>
        <source>Paused.  Press OK to continue.</source>
        <translation>En pause.  Appuyez sur OK pour continuer.</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>You&apos;ve reached the winning score!  Do you wish to keep playing?</source>
        <translation>Vous avez atteint le score gagnant !  Voulez-vous continuer à jouer ?</translation>
    </message>
    <message>
        <source>You made it!</source>
        <translation>Vous avez réussi !</translation>
    </message>
    <message>
        <source>Too Easy</source>
        <translation>Trop aisé</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Aisé</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Dur</translation>
    </message>
    <message>
        <source>Too Hard</source>
        <translation>Trop dur</translation>
    </message>
    <message>
        <source>Plinkard</source>
        <translation>Plinkard</translation>
    </message>
    <message>
        <source>RELOAD</source>
        <translation>ARMEZ</translation>
    </message>
    <message>
        <source>Score:</source>
        <translation>Score :</translation>
    </message>
    <message>
        <source>Misses:</source>
        <translation>Ratés :</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Temps :</translation>
    </message>
    <message>
        <source>Music On/Off</source>
        <translation>Musique on/off</translation>
    </message>
    <message>
        <source>Sounds On/Off</source>
        <translation>Sons on/off</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Rejouer</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>High Scores</source>
        <translation>Palmarès</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Score panel</source>
        <translation>Tableau des scores</translation>
    </message>
    <message>
        <source>1 bullet left</source>
        <translation>1 balle restante</translation>
    </message>
    <message>
        <source>%1 bullets left</source>
        <translation>%1 balles restantes</translation>
    </message>
    <message>
        <source>Click to reload</source>
        <translation>Cliquez pour recharger</translation>
    </message>
    <message>
        <source>CLICK TO RELOAD</source>
        <translation>CLIC : RECHARGER</translation>
    </message>
    <message>
        <source>You loose!  Don&apos;t shoot the Linux Penguin!</source>
        <translation>Perdu !  Ne tirez pas sur le pingouin de Linux !</translation>
    </message>
    <message>
        <source>Oops!</source>
        <translation>Oups !</translation>
    </message>
</context>
<context>
    <name>frmScores</name>
    <message>
        <source>High Scores</source>
        <translation>Palmarès</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Effacer</translation>
    </message>
    <message>
        <source>Command1</source>
        <translation>Command1</translation>
    </message>
</context>
<context>
    <name>frmSettings</name>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation>Sons</translation>
    </message>
    <message>
        <source>&amp;Music:</source>
        <translation>&amp;Air :</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Parcourir</translation>
    </message>
    <message>
        <source>&amp;Shoot:</source>
        <translation>&amp;Tir :</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>Pa&amp;rcourir</translation>
    </message>
    <message>
        <source>Certain &amp;icons change speed</source>
        <translation>Des &amp;images changent l&apos;allure</translation>
    </message>
    <message>
        <source>&amp;All icons are worth the same</source>
        <translation>Toutes les images se &amp;valent</translation>
    </message>
    <message>
        <source>No Winning &amp;Score </source>
        <translation>Sans score &amp;gagnant</translation>
    </message>
    <message>
        <source>Winning Sco&amp;re:</source>
        <translation>S&amp;core gagnant :</translation>
    </message>
    <message>
        <source>C&amp;olors</source>
        <translation>C&amp;ouleurs</translation>
    </message>
    <message>
        <source>&amp;Okay</source>
        <translation>&amp;D&apos;accord</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Choisir un fichier</translation>
    </message>
    <message>
        <source>Midi Files</source>
        <translation>Fichiers MIDI</translation>
    </message>
    <message>
        <source>Wave Files</source>
        <translation>Fichiers WAVE</translation>
    </message>
    <message>
        <source>Browse for the music</source>
        <translation>Chercher une musique</translation>
    </message>
    <message>
        <source>Browse for the shot sound</source>
        <translation>Chercher un bruit de tir</translation>
    </message>
</context>
</TS>
