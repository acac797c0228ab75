<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="it">
<context>
    <name>Ombrix</name>
    <message>
        <source>Sposta Ombrix sul lato sinistor/Move Ombrix to the left side</source>
        <translation>Ombrix an den linken Rand verschieben</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato superiore/move Ombrix to the upper side</source>
        <translation>Ombrix an den oberen Rand verschieben</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato destro/Put Ombrix on the right side</source>
        <translation>Ombrix an den rechten Rand verschieben</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato inferiore/Move Ombrix to the buttom side</source>
        <translation>Ombrix an den unteren Rand verschieben</translation>
    </message>
    <message>
        <source>Tonaltà</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Saturazione</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Luminosità</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Rosso</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Verde</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blu</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>CANCEL ALL</source>
        <translation>Alle verwerfen</translation>
    </message>
    <message>
        <source>System Gray</source>
        <translation>System­grau</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Preceeding color</source>
        <translation>Vorherige Farbe</translation>
    </message>
    <message>
        <source>Suono/Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Doppio click /double click</source>
        <translation>Doppelklick</translation>
    </message>
    <message>
        <source>Run on Windows start up</source>
        <translation>Mit der Sitzung starten</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show all the keys</source>
        <translation>Alle Tasten anzeigen</translation>
    </message>
    <message>
        <source>Numero tasti/Number of keys</source>
        <translation>Anzahl der Tasten</translation>
    </message>
    <message>
        <source>Max.: 128</source>
        <translation>Max. 128</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / Move the checked key</source>
        <translation>Ausgewählte Taste verschieben</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s caption</source>
        <translation>Beschriftung der Taste</translation>
    </message>
    <message>
        <source>PopUp testo / PopUp text</source>
        <translation>Kurzinfo</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the icon</source>
        <translation>Symbol wählen</translation>
    </message>
    <message>
        <source>Originale / Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Insert Key to shut down the computer</source>
        <translation>Taste zum Ausschalten des Computers einfügen</translation>
    </message>
    <message>
        <source>EXIT Windows</source>
        <translation>Computer ausschalten</translation>
    </message>
    <message>
        <source>Dock the bar on the left side</source>
        <translation>Leiste links andocken</translation>
    </message>
    <message>
        <source>Dock the bar at the top</source>
        <translation>Leiste oben andocken</translation>
    </message>
    <message>
        <source>Dock the bar on the right side</source>
        <translation>Leiste rechts andocken</translation>
    </message>
    <message>
        <source>Dock the bar at the bottom</source>
        <translation>Leiste unten andocken</translation>
    </message>
    <message>
        <source>Open or close the bar</source>
        <translation>Leiste öffnen oder schließen</translation>
    </message>
    <message>
        <source>See-through bar background</source>
        <translation>Durchscheinender Leistenhintergrund</translation>
    </message>
    <message>
        <source>Dock</source>
        <translation>Andocken</translation>
    </message>
    <message>
        <source>End Ombrix</source>
        <translation>Ombrix beenden</translation>
    </message>
    <message>
        <source>Set up the keys</source>
        <translation>Tasten einrichten</translation>
    </message>
    <message>
        <source>Keep the bar open after a key is used</source>
        <translation>Leiste nach Tastendruck geöffnet lassen</translation>
    </message>
    <message>
        <source>La barra ha già 128 tasti/The bar already has 128 keys</source>
        <translation>Die Leiste hat bereits 128 Tasten</translation>
    </message>
    <message>
        <source>Chiudere prima la personalizzazione/Close the setup window first</source>
        <translation>Bitte zuerst das Einrichtungsfenster schließen</translation>
    </message>
    <message>
        <source>Selected key</source>
        <translation>Ausgewählte Taste</translation>
    </message>
    <message>
        <source>Carica e mantiene la barra aperta / load and let the bar open</source>
        <translation>Lädt die Leiste und hält sie geöffnet</translation>
    </message>
    <message>
        <source>Con un doppio clickchiude Ombrix/With a double click close Ombrix</source>
        <translation>Ein Doppelklick beendet Ombrix</translation>
    </message>
    <message>
        <source>Apre e chiude la barra/Open and close the bar</source>
        <translation>Öffnet und schließt die Leiste</translation>
    </message>
    <message>
        <source>Lancia il programma/Launch the program</source>
        <translation>Startet das Programm</translation>
    </message>
    <message>
        <source>The side could not be stored in the settings file.</source>
        <translation>Der Rand konnte nicht in der Einstellungsdatei gespeichert werden.</translation>
    </message>
    <message>
        <source>ins.</source>
        <translation>einr.</translation>
    </message>
    <message>
        <source>Apre la finestra di personalizzazione/Open the personalization window</source>
        <translation>Öffnet das Einrichtungsfenster</translation>
    </message>
    <message>
        <source>The setup program is missing: %1</source>
        <translation>Das Einrichtungsprogramm fehlt: %1</translation>
    </message>
    <message>
        <source>Ombrix Setup</source>
        <translation>Ombrix-Einrichtung</translation>
    </message>
    <message>
        <source>The see-through choice could not be stored in the settings file.</source>
        <translation>Die Wahl des durchscheinenden Hintergrunds konnte nicht in der Einstellungsdatei gespeichert werden.</translation>
    </message>
    <message>
        <source>The requested application is already open.</source>
        <translation>Die Anwendung ist bereits geöffnet.</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>Hue, 0 to 240</source>
        <translation>Farbton, 0 bis 240</translation>
    </message>
    <message>
        <source>Saturation, 0 to 240</source>
        <translation>Sättigung, 0 bis 240</translation>
    </message>
    <message>
        <source>Luminance, 0 to 240</source>
        <translation>Helligkeit, 0 bis 240</translation>
    </message>
    <message>
        <source>Red, 0 to 255</source>
        <translation>Rot, 0 bis 255</translation>
    </message>
    <message>
        <source>Green, 0 to 255</source>
        <translation>Grün, 0 bis 255</translation>
    </message>
    <message>
        <source>Blue, 0 to 255</source>
        <translation>Blau, 0 bis 255</translation>
    </message>
    <message>
        <source>Colour field: hue across, saturation down</source>
        <translation>Farbfeld: Farbton waagerecht, Sättigung senkrecht</translation>
    </message>
    <message>
        <source>Luminance strip</source>
        <translation>Helligkeitsleiste</translation>
    </message>
    <message>
        <source>Colour field</source>
        <translation>Farbfeld</translation>
    </message>
    <message>
        <source>Chosen hue and saturation</source>
        <translation>Gewählter Farbton und Sättigung</translation>
    </message>
    <message>
        <source>Chosen luminance</source>
        <translation>Gewählte Helligkeit</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>Sample key %1</source>
        <translation>Mustertaste %1</translation>
    </message>
    <message>
        <source>Key %1</source>
        <translation>Taste %1</translation>
    </message>
    <message>
        <source>The show-all-keys choice could not be stored in the settings file.</source>
        <translation>Die Wahl „Alle Tasten anzeigen“ konnte nicht in der Einstellungsdatei gespeichert werden.</translation>
    </message>
    <message>
        <source>This key was not set up.
A caption holds at most %1 characters and a pop-up text at most %2.</source>
        <translation>Diese Taste wurde nicht eingerichtet.
Eine Beschriftung hat höchstens %1 Zeichen, eine Kurzinfo höchstens %2.</translation>
    </message>
    <message>
        <source>This key was not set up.
%1</source>
        <translation>Diese Taste wurde nicht eingerichtet.
%1</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The setup stays open with your changes.</source>
        <translation>Die Tasten wurden nicht gespeichert.
%1
Das Einrichtungsfenster bleibt mit Ihren Änderungen geöffnet.</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The old %2 is unchanged; the setup stays open with your changes.</source>
        <translation>Die Tasten wurden nicht gespeichert.
%1
Die bisherige Datei %2 ist unverändert; das Einrichtungsfenster bleibt mit Ihren Änderungen geöffnet.</translation>
    </message>
    <message>
        <source>The keys were saved, but the sound and double-click choices could not be stored in the settings file. The setup stays open.</source>
        <translation>Die Tasten wurden gespeichert, aber die Wahl von Ton und Doppelklick konnte nicht in der Einstellungsdatei gespeichert werden. Das Einrichtungsfenster bleibt geöffnet.</translation>
    </message>
    <message>
        <source>The number of keys was not saved.
%1
The bar keeps its earlier number of keys.</source>
        <translation>Die Anzahl der Tasten wurde nicht gespeichert.
%1
Die Leiste behält ihre bisherige Anzahl an Tasten.</translation>
    </message>
    <message>
        <source>The start-up choice could not be stored in the settings file.</source>
        <translation>Die Wahl zum Start mit der Sitzung konnte nicht in der Einstellungsdatei gespeichert werden.</translation>
    </message>
    <message>
        <source>Suono/&amp;Sound</source>
        <translation>&amp;Ton</translation>
    </message>
    <message>
        <source>Doppio click /&amp;double click</source>
        <translation>&amp;Doppelklick</translation>
    </message>
    <message>
        <source>&amp;Run on Windows start up</source>
        <translation>Mit der &amp;Sitzung starten</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show &amp;all the keys</source>
        <translation>&amp;Alle Tasten anzeigen</translation>
    </message>
    <message>
        <source>Originale / &amp;Original</source>
        <translation>&amp;Original</translation>
    </message>
    <message>
        <source>&amp;Background Color</source>
        <translation>&amp;Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Se&amp;tup</source>
        <translation>&amp;Übernehmen</translation>
    </message>
    <message>
        <source>E&amp;XIT</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>Numero tasti/&amp;Number of keys</source>
        <translation>A&amp;nzahl der Tasten</translation>
    </message>
    <message>
        <source>Number of keys</source>
        <translation>Anzahl der Tasten</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s &amp;caption</source>
        <translation>&amp;Beschriftung der Taste</translation>
    </message>
    <message>
        <source>Button&apos;s caption</source>
        <translation>Beschriftung der Taste</translation>
    </message>
    <message>
        <source>PopUp testo / &amp;PopUp text</source>
        <translation>&amp;Kurzinfo</translation>
    </message>
    <message>
        <source>Pop-up text</source>
        <translation>Kurzinfo</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the &amp;icon</source>
        <translation>S&amp;ymbol wählen</translation>
    </message>
    <message>
        <source>Icon number</source>
        <translation>Symbolnummer</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / &amp;Move the checked key</source>
        <translation>Ausgewählte Taste &amp;verschieben</translation>
    </message>
    <message>
        <source>Move the checked key</source>
        <translation>Ausgewählte Taste verschieben</translation>
    </message>
    <message>
        <source>Target: program and document, or web address</source>
        <translation>Ziel: Programm und Dokument oder Webadresse</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Places</source>
        <translation>Orte</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Kind of key</source>
        <translation>Art der Taste</translation>
    </message>
    <message>
        <source>Chosen picture</source>
        <translation>Gewähltes Bild</translation>
    </message>
    <message>
        <source>The target&apos;s own icon</source>
        <translation>Eigenes Symbol des Ziels</translation>
    </message>
    <message>
        <source>Shut down the computer now?</source>
        <translation>Computer jetzt ausschalten?</translation>
    </message>
    <message>
        <source>The system did not agree to shut down.</source>
        <translation>Das System hat dem Ausschalten nicht zugestimmt.</translation>
    </message>
    <message>
        <source>Colori</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>a folder on its way is missing</source>
        <translation>ein Ordner auf dem Pfad fehlt</translation>
    </message>
    <message>
        <source>it may not be run or read</source>
        <translation>keine Berechtigung zum Ausführen oder Lesen</translation>
    </message>
    <message>
        <source>it cannot be reached</source>
        <translation>nicht erreichbar</translation>
    </message>
    <message>
        <source>it cannot be started this way</source>
        <translation>kann so nicht gestartet werden</translation>
    </message>
    <message>
        <source>the system refused</source>
        <translation>das System hat abgelehnt</translation>
    </message>
    <message>
        <source>This key has nothing to start (error %1).</source>
        <translation>Diese Taste hat nichts zu starten (Fehler %1).</translation>
    </message>
    <message>
        <source>Cannot start &quot;%1&quot;: %2 (error %3).</source>
        <translation>„%1“ kann nicht gestartet werden: %2 (Fehler %3).</translation>
    </message>
    <message>
        <source>Cannot make the folder %1: %2.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>Cannot make an icon of the picture for %1.</source>
        <translation>Aus dem Bild für %1 kann kein Symbol erstellt werden.</translation>
    </message>
    <message>
        <source>Cannot read %1: it is no readable icon file.</source>
        <translation>%1 kann nicht gelesen werden: Es ist keine lesbare Symboldatei.</translation>
    </message>
    <message>
        <source>Cannot read the folder %1: %2.</source>
        <translation>Der Ordner %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Cannot make a scratch folder for the icons in %1: %2.</source>
        <translation>In %1 kann kein Arbeitsordner für die Symbole angelegt werden: %2.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be put back as %2; rename it by hand.</source>
        <translation>Die Symboldatei %1 konnte nicht wieder in %2 umbenannt werden. Bitte benennen Sie sie von Hand um.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: a file or folder of that name is in the way.</source>
        <translation>Die Symboldatei %1 konnte nicht in %2 umbenannt werden: Eine Datei oder ein Ordner dieses Namens ist im Weg.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: %3.</source>
        <translation>Die Symboldatei %1 konnte nicht in %2 umbenannt werden: %3.</translation>
    </message>
    <message>
        <source>There is no key at place %1.</source>
        <translation>An Position %1 gibt es keine Taste.</translation>
    </message>
    <message>
        <source>The icon file %1 is left over from an exchange of icons that did not finish and may hold a key&apos;s icon. Rename it to the icon file of the key it belongs to, or delete it, then move the key again.</source>
        <translation>Die Symboldatei %1 ist von einem nicht abgeschlossenen Tausch von Symbolen übrig und enthält vielleicht das Symbol einer Taste. Benennen Sie sie in die Symboldatei der Taste um, zu der sie gehört, oder löschen Sie sie, und verschieben Sie die Taste dann erneut.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>Die Einstellungsdatei %1 ist viel zu groß für eine Einstellungsdatei und konnte nicht beiseitegelegt werden (%2): Die Einstellungen beginnen mit ihren Standardwerten.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>Die Einstellungsdatei %1 war beschädigt und konnte nicht beiseitegelegt werden (%2): Die Einstellungen beginnen mit ihren Standardwerten.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>Die Einstellungsdatei %1 ist viel zu groß für eine Einstellungsdatei. Sie wird als %2 aufbewahrt, und die Einstellungen beginnen wieder mit ihren Standardwerten.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>Die Einstellungsdatei %1 war beschädigt. Sie wird als %2 aufbewahrt, und die Einstellungen beginnen wieder mit ihren Standardwerten.</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and is left alone: no setting is read or stored. Move it away to let the settings be stored.</source>
        <translation>Die Einstellungsdatei %1 ist keine normale Datei und bleibt unangetastet: Es wird keine Einstellung gelesen oder gespeichert. Verschieben Sie sie, damit die Einstellungen gespeichert werden können.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation>%1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Cannot write %1: it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>%1 kann nicht geschrieben werden: Es ist keine normale Datei und bleibt unangetastet. Verschieben Sie sie, damit die Datei geschrieben werden kann.</translation>
    </message>
    <message>
        <source>Cannot write %1 (a link to %2): it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>%1 (ein Verweis auf %2) kann nicht geschrieben werden: Es ist keine normale Datei und bleibt unangetastet. Verschieben Sie sie, damit die Datei geschrieben werden kann.</translation>
    </message>
    <message>
        <source>Cannot read the icon files in %1.</source>
        <translation>Die Symboldateien in %1 können nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Cannot finish the last save in %1.</source>
        <translation>Das letzte Speichern in %1 kann nicht abgeschlossen werden.</translation>
    </message>
    <message>
        <source>Cannot read %1.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 is a file where a folder is needed: move it away or rename it, then save again.</source>
        <translation>%1 ist eine Datei, wo ein Ordner gebraucht wird: Verschieben Sie sie oder benennen Sie sie um, und speichern Sie dann erneut.</translation>
    </message>
    <message>
        <source>%1 is not a regular file and is left alone: move it away, then save again.</source>
        <translation>%1 ist keine normale Datei und bleibt unangetastet: Verschieben Sie sie, und speichern Sie dann erneut.</translation>
    </message>
    <message>
        <source>An earlier save could not be finished in %1.</source>
        <translation>Ein früheres Speichern in %1 konnte nicht abgeschlossen werden.</translation>
    </message>
    <message>
        <source>Cannot finish saving in %1: %2. The save is finished at the next start.</source>
        <translation>Das Speichern in %1 kann nicht abgeschlossen werden: %2. Es wird beim nächsten Start abgeschlossen.</translation>
    </message>
    <message>
        <source>The keys were changed by another program. The bar now shows them as they are stored; nothing was moved.</source>
        <translation>Die Tasten wurden von einem anderen Programm geändert. Die Leiste zeigt sie jetzt so, wie sie gespeichert sind; nichts wurde verschoben.</translation>
    </message>
    <message>
        <source>&amp;Edit…</source>
        <translation>&amp;Bearbeiten…</translation>
    </message>
    <message>
        <source>Move &amp;left</source>
        <translation>Nach &amp;links verschieben</translation>
    </message>
    <message>
        <source>Move r&amp;ight</source>
        <translation>Nach &amp;rechts verschieben</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Open the containing folder</source>
        <translation>Übergeordneten &amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Undo the removal of key %1</source>
        <translation>Entfernen von Taste %1 rück&amp;gängig machen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Undo the removal of key %1</source>
        <translation>Entfernen von Taste %1 rückgängig machen</translation>
    </message>
</context>
</TS>
