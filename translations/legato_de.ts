<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BatchMessages</name>
    <message>
        <source>Parsing error: Filename doesn&apos;t match with the format.</source>
        <translation>Fehler beim Zerlegen: Der Dateiname passt nicht zum Format.</translation>
    </message>
    <message>
        <source>Testmode: Don&apos;t write Tag.</source>
        <translation>Testmodus: Tag wird nicht geschrieben.</translation>
    </message>
    <message>
        <source>A Tag exists: Tag not overwritten.</source>
        <translation>Ein Tag ist vorhanden: Tag nicht überschrieben.</translation>
    </message>
    <message>
        <source>Overwrite Tag.</source>
        <translation>Tag überschrieben.</translation>
    </message>
    <message>
        <source>New Tag.</source>
        <translation>Neuer Tag.</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>No folder chosen.</source>
        <translation>Kein Ordner gewählt.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist.</source>
        <translation>Der Ordner „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder.</source>
        <translation>„%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be read: %2</source>
        <translation>Der Ordner „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <source>%1: %2 Ok, %3 Error - %4</source>
        <translation>%1: %2 Ok, %3 Fehler - %4</translation>
    </message>
    <message>
        <source>Stopped: %1 processed (%2 Ok, %3 Error).</source>
        <translation>Angehalten: %1 verarbeitet (%2 Ok, %3 Fehler).</translation>
    </message>
</context>
<context>
    <name>BatchResultModel</name>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>EditorTexts</name>
    <message>
        <source>There&apos;s no Tag available.</source>
        <translation>Kein Tag vorhanden.</translation>
    </message>
    <message>
        <source>ID3 Tag V1.0 found.</source>
        <translation>ID3-Tag V1.0 gefunden.</translation>
    </message>
    <message>
        <source>ID3 Tag V1.1 found.</source>
        <translation>ID3-Tag V1.1 gefunden.</translation>
    </message>
    <message>
        <source>Tag saved.</source>
        <translation>Tag gespeichert.</translation>
    </message>
    <message>
        <source>Tag not saved.</source>
        <translation>Tag nicht gespeichert.</translation>
    </message>
    <message>
        <source>No Data to process.</source>
        <translation>Keine Daten zu verarbeiten.</translation>
    </message>
    <message>
        <source>Wrong data fromat (Only Files are valid).</source>
        <translation>Falsches Datenformat (nur Dateien sind gültig).</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Tag removed.</source>
        <translation>Tag gelöscht.</translation>
    </message>
    <message>
        <source>Tag not removed.</source>
        <translation>Tag nicht gelöscht.</translation>
    </message>
    <message>
        <source>There&apos;s no Tag to remove; the file is left as it is.</source>
        <translation>Kein Tag zum Löschen; die Datei bleibt, wie sie ist.</translation>
    </message>
    <message>
        <source>Tags saved: %1, not saved: %2</source>
        <translation>Tags gespeichert: %1, nicht gespeichert: %2</translation>
    </message>
    <message>
        <source>No field was changed; no file was written.</source>
        <translation>Kein Feld wurde geändert; keine Datei wurde geschrieben.</translation>
    </message>
    <message>
        <source>Files chosen: %1</source>
        <translation>Ausgewählte Dateien: %1</translation>
    </message>
</context>
<context>
    <name>EqualizerWindow</name>
    <message>
        <source>Jukebox Equaliser</source>
        <translation>Jukebox-Equalizer</translation>
    </message>
    <message>
        <source>Preamp %1 %</source>
        <translation>Vorverstärkung %1 %</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>FileListModel</name>
    <message>
        <source>Not a regular file</source>
        <translation>Keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Unreadable</source>
        <translation>Nicht lesbar</translation>
    </message>
    <message>
        <source>No tag</source>
        <translation>Kein Tag</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Tag</translation>
    </message>
</context>
<context>
    <name>JumpToFileDialog</name>
    <message>
        <source>Jump to file</source>
        <translation>Zu Datei springen</translation>
    </message>
    <message>
        <source>Part of the name</source>
        <translation>Teil des Namens</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Abspielen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Vorheriger</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächster</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Dateien öffnen</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>Equaliser</source>
        <translation>Equalizer</translation>
    </message>
    <message>
        <source>PL</source>
        <translation>PL</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Playlist is empty</source>
        <translation>Die Wiedergabeliste ist leer</translation>
    </message>
</context>
<context>
    <name>MultiTagEdit</name>
    <message>
        <source> and %1 more</source>
        <translation> und %1 weitere</translation>
    </message>
    <message>
        <source>saved</source>
        <translation>gespeichert</translation>
    </message>
</context>
<context>
    <name>PathDropEdit</name>
    <message>
        <source>Wrong data fromat (Only Files are valid).</source>
        <translation>Falsches Datenformat (nur Dateien sind gültig).</translation>
    </message>
</context>
<context>
    <name>PlayerWindows</name>
    <message>
        <source>About Jukebox</source>
        <translation>Über Jukebox</translation>
    </message>
    <message>
        <source>Jukebox %1
A small MP3 player that other programs can drive by window messages.</source>
        <translation>Jukebox %1
Ein kleiner MP3-Player, den andere Programme über Fensternachrichten steuern können.</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Abspielen</translation>
    </message>
    <message>
        <source>P&amp;ause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Nächster</translation>
    </message>
    <message>
        <source>P&amp;revious</source>
        <translation>&amp;Vorheriger</translation>
    </message>
    <message>
        <source>&amp;Open files...</source>
        <translation>Dateien ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Jump to file...</source>
        <translation>Zu &amp;Datei springen...</translation>
    </message>
    <message>
        <source>Jump to &amp;time...</source>
        <translation>Zu &amp;Zeit springen...</translation>
    </message>
    <message>
        <source>File &amp;info...</source>
        <translation>Datei&amp;info...</translation>
    </message>
    <message>
        <source>Pre&amp;ferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;About Jukebox...</source>
        <translation>&amp;Über Jukebox...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Dateien öffnen</translation>
    </message>
    <message>
        <source>MP3 files (*.mp3 *.MP3);;All files (*)</source>
        <translation>MP3-Dateien (*.mp3 *.MP3);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>No file is loaded.</source>
        <translation>Keine Datei geladen.</translation>
    </message>
    <message>
        <source>File: %1
Title: %2
Artist: %3
Length: %4
Sample rate: %5 Hz
Bit rate: %6 kbit/s
Channels: %7</source>
        <translation>Datei: %1
Titel: %2
Interpret: %3
Länge: %4
Abtastrate: %5 Hz
Bitrate: %6 kbit/s
Kanäle: %7</translation>
    </message>
    <message>
        <source>File info</source>
        <translation>Dateiinfo</translation>
    </message>
    <message>
        <source>Jump to time</source>
        <translation>Zu Zeit springen</translation>
    </message>
    <message>
        <source>Seconds from the start of the track:</source>
        <translation>Sekunden ab Beginn des Stücks:</translation>
    </message>
</context>
<context>
    <name>PlaylistWindow</name>
    <message>
        <source>Jukebox Playlist</source>
        <translation>Jukebox-Wiedergabeliste</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Jukebox Preferences</source>
        <translation>Jukebox-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Repeat the playlist</source>
        <translation>Wiedergabeliste &amp;wiederholen</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Lautstärke:</translation>
    </message>
</context>
<context>
    <name>Quaver</name>
    <message>
        <source>Read Tag</source>
        <translation>Tag lesen</translation>
    </message>
    <message>
        <source>Write Tag</source>
        <translation>Tag schreiben</translation>
    </message>
    <message>
        <source>File does not exist.</source>
        <translation>Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>The file contains no tag.</source>
        <translation>Die Datei enthält keinen Tag.</translation>
    </message>
    <message>
        <source>Tag unknown.</source>
        <translation>Tag unbekannt.</translation>
    </message>
    <message>
        <source>Remove Tag</source>
        <translation>Tag löschen</translation>
    </message>
</context>
<context>
    <name>SaveCheck</name>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>%1: %2 cannot be stored in the tag; it is saved as &quot;%3&quot;.</source>
        <translation>%1: %2 kann im Tag nicht gespeichert werden; gespeichert wird „%3“.</translation>
    </message>
    <message>
        <source>%1: only %2 characters fit%3; &quot;%4&quot; at the end is cut off.</source>
        <translation>%1: nur %2 Zeichen passen%3; „%4“ am Ende wird abgeschnitten.</translation>
    </message>
    <message>
        <source> beside a track number</source>
        <translation> neben eine Tracknummer</translation>
    </message>
    <message>
        <source>Genre: &quot;%1&quot; was typed, not chosen from the list; the tag keeps &quot;%2&quot;.</source>
        <translation>Genre: „%1“ wurde eingetippt, nicht aus der Liste gewählt; der Tag behält „%2“.</translation>
    </message>
    <message>
        <source>Genre: &quot;%1&quot; is not in the genre list; the tag keeps &quot;%2&quot;.</source>
        <translation>Genre: „%1“ steht nicht in der Genreliste; der Tag behält „%2“.</translation>
    </message>
    <message>
        <source>Track: &quot;%1&quot; is not a track number from 1 to 255; the tag is saved without a track.</source>
        <translation>Track: „%1“ ist keine Tracknummer von 1 bis 255; der Tag wird ohne Track gespeichert.</translation>
    </message>
    <message>
        <source>The tag cannot be saved exactly as shown:<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
Save it anyway? Choose No to go back and change the fields.</source>
        <translation>Der Tag kann nicht genau so gespeichert werden, wie er angezeigt wird:<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
Trotzdem speichern? Wählen Sie Nein, um zurückzugehen und die Felder zu ändern.</translation>
    </message>
</context>
<context>
    <name>TagEditorSession</name>
    <message>
        <source>The tag of &quot;%1&quot; has been changed.<byte value="xd"/>
Save the changes before leaving the editor?</source>
        <translation>Der Tag von „%1“ wurde geändert.<byte value="xd"/>
Änderungen speichern, bevor der Editor verlassen wird?</translation>
    </message>
    <message>
        <source>Couldn&apos;t access Jukebox.<byte value="xd"/>
Please ensure that Jukebox.dll is registered and Jukebox is installed.<byte value="xd"/>
(Regsvr32 &lt;Path&gt;\Jukebox.dll)<byte value="xd"/>
</source>
        <translation>Kein Zugriff auf Jukebox.<byte value="xd"/>
Bitte stellen Sie sicher, dass Jukebox.dll registriert und Jukebox installiert ist.<byte value="xd"/>
(Regsvr32 &lt;Pfad&gt;\Jukebox.dll)<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Remove the tag of &quot;%1&quot;?<byte value="xd"/>
Every other byte of the file stays as it is.</source>
        <translation>Den Tag von „%1“ löschen?<byte value="xd"/>
Alle anderen Bytes der Datei bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>The tags of %1 files have been changed.<byte value="xd"/>
Save the changes before leaving the editor?</source>
        <translation>Die Tags von %1 Dateien wurden geändert.<byte value="xd"/>
Änderungen vor dem Verlassen des Editors speichern?</translation>
    </message>
</context>
<context>
    <name>UndoReport</name>
    <message>
        <source>changed since the run</source>
        <translation>seit dem Lauf geändert</translation>
    </message>
    <message>
        <source>There is nothing to undo.</source>
        <translation>Es gibt nichts rückgängig zu machen.</translation>
    </message>
    <message>
        <source>Files restored: %1</source>
        <translation>Wiederhergestellte Dateien: %1</translation>
    </message>
    <message>
        <source>Files already as before: %1</source>
        <translation>Dateien schon wie zuvor: %1</translation>
    </message>
    <message>
        <source>Files not touched: %1</source>
        <translation>Nicht angefasste Dateien: %1</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
</context>
<context>
    <name>cDrvScan</name>
    <message>
        <source>Searching %1</source>
        <translation>Durchsuche %1</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Written by The Legato developers.</source>
        <translation>Geschrieben von den Legato-Entwicklern.</translation>
    </message>
    <message>
        <source>About MyApp</source>
        <translation>Über MyApp</translation>
    </message>
    <message>
        <source>Application Title</source>
        <translation>Anwendungstitel</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>App Description</source>
        <translation>Anwendungsbeschreibung</translation>
    </message>
    <message>
        <source>Warning: ...</source>
        <translation>Warnung: ...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>frmFrame</name>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Num data given</source>
        <translation>Anzahl der Daten</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Info...</source>
        <translation>&amp;Info...</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>Loading page...</source>
        <translation>Seite wird geladen...</translation>
    </message>
    <message>
        <source>Quaver Reader/Writer</source>
        <translation>Quaver Lesen/Schreiben</translation>
    </message>
    <message>
        <source>Scripting Library</source>
        <translation>Skript-Bibliothek</translation>
    </message>
    <message>
        <source>Jukebox DLL</source>
        <translation>Jukebox-DLL</translation>
    </message>
    <message>
        <source>Vellum Pane</source>
        <translation>Vellum-Bereich</translation>
    </message>
    <message>
        <source>True</source>
        <translation>Wahr</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Falsch</translation>
    </message>
    <message>
        <source>Features</source>
        <translation>Funktionen</translation>
    </message>
    <message>
        <source>Choose the page to show on the right</source>
        <translation>Wählen Sie die Seite, die rechts angezeigt wird</translation>
    </message>
    <message>
        <source>Splitter</source>
        <translation>Trennbalken</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Undo Last &amp;Save</source>
        <translation>Letztes &amp;Speichern rückgängig</translation>
    </message>
    <message>
        <source>Undo Last &amp;Run</source>
        <translation>Letzten &amp;Lauf rückgängig</translation>
    </message>
    <message>
        <source>&amp;Open Files...</source>
        <translation>Dateien ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>&amp;Ordner hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Recent Folders</source>
        <translation>&amp;Zuletzt benutzte Ordner</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>Dateien öffnen</translation>
    </message>
    <message>
        <source>MP3 files (*.mp3 *.MP3);;All files (*)</source>
        <translation>MP3-Dateien (*.mp3 *.MP3);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
</context>
<context>
    <name>frmInfo</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Eigenschaft</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>- General ---</source>
        <translation>- Allgemein ---</translation>
    </message>
    <message>
        <source>OS</source>
        <translation>Betriebssystem</translation>
    </message>
    <message>
        <source>OS Version</source>
        <translation>Betriebssystemversion</translation>
    </message>
    <message>
        <source>OS Major Version</source>
        <translation>Hauptversion des Betriebssystems</translation>
    </message>
    <message>
        <source>OS Minor Version</source>
        <translation>Nebenversion des Betriebssystems</translation>
    </message>
    <message>
        <source>OS Build Number</source>
        <translation>Buildnummer des Betriebssystems</translation>
    </message>
    <message>
        <source>OS CSDVersion</source>
        <translation>CSD-Version des Betriebssystems</translation>
    </message>
    <message>
        <source>Computer Name</source>
        <translation>Computername</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>- Applikation &apos;%1&apos;---</source>
        <translation>- Applikation &apos;%1&apos;---</translation>
    </message>
    <message>
        <source>File Version</source>
        <translation>Dateiversion</translation>
    </message>
    <message>
        <source>Copy the list as tab-separated text</source>
        <translation>Die Liste als tabulatorgetrennten Text kopieren</translation>
    </message>
</context>
<context>
    <name>ucAppInfo</name>
    <message>
        <source>Program versions</source>
        <translation>Programmversionen</translation>
    </message>
    <message>
        <source>Program:</source>
        <translation>Programm:</translation>
    </message>
    <message>
        <source>Copyright:</source>
        <translation>Copyright:</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>%1 helps You to handle MP3-Tags. It supports ID3v1.0 and ID3v1.1 tags. Select an Item to the left to access the features of the program.</source>
        <translation>%1 hilft Ihnen beim Umgang mit MP3-Tags. Es unterstützt ID3v1.0- und ID3v1.1-Tags. Wählen Sie links einen Eintrag, um die Funktionen des Programms zu nutzen.</translation>
    </message>
    <message>
        <source>Program information</source>
        <translation>Programminformation</translation>
    </message>
    <message>
        <source>Close the program</source>
        <translation>Das Programm beenden</translation>
    </message>
</context>
<context>
    <name>ucBatch</name>
    <message>
        <source>Tag all MP3 files below a folder from their names</source>
        <translation>Alle MP3-Dateien unterhalb eines Ordners nach ihren Namen taggen</translation>
    </message>
    <message>
        <source>Batch processing</source>
        <translation>Stapelverarbeitung</translation>
    </message>
    <message>
        <source>&amp;Process</source>
        <translation>&amp;Verarbeiten</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Drag and drop a file from the directory you want to parse.</source>
        <translation>Ziehen Sie eine Datei aus dem Verzeichnis hierher, das verarbeitet werden soll.</translation>
    </message>
    <message>
        <source>Choose path</source>
        <translation>Pfad wählen</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Overwrite exsisting tag</source>
        <translation>Tag überschreiben</translation>
    </message>
    <message>
        <source>Test mode</source>
        <translation>Testmodus</translation>
    </message>
    <message>
        <source>New Tag</source>
        <translation>Neuer Tag</translation>
    </message>
    <message>
        <source>Original Tag</source>
        <translation>Ursprünglicher Tag</translation>
    </message>
    <message>
        <source>Default Tag</source>
        <translation>Standard-Tag</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>The processed files under Ok and Error, each with its outcome</source>
        <translation>Die verarbeiteten Dateien unter Ok und Fehler, jeweils mit ihrem Ergebnis</translation>
    </message>
    <message>
        <source>The pattern of the file names the fields are read from</source>
        <translation>Das Muster der Dateinamen, aus denen die Felder gelesen werden</translation>
    </message>
    <message>
        <source>Replace the tag of files that have one</source>
        <translation>Den Tag von Dateien ersetzen, die schon einen haben</translation>
    </message>
    <message>
        <source>List what would be written without writing</source>
        <translation>Auflisten, was geschrieben würde, ohne zu schreiben</translation>
    </message>
    <message>
        <source>Tag every MP3 file below the path; during a run it stops the run, as Escape does</source>
        <translation>Jede MP3-Datei unterhalb des Pfads taggen; während eines Laufs hält es ihn an, wie die Escape-Taste</translation>
    </message>
</context>
<context>
    <name>ucID3v1xTag</name>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Genre number</source>
        <translation>Genrenummer</translation>
    </message>
    <message>
        <source>&lt;keep&gt;</source>
        <translation>&lt;beibehalten&gt;</translation>
    </message>
    <message>
        <source>The files differ here; each keeps its own value unless you type a new one.</source>
        <translation>Die Dateien unterscheiden sich hier; jede behält ihren Wert, solange kein neuer eingegeben wird.</translation>
    </message>
</context>
<context>
    <name>ucTagEditor</name>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>&amp;Parse</source>
        <translation>&amp;Zerlegen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Edit tag</source>
        <translation>Tag bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Ok</translation>
    </message>
    <message>
        <source>Save tag</source>
        <translation>Tag speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>Undo changes</source>
        <translation>Änderungen verwerfen</translation>
    </message>
    <message>
        <source>Drag and drop MP3-Files.</source>
        <translation>MP3-Dateien hierher ziehen.</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Parsing Options</source>
        <translation>Zerlegeoptionen</translation>
    </message>
    <message>
        <source>O</source>
        <translation>Ü</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Empty only</source>
        <translation>Nur leere</translation>
    </message>
    <message>
        <source>Overwrite empty fields only</source>
        <translation>Nur leere Felder überschreiben</translation>
    </message>
    <message>
        <source>Edit the tag of single MP3 files</source>
        <translation>Den Tag einzelner MP3-Dateien bearbeiten</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Overwrite the checked fields with the parsed ones</source>
        <translation>Die angekreuzten Felder mit den zerlegten überschreiben</translation>
    </message>
    <message>
        <source>Drop MP3 files here or paste them (Ctrl+V); Enter plays the chosen file</source>
        <translation>MP3-Dateien hierher ziehen oder einfügen (Strg+V); die Eingabetaste spielt die gewählte Datei ab</translation>
    </message>
    <message>
        <source>The pattern of the file name the fields are parsed from</source>
        <translation>Das Muster des Dateinamens, aus dem die Felder zerlegt werden</translation>
    </message>
    <message>
        <source>Fill the fields chosen in the parsing options from the file name</source>
        <translation>Die in den Zerlegeoptionen gewählten Felder aus dem Dateinamen füllen</translation>
    </message>
    <message>
        <source>Parse this field from the file name</source>
        <translation>Dieses Feld aus dem Dateinamen zerlegen</translation>
    </message>
    <message>
        <source>&amp;Remove Tag</source>
        <translation>Tag &amp;löschen</translation>
    </message>
    <message>
        <source>Remove the tag from the file</source>
        <translation>Den Tag aus der Datei löschen</translation>
    </message>
    <message>
        <source>Cut the tag off the end of the shown file; Edit, Undo Last Save puts it back</source>
        <translation>Schneidet den Tag vom Ende der angezeigten Datei ab; Bearbeiten, Letztes Speichern rückgängig stellt ihn wieder her</translation>
    </message>
    <message>
        <source>&amp;Number</source>
        <translation>&amp;Nummerieren</translation>
    </message>
    <message>
        <source>Number Tracks: the chosen files get the tracks 1, 2, 3... in the list&apos;s order</source>
        <translation>Tracks nummerieren: die ausgewählten Dateien erhalten die Tracks 1, 2, 3... in der Reihenfolge der Liste</translation>
    </message>
    <message>
        <source>Number Tracks</source>
        <translation>Tracks nummerieren</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Shows only the files with this text in any column</source>
        <translation>Zeigt nur die Dateien mit diesem Text in einer der Spalten</translation>
    </message>
</context>
</TS>
