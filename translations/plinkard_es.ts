<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CommandLine</name>
    <message>
        <source>A shooting-gallery game: shoot the pictures before they vanish.</source>
        <translation>Una caseta de tiro: dispara a los dibujos antes de que desaparezcan.</translation>
    </message>
    <message>
        <source>plinkard: takes no arguments (%1); see plinkard --help</source>
        <translation>plinkard: no admite argumentos (%1); consulta plinkard --help</translation>
    </message>
</context>
<context>
    <name>TargetPictures</name>
    <message>
        <source>apple</source>
        <translation>manzana</translation>
    </message>
    <message>
        <source>banana</source>
        <translation>plátano</translation>
    </message>
    <message>
        <source>cherries</source>
        <translation>cerezas</translation>
    </message>
    <message>
        <source>strawberry</source>
        <translation>fresa</translation>
    </message>
    <message>
        <source>gem</source>
        <translation>gema</translation>
    </message>
    <message>
        <source>pear</source>
        <translation>pera</translation>
    </message>
    <message>
        <source>watermelon</source>
        <translation>sandía</translation>
    </message>
    <message>
        <source>grapes</source>
        <translation>uvas</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>naranja</translation>
    </message>
    <message>
        <source>carrot</source>
        <translation>zanahoria</translation>
    </message>
    <message>
        <source>mushroom</source>
        <translation>seta</translation>
    </message>
    <message>
        <source>sun</source>
        <translation>sol</translation>
    </message>
    <message>
        <source>light-bulb</source>
        <translation>bombilla</translation>
    </message>
    <message>
        <source>shooting-star</source>
        <translation>estrella fugaz</translation>
    </message>
    <message>
        <source>bomb</source>
        <translation>bomba</translation>
    </message>
    <message>
        <source>umbrella</source>
        <translation>paraguas</translation>
    </message>
    <message>
        <source>teapot</source>
        <translation>tetera</translation>
    </message>
    <message>
        <source>ice-cream</source>
        <translation>helado</translation>
    </message>
    <message>
        <source>snail</source>
        <translation>caracol</translation>
    </message>
    <message>
        <source>gold-coin</source>
        <translation>moneda de oro</translation>
    </message>
    <message>
        <source>cupcake</source>
        <translation>magdalena</translation>
    </message>
    <message>
        <source>lightning</source>
        <translation>rayo</translation>
    </message>
    <message>
        <source>fish-bowl</source>
        <translation>pecera</translation>
    </message>
    <message>
        <source>pizza</source>
        <translation>pizza</translation>
    </message>
    <message>
        <source>kitten</source>
        <translation>gatito</translation>
    </message>
    <message>
        <source>fish</source>
        <translation>pez</translation>
    </message>
    <message>
        <source>frog</source>
        <translation>rana</translation>
    </message>
    <message>
        <source>ladybird</source>
        <translation>mariquita</translation>
    </message>
    <message>
        <source>penguin</source>
        <translation>pingüino</translation>
    </message>
    <message>
        <source>rabbit</source>
        <translation>conejo</translation>
    </message>
    <message>
        <source>owl</source>
        <translation>búho</translation>
    </message>
    <message>
        <source>crown</source>
        <translation>corona</translation>
    </message>
    <message>
        <source>rocket</source>
        <translation>cohete</translation>
    </message>
    <message>
        <source>money-bag</source>
        <translation>bolsa de dinero</translation>
    </message>
    <message>
        <source>pig</source>
        <translation>cerdo</translation>
    </message>
    <message>
        <source>bee</source>
        <translation>abeja</translation>
    </message>
    <message>
        <source>jet</source>
        <translation>avión a reacción</translation>
    </message>
    <message>
        <source>butterfly</source>
        <translation>mariposa</translation>
    </message>
    <message>
        <source>crab</source>
        <translation>cangrejo</translation>
    </message>
    <message>
        <source>sailboat</source>
        <translation>velero</translation>
    </message>
    <message>
        <source>house</source>
        <translation>casa</translation>
    </message>
    <message>
        <source>tree</source>
        <translation>árbol</translation>
    </message>
    <message>
        <source>skull</source>
        <translation>calavera</translation>
    </message>
    <message>
        <source>shoe</source>
        <translation>zapato</translation>
    </message>
    <message>
        <source>flower</source>
        <translation>flor</translation>
    </message>
    <message>
        <source>balloon</source>
        <translation>globo</translation>
    </message>
    <message>
        <source>guitar</source>
        <translation>guitarra</translation>
    </message>
    <message>
        <source>pencil</source>
        <translation>lápiz</translation>
    </message>
    <message>
        <source>tortoise</source>
        <translation>tortuga</translation>
    </message>
    <message>
        <source>beach-ball</source>
        <translation>pelota de playa</translation>
    </message>
    <message>
        <source>race-car</source>
        <translation>coche de carreras</translation>
    </message>
    <message>
        <source>duck</source>
        <translation>pato</translation>
    </message>
    <message>
        <source>cactus</source>
        <translation>cactus</translation>
    </message>
    <message>
        <source>egg</source>
        <translation>huevo</translation>
    </message>
    <message>
        <source>snowman</source>
        <translation>muñeco de nieve</translation>
    </message>
</context>
<context>
    <name>frmColors</name>
    <message>
        <source>Colors</source>
        <translation>Colores</translation>
    </message>
    <message>
        <source>&amp;BG Image:</source>
        <translation>&amp;Imagen:</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Examinar</translation>
    </message>
    <message>
        <source>C&amp;hoose</source>
        <translation>E&amp;legir</translation>
    </message>
    <message>
        <source>B&amp;G Color:</source>
        <translation>&amp;Color:</translation>
    </message>
    <message>
        <source>Score Panel</source>
        <translation>Marcador</translation>
    </message>
    <message>
        <source>BG &amp;Image:</source>
        <translation>I&amp;magen:</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>E&amp;xaminar</translation>
    </message>
    <message>
        <source>Choos&amp;e</source>
        <translation>Ele&amp;gir</translation>
    </message>
    <message>
        <source>BG Co&amp;lor:</source>
        <translation>C&amp;olor:</translation>
    </message>
    <message>
        <source>Choo&amp;se</source>
        <translation>Elegi&amp;r</translation>
    </message>
    <message>
        <source>&amp;Fore Color:</source>
        <translation>&amp;Texto:</translation>
    </message>
    <message>
        <source>&amp;Okay</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Ca&amp;ncelar</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Elegir archivo</translation>
    </message>
    <message>
        <source>Choose Color</source>
        <translation>Elegir color</translation>
    </message>
    <message>
        <source>Graphics</source>
        <translation>Imágenes</translation>
    </message>
    <message>
        <source>The field&apos;s picture</source>
        <translation>La imagen del campo</translation>
    </message>
    <message>
        <source>Browse for the field&apos;s picture</source>
        <translation>Buscar una imagen para el campo</translation>
    </message>
    <message>
        <source>Choose the field&apos;s colour</source>
        <translation>Elegir el color del campo</translation>
    </message>
    <message>
        <source>The field&apos;s colour</source>
        <translation>El color del campo</translation>
    </message>
    <message>
        <source>The panel&apos;s picture</source>
        <translation>La imagen del marcador</translation>
    </message>
    <message>
        <source>Browse for the panel&apos;s picture</source>
        <translation>Buscar una imagen para el marcador</translation>
    </message>
    <message>
        <source>Choose the panel&apos;s colour</source>
        <translation>Elegir el color del marcador</translation>
    </message>
    <message>
        <source>The panel&apos;s colour</source>
        <translation>El color del marcador</translation>
    </message>
    <message>
        <source>Choose the panel&apos;s text colour</source>
        <translation>Elegir el color del texto del marcador</translation>
    </message>
    <message>
        <source>The panel&apos;s text colour</source>
        <translation>El color del texto del marcador</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>rojo %1, verde %2, azul %3</translation>
    </message>
</context>
<context>
    <name>frmName</name>
    <message>
        <source>High Score!</source>
        <translation>¡Nuevo récord!</translation>
    </message>
    <message>
        <source>You have gotten a High Score!  Enter your name below:</source>
        <translation>¡Has batido un récord!  Escribe tu nombre abajo:</translation>
    </message>
    <message>
        <source>Okay</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>frmPlinkard</name>
    <message>
        <source>Your system cannot play sounds.</source>
        <translation>Tu sistema no puede reproducir sonidos.</translation>
    </message>
    <message>
        <source>Sound Test</source>
        <translation>Prueba de sonido</translation>
    </message>
    <message>
        <source>Error!  %1 was not found.  Plinkard high scores will not operate with out this file.</source>
        <translation>¡Error!  No se encuentra %1.  Los récords de Plinkard no funcionarán sin este archivo.</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>¡Error!</translation>
    </message>
    <message>
        <source>Paused.  Press OK to continue.</source>
        <translation>En pausa.  Pulsa Aceptar para seguir.</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>You&apos;ve reached the winning score!  Do you wish to keep playing?</source>
        <translation>¡Has alcanzado la puntuación ganadora!  ¿Quieres seguir jugando?</translation>
    </message>
    <message>
        <source>You made it!</source>
        <translation>¡Lo lograste!</translation>
    </message>
    <message>
        <source>Too Easy</source>
        <translation>Muy fácil</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Fácil</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Duro</translation>
    </message>
    <message>
        <source>Too Hard</source>
        <translation>Muy duro</translation>
    </message>
    <message>
        <source>Plinkard</source>
        <translation>Plinkard</translation>
    </message>
    <message>
        <source>RELOAD</source>
        <translation>CARGA</translation>
    </message>
    <message>
        <source>Score:</source>
        <translation>Puntos:</translation>
    </message>
    <message>
        <source>Misses:</source>
        <translation>Fallos:</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Tiempo:</translation>
    </message>
    <message>
        <source>Music On/Off</source>
        <translation>Música sí/no</translation>
    </message>
    <message>
        <source>Sounds On/Off</source>
        <translation>Sonidos sí/no</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Otra vez</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>High Scores</source>
        <translation>Récords</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Score panel</source>
        <translation>Marcador</translation>
    </message>
    <message>
        <source>1 bullet left</source>
        <translation>Queda 1 bala</translation>
    </message>
    <message>
        <source>%1 bullets left</source>
        <translation>Quedan %1 balas</translation>
    </message>
    <message>
        <source>Click to reload</source>
        <translation>Haz clic para recargar</translation>
    </message>
    <message>
        <source>CLICK TO RELOAD</source>
        <translation>CLIC: RECARGAR</translation>
    </message>
    <message>
        <source>You loose!  Don&apos;t shoot the Linux Penguin!</source>
        <translation>¡Has perdido!  ¡No dispares al pingüino de Linux!</translation>
    </message>
    <message>
        <source>Oops!</source>
        <translation>¡Uy!</translation>
    </message>
</context>
<context>
    <name>frmScores</name>
    <message>
        <source>High Scores</source>
        <translation>Récords</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Borrar</translation>
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
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation>Sonidos</translation>
    </message>
    <message>
        <source>&amp;Music:</source>
        <translation>&amp;Tema:</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Examinar</translation>
    </message>
    <message>
        <source>&amp;Shoot:</source>
        <translation>T&amp;iro:</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>E&amp;xaminar</translation>
    </message>
    <message>
        <source>Certain &amp;icons change speed</source>
        <translation>Unos iconos cambian el &amp;ritmo</translation>
    </message>
    <message>
        <source>&amp;All icons are worth the same</source>
        <translation>Todos los iconos &amp;valen igual</translation>
    </message>
    <message>
        <source>No Winning &amp;Score </source>
        <translation>Sin &amp;meta de puntos</translation>
    </message>
    <message>
        <source>Winning Sco&amp;re:</source>
        <translation>Meta de &amp;puntos:</translation>
    </message>
    <message>
        <source>C&amp;olors</source>
        <translation>C&amp;olores</translation>
    </message>
    <message>
        <source>&amp;Okay</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Ca&amp;ncelar</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Elegir archivo</translation>
    </message>
    <message>
        <source>Midi Files</source>
        <translation>Archivos MIDI</translation>
    </message>
    <message>
        <source>Wave Files</source>
        <translation>Archivos WAVE</translation>
    </message>
    <message>
        <source>Browse for the music</source>
        <translation>Buscar una música</translation>
    </message>
    <message>
        <source>Browse for the shot sound</source>
        <translation>Buscar un sonido de disparo</translation>
    </message>
</context>
</TS>
