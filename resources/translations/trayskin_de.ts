<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Trayskin Backup</source>
        <translation>Trayskin-Sicherung</translation>
    </message>
    <message>
        <source>Use This Set</source>
        <translation>Diesen Satz verwenden</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Ablage</translation>
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
</context>
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
</TS>
