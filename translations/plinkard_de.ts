<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>A shooting-gallery game: shoot the pictures before they vanish.</source>
        <translation>Eine Schießbude: Triff die Bilder, bevor sie verschwinden.</translation>
    </message>
    <message>
        <source>plinkard: takes no arguments (%1); see plinkard --help</source>
        <translation>plinkard: nimmt keine Argumente an (%1); siehe plinkard --help</translation>
    </message>
</context>
<context>
    <name>TargetPictures</name>
    <message>
        <source>apple</source>
        <translation>Apfel</translation>
    </message>
    <message>
        <source>banana</source>
        <translation>Banane</translation>
    </message>
    <message>
        <source>cherries</source>
        <translation>Kirschen</translation>
    </message>
    <message>
        <source>strawberry</source>
        <translation>Erdbeere</translation>
    </message>
    <message>
        <source>gem</source>
        <translation>Edelstein</translation>
    </message>
    <message>
        <source>pear</source>
        <translation>Birne</translation>
    </message>
    <message>
        <source>watermelon</source>
        <translation>Wassermelone</translation>
    </message>
    <message>
        <source>grapes</source>
        <translation>Trauben</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>carrot</source>
        <translation>Karotte</translation>
    </message>
    <message>
        <source>mushroom</source>
        <translation>Pilz</translation>
    </message>
    <message>
        <source>sun</source>
        <translation>Sonne</translation>
    </message>
    <message>
        <source>light-bulb</source>
        <translation>Glühbirne</translation>
    </message>
    <message>
        <source>shooting-star</source>
        <translation>Sternschnuppe</translation>
    </message>
    <message>
        <source>bomb</source>
        <translation>Bombe</translation>
    </message>
    <message>
        <source>umbrella</source>
        <translation>Regenschirm</translation>
    </message>
    <message>
        <source>teapot</source>
        <translation>Teekanne</translation>
    </message>
    <message>
        <source>ice-cream</source>
        <translation>Eis</translation>
    </message>
    <message>
        <source>snail</source>
        <translation>Schnecke</translation>
    </message>
    <message>
        <source>gold-coin</source>
        <translation>Goldmünze</translation>
    </message>
    <message>
        <source>cupcake</source>
        <translation>Törtchen</translation>
    </message>
    <message>
        <source>lightning</source>
        <translation>Blitz</translation>
    </message>
    <message>
        <source>fish-bowl</source>
        <translation>Goldfischglas</translation>
    </message>
    <message>
        <source>pizza</source>
        <translation>Pizza</translation>
    </message>
    <message>
        <source>kitten</source>
        <translation>Kätzchen</translation>
    </message>
    <message>
        <source>fish</source>
        <translation>Fisch</translation>
    </message>
    <message>
        <source>frog</source>
        <translation>Frosch</translation>
    </message>
    <message>
        <source>ladybird</source>
        <translation>Marienkäfer</translation>
    </message>
    <message>
        <source>penguin</source>
        <translation>Pinguin</translation>
    </message>
    <message>
        <source>rabbit</source>
        <translation>Hase</translation>
    </message>
    <message>
        <source>owl</source>
        <translation>Eule</translation>
    </message>
    <message>
        <source>crown</source>
        <translation>Krone</translation>
    </message>
    <message>
        <source>rocket</source>
        <translation>Rakete</translation>
    </message>
    <message>
        <source>money-bag</source>
        <translation>Geldsack</translation>
    </message>
    <message>
        <source>pig</source>
        <translation>Schwein</translation>
    </message>
    <message>
        <source>bee</source>
        <translation>Biene</translation>
    </message>
    <message>
        <source>jet</source>
        <translation>Düsenjet</translation>
    </message>
    <message>
        <source>butterfly</source>
        <translation>Schmetterling</translation>
    </message>
    <message>
        <source>crab</source>
        <translation>Krabbe</translation>
    </message>
    <message>
        <source>sailboat</source>
        <translation>Segelboot</translation>
    </message>
    <message>
        <source>house</source>
        <translation>Haus</translation>
    </message>
    <message>
        <source>tree</source>
        <translation>Baum</translation>
    </message>
    <message>
        <source>skull</source>
        <translation>Totenkopf</translation>
    </message>
    <message>
        <source>shoe</source>
        <translation>Schuh</translation>
    </message>
    <message>
        <source>flower</source>
        <translation>Blume</translation>
    </message>
    <message>
        <source>balloon</source>
        <translation>Luftballon</translation>
    </message>
    <message>
        <source>guitar</source>
        <translation>Gitarre</translation>
    </message>
    <message>
        <source>pencil</source>
        <translation>Bleistift</translation>
    </message>
    <message>
        <source>tortoise</source>
        <translation>Schildkröte</translation>
    </message>
    <message>
        <source>beach-ball</source>
        <translation>Wasserball</translation>
    </message>
    <message>
        <source>race-car</source>
        <translation>Rennwagen</translation>
    </message>
    <message>
        <source>duck</source>
        <translation>Ente</translation>
    </message>
    <message>
        <source>cactus</source>
        <translation>Kaktus</translation>
    </message>
    <message>
        <source>egg</source>
        <translation>Ei</translation>
    </message>
    <message>
        <source>snowman</source>
        <translation>Schneemann</translation>
    </message>
</context>
<context>
    <name>frmColors</name>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>&amp;BG Image:</source>
        <translation>&amp;Bild:</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>C&amp;hoose</source>
        <translation>&amp;Wählen</translation>
    </message>
    <message>
        <source>B&amp;G Color:</source>
        <translation>&amp;Farbe:</translation>
    </message>
    <message>
        <source>Score Panel</source>
        <translation>Punkteleiste</translation>
    </message>
    <message>
        <source>BG &amp;Image:</source>
        <translation>B&amp;ild:</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>Su&amp;chen</translation>
    </message>
    <message>
        <source>Choos&amp;e</source>
        <translation>Wä&amp;hlen</translation>
    </message>
    <message>
        <source>BG Co&amp;lor:</source>
        <translation>F&amp;arbe:</translation>
    </message>
    <message>
        <source>Choo&amp;se</source>
        <translation>Wäh&amp;len</translation>
    </message>
    <message>
        <source>&amp;Fore Color:</source>
        <translation>&amp;Textfarbe:</translation>
    </message>
    <message>
        <source>&amp;Okay</source>
        <translation>&amp;Okay</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbr&amp;echen</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Datei auswählen</translation>
    </message>
    <message>
        <source>Choose Color</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <source>Graphics</source>
        <translation>Grafiken</translation>
    </message>
    <message>
        <source>The field&apos;s picture</source>
        <translation>Das Bild des Spielfelds</translation>
    </message>
    <message>
        <source>Browse for the field&apos;s picture</source>
        <translation>Ein Bild für das Spielfeld suchen</translation>
    </message>
    <message>
        <source>Choose the field&apos;s colour</source>
        <translation>Die Farbe des Spielfelds wählen</translation>
    </message>
    <message>
        <source>The field&apos;s colour</source>
        <translation>Die Farbe des Spielfelds</translation>
    </message>
    <message>
        <source>The panel&apos;s picture</source>
        <translation>Das Bild der Punkteleiste</translation>
    </message>
    <message>
        <source>Browse for the panel&apos;s picture</source>
        <translation>Ein Bild für die Punkteleiste suchen</translation>
    </message>
    <message>
        <source>Choose the panel&apos;s colour</source>
        <translation>Die Farbe der Punkteleiste wählen</translation>
    </message>
    <message>
        <source>The panel&apos;s colour</source>
        <translation>Die Farbe der Punkteleiste</translation>
    </message>
    <message>
        <source>Choose the panel&apos;s text colour</source>
        <translation>Die Schriftfarbe der Punkteleiste wählen</translation>
    </message>
    <message>
        <source>The panel&apos;s text colour</source>
        <translation>Die Schriftfarbe der Punkteleiste</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>Rot %1, Grün %2, Blau %3</translation>
    </message>
</context>
<context>
    <name>frmName</name>
    <message>
        <source>High Score!</source>
        <translation>Neuer Rekord!</translation>
    </message>
    <message>
        <source>You have gotten a High Score!  Enter your name below:</source>
        <translation>Du hast einen Rekord aufgestellt!  Gib unten deinen Namen ein:</translation>
    </message>
    <message>
        <source>Okay</source>
        <translation>Okay</translation>
    </message>
</context>
<context>
    <name>frmPlinkard</name>
    <message>
        <source>Your system cannot play sounds.</source>
        <translation>Dein System kann keine Töne abspielen.</translation>
    </message>
    <message>
        <source>Sound Test</source>
        <translation>Tontest</translation>
    </message>
    <message>
        <source>Error!  %1 was not found.  Plinkard high scores will not operate with out this file.</source>
        <translation>Fehler!  %1 wurde nicht gefunden.  Ohne diese Datei geht die Bestenliste von Plinkard nicht.</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Fehler!</translation>
    </message>
    <message>
        <source>Paused.  Press OK to continue.</source>
        <translation>Pause.  Zum Weiterspielen OK drücken.</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>You&apos;ve reached the winning score!  Do you wish to keep playing?</source>
        <translation>Du hast das Punkteziel erreicht!  Willst du weiterspielen?</translation>
    </message>
    <message>
        <source>You made it!</source>
        <translation>Geschafft!</translation>
    </message>
    <message>
        <source>Too Easy</source>
        <translation>Zu mild</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Mild</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Hart</translation>
    </message>
    <message>
        <source>Too Hard</source>
        <translation>Zu hart</translation>
    </message>
    <message>
        <source>Plinkard</source>
        <translation>Plinkard</translation>
    </message>
    <message>
        <source>RELOAD</source>
        <translation>LADEN</translation>
    </message>
    <message>
        <source>Score:</source>
        <translation>Punkte:</translation>
    </message>
    <message>
        <source>Misses:</source>
        <translation>Fehler:</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Zeit:</translation>
    </message>
    <message>
        <source>Music On/Off</source>
        <translation>Musik an/aus</translation>
    </message>
    <message>
        <source>Sounds On/Off</source>
        <translation>Töne an/aus</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>High Scores</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Ende</translation>
    </message>
    <message>
        <source>Score panel</source>
        <translation>Punkteleiste</translation>
    </message>
    <message>
        <source>1 bullet left</source>
        <translation>1 Patrone übrig</translation>
    </message>
    <message>
        <source>%1 bullets left</source>
        <translation>%1 Patronen übrig</translation>
    </message>
    <message>
        <source>Click to reload</source>
        <translation>Zum Nachladen klicken</translation>
    </message>
    <message>
        <source>CLICK TO RELOAD</source>
        <translation>HIER NACHLADEN</translation>
    </message>
    <message>
        <source>You loose!  Don&apos;t shoot the Linux Penguin!</source>
        <translation>Verloren!  Schieß nicht auf den Linux-Pinguin!</translation>
    </message>
    <message>
        <source>Oops!</source>
        <translation>Hoppla!</translation>
    </message>
</context>
<context>
    <name>frmScores</name>
    <message>
        <source>High Scores</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Löschen</translation>
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
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation>Klänge</translation>
    </message>
    <message>
        <source>&amp;Music:</source>
        <translation>&amp;Musik:</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Shoot:</source>
        <translation>&amp;Knall:</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>Su&amp;chen</translation>
    </message>
    <message>
        <source>Certain &amp;icons change speed</source>
        <translation>Manche &amp;Bilder ändern Tempo</translation>
    </message>
    <message>
        <source>&amp;All icons are worth the same</source>
        <translation>&amp;Alle Bilder zählen gleich</translation>
    </message>
    <message>
        <source>No Winning &amp;Score </source>
        <translation>&amp;Ohne Punkteziel</translation>
    </message>
    <message>
        <source>Winning Sco&amp;re:</source>
        <translation>Punkte&amp;ziel:</translation>
    </message>
    <message>
        <source>C&amp;olors</source>
        <translation>&amp;Farben</translation>
    </message>
    <message>
        <source>&amp;Okay</source>
        <translation>Oka&amp;y</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abb&amp;rechen</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Datei auswählen</translation>
    </message>
    <message>
        <source>Midi Files</source>
        <translation>MIDI-Dateien</translation>
    </message>
    <message>
        <source>Wave Files</source>
        <translation>WAVE-Dateien</translation>
    </message>
    <message>
        <source>Browse for the music</source>
        <translation>Eine Musik suchen</translation>
    </message>
    <message>
        <source>Browse for the shot sound</source>
        <translation>Ein Schussgeräusch suchen</translation>
    </message>
</context>
</TS>
