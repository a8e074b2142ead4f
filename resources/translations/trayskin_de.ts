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
    <message>
        <source>Backup progress</source>
        <translation>Fortschritt der Sicherung</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
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
    <message>
        <source>Library</source>
        <translation>Bibliothek</translation>
    </message>
    <message>
        <source>&amp;Use This Set</source>
        <translation>Diesen Satz &amp;verwenden</translation>
    </message>
    <message>
        <source>Ctrl+U</source>
        <translation>Ctrl+U</translation>
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
        <translation>Die mitgelieferten Beispielsätze konnten nicht in Ihre Bildbibliothek kopiert werden.</translation>
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
        <translation>Das Statusmenü muss neu gestartet werden, damit es die neuen Bilder zeigt. Öffnen Sie seine Einstellung: %1.</translation>
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
    <message>
        <source>Need restart, no settings pane</source>
        <translation>Das Statusmenü muss neu gestartet werden, damit es die neuen Bilder zeigt.</translation>
    </message>
    <message>
        <source>%1 (%2 to %3)</source>
        <translation>%1 (%2 nach %3)</translation>
    </message>
    <message>
        <source>Original Pictures Restored</source>
        <translation>Originalbilder wiederhergestellt</translation>
    </message>
    <message>
        <source>Nothing needed restoring</source>
        <translation>Alle Bilder sind schon die Originale; nichts musste wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>The menu items must be restarted to show their original pictures.</source>
        <translation>Die Statusmenüs müssen neu gestartet werden, damit sie ihre Originalbilder zeigen.</translation>
    </message>
    <message>
        <source>The privileged tool could not be run.</source>
        <translation>Das privilegierte Hilfsprogramm konnte nicht ausgeführt werden.</translation>
    </message>
    <message>
        <source>The privileged tool could not be started.</source>
        <translation>Das privilegierte Hilfsprogramm konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>You are not allowed to change the system&apos;s pictures.</source>
        <translation>Sie dürfen die Bilder des Systems nicht ändern.</translation>
    </message>
    <message>
        <source>The authorization was cancelled.</source>
        <translation>Die Autorisierung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>An administrator&apos;s password is needed and none could be asked for.</source>
        <translation>Das Passwort eines Administrators wird benötigt, konnte aber nicht erfragt werden.</translation>
    </message>
    <message>
        <source>The system&apos;s authorization failed.</source>
        <translation>Die Autorisierung des Systems ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The program&apos;s authorization is no longer valid.</source>
        <translation>Die Autorisierung des Programms ist nicht mehr gültig.</translation>
    </message>
    <message>
        <source>The privileged tool failed with status %1.</source>
        <translation>Das privilegierte Hilfsprogramm ist mit Status %1 gescheitert.</translation>
    </message>
    <message>
        <source>The privileged tool was started without arguments.</source>
        <translation>Das privilegierte Hilfsprogramm wurde ohne Argumente gestartet.</translation>
    </message>
    <message>
        <source>The privileged tool was started with an environment.</source>
        <translation>Das privilegierte Hilfsprogramm wurde mit Umgebungsvariablen gestartet.</translation>
    </message>
    <message>
        <source>The privileged tool was started with a standard channel closed.</source>
        <translation>Das privilegierte Hilfsprogramm wurde mit geschlossener Standardein- oder -ausgabe gestartet.</translation>
    </message>
    <message>
        <source>The privileged tool was started with other files open.</source>
        <translation>Das privilegierte Hilfsprogramm wurde mit weiteren offenen Dateien gestartet.</translation>
    </message>
    <message>
        <source>The privileged tool could not change its user.</source>
        <translation>Das privilegierte Hilfsprogramm konnte seinen Benutzer nicht wechseln.</translation>
    </message>
    <message>
        <source>The privileged tool may not open enough files.</source>
        <translation>Das privilegierte Hilfsprogramm darf nicht genug Dateien öffnen.</translation>
    </message>
    <message>
        <source>The privileged tool got an incomplete request.</source>
        <translation>Das privilegierte Hilfsprogramm hat einen unvollständigen Auftrag erhalten.</translation>
    </message>
    <message>
        <source>The privileged tool got more than one request.</source>
        <translation>Das privilegierte Hilfsprogramm hat mehr als einen Auftrag erhalten.</translation>
    </message>
    <message>
        <source>The request did not reach the privileged tool in time.</source>
        <translation>Der Auftrag hat das privilegierte Hilfsprogramm nicht rechtzeitig erreicht.</translation>
    </message>
    <message>
        <source>The privileged tool could not read its request.</source>
        <translation>Das privilegierte Hilfsprogramm konnte seinen Auftrag nicht lesen.</translation>
    </message>
    <message>
        <source>The privileged tool got an unknown command.</source>
        <translation>Das privilegierte Hilfsprogramm hat einen unbekannten Befehl erhalten.</translation>
    </message>
    <message>
        <source>The picture&apos;s path has no end.</source>
        <translation>Der Pfad des Bildes hat kein Ende.</translation>
    </message>
    <message>
        <source>The path of the picture to replace has no end.</source>
        <translation>Der Pfad des zu ersetzenden Bildes hat kein Ende.</translation>
    </message>
    <message>
        <source>The picture&apos;s path is not absolute.</source>
        <translation>Der Pfad des Bildes ist nicht absolut.</translation>
    </message>
    <message>
        <source>The path of the picture to replace is not absolute.</source>
        <translation>Der Pfad des zu ersetzenden Bildes ist nicht absolut.</translation>
    </message>
    <message>
        <source>The picture&apos;s path holds a . or .. folder.</source>
        <translation>Der Pfad des Bildes enthält . oder .. als Ordner.</translation>
    </message>
    <message>
        <source>The path of the picture to replace holds a . or .. folder.</source>
        <translation>Der Pfad des zu ersetzenden Bildes enthält . oder .. als Ordner.</translation>
    </message>
    <message>
        <source>The authorization is not one of Trayskin&apos;s.</source>
        <translation>Die Autorisierung stammt nicht von Trayskin.</translation>
    </message>
    <message>
        <source>The authorization belongs to another program.</source>
        <translation>Die Autorisierung gehört einem anderen Programm.</translation>
    </message>
    <message>
        <source>The program that started the privileged tool has ended.</source>
        <translation>Das Programm, das das privilegierte Hilfsprogramm gestartet hat, ist beendet.</translation>
    </message>
    <message>
        <source>An administrator&apos;s password is needed and none was given.</source>
        <translation>Das Passwort eines Administrators wird benötigt, wurde aber nicht eingegeben.</translation>
    </message>
    <message>
        <source>The password dialog was dismissed.</source>
        <translation>Die Passwortabfrage wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The system&apos;s authority (polkit) could not be asked.</source>
        <translation>Die Autorisierungsstelle des Systems (polkit) konnte nicht gefragt werden.</translation>
    </message>
    <message>
        <source>The picture does not exist, or you may not read it.</source>
        <translation>Das Bild existiert nicht, oder Sie dürfen es nicht lesen.</translation>
    </message>
    <message>
        <source>The picture is not a plain file.</source>
        <translation>Das Bild ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The picture is larger than 16 MiB.</source>
        <translation>Das Bild ist größer als 16 MiB.</translation>
    </message>
    <message>
        <source>The picture could not be read.</source>
        <translation>Das Bild konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The picture is not a file on a disk.</source>
        <translation>Das Bild ist keine Datei auf einem Datenträger.</translation>
    </message>
    <message>
        <source>The picture changed while it was read.</source>
        <translation>Das Bild hat sich beim Lesen geändert.</translation>
    </message>
    <message>
        <source>The picture is not a TIFF picture.</source>
        <translation>Das Bild ist kein TIFF-Bild.</translation>
    </message>
    <message>
        <source>The file to replace is not a picture of a Menu Extra.</source>
        <translation>Die zu ersetzende Datei ist kein Bild eines Statusmenüs.</translation>
    </message>
    <message>
        <source>The file to replace is not named .tif or .tiff.</source>
        <translation>Der Name der zu ersetzenden Datei endet nicht auf .tif oder .tiff.</translation>
    </message>
    <message>
        <source>The Menu Extra or its picture is not installed, or is reached through a link.</source>
        <translation>Das Statusmenü oder sein Bild ist nicht installiert oder nur über einen Link erreichbar.</translation>
    </message>
    <message>
        <source>The picture to replace is not a plain file.</source>
        <translation>Das zu ersetzende Bild ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>A folder of the Menu Extra may be changed by others than the administrator.</source>
        <translation>Ein Ordner des Statusmenüs kann von anderen als dem Administrator geändert werden.</translation>
    </message>
    <message>
        <source>No copy could be made beside the picture to replace.</source>
        <translation>Neben dem zu ersetzenden Bild konnte keine Kopie angelegt werden.</translation>
    </message>
    <message>
        <source>The copy could not be written; the disk may be full.</source>
        <translation>Die Kopie konnte nicht geschrieben werden; vielleicht ist der Datenträger voll.</translation>
    </message>
    <message>
        <source>The copy could not get the owner and permissions of the picture.</source>
        <translation>Die Kopie konnte Eigentümer und Zugriffsrechte des Bildes nicht übernehmen.</translation>
    </message>
    <message>
        <source>The copy could not be saved to the disk.</source>
        <translation>Die Kopie konnte nicht dauerhaft auf den Datenträger geschrieben werden.</translation>
    </message>
    <message>
        <source>The copy could not take the place of the picture.</source>
        <translation>Die Kopie konnte nicht an die Stelle des Bildes treten.</translation>
    </message>
    <message>
        <source>The copy does not hold the picture&apos;s bytes.</source>
        <translation>Die Kopie enthält nicht die Bytes des Bildes.</translation>
    </message>
    <message>
        <source>The program that started the privileged tool does not run as you.</source>
        <translation>Das Programm, das das privilegierte Hilfsprogramm gestartet hat, läuft nicht unter Ihrem Benutzerkonto.</translation>
    </message>
    <message>
        <source>No icon</source>
        <translation>Kein Symbol</translation>
    </message>
    <message>
        <source>Status Items</source>
        <translation>Statusmenüs</translation>
    </message>
    <message>
        <source>Sets</source>
        <translation>Sätze</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Icon of %1</source>
        <translation>Symbol von %1</translation>
    </message>
    <message>
        <source>This set</source>
        <translation>Dieser Satz</translation>
    </message>
    <message>
        <source>In use now</source>
        <translation>Jetzt verwendet</translation>
    </message>
    <message>
        <source>Menu bar size</source>
        <translation>Größe in der Menüleiste</translation>
    </message>
    <message>
        <source>Twice the size</source>
        <translation>Doppelte Größe</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
    <message>
        <source>Could not set up %1: %2</source>
        <translation>%1 konnte nicht eingerichtet werden: %2</translation>
    </message>
    <message>
        <source>The icon theme shows no picture of this item.</source>
        <translation>Das Symbolthema zeigt kein Bild dieses Elements.</translation>
    </message>
    <message>
        <source>Work on the desktop&apos;s icon theme (desktop mode).</source>
        <translation>Mit dem Symbolthema der Arbeitsumgebung arbeiten (Desktop-Modus).</translation>
    </message>
    <message>
        <source>Work on the Menu Extras folder.</source>
        <translation>Mit dem Ordner „Menu Extras“ arbeiten.</translation>
    </message>
    <message>
        <source>Work on this icon theme (desktop mode).</source>
        <translation>Mit diesem Symbolthema arbeiten (Desktop-Modus).</translation>
    </message>
    <message>
        <source>--desktop and --menu-extras cannot be given together.</source>
        <translation>--desktop und --menu-extras können nicht zusammen angegeben werden.</translation>
    </message>
    <message>
        <source>the name is not an icon name (letters, digits and . _ + - only)</source>
        <translation>der Name ist kein Symbolname (nur Buchstaben, Ziffern und . _ + -)</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>die Datei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the file is larger than 16 MiB</source>
        <translation>die Datei ist größer als 16 MiB</translation>
    </message>
    <message>
        <source>the file is not a PNG or SVG picture</source>
        <translation>die Datei ist kein PNG- oder SVG-Bild</translation>
    </message>
    <message>
        <source>the name&apos;s extension does not match the contents</source>
        <translation>die Endung des Namens passt nicht zum Inhalt</translation>
    </message>
    <message>
        <source>the set holds another picture of this icon</source>
        <translation>das Set enthält ein weiteres Bild dieses Symbols</translation>
    </message>
    <message>
        <source>The icon theme was not found:</source>
        <translation>Das Symbolthema wurde nicht gefunden:</translation>
    </message>
    <message>
        <source>The icon theme&apos;s folder in your data folder cannot be made or opened:</source>
        <translation>Der Ordner des Symbolthemas in Ihrem Datenordner kann nicht angelegt oder geöffnet werden:</translation>
    </message>
    <message>
        <source>The record of what Trayskin wrote into the icon theme cannot be read or written:</source>
        <translation>Die Aufzeichnung dessen, was Trayskin in das Symbolthema geschrieben hat, kann nicht gelesen oder geschrieben werden:</translation>
    </message>
    <message>
        <source>GNOME Shell shows them after you log out and in again.</source>
        <translation>GNOME Shell zeigt sie, nachdem Sie sich ab- und wieder angemeldet haben.</translation>
    </message>
    <message>
        <source>The Xfce panel shows them once it is started again: xfce4-panel -r</source>
        <translation>Die Xfce-Leiste zeigt sie, sobald sie neu gestartet wird: xfce4-panel -r</translation>
    </message>
    <message>
        <source>The MATE panel shows them once it is started again: mate-panel --replace</source>
        <translation>Die MATE-Leiste zeigt sie, sobald sie neu gestartet wird: mate-panel --replace</translation>
    </message>
    <message>
        <source>Cinnamon shows them once it is started again: cinnamon --replace</source>
        <translation>Cinnamon zeigt sie, sobald es neu gestartet wird: cinnamon --replace</translation>
    </message>
    <message>
        <source>Plasma shows them once it is started again: plasmashell --replace</source>
        <translation>Plasma zeigt sie, sobald es neu gestartet wird: plasmashell --replace</translation>
    </message>
    <message>
        <source>The LXQt panel shows them once it is started again.</source>
        <translation>Die LXQt-Leiste zeigt sie, sobald sie neu gestartet wird.</translation>
    </message>
    <message>
        <source>A panel shows them once it, or the program that puts the status icon there, is started again.</source>
        <translation>Eine Leiste zeigt sie, sobald sie oder das Programm, das das Statussymbol dorthin setzt, neu gestartet wird.</translation>
    </message>
    <message>
        <source>Desktop mode, icon theme:</source>
        <translation>Desktop-Modus, Symbolthema:</translation>
    </message>
    <message>
        <source>not an icon name of this item</source>
        <translation>kein Symbolname dieses Elements</translation>
    </message>
    <message>
        <source>the icon theme has no folder for this name</source>
        <translation>das Symbolthema hat keinen Ordner für diesen Namen</translation>
    </message>
    <message>
        <source>Some Pictures Not Used</source>
        <translation>Einige Bilder nicht verwendet</translation>
    </message>
    <message>
        <source>The pictures are in place in the icon theme</source>
        <translation>Die Bilder sind eingesetzt im Symbolthema</translation>
    </message>
    <message>
        <source>Files of the same name in ~/.icons hide these pictures:</source>
        <translation>Gleichnamige Dateien in ~/.icons verdecken diese Bilder:</translation>
    </message>
    <message>
        <source>Menu Extras</source>
        <translation>Menu Extras</translation>
    </message>
    <message>
        <source>Desktop mode, icon theme not found:</source>
        <translation>Desktop-Modus, Symbolthema nicht gefunden:</translation>
    </message>
    <message>
        <source>The panel shows them after you log out and in again.</source>
        <translation>Die Leiste zeigt sie, nachdem Sie sich ab- und wieder angemeldet haben.</translation>
    </message>
    <message>
        <source>S&amp;witch Desktop Back to %1</source>
        <translation>Desktop &amp;zurück auf %1 umstellen</translation>
    </message>
    <message>
        <source>S&amp;witch Desktop to Own Theme</source>
        <translation>Desktop auf eigenes Thema &amp;umstellen</translation>
    </message>
    <message>
        <source>Install sets into a theme of their own beside the icon theme, which the desktop shows once switched to it (desktop mode).</source>
        <translation>Sets in ein eigenes Thema neben dem Symbolthema installieren, das der Desktop zeigt, sobald er darauf umgestellt ist (Desktop-Modus).</translation>
    </message>
    <message>
        <source>--own-theme works in desktop mode only and cannot be given with --menu-extras.</source>
        <translation>--own-theme gilt nur im Desktop-Modus und kann nicht mit --menu-extras angegeben werden.</translation>
    </message>
    <message>
        <source>Nothing Switched</source>
        <translation>Nichts umgestellt</translation>
    </message>
    <message>
        <source>You picked another icon theme after Trayskin switched the desktop; it is left as it is.</source>
        <translation>Sie haben ein anderes Symbolthema gewählt, nachdem Trayskin den Desktop umgestellt hatte; es bleibt, wie es ist.</translation>
    </message>
    <message>
        <source>No setting of the desktop names its icon theme.</source>
        <translation>Keine Einstellung des Desktops nennt sein Symbolthema.</translation>
    </message>
    <message>
        <source>The name is not a safe icon theme name.</source>
        <translation>Der Name ist kein sicherer Name für ein Symbolthema.</translation>
    </message>
    <message>
        <source>The desktop&apos;s settings tool is missing, failed or took too long:</source>
        <translation>Das Einstellungsprogramm des Desktops fehlt, ist gescheitert oder hat zu lange gebraucht:</translation>
    </message>
    <message>
        <source>The settings file cannot be read or written, or is a link:</source>
        <translation>Die Einstellungsdatei kann nicht gelesen oder geschrieben werden oder ist ein Verweis:</translation>
    </message>
    <message>
        <source>What the setting held before cannot be kept in the library:</source>
        <translation>Der bisherige Wert der Einstellung kann nicht in der Bibliothek festgehalten werden:</translation>
    </message>
    <message>
        <source>No switch made by Trayskin is remembered.</source>
        <translation>Keine Umstellung durch Trayskin ist vermerkt.</translation>
    </message>
    <message>
        <source>The desktop&apos;s icon theme could not be switched to %1.</source>
        <translation>Das Symbolthema des Desktops konnte nicht auf %1 umgestellt werden.</translation>
    </message>
    <message>
        <source>The desktop uses the icon theme %1 again.</source>
        <translation>Der Desktop verwendet wieder das Symbolthema %1.</translation>
    </message>
    <message>
        <source>The pictures are in place in the own theme %1, which the desktop uses.</source>
        <translation>Die Bilder sind im eigenen Thema %1, das der Desktop verwendet, an ihrem Platz.</translation>
    </message>
    <message>
        <source>The pictures are in place in the own theme %1. The desktop shows them once it is switched to that theme: File &gt; Switch Desktop to Own Theme.</source>
        <translation>Die Bilder sind im eigenen Thema %1 an ihrem Platz. Der Desktop zeigt sie, sobald er auf dieses Thema umgestellt ist: Datei &gt; Desktop auf eigenes Thema umstellen.</translation>
    </message>
    <message>
        <source>Desktop Switched</source>
        <translation>Desktop umgestellt</translation>
    </message>
    <message>
        <source>Own Theme Not Shown</source>
        <translation>Eigenes Thema nicht sichtbar</translation>
    </message>
    <message>
        <source>The desktop uses the icon theme %1, which was picked after Trayskin switched it to %2, so the pictures in %2 are no longer shown. Trayskin leaves the desktop as it is.</source>
        <translation>Der Desktop verwendet das Symbolthema %1, das gewählt wurde, nachdem Trayskin ihn auf %2 umgestellt hatte; die Bilder in %2 werden daher nicht mehr gezeigt. Trayskin lässt den Desktop, wie er ist.</translation>
    </message>
    <message>
        <source>The desktop uses the icon theme %1 now, which holds the pictures.</source>
        <translation>Der Desktop verwendet jetzt das Symbolthema %1, das die Bilder enthält.</translation>
    </message>
    <message>
        <source>Running KDE programs were told to reload their icons.</source>
        <translation>Laufende KDE-Programme wurden aufgefordert, ihre Symbole neu zu laden.</translation>
    </message>
    <message>
        <source>Running GTK programs notice the change the next time they look an icon up, as a status icon does when its state changes (the volume, for example).</source>
        <translation>Laufende GTK-Programme bemerken die Änderung, sobald sie das nächste Mal ein Symbol nachschlagen, wie es ein Statussymbol tut, wenn sich sein Zustand ändert (etwa die Lautstärke).</translation>
    </message>
    <message>
        <source>(the desktop shows %1)</source>
        <translation>(der Desktop zeigt %1)</translation>
    </message>
    <message>
        <source>A folder that Trayskin did not make has the own theme&apos;s name in your icons folder, so nothing was written into it. Rename or remove it to use the own theme:</source>
        <translation>Ein Ordner, den Trayskin nicht angelegt hat, trägt in Ihrem Symbolordner den Namen des eigenen Themas, darum wurde nichts hineingeschrieben. Benennen Sie ihn um oder entfernen Sie ihn, um das eigene Thema zu verwenden:</translation>
    </message>
    <message>
        <source>Desktop Switched Back</source>
        <translation>Desktop zurückgeschaltet</translation>
    </message>
    <message>
        <source>Without a verb the window opens. The verbs need no display and work on the system the window would work on.</source>
        <translation>Ohne Verb öffnet sich das Fenster. Die Verben brauchen keinen Bildschirm und arbeiten mit dem System, mit dem das Fenster arbeiten würde.</translation>
    </message>
    <message>
        <source>Put in front of the system folders, to try the program in a sandbox.</source>
        <translation>Wird den Systemordnern vorangestellt, um das Programm in einer Sandbox zu erproben.</translation>
    </message>
    <message>
        <source>The picture library of the Menu Extras.</source>
        <translation>Die Bildbibliothek der Menu Extras.</translation>
    </message>
    <message>
        <source>Answer list and status in JSON.</source>
        <translation>list und status in JSON beantworten.</translation>
    </message>
    <message>
        <source>Restore every item.</source>
        <translation>Alle Elemente wiederherstellen.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Diese Hilfe zeigen und enden.</translation>
    </message>
    <message>
        <source>Show the version and end.</source>
        <translation>Die Version zeigen und enden.</translation>
    </message>
    <message>
        <source>List the items, or the sets of one item; * marks the set in use.</source>
        <translation>Die Elemente auflisten oder die Sätze eines Elements; * markiert den Satz in Gebrauch.</translation>
    </message>
    <message>
        <source>Put the set in place, as Use This Set does.</source>
        <translation>Den Satz einsetzen, wie „Diesen Satz verwenden“ es tut.</translation>
    </message>
    <message>
        <source>Put back the original pictures of the item, or of every item.</source>
        <translation>Die Originalbilder des Elements oder aller Elemente zurücklegen.</translation>
    </message>
    <message>
        <source>Say the mode and theme, and which set each item shows.</source>
        <translation>Modus und Symbolthema nennen und welchen Satz jedes Element zeigt.</translation>
    </message>
    <message>
        <source>done</source>
        <translation>erledigt</translation>
    </message>
    <message>
        <source>partly done: some pictures were refused, each named on standard error</source>
        <translation>teilweise erledigt: einige Bilder wurden abgelehnt, jedes auf der Standardfehlerausgabe genannt</translation>
    </message>
    <message>
        <source>nothing done</source>
        <translation>nichts erledigt</translation>
    </message>
    <message>
        <source>the command line cannot be used</source>
        <translation>die Befehlszeile ist nicht verwendbar</translation>
    </message>
    <message>
        <source>no such item or set</source>
        <translation>kein solches Element oder kein solcher Satz</translation>
    </message>
    <message>
        <source>cannot write</source>
        <translation>kann nicht schreiben</translation>
    </message>
    <message>
        <source>another Trayskin holds the library</source>
        <translation>ein anderes Trayskin hält die Bibliothek</translation>
    </message>
    <message>
        <source>refused by the authorization</source>
        <translation>von der Autorisierung abgelehnt</translation>
    </message>
    <message>
        <source>One of the verbs below; none opens the window.</source>
        <translation>Eines der Verben unten; ohne Verb öffnet sich das Fenster.</translation>
    </message>
    <message>
        <source>Unknown verb %1.</source>
        <translation>Unbekanntes Verb %1.</translation>
    </message>
    <message>
        <source>Wrong number of arguments for %1.</source>
        <translation>Falsche Anzahl von Argumenten für %1.</translation>
    </message>
    <message>
        <source>This option does not go with %1.</source>
        <translation>Diese Option geht nicht mit %1.</translation>
    </message>
    <message>
        <source>Verbs:</source>
        <translation>Verben:</translation>
    </message>
    <message>
        <source>Exit statuses:</source>
        <translation>Exit-Status:</translation>
    </message>
    <message>
        <source>%1 See trayskin --help.</source>
        <translation>%1 Siehe trayskin --help.</translation>
    </message>
    <message>
        <source>No such item: %1</source>
        <translation>Kein solches Element: %1</translation>
    </message>
    <message>
        <source>No such set of %1: %2</source>
        <translation>Kein solcher Satz von %1: %2</translation>
    </message>
    <message>
        <source>Another Trayskin holds the library %1; nothing was changed.</source>
        <translation>Ein anderes Trayskin hält die Bibliothek %1; nichts wurde geändert.</translation>
    </message>
    <message>
        <source>installs into %1</source>
        <translation>installiert in %1</translation>
    </message>
    <message>
        <source>The &amp;Icon Theme %1</source>
        <translation>Das &amp;Symbolthema %1</translation>
    </message>
    <message>
        <source>A &amp;Theme of Its Own, %1</source>
        <translation>Ein eigenes &amp;Thema, %1</translation>
    </message>
    <message>
        <source>There is no theme of Trayskin&apos;s own yet: install a set into a theme of its own first.</source>
        <translation>Es gibt noch kein eigenes Thema von Trayskin: Installieren Sie zuerst einen Satz in ein eigenes Thema.</translation>
    </message>
    <message>
        <source>The desktop is switched back from %1 to %2.</source>
        <translation>Der Desktop wird von %1 auf %2 zurückgestellt.</translation>
    </message>
    <message>
        <source>The sets stay in the library, to be used again.</source>
        <translation>Die Sätze bleiben in der Bibliothek und können wieder verwendet werden.</translation>
    </message>
    <message>
        <source>Restore All Original Pictures?</source>
        <translation>Alle Originalbilder wiederherstellen?</translation>
    </message>
    <message>
        <source>Restore All</source>
        <translation>Alle wiederherstellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>S&amp;witch Desktop Now</source>
        <translation>Desktop jetzt &amp;umstellen</translation>
    </message>
    <message>
        <source>A picture could not be written, removed or moved:</source>
        <translation>Ein Bild konnte nicht geschrieben, entfernt oder verschoben werden:</translation>
    </message>
    <message>
        <source>your own file there is on another file system than the library, and Trayskin moves your files aside only by renaming them; it was left as it is, and no picture was put in its place</source>
        <translation>Ihre eigene Datei dort liegt auf einem anderen Dateisystem als die Bibliothek, und Trayskin legt Ihre Dateien nur durch Umbenennen beiseite; sie bleibt, wie sie ist, und an ihre Stelle kam kein Bild</translation>
    </message>
    <message>
        <source>your own file there could not be moved aside, so it was left as it is, and no picture was put in its place:</source>
        <translation>Ihre eigene Datei dort konnte nicht beiseitegelegt werden; sie bleibt, wie sie ist, und an ihre Stelle kam kein Bild:</translation>
    </message>
    <message>
        <source>Your own files that these pictures replace or hide were moved aside as they are (%1); Restore Original Pictures puts them back.</source>
        <translation>Ihre eigenen Dateien, die diese Bilder ersetzen oder verdecken, wurden unverändert beiseitegelegt (%1); „Originalbilder wiederherstellen“ legt sie zurück.</translation>
    </message>
    <message>
        <source>left, as its bytes are no picture of the library, so it may be yours</source>
        <translation>belassen, da sein Inhalt kein Bild der Bibliothek ist und es Ihres sein kann</translation>
    </message>
    <message>
        <source>you changed it after Trayskin put its picture there, so yours stays; what Trayskin had moved aside from there is kept at %1</source>
        <translation>Sie haben es geändert, nachdem Trayskin sein Bild dort abgelegt hat, daher bleibt Ihres; was Trayskin von dort beiseitegelegt hatte, liegt unter %1</translation>
    </message>
    <message>
        <source>Neither the record of what Trayskin wrote into %1 nor the one before it can be read, so only the files whose bytes are those of a picture in the library were taken out.</source>
        <translation>Weder die Aufzeichnung dessen, was Trayskin in %1 geschrieben hat, noch die vorherige ist lesbar; daher wurden nur die Dateien entfernt, deren Inhalt der eines Bildes der Bibliothek ist.</translation>
    </message>
    <message>
        <source>The icon theme %1 shows its own pictures of %2 again.</source>
        <translation>Das Symbolthema %1 zeigt wieder seine eigenen Bilder für %2.</translation>
    </message>
    <message>
        <source>The icon theme %1 shows its own pictures again.</source>
        <translation>Das Symbolthema %1 zeigt wieder seine eigenen Bilder.</translation>
    </message>
    <message>
        <source>The icon themes %1 show their own pictures again.</source>
        <translation>Die Symbolthemen %1 zeigen wieder ihre eigenen Bilder.</translation>
    </message>
    <message>
        <source>Your own files that Trayskin had moved aside are back:</source>
        <translation>Ihre eigenen Dateien, die Trayskin beiseitegelegt hatte, sind zurück:</translation>
    </message>
    <message>
        <source>Left as they are:</source>
        <translation>Unverändert belassen:</translation>
    </message>
    <message>
        <source>the name holds a control character</source>
        <translation>der Name enthält ein Steuerzeichen</translation>
    </message>
    <message>
        <source>Nothing Put in Place</source>
        <translation>Nichts abgelegt</translation>
    </message>
    <message>
        <source>None of the set&apos;s pictures was put in place in the icon theme %1; the theme is as it was.</source>
        <translation>Keines der Bilder des Satzes wurde im Symbolthema %1 abgelegt; das Thema ist unverändert.</translation>
    </message>
    <message>
        <source>Move Set to &amp;Trash</source>
        <translation>Set in den &amp;Papierkorb legen</translation>
    </message>
    <message>
        <source>D&amp;uplicate Set...</source>
        <translation>Set d&amp;uplizieren ...</translation>
    </message>
    <message>
        <source>Re&amp;name Set...</source>
        <translation>Set &amp;umbenennen ...</translation>
    </message>
    <message>
        <source>Open &amp;Library Folder</source>
        <translation>&amp;Bibliotheksordner öffnen</translation>
    </message>
    <message>
        <source>Not Done</source>
        <translation>Nicht ausgeführt</translation>
    </message>
    <message>
        <source>Moved to the trash: %1</source>
        <translation>In den Papierkorb gelegt: %1</translation>
    </message>
    <message>
        <source>Duplicate Set</source>
        <translation>Set duplizieren</translation>
    </message>
    <message>
        <source>Name of the copy:</source>
        <translation>Name der Kopie:</translation>
    </message>
    <message>
        <source>Set copied: %1</source>
        <translation>Set kopiert: %1</translation>
    </message>
    <message>
        <source>Rename Set</source>
        <translation>Set umbenennen</translation>
    </message>
    <message>
        <source>New name:</source>
        <translation>Neuer Name:</translation>
    </message>
    <message>
        <source>Set renamed: %1</source>
        <translation>Set umbenannt: %1</translation>
    </message>
    <message>
        <source>The library folder could not be opened:</source>
        <translation>Der Bibliotheksordner konnte nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>Add Sets from &amp;Installed Themes</source>
        <translation>Sets aus &amp;installierten Themen hinzufügen</translation>
    </message>
    <message>
        <source>Some Sets Not Made</source>
        <translation>Einige Sets nicht erstellt</translation>
    </message>
    <message>
        <source>These sets could not be written into the library:</source>
        <translation>Diese Sets konnten nicht in die Bibliothek geschrieben werden:</translation>
    </message>
    <message>
        <source>No set to add: the installed themes&apos; sets are in the library.</source>
        <translation>Kein Set hinzuzufügen: Die Sets der installierten Themen sind in der Bibliothek.</translation>
    </message>
    <message>
        <source>A set needs a name.</source>
        <translation>Ein Set braucht einen Namen.</translation>
    </message>
    <message>
        <source>A set&apos;s name cannot hold a &quot;/&quot;.</source>
        <translation>Der Name eines Sets darf kein „/“ enthalten.</translation>
    </message>
    <message>
        <source>A set&apos;s name cannot begin with &quot;.&quot;: it would be hidden.</source>
        <translation>Der Name eines Sets darf nicht mit „.“ beginnen: Es wäre verborgen.</translation>
    </message>
    <message>
        <source>This name is kept for the library&apos;s own use.</source>
        <translation>Dieser Name ist der Bibliothek selbst vorbehalten.</translation>
    </message>
    <message>
        <source>This name is too long.</source>
        <translation>Dieser Name ist zu lang.</translation>
    </message>
    <message>
        <source>There is no such set in the library.</source>
        <translation>Ein solches Set gibt es in der Bibliothek nicht.</translation>
    </message>
    <message>
        <source>The default set holds the theme&apos;s own pictures and stays.</source>
        <translation>Das Standardset enthält die eigenen Bilder des Themas und bleibt.</translation>
    </message>
    <message>
        <source>The item has a set of that name already.</source>
        <translation>Das Element hat bereits ein Set dieses Namens.</translation>
    </message>
    <message>
        <source>The set could not be moved to the trash.</source>
        <translation>Das Set konnte nicht in den Papierkorb gelegt werden.</translation>
    </message>
    <message>
        <source>The set could not be copied.</source>
        <translation>Das Set konnte nicht kopiert werden.</translation>
    </message>
    <message>
        <source>The set could not be renamed.</source>
        <translation>Das Set konnte nicht umbenannt werden.</translation>
    </message>
    <message>
        <source>%1 copy</source>
        <translation>%1 Kopie</translation>
    </message>
    <message>
        <source>Pictures of the icon theme %1, from %2.</source>
        <translation>Bilder des Symbolthemas %1, aus %2.</translation>
    </message>
    <message>
        <source>The theme ships no licence file.</source>
        <translation>Das Thema liefert keine Lizenzdatei mit.</translation>
    </message>
    <message>
        <source>Its licence: %1</source>
        <translation>Seine Lizenz: %1</translation>
    </message>
    <message>
        <source>&amp;Import Sets...</source>
        <translation>Sets &amp;importieren ...</translation>
    </message>
    <message>
        <source>&amp;Export Set...</source>
        <translation>Set &amp;exportieren ...</translation>
    </message>
    <message>
        <source>Import Sets</source>
        <translation>Sets importieren</translation>
    </message>
    <message>
        <source>Archives</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>Sets imported: %1</source>
        <translation>Importierte Sets: %1</translation>
    </message>
    <message>
        <source>Export Set</source>
        <translation>Set exportieren</translation>
    </message>
    <message>
        <source>Set exported to %1</source>
        <translation>Set exportiert nach %1</translation>
    </message>
    <message>
        <source>The archive holds too many entries.</source>
        <translation>Das Archiv enthält zu viele Einträge.</translation>
    </message>
    <message>
        <source>The archive names a file outside itself:</source>
        <translation>Das Archiv nennt eine Datei außerhalb seiner selbst:</translation>
    </message>
    <message>
        <source>The archive holds a link or a special file, which sets never hold:</source>
        <translation>Das Archiv enthält einen Verweis oder eine Spezialdatei, die Sets nie enthalten:</translation>
    </message>
    <message>
        <source>A file of the archive is too large:</source>
        <translation>Eine Datei des Archivs ist zu groß:</translation>
    </message>
    <message>
        <source>The archive unpacks to too many bytes.</source>
        <translation>Das Archiv entpackt sich zu zu vielen Bytes.</translation>
    </message>
    <message>
        <source>The archive is damaged or cut short.</source>
        <translation>Das Archiv ist beschädigt oder abgeschnitten.</translation>
    </message>
    <message>
        <source>The library could not be written.</source>
        <translation>Die Bibliothek konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The file is no archive that can be read.</source>
        <translation>Die Datei ist kein lesbares Archiv.</translation>
    </message>
    <message>
        <source>The archive names a file twice:</source>
        <translation>Das Archiv nennt eine Datei zweimal:</translation>
    </message>
    <message>
        <source>A file could not be read:</source>
        <translation>Eine Datei konnte nicht gelesen werden:</translation>
    </message>
    <message>
        <source>A set of this name is there already, or could not be written:</source>
        <translation>Ein Set dieses Namens gibt es schon, oder es konnte nicht geschrieben werden:</translation>
    </message>
    <message>
        <source>No item of the library has pictures of these names.</source>
        <translation>Kein Element der Bibliothek hat Bilder dieser Namen.</translation>
    </message>
    <message>
        <source>The archive could not be made there (is a file there already?).</source>
        <translation>Das Archiv konnte dort nicht angelegt werden (gibt es dort schon eine Datei?).</translation>
    </message>
    <message>
        <source>The archive could not be written.</source>
        <translation>Das Archiv konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Use This Set leaves this file out: %1</source>
        <translation>„Diesen Satz verwenden“ lässt diese Datei aus: %1</translation>
    </message>
    <message>
        <source>Use This Set takes only PNG and SVG pictures.</source>
        <translation>„Diesen Satz verwenden“ nimmt nur PNG- und SVG-Bilder.</translation>
    </message>
    <message>
        <source>Use This Set takes only pictures of the system&apos;s kinds.</source>
        <translation>„Diesen Satz verwenden“ nimmt nur Bilder der Arten des Systems.</translation>
    </message>
    <message>
        <source>This set has no info file (trayskininfo.txt), which a set needs to be used: write its description into one.</source>
        <translation>Dieses Set hat keine Infodatei (trayskininfo.txt), die ein Set braucht, um verwendet zu werden: Schreiben Sie seine Beschreibung in eine.</translation>
    </message>
    <message>
        <source>This set holds no picture that this item shows.</source>
        <translation>Dieses Set enthält kein Bild, das dieses Element zeigt.</translation>
    </message>
    <message>
        <source>Import Sets from &amp;Folder...</source>
        <translation>Sets aus &amp;Ordner importieren...</translation>
    </message>
    <message>
        <source>Choose a status item, then a set to see its pictures. Use This Set puts them in place.</source>
        <translation>Wählen Sie ein Statuselement, dann einen Satz, um seine Bilder zu sehen. „Diesen Satz verwenden“ setzt sie ein.</translation>
    </message>
    <message>
        <source>%1 pictures, of: %2</source>
        <translation>%1 Bilder, für: %2</translation>
    </message>
    <message>
        <source>SVG picture, scalable</source>
        <translation>SVG-Bild, skalierbar</translation>
    </message>
    <message>
        <source>PNG picture, %1 x %2</source>
        <translation>PNG-Bild, %1 × %2</translation>
    </message>
    <message>
        <source>Status item</source>
        <translation>Statuselement</translation>
    </message>
    <message>
        <source>Choose a set in the next column to see its pictures.</source>
        <translation>Wählen Sie in der nächsten Spalte einen Satz, um seine Bilder zu sehen.</translation>
    </message>
    <message>
        <source>Picture set</source>
        <translation>Bildersatz</translation>
    </message>
    <message>
        <source>Made by the Trayskin contributors, with Qt. Every picture it ships was drawn for Trayskin.</source>
        <translation>Gemacht von den Mitwirkenden an Trayskin, mit Qt. Jedes mitgelieferte Bild wurde für Trayskin gezeichnet.</translation>
    </message>
    <message>
        <source>Chooses the pictures of the panel&apos;s status icons.</source>
        <translation>Wählt die Bilder der Statussymbole in der Leiste.</translation>
    </message>
    <message>
        <source>%1 pictures of this set above the pictures in use now, shown at: %2, and at twice that size, on a light and on a dark bar.</source>
        <translation>%1 Bilder dieses Satzes über den jetzt verwendeten Bildern, gezeigt in: %2, und doppelt so groß, auf einer hellen und einer dunklen Leiste.</translation>
    </message>
    <message>
        <source>Panel size</source>
        <translation>Größe in der Leiste</translation>
    </message>
    <message>
        <source>Every picture that Trayskin put into these icon themes is removed, and your own files that it moved aside are put back: %1.</source>
        <translation>Jedes Bild, das Trayskin in diese Symbolthemen gelegt hat, wird entfernt, und Ihre eigenen Dateien, die es beiseitegelegt hat, kommen zurück: %1.</translation>
    </message>
    <message>
        <source>In&amp;stall Into</source>
        <translation>In&amp;stallieren in</translation>
    </message>
    <message>
        <source>Install again the sets in use, for a theme that gained folders or pictures since.</source>
        <translation>Die Sätze in Gebrauch erneut installieren, für ein Symbolthema, das seitdem Ordner oder Bilder hinzugewonnen hat.</translation>
    </message>
    <message>
        <source>The own-theme route could not be kept in the library.</source>
        <translation>Der Weg über das eigene Thema konnte nicht in der Bibliothek vermerkt werden.</translation>
    </message>
    <message>
        <source>No item shows a set to reapply.</source>
        <translation>Kein Element zeigt einen Satz, der erneut zu installieren wäre.</translation>
    </message>
    <message>
        <source>Make sets of a folder or an archive, as Import Sets does.</source>
        <translation>Sätze aus einem Ordner oder einem Archiv machen, wie „Sets importieren“ es tut.</translation>
    </message>
    <message>
        <source>Write the set as a .tar.gz archive, as Export Set does.</source>
        <translation>Den Satz als .tar.gz-Archiv schreiben, wie „Set exportieren“ es tut.</translation>
    </message>
    <message>
        <source>The desktop named the icon theme %1, which is gone or no longer holds Trayskin&apos;s pictures, so Trayskin switched the desktop back to %2.</source>
        <translation>Der Desktop nannte das Symbolthema %1, das fehlt oder keine Bilder von Trayskin mehr enthält, darum hat Trayskin den Desktop auf %2 zurückgeschaltet.</translation>
    </message>
    <message>
        <source>After use or restore, start the running panel again, and the status programs that show the pictures, where Trayskin can (desktop mode).</source>
        <translation>Nach use oder restore die laufende Leiste neu starten, dazu die Statusprogramme, die die Bilder zeigen, wo Trayskin es kann (Desktop-Modus).</translation>
    </message>
    <message>
        <source>--json, --all and --restart-panel go with a verb only.</source>
        <translation>--json, --all und --restart-panel gehen nur mit einem Verb.</translation>
    </message>
    <message>
        <source>There is no panel to restart in this mode.</source>
        <translation>In diesem Modus gibt es keine Leiste zum Neustarten.</translation>
    </message>
    <message>
        <source>GNOME Shell on Wayland cannot be started again without ending the session: log out and in again to see the pictures.</source>
        <translation>GNOME Shell unter Wayland lässt sich nicht neu starten, ohne die Sitzung zu beenden: Melden Sie sich ab und wieder an, um die Bilder zu sehen.</translation>
    </message>
    <message>
        <source>GNOME Shell shows them once it is started again: press Alt+F2, type r and press Enter.</source>
        <translation>GNOME Shell zeigt sie, sobald sie neu gestartet ist: Drücken Sie Alt+F2, tippen Sie r und drücken Sie die Eingabetaste.</translation>
    </message>
    <message>
        <source>Restart Panel starts %1 again, so that they show the pictures.</source>
        <translation>Leiste neu starten startet %1 neu, damit die Bilder erscheinen.</translation>
    </message>
    <message>
        <source>Restart Panel</source>
        <translation>Leiste neu starten</translation>
    </message>
    <message>
        <source>its program file cannot be found or started</source>
        <translation>seine Programmdatei lässt sich nicht finden oder starten</translation>
    </message>
    <message>
        <source>No Panel Found</source>
        <translation>Keine Leiste gefunden</translation>
    </message>
    <message>
        <source>Trayskin found no panel on this display that it can start again.</source>
        <translation>Trayskin hat auf diesem Bildschirm keine Leiste gefunden, die es neu starten kann.</translation>
    </message>
    <message>
        <source>Started again: %1.</source>
        <translation>Neu gestartet: %1.</translation>
    </message>
    <message>
        <source>Panel Restarted</source>
        <translation>Leiste neu gestartet</translation>
    </message>
    <message>
        <source>Not every program could be started again.</source>
        <translation>Nicht jedes Programm ließ sich neu starten.</translation>
    </message>
    <message>
        <source>%1 did not finish</source>
        <translation>%1 wurde nicht fertig</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 could not be started</source>
        <translation>%1 ließ sich nicht starten</translation>
    </message>
    <message>
        <source>process %1 could not be ended</source>
        <translation>Prozess %1 ließ sich nicht beenden</translation>
    </message>
    <message>
        <source>process %1 did not end</source>
        <translation>Prozess %1 endete nicht</translation>
    </message>
    <message>
        <source>process %1 could not be signalled</source>
        <translation>Prozess %1 ließ sich kein Signal senden</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 ließ sich nicht schreiben</translation>
    </message>
    <message>
        <source>Programs that follow the desktop&apos;s settings, as the Xfce panel does, were told to look their icons up again and show the pictures now.</source>
        <translation>Programme, die den Einstellungen des Desktops folgen, wie die Xfce-Leiste, wurden angewiesen, ihre Symbole neu nachzuschlagen, und zeigen die Bilder jetzt.</translation>
    </message>
    <message>
        <source>The LXQt panel keeps the theme&apos;s own picture where the theme holds one of the same size, so some of these pictures may not show there. On LXQt, File &gt; Install Into &gt; A Theme of Its Own and then Switch Desktop to Own Theme show every picture, and the panel follows the switch at once.</source>
        <translation>Die LXQt-Leiste behält das eigene Bild des Themas, wo das Thema eines derselben Größe hat, daher erscheinen dort manche dieser Bilder womöglich nicht. Unter LXQt zeigen Datei &gt; Installieren in &gt; Ein eigenes Thema und danach Datei &gt; Desktop auf eigenes Thema umstellen jedes Bild, und die Leiste folgt dem Umstellen sofort.</translation>
    </message>
    <message>
        <source>Thunderbolt</source>
        <translation>Thunderbolt</translation>
    </message>
    <message>
        <source>Print each file an install or a restore writes, moves or removes (desktop mode).</source>
        <translation>Jede Datei ausgeben, die eine Installation oder Wiederherstellung schreibt, verschiebt oder entfernt (Desktop-Modus).</translation>
    </message>
    <message>
        <source>Nothing Reapplied</source>
        <translation>Nichts erneut angewendet</translation>
    </message>
    <message>
        <source>Reapply</source>
        <translation>Erneut anwenden</translation>
    </message>
    <message>
        <source>Reappl&amp;y Sets</source>
        <translation>Sets erneut an&amp;wenden</translation>
    </message>
    <message>
        <source>The theme changed since these sets were installed:</source>
        <translation>Das Thema hat sich seit der Installation dieser Sets geändert:</translation>
    </message>
    <message>
        <source>Original pictures of the icon theme %1. They came with the theme.</source>
        <translation>Originalbilder des Symbolthemas %1. Sie kamen mit dem Thema.</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Mikrofon</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Akku</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Keyboard Brightness</source>
        <translation>Tastaturbeleuchtung</translation>
    </message>
    <message>
        <source>Power Mode</source>
        <translation>Energiemodus</translation>
    </message>
    <message>
        <source>Night Light</source>
        <translation>Nachtlicht</translation>
    </message>
    <message>
        <source>Airplane Mode</source>
        <translation>Flugmodus</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Standort</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>Screen Sharing</source>
        <translation>Bildschirmfreigabe</translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation>Benachrichtigungen</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Bildschirmdrehung</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Softwareaktualisierung</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drucker</translation>
    </message>
    <message>
        <source>Presence</source>
        <translation>Anwesenheit</translation>
    </message>
    <message>
        <source>%1 px</source>
        <translation>%1 Pixel</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Choose a set to see its pictures as panels will show them.</source>
        <translation>Wählen Sie einen Satz, um seine Bilder so zu sehen, wie Leisten sie zeigen werden.</translation>
    </message>
    <message>
        <source>Light panel</source>
        <translation>Helle Leiste</translation>
    </message>
    <message>
        <source>Dark panel</source>
        <translation>Dunkle Leiste</translation>
    </message>
    <message>
        <source>%1, %2 px</source>
        <translation>%1, %2 Pixel</translation>
    </message>
    <message>
        <source>New Set</source>
        <translation>Neuer Satz</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Bezeichnung:</translation>
    </message>
    <message>
        <source>&amp;Item:</source>
        <translation>&amp;Statusmenü:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>Pictures:</source>
        <translation>Bilder:</translation>
    </message>
    <message>
        <source>Not added:</source>
        <translation>Nicht aufgenommen:</translation>
    </message>
    <message>
        <source>&amp;Add Pictures...</source>
        <translation>Bilder &amp;hinzufügen ...</translation>
    </message>
    <message>
        <source>Or drop pictures here or on the main window.</source>
        <translation>Oder Bilder hierher oder auf das Hauptfenster ziehen.</translation>
    </message>
    <message>
        <source>&amp;Make Set</source>
        <translation>Satz &amp;anlegen</translation>
    </message>
    <message>
        <source>Add Pictures</source>
        <translation>Bilder hinzufügen</translation>
    </message>
    <message>
        <source>Name the Picture</source>
        <translation>Bild benennen</translation>
    </message>
    <message>
        <source>%1: %2. Add it as:</source>
        <translation>%1: %2. Aufnehmen als:</translation>
    </message>
    <message>
        <source>Ne&amp;w Set...</source>
        <translation>Neuer Sa&amp;tz ...</translation>
    </message>
    <message>
        <source>Set made: %1</source>
        <translation>Satz angelegt: %1</translation>
    </message>
    <message>
        <source>the file is not a picture of a kind Use This Set takes</source>
        <translation>die Datei ist kein Bild einer Art, die „Diesen Satz verwenden“ nimmt</translation>
    </message>
    <message>
        <source>the set has a picture of this name already</source>
        <translation>der Satz hat schon ein Bild dieses Namens</translation>
    </message>
    <message>
        <source>A new set needs a picture that the item shows.</source>
        <translation>Ein neuer Satz braucht ein Bild, das das Statusmenü zeigt.</translation>
    </message>
    <message>
        <source>The set could not be written.</source>
        <translation>Der Satz konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Installation Partly Complete</source>
        <translation>Installation teilweise abgeschlossen</translation>
    </message>
    <message>
        <source>%1 of the set&apos;s %2 pictures are in place; left out: %3.</source>
        <translation>%1 der %2 Bilder des Satzes sind eingesetzt; ausgelassen: %3.</translation>
    </message>
    <message>
        <source>the file is not a TIFF picture</source>
        <translation>die Datei ist kein TIFF-Bild</translation>
    </message>
    <message>
        <source>the Menu Extra has no picture of this name</source>
        <translation>das Statusmenü hat kein Bild dieses Namens</translation>
    </message>
    <message>
        <source>%1 of the set&apos;s %2 files are in place; left out:</source>
        <translation>%1 der %2 Dateien des Satzes sind eingesetzt; ausgelassen:</translation>
    </message>
    <message>
        <source>Sets added from installed themes (%1): %2</source>
        <translation>Aus installierten Themen hinzugefügte Sets (%1): %2</translation>
    </message>
    <message>
        <source>Chooses the pictures of the status icons of a panel or of the menu bar.</source>
        <translation>Wählt die Bilder der Statussymbole einer Leiste oder der Menüleiste.</translation>
    </message>
    <message>
        <source>With use --own-theme: then switch the desktop to the own theme, as Switch Desktop Now does; restoring its last picture switches the desktop back (desktop mode).</source>
        <translation>Mit use --own-theme: danach den Desktop auf das eigene Thema umstellen, wie es „Desktop jetzt umstellen“ tut; das Wiederherstellen seines letzten Bildes stellt den Desktop zurück (Desktop-Modus).</translation>
    </message>
    <message>
        <source>--switch-desktop goes with --own-theme only.</source>
        <translation>--switch-desktop gilt nur zusammen mit --own-theme.</translation>
    </message>
    <message>
        <source>The pictures are in place in the own theme %1. The desktop shows them once it is switched to that theme: use --own-theme --switch-desktop.</source>
        <translation>Die Bilder sind im eigenen Thema %1 an ihrem Platz. Der Desktop zeigt sie, sobald er auf dieses Thema umgestellt ist: use --own-theme --switch-desktop.</translation>
    </message>
    <message>
        <source>The LXQt panel keeps the theme&apos;s own picture where the theme holds one of the same size, so some of these pictures may not show there. On LXQt, use --own-theme --switch-desktop shows every picture, and the panel follows the switch at once.</source>
        <translation>Die LXQt-Leiste behält das eigene Bild des Themas, wo das Thema eines derselben Größe hat, daher erscheinen dort manche dieser Bilder womöglich nicht. Unter LXQt zeigt use --own-theme --switch-desktop jedes Bild, und die Leiste folgt dem Umstellen sofort.</translation>
    </message>
    <message>
        <source>With --restart-panel, Trayskin starts %1 again, so that they show the pictures.</source>
        <translation>Mit --restart-panel startet Trayskin %1 neu, damit die Bilder erscheinen.</translation>
    </message>
    <message>
        <source>Nothing is new in the icon theme since the install.</source>
        <translation>Seit der Installation ist im Symbolthema nichts neu.</translation>
    </message>
    <message>
        <source>New in the icon theme since the install: %1</source>
        <translation>Seit der Installation neu im Symbolthema: %1</translation>
    </message>
</context>
</TS>
