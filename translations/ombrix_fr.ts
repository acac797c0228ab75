<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="it">
<context>
    <name>Ombrix</name>
    <message>
        <source>Sposta Ombrix sul lato sinistor/Move Ombrix to the left side</source>
        <translation>Déplacer Ombrix sur le bord gauche</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato superiore/move Ombrix to the upper side</source>
        <translation>Déplacer Ombrix sur le bord supérieur</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato destro/Put Ombrix on the right side</source>
        <translation>Déplacer Ombrix sur le bord droit</translation>
    </message>
    <message>
        <source>Sposta Ombrix sul lato inferiore/Move Ombrix to the buttom side</source>
        <translation>Déplacer Ombrix sur le bord inférieur</translation>
    </message>
    <message>
        <source>Tonaltà</source>
        <translation>Teinte</translation>
    </message>
    <message>
        <source>Saturazione</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Luminosità</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Rosso</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Verde</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Blu</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>CANCEL ALL</source>
        <translation>Tout annuler</translation>
    </message>
    <message>
        <source>System Gray</source>
        <translation>Gris système</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Preceeding color</source>
        <translation>Couleur précédente</translation>
    </message>
    <message>
        <source>Suono/Sound</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>Doppio click /double click</source>
        <translation>Double clic</translation>
    </message>
    <message>
        <source>Run on Windows start up</source>
        <translation>Démarrer avec la session</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show all the keys</source>
        <translation>Afficher toutes les touches</translation>
    </message>
    <message>
        <source>Numero tasti/Number of keys</source>
        <translation>Nombre de touches</translation>
    </message>
    <message>
        <source>Max.: 128</source>
        <translation>Max. 128</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / Move the checked key</source>
        <translation>Déplacer la touche cochée</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s caption</source>
        <translation>Libellé de la touche</translation>
    </message>
    <message>
        <source>PopUp testo / PopUp text</source>
        <translation>Infobulle</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the icon</source>
        <translation>Choisir l&apos;icône</translation>
    </message>
    <message>
        <source>Originale / Original</source>
        <translation>Originale</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Couleur de fond</translation>
    </message>
    <message>
        <source>Insert Key to shut down the computer</source>
        <translation>Insérer une touche pour éteindre l&apos;ordinateur</translation>
    </message>
    <message>
        <source>EXIT Windows</source>
        <translation>Éteindre l&apos;ordinateur</translation>
    </message>
    <message>
        <source>Dock the bar on the left side</source>
        <translation>Ancrer la barre à gauche</translation>
    </message>
    <message>
        <source>Dock the bar at the top</source>
        <translation>Ancrer la barre en haut</translation>
    </message>
    <message>
        <source>Dock the bar on the right side</source>
        <translation>Ancrer la barre à droite</translation>
    </message>
    <message>
        <source>Dock the bar at the bottom</source>
        <translation>Ancrer la barre en bas</translation>
    </message>
    <message>
        <source>Open or close the bar</source>
        <translation>Ouvrir ou fermer la barre</translation>
    </message>
    <message>
        <source>See-through bar background</source>
        <translation>Fond de barre transparent</translation>
    </message>
    <message>
        <source>Dock</source>
        <translation>Ancrer</translation>
    </message>
    <message>
        <source>End Ombrix</source>
        <translation>Quitter Ombrix</translation>
    </message>
    <message>
        <source>Set up the keys</source>
        <translation>Configurer les touches</translation>
    </message>
    <message>
        <source>Keep the bar open after a key is used</source>
        <translation>Garder la barre ouverte après l&apos;utilisation d&apos;une touche</translation>
    </message>
    <message>
        <source>La barra ha già 128 tasti/The bar already has 128 keys</source>
        <translation>La barre a déjà 128 touches</translation>
    </message>
    <message>
        <source>Chiudere prima la personalizzazione/Close the setup window first</source>
        <translation>Fermez d&apos;abord la fenêtre de configuration</translation>
    </message>
    <message>
        <source>Selected key</source>
        <translation>Touche sélectionnée</translation>
    </message>
    <message>
        <source>Carica e mantiene la barra aperta / load and let the bar open</source>
        <translation>Charge la barre et la garde ouverte</translation>
    </message>
    <message>
        <source>Con un doppio clickchiude Ombrix/With a double click close Ombrix</source>
        <translation>Un double clic ferme Ombrix</translation>
    </message>
    <message>
        <source>Apre e chiude la barra/Open and close the bar</source>
        <translation>Ouvre et ferme la barre</translation>
    </message>
    <message>
        <source>Lancia il programma/Launch the program</source>
        <translation>Lance le programme</translation>
    </message>
    <message>
        <source>The side could not be stored in the settings file.</source>
        <translation>Le bord n&apos;a pas pu être enregistré dans le fichier de paramètres.</translation>
    </message>
    <message>
        <source>ins.</source>
        <translation>conf.</translation>
    </message>
    <message>
        <source>Apre la finestra di personalizzazione/Open the personalization window</source>
        <translation>Ouvre la fenêtre de configuration</translation>
    </message>
    <message>
        <source>The setup program is missing: %1</source>
        <translation>Le programme de configuration est introuvable : %1</translation>
    </message>
    <message>
        <source>Ombrix Setup</source>
        <translation>Configuration d&apos;Ombrix</translation>
    </message>
    <message>
        <source>The see-through choice could not be stored in the settings file.</source>
        <translation>Le choix du fond transparent n&apos;a pas pu être enregistré dans le fichier de paramètres.</translation>
    </message>
    <message>
        <source>The requested application is already open.</source>
        <translation>L&apos;application est déjà ouverte.</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Touches</translation>
    </message>
    <message>
        <source>Hue, 0 to 240</source>
        <translation>Teinte, de 0 à 240</translation>
    </message>
    <message>
        <source>Saturation, 0 to 240</source>
        <translation>Saturation, de 0 à 240</translation>
    </message>
    <message>
        <source>Luminance, 0 to 240</source>
        <translation>Luminosité, de 0 à 240</translation>
    </message>
    <message>
        <source>Red, 0 to 255</source>
        <translation>Rouge, de 0 à 255</translation>
    </message>
    <message>
        <source>Green, 0 to 255</source>
        <translation>Vert, de 0 à 255</translation>
    </message>
    <message>
        <source>Blue, 0 to 255</source>
        <translation>Bleu, de 0 à 255</translation>
    </message>
    <message>
        <source>Colour field: hue across, saturation down</source>
        <translation>Champ de couleur : teinte à l&apos;horizontale, saturation à la verticale</translation>
    </message>
    <message>
        <source>Luminance strip</source>
        <translation>Bande de luminosité</translation>
    </message>
    <message>
        <source>Colour field</source>
        <translation>Champ de couleur</translation>
    </message>
    <message>
        <source>Chosen hue and saturation</source>
        <translation>Teinte et saturation choisies</translation>
    </message>
    <message>
        <source>Chosen luminance</source>
        <translation>Luminosité choisie</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Touches</translation>
    </message>
    <message>
        <source>Sample key %1</source>
        <translation>Touche d&apos;exemple %1</translation>
    </message>
    <message>
        <source>Key %1</source>
        <translation>Touche %1</translation>
    </message>
    <message>
        <source>The show-all-keys choice could not be stored in the settings file.</source>
        <translation>Le choix « Afficher toutes les touches » n&apos;a pas pu être enregistré dans le fichier de paramètres.</translation>
    </message>
    <message>
        <source>This key was not set up.
A caption holds at most %1 characters and a pop-up text at most %2.</source>
        <translation>Cette touche n&apos;a pas été configurée.
Un libellé compte au plus %1 caractères et une infobulle au plus %2.</translation>
    </message>
    <message>
        <source>This key was not set up.
%1</source>
        <translation>Cette touche n&apos;a pas été configurée.
%1</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The setup stays open with your changes.</source>
        <translation>Les touches n&apos;ont pas été enregistrées.
%1
La configuration reste ouverte avec vos modifications.</translation>
    </message>
    <message>
        <source>The keys were not saved.
%1
The old %2 is unchanged; the setup stays open with your changes.</source>
        <translation>Les touches n&apos;ont pas été enregistrées.
%1
L&apos;ancien fichier %2 est inchangé ; la configuration reste ouverte avec vos modifications.</translation>
    </message>
    <message>
        <source>The keys were saved, but the sound and double-click choices could not be stored in the settings file. The setup stays open.</source>
        <translation>Les touches ont été enregistrées, mais les choix du son et du double clic n&apos;ont pas pu être enregistrés dans le fichier de paramètres. La configuration reste ouverte.</translation>
    </message>
    <message>
        <source>The number of keys was not saved.
%1
The bar keeps its earlier number of keys.</source>
        <translation>Le nombre de touches n&apos;a pas été enregistré.
%1
La barre garde son nombre de touches précédent.</translation>
    </message>
    <message>
        <source>The start-up choice could not be stored in the settings file.</source>
        <translation>Le choix du démarrage avec la session n&apos;a pas pu être enregistré dans le fichier de paramètres.</translation>
    </message>
    <message>
        <source>Suono/&amp;Sound</source>
        <translation>&amp;Son</translation>
    </message>
    <message>
        <source>Doppio click /&amp;double click</source>
        <translation>&amp;Double clic</translation>
    </message>
    <message>
        <source>&amp;Run on Windows start up</source>
        <translation>Dé&amp;marrer avec la session</translation>
    </message>
    <message>
        <source>Mostra tutti i tasti /Show &amp;all the keys</source>
        <translation>&amp;Afficher toutes les touches</translation>
    </message>
    <message>
        <source>Originale / &amp;Original</source>
        <translation>&amp;Originale</translation>
    </message>
    <message>
        <source>&amp;Background Color</source>
        <translation>Couleur de &amp;fond</translation>
    </message>
    <message>
        <source>Se&amp;tup</source>
        <translation>A&amp;ppliquer</translation>
    </message>
    <message>
        <source>E&amp;XIT</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Numero tasti/&amp;Number of keys</source>
        <translation>&amp;Nombre de touches</translation>
    </message>
    <message>
        <source>Number of keys</source>
        <translation>Nombre de touches</translation>
    </message>
    <message>
        <source>Testo del pulsante Button&apos;s &amp;caption</source>
        <translation>&amp;Libellé de la touche</translation>
    </message>
    <message>
        <source>Button&apos;s caption</source>
        <translation>Libellé de la touche</translation>
    </message>
    <message>
        <source>PopUp testo / &amp;PopUp text</source>
        <translation>&amp;Infobulle</translation>
    </message>
    <message>
        <source>Pop-up text</source>
        <translation>Infobulle</translation>
    </message>
    <message>
        <source>Scegli l&apos;icona/Choose the &amp;icon</source>
        <translation>&amp;Choisir l&apos;icône</translation>
    </message>
    <message>
        <source>Icon number</source>
        <translation>Numéro de l&apos;icône</translation>
    </message>
    <message>
        <source>Muovi il tasto selezionato / &amp;Move the checked key</source>
        <translation>Déplacer la touche coc&amp;hée</translation>
    </message>
    <message>
        <source>Move the checked key</source>
        <translation>Déplacer la touche cochée</translation>
    </message>
    <message>
        <source>Target: program and document, or web address</source>
        <translation>Cible : programme et document, ou adresse web</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Emplacement</translation>
    </message>
    <message>
        <source>Places</source>
        <translation>Emplacements</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Kind of key</source>
        <translation>Type de touche</translation>
    </message>
    <message>
        <source>Chosen picture</source>
        <translation>Image choisie</translation>
    </message>
    <message>
        <source>The target&apos;s own icon</source>
        <translation>Icône propre de la cible</translation>
    </message>
    <message>
        <source>Shut down the computer now?</source>
        <translation>Éteindre l&apos;ordinateur maintenant ?</translation>
    </message>
    <message>
        <source>The system did not agree to shut down.</source>
        <translation>Le système n&apos;a pas accepté l&apos;extinction.</translation>
    </message>
    <message>
        <source>Colori</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>fichier introuvable</translation>
    </message>
    <message>
        <source>a folder on its way is missing</source>
        <translation>un dossier du chemin est introuvable</translation>
    </message>
    <message>
        <source>it may not be run or read</source>
        <translation>exécution ou lecture non autorisée</translation>
    </message>
    <message>
        <source>it cannot be reached</source>
        <translation>inaccessible</translation>
    </message>
    <message>
        <source>it cannot be started this way</source>
        <translation>ne peut pas être lancé ainsi</translation>
    </message>
    <message>
        <source>the system refused</source>
        <translation>le système a refusé</translation>
    </message>
    <message>
        <source>This key has nothing to start (error %1).</source>
        <translation>Cette touche n&apos;a rien à lancer (erreur %1).</translation>
    </message>
    <message>
        <source>Cannot start &quot;%1&quot;: %2 (error %3).</source>
        <translation>Impossible de lancer « %1 » : %2 (erreur %3).</translation>
    </message>
    <message>
        <source>Cannot make the folder %1: %2.</source>
        <translation>Impossible de créer le dossier %1 : %2.</translation>
    </message>
    <message>
        <source>Cannot make an icon of the picture for %1.</source>
        <translation>Impossible de faire une icône de l&apos;image pour %1.</translation>
    </message>
    <message>
        <source>Cannot read %1: it is no readable icon file.</source>
        <translation>Impossible de lire %1 : ce n&apos;est pas un fichier d&apos;icône lisible.</translation>
    </message>
    <message>
        <source>Cannot read the folder %1: %2.</source>
        <translation>Impossible de lire le dossier %1 : %2.</translation>
    </message>
    <message>
        <source>Cannot make a scratch folder for the icons in %1: %2.</source>
        <translation>Impossible de créer dans %1 un dossier de travail pour les icônes : %2.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be put back as %2; rename it by hand.</source>
        <translation>Le fichier d&apos;icône %1 n&apos;a pas pu être renommé de nouveau en %2 ; renommez-le à la main.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: a file or folder of that name is in the way.</source>
        <translation>Le fichier d&apos;icône %1 n&apos;a pas pu être renommé en %2 : un fichier ou un dossier de ce nom existe déjà.</translation>
    </message>
    <message>
        <source>The icon file %1 could not be renamed to %2: %3.</source>
        <translation>Le fichier d&apos;icône %1 n&apos;a pas pu être renommé en %2 : %3.</translation>
    </message>
    <message>
        <source>There is no key at place %1.</source>
        <translation>Il n&apos;y a pas de touche à la position %1.</translation>
    </message>
    <message>
        <source>The icon file %1 is left over from an exchange of icons that did not finish and may hold a key&apos;s icon. Rename it to the icon file of the key it belongs to, or delete it, then move the key again.</source>
        <translation>Le fichier d&apos;icône %1 reste d&apos;un échange d&apos;icônes qui n&apos;a pas abouti et contient peut-être l&apos;icône d&apos;une touche. Renommez-le comme le fichier d&apos;icône de la touche à laquelle il appartient, ou supprimez-le, puis déplacez de nouveau la touche.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>Le fichier de paramètres %1 est bien trop grand pour en être un et n&apos;a pas pu être mis de côté (%2) : les paramètres reprennent leurs valeurs par défaut.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged and could not be kept aside (%2): the settings start from their defaults.</source>
        <translation>Le fichier de paramètres %1 était endommagé et n&apos;a pas pu être mis de côté (%2) : les paramètres reprennent leurs valeurs par défaut.</translation>
    </message>
    <message>
        <source>The settings file %1 is far too large to be one. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>Le fichier de paramètres %1 est bien trop grand pour en être un. Il est conservé sous le nom %2, et les paramètres reprennent leurs valeurs par défaut.</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged. It is kept as %2, and the settings start again from their defaults.</source>
        <translation>Le fichier de paramètres %1 était endommagé. Il est conservé sous le nom %2, et les paramètres reprennent leurs valeurs par défaut.</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and is left alone: no setting is read or stored. Move it away to let the settings be stored.</source>
        <translation>Le fichier de paramètres %1 n&apos;est pas un fichier ordinaire et n&apos;est pas touché : aucun paramètre n&apos;est lu ni enregistré. Déplacez-le pour que les paramètres puissent être enregistrés.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation>Impossible d&apos;écrire %1 : %2.</translation>
    </message>
    <message>
        <source>Cannot write %1: it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>Impossible d&apos;écrire %1 : ce n&apos;est pas un fichier ordinaire, et il n&apos;est pas touché. Déplacez-le pour que le fichier puisse être écrit.</translation>
    </message>
    <message>
        <source>Cannot write %1 (a link to %2): it is not a regular file, and is left alone. Move it away to let the file be written.</source>
        <translation>Impossible d&apos;écrire %1 (un lien vers %2) : ce n&apos;est pas un fichier ordinaire, et il n&apos;est pas touché. Déplacez-le pour que le fichier puisse être écrit.</translation>
    </message>
    <message>
        <source>Cannot read the icon files in %1.</source>
        <translation>Impossible de lire les fichiers d&apos;icône dans %1.</translation>
    </message>
    <message>
        <source>Cannot finish the last save in %1.</source>
        <translation>Impossible de terminer le dernier enregistrement dans %1.</translation>
    </message>
    <message>
        <source>Cannot read %1.</source>
        <translation>Impossible de lire %1.</translation>
    </message>
    <message>
        <source>%1 is a file where a folder is needed: move it away or rename it, then save again.</source>
        <translation>%1 est un fichier là où il faut un dossier : déplacez-le ou renommez-le, puis enregistrez de nouveau.</translation>
    </message>
    <message>
        <source>%1 is not a regular file and is left alone: move it away, then save again.</source>
        <translation>%1 n&apos;est pas un fichier ordinaire et n&apos;est pas touché : déplacez-le, puis enregistrez de nouveau.</translation>
    </message>
    <message>
        <source>An earlier save could not be finished in %1.</source>
        <translation>Un enregistrement précédent n&apos;a pas pu être terminé dans %1.</translation>
    </message>
    <message>
        <source>Cannot finish saving in %1: %2. The save is finished at the next start.</source>
        <translation>Impossible de terminer l&apos;enregistrement dans %1 : %2. L&apos;enregistrement sera terminé au prochain démarrage.</translation>
    </message>
    <message>
        <source>The keys were changed by another program. The bar now shows them as they are stored; nothing was moved.</source>
        <translation>Les touches ont été modifiées par un autre programme. La barre les affiche maintenant telles qu’elles sont enregistrées ; rien n’a été déplacé.</translation>
    </message>
    <message>
        <source>&amp;Edit…</source>
        <translation>&amp;Modifier…</translation>
    </message>
    <message>
        <source>Move &amp;left</source>
        <translation>Déplacer vers la &amp;gauche</translation>
    </message>
    <message>
        <source>Move r&amp;ight</source>
        <translation>Déplacer vers la d&amp;roite</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Open the containing folder</source>
        <translation>&amp;Ouvrir le dossier parent</translation>
    </message>
    <message>
        <source>&amp;Undo the removal of key %1</source>
        <translation>&amp;Annuler la suppression de la touche %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Undo the removal of key %1</source>
        <translation>Annuler la suppression de la touche %1</translation>
    </message>
</context>
</TS>
