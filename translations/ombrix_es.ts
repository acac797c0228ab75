<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="it">
<context>
    <name>Ombrix</name>
    <message>
        <source>Sposta Ombrix sul lato sinistor/Move Ombrix to the left side</source>
        <translation>Mover Ombrix al borde izquierdo</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato superiore/move Ombrix to the upper side</source>
        <translation>Mover Ombrix al borde superior</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato destro/Put Ombrix on the right side</source>
        <translation>Mover Ombrix al borde derecho</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato inferiore/Move Ombrix to the buttom side</source>
        <translation>Mover Ombrix al borde inferior</translation>
    </message>
    <message>
        <source>Tonaltà</source>
        <translation>Tono</translation>
    </message>
    <message>
        <source>Saturazione</source>
        <translation>Saturación</translation>
    </message>
    <message>
        <source>Luminosità</source>
        <translation>Luminosidad</translation>
    </message>
    <message>
        <source>Rosso</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Verde</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Blu</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>CANCEL ALL</source>
        <translation>Cancelar todo</translation>
    </message>
    <message>
        <source>System Gray</source>
        <translation>Gris del sistema</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Preceeding color</source>
        <translation>Color anterior</translation>
    </message>
    <message>
        <source>Suono/Sound</source>
        <translation>Sonido</translation>
    </message>
    <message>
        <source>Doppio click /double click</source>
        <translation>Doble clic</translation>
    </message>
    <message>
        <source>Run on Windows start up</source>
        <translation>Iniciar con la sesión</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show all the keys</source>
        <translation>Mostrar todas las teclas</translation>
    </message>
    <message>
        <source>Numero tasti/Number of keys</source>
        <translation>Número de teclas</translation>
    </message>
    <message>
        <source>Max.: 128</source>
        <translation>Máx. 128</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / Move the checked key</source>
        <translation>Mover la tecla marcada</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Derecha</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s caption</source>
        <translation>Texto de la tecla</translation>
    </message>
    <message>
        <source>PopUp testo / PopUp text</source>
        <translation>Texto emergente</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the icon</source>
        <translation>Elegir el icono</translation>
    </message>
    <message>
        <source>Originale / Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Color de fondo</translation>
    </message>
    <message>
        <source>Insert Key to shut down the computer</source>
        <translation>Insertar una tecla para apagar el equipo</translation>
    </message>
    <message>
        <source>EXIT Windows</source>
        <translation>Apagar el equipo</translation>
    </message>
    <message>
        <source>Dock the bar on the left side</source>
        <translation>Acoplar la barra a la izquierda</translation>
    </message>
    <message>
        <source>Dock the bar at the top</source>
        <translation>Acoplar la barra arriba</translation>
    </message>
    <message>
        <source>Dock the bar on the right side</source>
        <translation>Acoplar la barra a la derecha</translation>
    </message>
    <message>
        <source>Dock the bar at the bottom</source>
        <translation>Acoplar la barra abajo</translation>
    </message>
    <message>
        <source>Open or close the bar</source>
        <translation>Abrir o cerrar la barra</translation>
    </message>
    <message>
        <source>See-through bar background</source>
        <translation>Fondo de barra transparente</translation>
    </message>
    <message>
        <source>Dock</source>
        <translation>Acoplar</translation>
    </message>
    <message>
        <source>End Ombrix</source>
        <translation>Salir de Ombrix</translation>
    </message>
    <message>
        <source>Set up the keys</source>
        <translation>Configurar las teclas</translation>
    </message>
    <message>
        <source>Keep the bar open after a key is used</source>
        <translation>Mantener la barra abierta tras usar una tecla</translation>
    </message>
    <message>
        <source>La barra ha già 128 tasti/The bar already has 128 keys</source>
        <translation>La barra ya tiene 128 teclas</translation>
    </message>
    <message>
        <source>Chiudere prima la personalizzazione/Close the setup window first</source>
        <translation>Cierre primero la ventana de configuración</translation>
    </message>
    <message>
        <source>Selected key</source>
        <translation>Tecla seleccionada</translation>
    </message>
    <message>
        <source>Carica e mantiene la barra aperta / load and let the bar open</source>
        <translation>Carga la barra y la mantiene abierta</translation>
    </message>
    <message>
        <source>Con un doppio clickchiude Ombrix/With a double click close Ombrix</source>
        <translation>Un doble clic cierra Ombrix</translation>
    </message>
    <message>
        <source>Apre e chiude la barra/Open and close the bar</source>
        <translation>Abre y cierra la barra</translation>
    </message>
    <message>
        <source>Lancia il programma/Launch the program</source>
        <translation>Inicia el programa</translation>
    </message>
    <message>
        <source>The side could not be stored in the settings file.</source>
        <translation>No se pudo guardar el borde en el archivo de configuración.</translation>
    </message>
    <message>
        <source>ins.</source>
        <translation>conf.</translation>
    </message>
    <message>
        <source>Apre la finestra di personalizzazione/Open the personalization window</source>
        <translation>Abre la ventana de configuración</translation>
    </message>
    <message>
        <source>The setup program is missing: %1</source>
        <translation>Falta el programa de configuración: %1</translation>
    </message>
    <message>
        <source>Ombrix Setup</source>
        <translation>Configuración de Ombrix</translation>
    </message>
    <message>
        <source>The see-through choice could not be stored in the settings file.</source>
        <translation>No se pudo guardar la opción de fondo transparente en el archivo de configuración.</translation>
    </message>
    <message>
        <source>The requested application is already open.</source>
        <translation>La aplicación ya está abierta.</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Teclas</translation>
    </message>
    <message>
        <source>Hue, 0 to 240</source>
        <translation>Tono, de 0 a 240</translation>
    </message>
    <message>
        <source>Saturation, 0 to 240</source>
        <translation>Saturación, de 0 a 240</translation>
    </message>
    <message>
        <source>Luminance, 0 to 240</source>
        <translation>Luminosidad, de 0 a 240</translation>
    </message>
    <message>
        <source>Red, 0 to 255</source>
        <translation>Rojo, de 0 a 255</translation>
    </message>
    <message>
        <source>Green, 0 to 255</source>
        <translation>Verde, de 0 a 255</translation>
    </message>
    <message>
        <source>Blue, 0 to 255</source>
        <translation>Azul, de 0 a 255</translation>
    </message>
    <message>
        <source>Colour field: hue across, saturation down</source>
        <translation>Campo de color: tono en horizontal, saturación en vertical</translation>
    </message>
    <message>
        <source>Luminance strip</source>
        <translation>Franja de luminosidad</translation>
    </message>
    <message>
        <source>Colour field</source>
        <translation>Campo de color</translation>
    </message>
    <message>
        <source>Chosen hue and saturation</source>
        <translation>Tono y saturación elegidos</translation>
    </message>
    <message>
        <source>Chosen luminance</source>
        <translation>Luminosidad elegida</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Teclas</translation>
    </message>
    <message>
        <source>Sample key %1</source>
        <translation>Tecla de muestra %1</translation>
    </message>
    <message>
        <source>Key %1</source>
        <translation>Tecla %1</translation>
    </message>
    <message>
        <source>The show-all-keys choice could not be stored in the settings file.</source>
        <translation>No se pudo guardar la opción «Mostrar todas las teclas» en el archivo de configuración.</translation>
    </message>
    <message>
        <source>This key was not set up.
A caption holds at most %1 characters and a pop-up text at most %2.</source>
        <translation>Esta tecla no se ha configurado.
Un texto de tecla admite como máximo %1 caracteres y un texto emergente como máximo %2.</translation>
    </message>
    <message>
        <source>This key was not set up.
%1</source>
        <translation>Esta tecla no se ha configurado.
%1</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The setup stays open with your changes.</source>
        <translation>Las teclas no se han guardado.
%1
La configuración sigue abierta con sus cambios.</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The old %2 is unchanged; the setup stays open with your changes.</source>
        <translation>Las teclas no se han guardado.
%1
El archivo anterior %2 no ha cambiado; la configuración sigue abierta con sus cambios.</translation>
    </message>
    <message>
        <source>The keys were saved, but the sound and double-click choices could not be stored in the settings file. The setup stays open.</source>
        <translation>Las teclas se han guardado, pero no se pudieron guardar las opciones de sonido y doble clic en el archivo de configuración. La configuración sigue abierta.</translation>
    </message>
    <message>
        <source>The number of keys was not saved.
%1
The bar keeps its earlier number of keys.</source>
        <translation>El número de teclas no se ha guardado.
%1
La barra mantiene su número de teclas anterior.</translation>
    </message>
    <message>
        <source>The start-up choice could not be stored in the settings file.</source>
        <translation>No se pudo guardar la opción de inicio con la sesión en el archivo de configuración.</translation>
    </message>
    <message>
        <source>Suono/&amp;Sound</source>
        <translation>&amp;Sonido</translation>
    </message>
    <message>
        <source>Doppio click /&amp;double click</source>
        <translation>&amp;Doble clic</translation>
    </message>
    <message>
        <source>&amp;Run on Windows start up</source>
        <translation>&amp;Iniciar con la sesión</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show &amp;all the keys</source>
        <translation>&amp;Mostrar todas las teclas</translation>
    </message>
    <message>
        <source>Originale / &amp;Original</source>
        <translation>&amp;Original</translation>
    </message>
    <message>
        <source>&amp;Background Color</source>
        <translation>Color de &amp;fondo</translation>
    </message>
    <message>
        <source>Se&amp;tup</source>
        <translation>A&amp;plicar</translation>
    </message>
    <message>
        <source>E&amp;XIT</source>
        <translation>Sa&amp;lir</translation>
    </message>
    <message>
        <source>Numero tasti/&amp;Number of keys</source>
        <translation>&amp;Número de teclas</translation>
    </message>
    <message>
        <source>Number of keys</source>
        <translation>Número de teclas</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s &amp;caption</source>
        <translation>&amp;Texto de la tecla</translation>
    </message>
    <message>
        <source>Button&apos;s caption</source>
        <translation>Texto de la tecla</translation>
    </message>
    <message>
        <source>PopUp testo / &amp;PopUp text</source>
        <translation>Texto &amp;emergente</translation>
    </message>
    <message>
        <source>Pop-up text</source>
        <translation>Texto emergente</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the &amp;icon</source>
        <translation>Elegir el i&amp;cono</translation>
    </message>
    <message>
        <source>Icon number</source>
        <translation>Número del icono</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / &amp;Move the checked key</source>
        <translation>Mo&amp;ver la tecla marcada</translation>
    </message>
    <message>
        <source>Move the checked key</source>
        <translation>Mover la tecla marcada</translation>
    </message>
    <message>
        <source>Target: program and document, or web address</source>
        <translation>Destino: programa y documento, o dirección web</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Lugar</translation>
    </message>
    <message>
        <source>Places</source>
        <translation>Lugares</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Carpetas</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>Kind of key</source>
        <translation>Tipo de tecla</translation>
    </message>
    <message>
        <source>Chosen picture</source>
        <translation>Imagen elegida</translation>
    </message>
    <message>
        <source>The target&apos;s own icon</source>
        <translation>Icono propio del destino</translation>
    </message>
    <message>
        <source>Shut down the computer now?</source>
        <translation>¿Apagar el equipo ahora?</translation>
    </message>
    <message>
        <source>The system did not agree to shut down.</source>
        <translation>El sistema no ha aceptado el apagado.</translation>
    </message>
    <message>
        <source>Colori</source>
        <translation>Colores</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no existe el archivo</translation>
    </message>
    <message>
        <source>a folder on its way is missing</source>
        <translation>falta una carpeta de la ruta</translation>
    </message>
    <message>
        <source>it may not be run or read</source>
        <translation>no se permite ejecutarlo ni leerlo</translation>
    </message>
    <message>
        <source>it cannot be reached</source>
        <translation>no se puede acceder</translation>
    </message>
    <message>
        <source>it cannot be started this way</source>
        <translation>no se puede iniciar así</translation>
    </message>
    <message>
        <source>the system refused</source>
        <translation>el sistema lo ha rechazado</translation>
    </message>
    <message>
        <source>This key has nothing to start (error %1).</source>
        <translation>Esta tecla no tiene nada que iniciar (error %1).</translation>
    </message>
    <message>
        <source>Cannot start &quot;%1&quot;: %2 (error %3).</source>
        <translation>No se puede iniciar «%1»: %2 (error %3).</translation>
    </message>
    <message>
        <source>Cannot make the folder %1: %2.</source>
        <translation>No se puede crear la carpeta %1: %2.</translation>
    </message>
    <message>
        <source>Cannot make an icon of the picture for %1.</source>
        <translation>No se puede hacer un icono de la imagen para %1.</translation>
    </message>
    <message>
        <source>Cannot read %1: it is no readable icon file.</source>
        <translation>No se puede leer %1: no es un archivo de icono legible.</translation>
    </message>
    <message>
        <source>Cannot read the folder %1: %2.</source>
        <translation>No se puede leer la carpeta %1: %2.</translation>
    </message>
    <message>
        <source>Cannot make a scratch folder for the icons in %1: %2.</source>
        <translation>No se puede crear en %1 una carpeta de trabajo para los iconos: %2.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be put back as %2; rename it by hand.</source>
        <translation>No se ha podido volver a cambiar el nombre del archivo de icono %1 a %2; cámbielo a mano.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: a file or folder of that name is in the way.</source>
        <translation>No se ha podido cambiar el nombre del archivo de icono %1 a %2: un archivo o una carpeta con ese nombre lo impide.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: %3.</source>
        <translation>No se ha podido cambiar el nombre del archivo de icono %1 a %2: %3.</translation>
    </message>
    <message>
        <source>There is no key at place %1.</source>
        <translation>No hay ninguna tecla en la posición %1.</translation>
    </message>
    <message>
        <source>The icon file %1 is left over from an exchange of icons that did not finish and may hold a key&apos;s icon. Rename it to the icon file of the key it belongs to, or delete it, then move the key again.</source>
        <translation>El archivo de icono %1 ha quedado de un intercambio de iconos que no terminó y puede contener el icono de una tecla. Cámbiele el nombre al del archivo de icono de la tecla a la que pertenece, o elimínelo, y luego vuelva a mover la tecla.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>El archivo de configuración %1 es demasiado grande para serlo y no se ha podido apartar (%2): la configuración vuelve a sus valores predeterminados.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>El archivo de configuración %1 estaba dañado y no se ha podido apartar (%2): la configuración vuelve a sus valores predeterminados.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>El archivo de configuración %1 es demasiado grande para serlo. Se conserva como %2 y la configuración vuelve a sus valores predeterminados.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>El archivo de configuración %1 estaba dañado. Se conserva como %2 y la configuración vuelve a sus valores predeterminados.</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and is left alone: no setting is read or stored. Move it away to let the settings be stored.</source>
        <translation>El archivo de configuración %1 no es un archivo normal y se deja como está: no se lee ni se guarda ninguna opción. Muévalo a otro sitio para que la configuración se pueda guardar.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation>No se puede escribir %1: %2.</translation>
    </message>
    <message>
        <source>Cannot write %1: it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>No se puede escribir %1: no es un archivo normal y se deja como está. Muévalo a otro sitio para que el archivo se pueda escribir.</translation>
    </message>
    <message>
        <source>Cannot write %1 (a link to %2): it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>No se puede escribir %1 (un enlace a %2): no es un archivo normal y se deja como está. Muévalo a otro sitio para que el archivo se pueda escribir.</translation>
    </message>
    <message>
        <source>Cannot read the icon files in %1.</source>
        <translation>No se pueden leer los archivos de icono de %1.</translation>
    </message>
    <message>
        <source>Cannot finish the last save in %1.</source>
        <translation>No se puede terminar el último guardado en %1.</translation>
    </message>
    <message>
        <source>Cannot read %1.</source>
        <translation>No se puede leer %1.</translation>
    </message>
    <message>
        <source>%1 is a file where a folder is needed: move it away or rename it, then save again.</source>
        <translation>%1 es un archivo donde hace falta una carpeta: muévalo o cámbiele el nombre, y luego vuelva a guardar.</translation>
    </message>
    <message>
        <source>%1 is not a regular file and is left alone: move it away, then save again.</source>
        <translation>%1 no es un archivo normal y se deja como está: muévalo a otro sitio y luego vuelva a guardar.</translation>
    </message>
    <message>
        <source>An earlier save could not be finished in %1.</source>
        <translation>No se ha podido terminar un guardado anterior en %1.</translation>
    </message>
    <message>
        <source>Cannot finish saving in %1: %2. The save is finished at the next start.</source>
        <translation>No se puede terminar el guardado en %1: %2. El guardado se terminará en el próximo inicio.</translation>
    </message>
    <message>
        <source>The keys were changed by another program. The bar now shows them as they are stored; nothing was moved.</source>
        <translation>Otro programa ha cambiado las teclas. La barra las muestra ahora tal como están guardadas; no se ha movido nada.</translation>
    </message>
    <message>
        <source>&amp;Edit…</source>
        <translation>&amp;Editar…</translation>
    </message>
    <message>
        <source>Move &amp;left</source>
        <translation>Mover a la &amp;izquierda</translation>
    </message>
    <message>
        <source>Move r&amp;ight</source>
        <translation>Mover a la &amp;derecha</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <source>&amp;Open the containing folder</source>
        <translation>&amp;Abrir la carpeta contenedora</translation>
    </message>
    <message>
        <source>&amp;Undo the removal of key %1</source>
        <translation>Des&amp;hacer la eliminación de la tecla %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Undo the removal of key %1</source>
        <translation>Deshacer la eliminación de la tecla %1</translation>
    </message>
</context>
</TS>
