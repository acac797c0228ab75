<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="it">
<context>
    <name>Ombrix</name>
    <message>
        <source>Sposta Ombrix sul lato sinistor/Move Ombrix to the left side</source>
        <translation>Move Ombrix to the left side</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato superiore/move Ombrix to the upper side</source>
        <translation>Move Ombrix to the top</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato destro/Put Ombrix on the right side</source>
        <translation>Move Ombrix to the right side</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato inferiore/Move Ombrix to the buttom side</source>
        <translation>Move Ombrix to the bottom</translation>
    </message>
    <message>
        <source>Tonaltà</source>
        <translation>Hue</translation>
    </message>
    <message>
        <source>Saturazione</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Luminosità</source>
        <translation>Luminance</translation>
    </message>
    <message>
        <source>Rosso</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Verde</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blu</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>CANCEL ALL</source>
        <translation>Cancel All</translation>
    </message>
    <message>
        <source>System Gray</source>
        <translation>System Grey</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Preceeding color</source>
        <translation>Previous Colour</translation>
    </message>
    <message>
        <source>Suono/Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Doppio click /double click</source>
        <translation>Double click</translation>
    </message>
    <message>
        <source>Run on Windows start up</source>
        <translation>Start with the desktop session</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show all the keys</source>
        <translation>Show all the keys</translation>
    </message>
    <message>
        <source>Numero tasti/Number of keys</source>
        <translation>Number of keys</translation>
    </message>
    <message>
        <source>Max.: 128</source>
        <translation>Max. 128</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / Move the checked key</source>
        <translation>Move the checked key</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s caption</source>
        <translation>Key caption</translation>
    </message>
    <message>
        <source>PopUp testo / PopUp text</source>
        <translation>Pop-up text</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Set Up</translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the icon</source>
        <translation>Choose the icon</translation>
    </message>
    <message>
        <source>Originale / Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Background Colour</translation>
    </message>
    <message>
        <source>Insert Key to shut down the computer</source>
        <translation>Insert a key to shut down the computer</translation>
    </message>
    <message>
        <source>EXIT Windows</source>
        <translation>Shut down the computer</translation>
    </message>
    <message>
        <source>Dock the bar on the left side</source>
        <translation>Dock the bar on the left side</translation>
    </message>
    <message>
        <source>Dock the bar at the top</source>
        <translation>Dock the bar at the top</translation>
    </message>
    <message>
        <source>Dock the bar on the right side</source>
        <translation>Dock the bar on the right side</translation>
    </message>
    <message>
        <source>Dock the bar at the bottom</source>
        <translation>Dock the bar at the bottom</translation>
    </message>
    <message>
        <source>Open or close the bar</source>
        <translation>Open or close the bar</translation>
    </message>
    <message>
        <source>See-through bar background</source>
        <translation>See-through bar background</translation>
    </message>
    <message>
        <source>Dock</source>
        <translation>Dock</translation>
    </message>
    <message>
        <source>End Ombrix</source>
        <translation>End Ombrix</translation>
    </message>
    <message>
        <source>Set up the keys</source>
        <translation>Set up the keys</translation>
    </message>
    <message>
        <source>Keep the bar open after a key is used</source>
        <translation>Keep the bar open after a key is used</translation>
    </message>
    <message>
        <source>La barra ha già 128 tasti/The bar already has 128 keys</source>
        <translation>The bar already has 128 keys</translation>
    </message>
    <message>
        <source>Chiudere prima la personalizzazione/Close the setup window first</source>
        <translation>Close the setup window first</translation>
    </message>
    <message>
        <source>Selected key</source>
        <translation>Selected key</translation>
    </message>
    <message>
        <source>Carica e mantiene la barra aperta / load and let the bar open</source>
        <translation>Load and keep the bar open</translation>
    </message>
    <message>
        <source>Con un doppio clickchiude Ombrix/With a double click close Ombrix</source>
        <translation>A double click closes Ombrix</translation>
    </message>
    <message>
        <source>Apre e chiude la barra/Open and close the bar</source>
        <translation>Open and close the bar</translation>
    </message>
    <message>
        <source>Lancia il programma/Launch the program</source>
        <translation>Launch the program</translation>
    </message>
    <message>
        <source>The side could not be stored in the settings file.</source>
        <translation>The side could not be stored in the settings file.</translation>
    </message>
    <message>
        <source>ins.</source>
        <translation>ins.</translation>
    </message>
    <message>
        <source>Apre la finestra di personalizzazione/Open the personalization window</source>
        <translation>Open the setup window</translation>
    </message>
    <message>
        <source>The setup program is missing: %1</source>
        <translation>The setup program is missing: %1</translation>
    </message>
    <message>
        <source>Ombrix Setup</source>
        <translation>Ombrix Setup</translation>
    </message>
    <message>
        <source>The see-through choice could not be stored in the settings file.</source>
        <translation>The see-through choice could not be stored in the settings file.</translation>
    </message>
    <message>
        <source>The requested application is already open.</source>
        <translation>The application is already open.</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Hue, 0 to 240</source>
        <translation>Hue, 0 to 240</translation>
    </message>
    <message>
        <source>Saturation, 0 to 240</source>
        <translation>Saturation, 0 to 240</translation>
    </message>
    <message>
        <source>Luminance, 0 to 240</source>
        <translation>Luminance, 0 to 240</translation>
    </message>
    <message>
        <source>Red, 0 to 255</source>
        <translation>Red, 0 to 255</translation>
    </message>
    <message>
        <source>Green, 0 to 255</source>
        <translation>Green, 0 to 255</translation>
    </message>
    <message>
        <source>Blue, 0 to 255</source>
        <translation>Blue, 0 to 255</translation>
    </message>
    <message>
        <source>Colour field: hue across, saturation down</source>
        <translation>Colour field: hue across, saturation down</translation>
    </message>
    <message>
        <source>Luminance strip</source>
        <translation>Luminance strip</translation>
    </message>
    <message>
        <source>Colour field</source>
        <translation>Colour field</translation>
    </message>
    <message>
        <source>Chosen hue and saturation</source>
        <translation>Chosen hue and saturation</translation>
    </message>
    <message>
        <source>Chosen luminance</source>
        <translation>Chosen luminance</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Sample key %1</source>
        <translation>Sample key %1</translation>
    </message>
    <message>
        <source>Key %1</source>
        <translation>Key %1</translation>
    </message>
    <message>
        <source>The show-all-keys choice could not be stored in the settings file.</source>
        <translation>The show-all-keys choice could not be stored in the settings file.</translation>
    </message>
    <message>
        <source>This key was not set up.
A caption holds at most %1 characters and a pop-up text at most %2.</source>
        <translation>This key was not set up.
A caption holds at most %1 characters and a pop-up text at most %2.</translation>
    </message>
    <message>
        <source>This key was not set up.
%1</source>
        <translation>This key was not set up.
%1</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The setup stays open with your changes.</source>
        <translation>The keys were not saved.
%1
The setup stays open with your changes.</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The old %2 is unchanged; the setup stays open with your changes.</source>
        <translation>The keys were not saved.
%1
The old %2 is unchanged; the setup stays open with your changes.</translation>
    </message>
    <message>
        <source>The keys were saved, but the sound and double-click choices could not be stored in the settings file. The setup stays open.</source>
        <translation>The keys were saved, but the sound and double-click choices could not be stored in the settings file. The setup stays open.</translation>
    </message>
    <message>
        <source>The number of keys was not saved.
%1
The bar keeps its earlier number of keys.</source>
        <translation>The number of keys was not saved.
%1
The bar keeps its earlier number of keys.</translation>
    </message>
    <message>
        <source>The start-up choice could not be stored in the settings file.</source>
        <translation>The start-up choice could not be stored in the settings file.</translation>
    </message>
    <message>
        <source>Suono/&amp;Sound</source>
        <translation>&amp;Sound</translation>
    </message>
    <message>
        <source>Doppio click /&amp;double click</source>
        <translation>&amp;Double click</translation>
    </message>
    <message>
        <source>&amp;Run on Windows start up</source>
        <translation>&amp;Start with the desktop session</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show &amp;all the keys</source>
        <translation>Show &amp;all the keys</translation>
    </message>
    <message>
        <source>Originale / &amp;Original</source>
        <translation>&amp;Original</translation>
    </message>
    <message>
        <source>&amp;Background Color</source>
        <translation>&amp;Background Colour</translation>
    </message>
    <message>
        <source>Se&amp;tup</source>
        <translation>Se&amp;t Up</translation>
    </message>
    <message>
        <source>E&amp;XIT</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Numero tasti/&amp;Number of keys</source>
        <translation>&amp;Number of keys</translation>
    </message>
    <message>
        <source>Number of keys</source>
        <translation>Number of keys</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s &amp;caption</source>
        <translation>Key &amp;caption</translation>
    </message>
    <message>
        <source>Button&apos;s caption</source>
        <translation>Key caption</translation>
    </message>
    <message>
        <source>PopUp testo / &amp;PopUp text</source>
        <translation>&amp;Pop-up text</translation>
    </message>
    <message>
        <source>Pop-up text</source>
        <translation>Pop-up text</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the &amp;icon</source>
        <translation>Choose the &amp;icon</translation>
    </message>
    <message>
        <source>Icon number</source>
        <translation>Icon number</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / &amp;Move the checked key</source>
        <translation>&amp;Move the checked key</translation>
    </message>
    <message>
        <source>Move the checked key</source>
        <translation>Move the checked key</translation>
    </message>
    <message>
        <source>Target: program and document, or web address</source>
        <translation>Target: program and document, or web address</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Places</source>
        <translation>Places</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Kind of key</source>
        <translation>Kind of key</translation>
    </message>
    <message>
        <source>Chosen picture</source>
        <translation>Chosen picture</translation>
    </message>
    <message>
        <source>The target&apos;s own icon</source>
        <translation>The target&apos;s own icon</translation>
    </message>
    <message>
        <source>Shut down the computer now?</source>
        <translation>Shut down the computer now?</translation>
    </message>
    <message>
        <source>The system did not agree to shut down.</source>
        <translation>The system did not agree to shut down.</translation>
    </message>
    <message>
        <source>Colori</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>a folder on its way is missing</source>
        <translation>a folder on its way is missing</translation>
    </message>
    <message>
        <source>it may not be run or read</source>
        <translation>it may not be run or read</translation>
    </message>
    <message>
        <source>it cannot be reached</source>
        <translation>it cannot be reached</translation>
    </message>
    <message>
        <source>it cannot be started this way</source>
        <translation>it cannot be started this way</translation>
    </message>
    <message>
        <source>the system refused</source>
        <translation>the system refused</translation>
    </message>
    <message>
        <source>This key has nothing to start (error %1).</source>
        <translation>This key has nothing to start (error %1).</translation>
    </message>
    <message>
        <source>Cannot start &quot;%1&quot;: %2 (error %3).</source>
        <translation>Cannot start &quot;%1&quot;: %2 (error %3).</translation>
    </message>
    <message>
        <source>Cannot make the folder %1: %2.</source>
        <translation>Cannot create the folder %1: %2.</translation>
    </message>
    <message>
        <source>Cannot make an icon of the picture for %1.</source>
        <translation>Cannot make an icon of the picture for %1.</translation>
    </message>
    <message>
        <source>Cannot read %1: it is no readable icon file.</source>
        <translation>Cannot read %1: it is not a readable icon file.</translation>
    </message>
    <message>
        <source>Cannot read the folder %1: %2.</source>
        <translation>Cannot read the folder %1: %2.</translation>
    </message>
    <message>
        <source>Cannot make a scratch folder for the icons in %1: %2.</source>
        <translation>Cannot create a working folder for the icons in %1: %2.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be put back as %2; rename it by hand.</source>
        <translation>The icon file %1 could not be renamed back to %2; rename it by hand.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: a file or folder of that name is in the way.</source>
        <translation>The icon file %1 could not be renamed to %2: a file or folder of that name is in the way.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: %3.</source>
        <translation>The icon file %1 could not be renamed to %2: %3.</translation>
    </message>
    <message>
        <source>There is no key at place %1.</source>
        <translation>There is no key at position %1.</translation>
    </message>
    <message>
        <source>The icon file %1 is left over from an exchange of icons that did not finish and may hold a key&apos;s icon. Rename it to the icon file of the key it belongs to, or delete it, then move the key again.</source>
        <translation>The icon file %1 is left over from an exchange of icons that did not finish and may hold a key&apos;s icon. Rename it to the icon file of the key it belongs to, or delete it, then move the key again.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>The settings file %1 is far too large to be a settings file and could not be set aside (%2): the settings start from their defaults.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>The settings file %1 was damaged and could not be set aside (%2): the settings start from their defaults.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>The settings file %1 is far too large to be a settings file. It is kept as %2, and the settings start again from their defaults.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>The settings file %1 was damaged. It is kept as %2, and the settings start again from their defaults.</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and is left alone: no setting is read or stored. Move it away to let the settings be stored.</source>
        <translation>The settings file %1 is not a regular file and is left alone: no setting is read or stored. Move it away to let the settings be stored.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation>Cannot write %1: %2.</translation>
    </message>
    <message>
        <source>Cannot write %1: it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>Cannot write %1: it is not a regular file, and is left alone. Move it away to let the file be written.</translation>
    </message>
    <message>
        <source>Cannot write %1 (a link to %2): it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>Cannot write %1 (a link to %2): it is not a regular file, and is left alone. Move it away to let the file be written.</translation>
    </message>
    <message>
        <source>Cannot read the icon files in %1.</source>
        <translation>Cannot read the icon files in %1.</translation>
    </message>
    <message>
        <source>Cannot finish the last save in %1.</source>
        <translation>Cannot finish the last save in %1.</translation>
    </message>
    <message>
        <source>Cannot read %1.</source>
        <translation>Cannot read %1.</translation>
    </message>
    <message>
        <source>%1 is a file where a folder is needed: move it away or rename it, then save again.</source>
        <translation>%1 is a file where a folder is needed: move it away or rename it, then save again.</translation>
    </message>
    <message>
        <source>%1 is not a regular file and is left alone: move it away, then save again.</source>
        <translation>%1 is not a regular file and is left alone: move it away, then save again.</translation>
    </message>
    <message>
        <source>An earlier save could not be finished in %1.</source>
        <translation>An earlier save could not be finished in %1.</translation>
    </message>
    <message>
        <source>Cannot finish saving in %1: %2. The save is finished at the next start.</source>
        <translation>Cannot finish saving in %1: %2. The save will be finished at the next start.</translation>
    </message>
    <message>
        <source>The keys were changed by another program. The bar now shows them as they are stored; nothing was moved.</source>
        <translation>The keys were changed by another program. The bar now shows them as they are stored; nothing was moved.</translation>
    </message>
    <message>
        <source>&amp;Edit…</source>
        <translation>&amp;Edit…</translation>
    </message>
    <message>
        <source>Move &amp;left</source>
        <translation>Move &amp;left</translation>
    </message>
    <message>
        <source>Move r&amp;ight</source>
        <translation>Move r&amp;ight</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>&amp;Open the containing folder</source>
        <translation>&amp;Open the containing folder</translation>
    </message>
    <message>
        <source>&amp;Undo the removal of key %1</source>
        <translation>&amp;Undo the removal of key %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Undo the removal of key %1</source>
        <translation>Undo the removal of key %1</translation>
    </message>
</context>
</TS>
