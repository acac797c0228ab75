<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="it">
<context>
    <name>Ombrix</name>
    <message>
        <source>Sposta Ombrix sul lato sinistor/Move Ombrix to the left side</source>
        <translation>Sposta Ombrix sul lato sinistro</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato superiore/move Ombrix to the upper side</source>
        <translation>Sposta Ombrix sul lato superiore</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato destro/Put Ombrix on the right side</source>
        <translation>Sposta Ombrix sul lato destro</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato inferiore/Move Ombrix to the buttom side</source>
        <translation>Sposta Ombrix sul lato inferiore</translation>
    </message>
    <message>
        <source>Tonaltà</source>
        <translation>Tonalità</translation>
    </message>
    <message>
        <source>Saturazione</source>
        <translation>Saturazione</translation>
    </message>
    <message>
        <source>Luminosità</source>
        <translation>Luminosità</translation>
    </message>
    <message>
        <source>Rosso</source>
        <translation>Rosso</translation>
    </message>
    <message>
        <source>Verde</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Blu</source>
        <translation>Blu</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>CANCEL ALL</source>
        <translation>Annulla tutto</translation>
    </message>
    <message>
        <source>System Gray</source>
        <translation>Grigio di sistema</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Preceeding color</source>
        <translation>Colore precedente</translation>
    </message>
    <message>
        <source>Suono/Sound</source>
        <translation>Suono</translation>
    </message>
    <message>
        <source>Doppio click /double click</source>
        <translation>Doppio clic</translation>
    </message>
    <message>
        <source>Run on Windows start up</source>
        <translation>Avvia con la sessione</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show all the keys</source>
        <translation>Mostra tutti i tasti</translation>
    </message>
    <message>
        <source>Numero tasti/Number of keys</source>
        <translation>Numero di tasti</translation>
    </message>
    <message>
        <source>Max.: 128</source>
        <translation>Max. 128</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / Move the checked key</source>
        <translation>Sposta il tasto selezionato</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Sinistra</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Destra</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s caption</source>
        <translation>Testo del pulsante</translation>
    </message>
    <message>
        <source>PopUp testo / PopUp text</source>
        <translation>Testo del suggerimento</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Applica</translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the icon</source>
        <translation>Scegli l&apos;icona</translation>
    </message>
    <message>
        <source>Originale / Original</source>
        <translation>Originale</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Colore di sfondo</translation>
    </message>
    <message>
        <source>Insert Key to shut down the computer</source>
        <translation>Inserisci un tasto per spegnere il computer</translation>
    </message>
    <message>
        <source>EXIT Windows</source>
        <translation>Spegni il computer</translation>
    </message>
    <message>
        <source>Dock the bar on the left side</source>
        <translation>Aggancia la barra al lato sinistro</translation>
    </message>
    <message>
        <source>Dock the bar at the top</source>
        <translation>Aggancia la barra in alto</translation>
    </message>
    <message>
        <source>Dock the bar on the right side</source>
        <translation>Aggancia la barra al lato destro</translation>
    </message>
    <message>
        <source>Dock the bar at the bottom</source>
        <translation>Aggancia la barra in basso</translation>
    </message>
    <message>
        <source>Open or close the bar</source>
        <translation>Apri o chiudi la barra</translation>
    </message>
    <message>
        <source>See-through bar background</source>
        <translation>Sfondo trasparente della barra</translation>
    </message>
    <message>
        <source>Dock</source>
        <translation>Aggancia</translation>
    </message>
    <message>
        <source>End Ombrix</source>
        <translation>Chiudi Ombrix</translation>
    </message>
    <message>
        <source>Set up the keys</source>
        <translation>Configura i tasti</translation>
    </message>
    <message>
        <source>Keep the bar open after a key is used</source>
        <translation>Tieni aperta la barra dopo aver usato un tasto</translation>
    </message>
    <message>
        <source>La barra ha già 128 tasti/The bar already has 128 keys</source>
        <translation>La barra ha già 128 tasti</translation>
    </message>
    <message>
        <source>Chiudere prima la personalizzazione/Close the setup window first</source>
        <translation>Chiudere prima la finestra di configurazione</translation>
    </message>
    <message>
        <source>Selected key</source>
        <translation>Tasto selezionato</translation>
    </message>
    <message>
        <source>Carica e mantiene la barra aperta / load and let the bar open</source>
        <translation>Carica e mantiene la barra aperta</translation>
    </message>
    <message>
        <source>Con un doppio clickchiude Ombrix/With a double click close Ombrix</source>
        <translation>Con un doppio clic chiude Ombrix</translation>
    </message>
    <message>
        <source>Apre e chiude la barra/Open and close the bar</source>
        <translation>Apre e chiude la barra</translation>
    </message>
    <message>
        <source>Lancia il programma/Launch the program</source>
        <translation>Avvia il programma</translation>
    </message>
    <message>
        <source>The side could not be stored in the settings file.</source>
        <translation>Non è stato possibile salvare il lato nel file delle impostazioni.</translation>
    </message>
    <message>
        <source>ins.</source>
        <translation>ins.</translation>
    </message>
    <message>
        <source>Apre la finestra di personalizzazione/Open the personalization window</source>
        <translation>Apre la finestra di configurazione</translation>
    </message>
    <message>
        <source>The setup program is missing: %1</source>
        <translation>Manca il programma di configurazione: %1</translation>
    </message>
    <message>
        <source>Ombrix Setup</source>
        <translation>Configurazione di Ombrix</translation>
    </message>
    <message>
        <source>The see-through choice could not be stored in the settings file.</source>
        <translation>Non è stato possibile salvare la scelta dello sfondo trasparente nel file delle impostazioni.</translation>
    </message>
    <message>
        <source>The requested application is already open.</source>
        <translation>L&apos;applicazione è già aperta.</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Tasti</translation>
    </message>
    <message>
        <source>Hue, 0 to 240</source>
        <translation>Tonalità, da 0 a 240</translation>
    </message>
    <message>
        <source>Saturation, 0 to 240</source>
        <translation>Saturazione, da 0 a 240</translation>
    </message>
    <message>
        <source>Luminance, 0 to 240</source>
        <translation>Luminosità, da 0 a 240</translation>
    </message>
    <message>
        <source>Red, 0 to 255</source>
        <translation>Rosso, da 0 a 255</translation>
    </message>
    <message>
        <source>Green, 0 to 255</source>
        <translation>Verde, da 0 a 255</translation>
    </message>
    <message>
        <source>Blue, 0 to 255</source>
        <translation>Blu, da 0 a 255</translation>
    </message>
    <message>
        <source>Colour field: hue across, saturation down</source>
        <translation>Campo colore: tonalità in orizzontale, saturazione in verticale</translation>
    </message>
    <message>
        <source>Luminance strip</source>
        <translation>Barra della luminosità</translation>
    </message>
    <message>
        <source>Colour field</source>
        <translation>Campo colore</translation>
    </message>
    <message>
        <source>Chosen hue and saturation</source>
        <translation>Tonalità e saturazione scelte</translation>
    </message>
    <message>
        <source>Chosen luminance</source>
        <translation>Luminosità scelta</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasti</translation>
    </message>
    <message>
        <source>Sample key %1</source>
        <translation>Tasto di esempio %1</translation>
    </message>
    <message>
        <source>Key %1</source>
        <translation>Tasto %1</translation>
    </message>
    <message>
        <source>The show-all-keys choice could not be stored in the settings file.</source>
        <translation>Non è stato possibile salvare la scelta «Mostra tutti i tasti» nel file delle impostazioni.</translation>
    </message>
    <message>
        <source>This key was not set up.
A caption holds at most %1 characters and a pop-up text at most %2.</source>
        <translation>Questo tasto non è stato configurato.
Il testo del pulsante contiene al massimo %1 caratteri e il suggerimento al massimo %2.</translation>
    </message>
    <message>
        <source>This key was not set up.
%1</source>
        <translation>Questo tasto non è stato configurato.
%1</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The setup stays open with your changes.</source>
        <translation>I tasti non sono stati salvati.
%1
La configurazione resta aperta con le modifiche.</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The old %2 is unchanged; the setup stays open with your changes.</source>
        <translation>I tasti non sono stati salvati.
%1
Il file precedente %2 non è cambiato; la configurazione resta aperta con le modifiche.</translation>
    </message>
    <message>
        <source>The keys were saved, but the sound and double-click choices could not be stored in the settings file. The setup stays open.</source>
        <translation>I tasti sono stati salvati, ma non è stato possibile salvare le scelte di suono e doppio clic nel file delle impostazioni. La configurazione resta aperta.</translation>
    </message>
    <message>
        <source>The number of keys was not saved.
%1
The bar keeps its earlier number of keys.</source>
        <translation>Il numero di tasti non è stato salvato.
%1
La barra mantiene il numero di tasti precedente.</translation>
    </message>
    <message>
        <source>The start-up choice could not be stored in the settings file.</source>
        <translation>Non è stato possibile salvare la scelta di avvio con la sessione nel file delle impostazioni.</translation>
    </message>
    <message>
        <source>Suono/&amp;Sound</source>
        <translation>&amp;Suono</translation>
    </message>
    <message>
        <source>Doppio click /&amp;double click</source>
        <translation>&amp;Doppio clic</translation>
    </message>
    <message>
        <source>&amp;Run on Windows start up</source>
        <translation>&amp;Avvia con la sessione</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show &amp;all the keys</source>
        <translation>&amp;Mostra tutti i tasti</translation>
    </message>
    <message>
        <source>Originale / &amp;Original</source>
        <translation>&amp;Originale</translation>
    </message>
    <message>
        <source>&amp;Background Color</source>
        <translation>Colore di s&amp;fondo</translation>
    </message>
    <message>
        <source>Se&amp;tup</source>
        <translation>A&amp;pplica</translation>
    </message>
    <message>
        <source>E&amp;XIT</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>Numero tasti/&amp;Number of keys</source>
        <translation>&amp;Numero di tasti</translation>
    </message>
    <message>
        <source>Number of keys</source>
        <translation>Numero di tasti</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s &amp;caption</source>
        <translation>&amp;Testo del pulsante</translation>
    </message>
    <message>
        <source>Button&apos;s caption</source>
        <translation>Testo del pulsante</translation>
    </message>
    <message>
        <source>PopUp testo / &amp;PopUp text</source>
        <translation>Testo del s&amp;uggerimento</translation>
    </message>
    <message>
        <source>Pop-up text</source>
        <translation>Testo del suggerimento</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the &amp;icon</source>
        <translation>Scegli l&apos;&amp;icona</translation>
    </message>
    <message>
        <source>Icon number</source>
        <translation>Numero dell&apos;icona</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / &amp;Move the checked key</source>
        <translation>Sposta il tasto se&amp;lezionato</translation>
    </message>
    <message>
        <source>Move the checked key</source>
        <translation>Sposta il tasto selezionato</translation>
    </message>
    <message>
        <source>Target: program and document, or web address</source>
        <translation>Destinazione: programma e documento, o indirizzo web</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Posizione</translation>
    </message>
    <message>
        <source>Places</source>
        <translation>Posizioni</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Cartelle</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Kind of key</source>
        <translation>Tipo di tasto</translation>
    </message>
    <message>
        <source>Chosen picture</source>
        <translation>Immagine scelta</translation>
    </message>
    <message>
        <source>The target&apos;s own icon</source>
        <translation>Icona propria della destinazione</translation>
    </message>
    <message>
        <source>Shut down the computer now?</source>
        <translation>Spegnere il computer ora?</translation>
    </message>
    <message>
        <source>The system did not agree to shut down.</source>
        <translation>Il sistema non ha consentito lo spegnimento.</translation>
    </message>
    <message>
        <source>Colori</source>
        <translation>Colori</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>file inesistente</translation>
    </message>
    <message>
        <source>a folder on its way is missing</source>
        <translation>manca una cartella del percorso</translation>
    </message>
    <message>
        <source>it may not be run or read</source>
        <translation>non è consentito eseguirlo o leggerlo</translation>
    </message>
    <message>
        <source>it cannot be reached</source>
        <translation>non è raggiungibile</translation>
    </message>
    <message>
        <source>it cannot be started this way</source>
        <translation>non può essere avviato in questo modo</translation>
    </message>
    <message>
        <source>the system refused</source>
        <translation>il sistema ha rifiutato</translation>
    </message>
    <message>
        <source>This key has nothing to start (error %1).</source>
        <translation>Questo tasto non ha nulla da avviare (errore %1).</translation>
    </message>
    <message>
        <source>Cannot start &quot;%1&quot;: %2 (error %3).</source>
        <translation>Impossibile avviare «%1»: %2 (errore %3).</translation>
    </message>
    <message>
        <source>Cannot make the folder %1: %2.</source>
        <translation>Impossibile creare la cartella %1: %2.</translation>
    </message>
    <message>
        <source>Cannot make an icon of the picture for %1.</source>
        <translation>Impossibile ricavare un&apos;icona dall&apos;immagine per %1.</translation>
    </message>
    <message>
        <source>Cannot read %1: it is no readable icon file.</source>
        <translation>Impossibile leggere %1: non è un file di icona leggibile.</translation>
    </message>
    <message>
        <source>Cannot read the folder %1: %2.</source>
        <translation>Impossibile leggere la cartella %1: %2.</translation>
    </message>
    <message>
        <source>Cannot make a scratch folder for the icons in %1: %2.</source>
        <translation>Impossibile creare in %1 una cartella di lavoro per le icone: %2.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be put back as %2; rename it by hand.</source>
        <translation>Non è stato possibile rinominare di nuovo il file di icona %1 in %2; rinominarlo a mano.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: a file or folder of that name is in the way.</source>
        <translation>Non è stato possibile rinominare il file di icona %1 in %2: un file o una cartella con quel nome è d&apos;intralcio.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: %3.</source>
        <translation>Non è stato possibile rinominare il file di icona %1 in %2: %3.</translation>
    </message>
    <message>
        <source>There is no key at place %1.</source>
        <translation>Non c&apos;è alcun tasto nella posizione %1.</translation>
    </message>
    <message>
        <source>The icon file %1 is left over from an exchange of icons that did not finish and may hold a key&apos;s icon. Rename it to the icon file of the key it belongs to, or delete it, then move the key again.</source>
        <translation>Il file di icona %1 è rimasto da uno scambio di icone non terminato e potrebbe contenere l&apos;icona di un tasto. Rinominarlo come il file di icona del tasto a cui appartiene, oppure eliminarlo, quindi spostare di nuovo il tasto.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>Il file delle impostazioni %1 è troppo grande per essere un file di impostazioni e non è stato possibile metterlo da parte (%2): le impostazioni ripartono dai valori predefiniti.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>Il file delle impostazioni %1 era danneggiato e non è stato possibile metterlo da parte (%2): le impostazioni ripartono dai valori predefiniti.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>Il file delle impostazioni %1 è troppo grande per essere un file di impostazioni. È conservato come %2 e le impostazioni ripartono dai valori predefiniti.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>Il file delle impostazioni %1 era danneggiato. È conservato come %2 e le impostazioni ripartono dai valori predefiniti.</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and is left alone: no setting is read or stored. Move it away to let the settings be stored.</source>
        <translation>Il file delle impostazioni %1 non è un file normale e viene lasciato com&apos;è: nessuna impostazione viene letta o salvata. Spostarlo altrove perché le impostazioni possano essere salvate.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation>Impossibile scrivere %1: %2.</translation>
    </message>
    <message>
        <source>Cannot write %1: it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>Impossibile scrivere %1: non è un file normale e viene lasciato com&apos;è. Spostarlo altrove perché il file possa essere scritto.</translation>
    </message>
    <message>
        <source>Cannot write %1 (a link to %2): it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>Impossibile scrivere %1 (un collegamento a %2): non è un file normale e viene lasciato com&apos;è. Spostarlo altrove perché il file possa essere scritto.</translation>
    </message>
    <message>
        <source>Cannot read the icon files in %1.</source>
        <translation>Impossibile leggere i file di icona in %1.</translation>
    </message>
    <message>
        <source>Cannot finish the last save in %1.</source>
        <translation>Impossibile completare l&apos;ultimo salvataggio in %1.</translation>
    </message>
    <message>
        <source>Cannot read %1.</source>
        <translation>Impossibile leggere %1.</translation>
    </message>
    <message>
        <source>%1 is a file where a folder is needed: move it away or rename it, then save again.</source>
        <translation>%1 è un file dove serve una cartella: spostarlo o rinominarlo, quindi salvare di nuovo.</translation>
    </message>
    <message>
        <source>%1 is not a regular file and is left alone: move it away, then save again.</source>
        <translation>%1 non è un file normale e viene lasciato com&apos;è: spostarlo altrove, quindi salvare di nuovo.</translation>
    </message>
    <message>
        <source>An earlier save could not be finished in %1.</source>
        <translation>Non è stato possibile completare un salvataggio precedente in %1.</translation>
    </message>
    <message>
        <source>Cannot finish saving in %1: %2. The save is finished at the next start.</source>
        <translation>Impossibile completare il salvataggio in %1: %2. Il salvataggio sarà completato al prossimo avvio.</translation>
    </message>
    <message>
        <source>The keys were changed by another program. The bar now shows them as they are stored; nothing was moved.</source>
        <translation>I tasti sono stati modificati da un altro programma. La barra ora li mostra come sono salvati; non è stato spostato nulla.</translation>
    </message>
    <message>
        <source>&amp;Edit…</source>
        <translation>&amp;Modifica…</translation>
    </message>
    <message>
        <source>Move &amp;left</source>
        <translation>Sposta a &amp;sinistra</translation>
    </message>
    <message>
        <source>Move r&amp;ight</source>
        <translation>Sposta a &amp;destra</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Rimuovi</translation>
    </message>
    <message>
        <source>&amp;Open the containing folder</source>
        <translation>&amp;Apri la cartella che lo contiene</translation>
    </message>
    <message>
        <source>&amp;Undo the removal of key %1</source>
        <translation>Ann&amp;ulla la rimozione del tasto %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Undo the removal of key %1</source>
        <translation>Annulla la rimozione del tasto %1</translation>
    </message>
</context>
</TS>
