<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BackupWindow</name>
    <message>
        <source>Trayskin Backup</source>
        <translation>Trayskin-Sicherung</translation>
    </message>
    <message>
        <source>Backing up the system&apos;s menu pictures. This happens only once.</source>
        <translation>Die Menübilder des Systems werden gesichert. Das geschieht nur einmal.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Use This Set</source>
        <translation>Diesen Satz verwenden</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>&amp;Quit Trayskin</source>
        <translation>Trayskin &amp;beenden</translation>
    </message>
    <message>
        <source>Trayskin &amp;Help</source>
        <translation>Trayskin-&amp;Hilfe</translation>
    </message>
    <message>
        <source>Trayskin</source>
        <translation>Trayskin</translation>
    </message>
    <message>
        <source>Inspector</source>
        <translation>Inspektor</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&amp;About Trayskin</source>
        <translation>Ü&amp;ber Trayskin</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Restore &amp;Original Pictures</source>
        <translation>&amp;Originalbilder wiederherstellen</translation>
    </message>
    <message>
        <source>Restore &amp;All Original Pictures</source>
        <translation>&amp;Alle Originalbilder wiederherstellen</translation>
    </message>
</context>
<context>
    <name>Trayskin</name>
    <message>
        <source>My Apologies</source>
        <translation>Wir bitten um Entschuldigung</translation>
    </message>
    <message>
        <source>Bad setup prefs</source>
        <translation>Die Bildbibliothek in Ihrem Benutzerordner konnte nicht eingerichtet werden.</translation>
    </message>
    <message>
        <source>Bad copy</source>
        <translation>Die mitgelieferten Beispielsätze konnten nicht in Ihre Bibliothek kopiert werden.</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Name: </translation>
    </message>
    <message>
        <source>Type: </source>
        <translation>Art: </translation>
    </message>
    <message>
        <source>No Selection</source>
        <translation>Keine Auswahl</translation>
    </message>
    <message>
        <source>Multiple Selection</source>
        <translation>Mehrfachauswahl</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Wrong Password</source>
        <translation>Falsches Passwort</translation>
    </message>
    <message>
        <source>Installation Complete</source>
        <translation>Installation abgeschlossen</translation>
    </message>
    <message>
        <source>Need restart</source>
        <translation>Das Menüsymbol muss neu gestartet werden. Bitte öffnen Sie dazu:</translation>
    </message>
    <message>
        <source>Open System Preferences</source>
        <translation>Systemeinstellungen öffnen</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Displays</source>
        <translation>Monitore</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>Energie sparen</translation>
    </message>
    <message>
        <source>DateTime</source>
        <translation>Datum &amp; Uhrzeit</translation>
    </message>
    <message>
        <source>The rest of the description is not shown.</source>
        <translation>Der Rest der Beschreibung wird nicht angezeigt.</translation>
    </message>
    <message>
        <source>Backup not complete, tried again at the next start:</source>
        <translation>Sicherung unvollständig, sie wird beim nächsten Start fortgesetzt:</translation>
    </message>
    <message>
        <source>The settings pane could not be opened:</source>
        <translation>Die Einstellung konnte nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>This application could not be started:</source>
        <translation>Dieses Programm konnte nicht gestartet werden:</translation>
    </message>
    <message>
        <source>The help page could not be opened:</source>
        <translation>Die Hilfeseite konnte nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>Chooses the pictures of the menu bar&apos;s status items.</source>
        <translation>Wählt die Bilder der Statusmenüs der Menüleiste.</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Freie Software unter der MIT-Lizenz.</translation>
    </message>
    <message>
        <source>About Trayskin</source>
        <translation>Über Trayskin</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>In use:</source>
        <translation>Verwendet:</translation>
    </message>
    <message>
        <source>a mix of sets</source>
        <translation>eine Mischung aus Sätzen</translation>
    </message>
    <message>
        <source>pictures that no set holds</source>
        <translation>Bilder, die in keinem Satz sind</translation>
    </message>
    <message>
        <source>No Menu Extra of this name is installed.</source>
        <translation>Kein Statusmenü dieses Namens ist installiert.</translation>
    </message>
    <message>
        <source>There is no backup of the Menu Extras folder yet.</source>
        <translation>Es gibt noch keine Sicherung des Ordners mit den Statusmenüs.</translation>
    </message>
    <message>
        <source>The backup of the Menu Extras folder is not complete yet.</source>
        <translation>Die Sicherung des Ordners mit den Statusmenüs ist noch nicht vollständig.</translation>
    </message>
    <message>
        <source>The backup holds no copy of this Menu Extra.</source>
        <translation>Die Sicherung enthält keine Kopie dieses Statusmenüs.</translation>
    </message>
    <message>
        <source>Nothing Restored</source>
        <translation>Nichts wiederhergestellt</translation>
    </message>
</context>
</TS>
