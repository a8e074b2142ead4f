<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>BackupWindow</name>
    <message>
        <source>Trayskin Backup</source>
        <translation>Trayskin Backup</translation>
    </message>
    <message>
        <source>Backing up the system&apos;s menu pictures. This happens only once.</source>
        <translation>Backing up the system&apos;s menu pictures. This happens only once.</translation>
    </message>
    <message>
        <source>Backup progress</source>
        <translation>Backup progress</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Trayskin</source>
        <translation>Trayskin</translation>
    </message>
    <message>
        <source>Inspector</source>
        <translation>Inspector</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
    <message>
        <source>Restore &amp;Original Pictures</source>
        <translation>Restore &amp;Original Pictures</translation>
    </message>
    <message>
        <source>Restore &amp;All Original Pictures</source>
        <translation>Restore &amp;All Original Pictures</translation>
    </message>
    <message>
        <source>&amp;Quit Trayskin</source>
        <translation>&amp;Quit Trayskin</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&amp;About Trayskin</source>
        <translation>&amp;About Trayskin</translation>
    </message>
    <message>
        <source>Trayskin &amp;Help</source>
        <translation>Trayskin &amp;Help</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Library</source>
        <translation>Library</translation>
    </message>
    <message>
        <source>&amp;Use This Set</source>
        <translation>&amp;Use This Set</translation>
    </message>
    <message>
        <source>Ctrl+U</source>
        <translation>Ctrl+U</translation>
    </message>
</context>
<context>
    <name>Trayskin</name>
    <message>
        <source>Need restart</source>
        <translation>The menu item must be restarted to show the new pictures. Open its settings: %1.</translation>
    </message>
    <message>
        <source>Need restart, no settings pane</source>
        <translation>The menu item must be restarted to show the new pictures.</translation>
    </message>
    <message>
        <source>Bad setup prefs</source>
        <translation>Your picture library in your home folder could not be set up.</translation>
    </message>
    <message>
        <source>Bad copy</source>
        <translation>The example sets that come with Trayskin could not be copied into your picture library.</translation>
    </message>
    <message>
        <source>Backup not complete, tried again at the next start:</source>
        <translation>Backup not complete, tried again at the next start:</translation>
    </message>
    <message>
        <source>My Apologies</source>
        <translation>My Apologies</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Installation Complete</source>
        <translation>Installation Complete</translation>
    </message>
    <message>
        <source>%1 (%2 to %3)</source>
        <translation>%1 (%2 to %3)</translation>
    </message>
    <message>
        <source>Wrong Password</source>
        <translation>Wrong Password</translation>
    </message>
    <message>
        <source>Open System Preferences</source>
        <translation>Open System Preferences</translation>
    </message>
    <message>
        <source>The settings pane could not be opened:</source>
        <translation>The settings pane could not be opened:</translation>
    </message>
    <message>
        <source>This application could not be started:</source>
        <translation>This application could not be started:</translation>
    </message>
    <message>
        <source>In use:</source>
        <translation>In use:</translation>
    </message>
    <message>
        <source>a mix of sets</source>
        <translation>a mix of sets</translation>
    </message>
    <message>
        <source>pictures that no set holds</source>
        <translation>pictures that no set holds</translation>
    </message>
    <message>
        <source>No Menu Extra of this name is installed.</source>
        <translation>No Menu Extra of this name is installed.</translation>
    </message>
    <message>
        <source>There is no backup of the Menu Extras folder yet.</source>
        <translation>There is no backup of the Menu Extras folder yet.</translation>
    </message>
    <message>
        <source>The backup of the Menu Extras folder is not complete yet.</source>
        <translation>The backup of the Menu Extras folder is not complete yet.</translation>
    </message>
    <message>
        <source>The backup holds no copy of this Menu Extra.</source>
        <translation>The backup holds no copy of this Menu Extra.</translation>
    </message>
    <message>
        <source>Nothing Restored</source>
        <translation>Nothing Restored</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Original Pictures Restored</source>
        <translation>Original Pictures Restored</translation>
    </message>
    <message>
        <source>Nothing needed restoring</source>
        <translation>Every picture already is the original; nothing needed restoring.</translation>
    </message>
    <message>
        <source>The menu items must be restarted to show their original pictures.</source>
        <translation>The menu items must be restarted to show their original pictures.</translation>
    </message>
    <message>
        <source>The help page could not be opened:</source>
        <translation>The help page could not be opened:</translation>
    </message>
    <message>
        <source>Chooses the pictures of the menu bar&apos;s status items.</source>
        <translation>Chooses the pictures of the menu bar&apos;s status items.</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Free software under the MIT License.</translation>
    </message>
    <message>
        <source>About Trayskin</source>
        <translation>About Trayskin</translation>
    </message>
    <message>
        <source>The privileged tool could not be run.</source>
        <translation>The privileged tool could not be run.</translation>
    </message>
    <message>
        <source>The privileged tool could not be started.</source>
        <translation>The privileged tool could not be started.</translation>
    </message>
    <message>
        <source>You are not allowed to change the system&apos;s pictures.</source>
        <translation>You are not allowed to change the system&apos;s pictures.</translation>
    </message>
    <message>
        <source>The authorization was cancelled.</source>
        <translation>The authorization was cancelled.</translation>
    </message>
    <message>
        <source>An administrator&apos;s password is needed and none could be asked for.</source>
        <translation>An administrator&apos;s password is needed and none could be asked for.</translation>
    </message>
    <message>
        <source>The system&apos;s authorization failed.</source>
        <translation>The system&apos;s authorization failed.</translation>
    </message>
    <message>
        <source>The program&apos;s authorization is no longer valid.</source>
        <translation>The program&apos;s authorization is no longer valid.</translation>
    </message>
    <message>
        <source>The privileged tool failed with status %1.</source>
        <translation>The privileged tool failed with status %1.</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Displays</source>
        <translation>Displays</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>Energy Saver</translation>
    </message>
    <message>
        <source>DateTime</source>
        <translation>Date &amp; Time</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Directory</translation>
    </message>
    <message>
        <source>Multiple Selection</source>
        <translation>Multiple Selection</translation>
    </message>
    <message>
        <source>No Selection</source>
        <translation>No Selection</translation>
    </message>
    <message>
        <source>The rest of the description is not shown.</source>
        <translation>The rest of the description is not shown.</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Name: </translation>
    </message>
    <message>
        <source>Type: </source>
        <translation>Type: </translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Column %1</translation>
    </message>
    <message>
        <source>The privileged tool was started without arguments.</source>
        <translation>The privileged tool was started without arguments.</translation>
    </message>
    <message>
        <source>The privileged tool was started with an environment.</source>
        <translation>The privileged tool was started with an environment.</translation>
    </message>
    <message>
        <source>The privileged tool was started with a standard channel closed.</source>
        <translation>The privileged tool was started with a standard channel closed.</translation>
    </message>
    <message>
        <source>The privileged tool was started with other files open.</source>
        <translation>The privileged tool was started with other files open.</translation>
    </message>
    <message>
        <source>The privileged tool could not change its user.</source>
        <translation>The privileged tool could not change its user.</translation>
    </message>
    <message>
        <source>The privileged tool may not open enough files.</source>
        <translation>The privileged tool may not open enough files.</translation>
    </message>
    <message>
        <source>The privileged tool got an incomplete request.</source>
        <translation>The privileged tool got an incomplete request.</translation>
    </message>
    <message>
        <source>The privileged tool got more than one request.</source>
        <translation>The privileged tool got more than one request.</translation>
    </message>
    <message>
        <source>The request did not reach the privileged tool in time.</source>
        <translation>The request did not reach the privileged tool in time.</translation>
    </message>
    <message>
        <source>The privileged tool could not read its request.</source>
        <translation>The privileged tool could not read its request.</translation>
    </message>
    <message>
        <source>The privileged tool got an unknown command.</source>
        <translation>The privileged tool got an unknown command.</translation>
    </message>
    <message>
        <source>The picture&apos;s path has no end.</source>
        <translation>The picture&apos;s path has no end.</translation>
    </message>
    <message>
        <source>The path of the picture to replace has no end.</source>
        <translation>The path of the picture to replace has no end.</translation>
    </message>
    <message>
        <source>The picture&apos;s path is not absolute.</source>
        <translation>The picture&apos;s path is not absolute.</translation>
    </message>
    <message>
        <source>The path of the picture to replace is not absolute.</source>
        <translation>The path of the picture to replace is not absolute.</translation>
    </message>
    <message>
        <source>The picture&apos;s path holds a . or .. folder.</source>
        <translation>The picture&apos;s path holds a . or .. folder.</translation>
    </message>
    <message>
        <source>The path of the picture to replace holds a . or .. folder.</source>
        <translation>The path of the picture to replace holds a . or .. folder.</translation>
    </message>
    <message>
        <source>The authorization is not one of Trayskin&apos;s.</source>
        <translation>The authorization is not one of Trayskin&apos;s.</translation>
    </message>
    <message>
        <source>The authorization belongs to another program.</source>
        <translation>The authorization belongs to another program.</translation>
    </message>
    <message>
        <source>The program that started the privileged tool has ended.</source>
        <translation>The program that started the privileged tool has ended.</translation>
    </message>
    <message>
        <source>An administrator&apos;s password is needed and none was given.</source>
        <translation>An administrator&apos;s password is needed and none was given.</translation>
    </message>
    <message>
        <source>The password dialog was dismissed.</source>
        <translation>The password dialog was dismissed.</translation>
    </message>
    <message>
        <source>The system&apos;s authority (polkit) could not be asked.</source>
        <translation>The system&apos;s authority (polkit) could not be asked.</translation>
    </message>
    <message>
        <source>The picture does not exist, or you may not read it.</source>
        <translation>The picture does not exist, or you may not read it.</translation>
    </message>
    <message>
        <source>The picture is not a plain file.</source>
        <translation>The picture is not a plain file.</translation>
    </message>
    <message>
        <source>The picture is larger than 16 MiB.</source>
        <translation>The picture is larger than 16 MiB.</translation>
    </message>
    <message>
        <source>The picture could not be read.</source>
        <translation>The picture could not be read.</translation>
    </message>
    <message>
        <source>The picture is not a file on a disk.</source>
        <translation>The picture is not a file on a disk.</translation>
    </message>
    <message>
        <source>The picture changed while it was read.</source>
        <translation>The picture changed while it was read.</translation>
    </message>
    <message>
        <source>The picture is not a TIFF picture.</source>
        <translation>The picture is not a TIFF picture.</translation>
    </message>
    <message>
        <source>The file to replace is not a picture of a Menu Extra.</source>
        <translation>The file to replace is not a picture of a Menu Extra.</translation>
    </message>
    <message>
        <source>The file to replace is not named .tif or .tiff.</source>
        <translation>The file to replace is not named .tif or .tiff.</translation>
    </message>
    <message>
        <source>The Menu Extra or its picture is not installed, or is reached through a link.</source>
        <translation>The Menu Extra or its picture is not installed, or is reached through a link.</translation>
    </message>
    <message>
        <source>The picture to replace is not a plain file.</source>
        <translation>The picture to replace is not a plain file.</translation>
    </message>
    <message>
        <source>A folder of the Menu Extra may be changed by others than the administrator.</source>
        <translation>A folder of the Menu Extra may be changed by others than the administrator.</translation>
    </message>
    <message>
        <source>No copy could be made beside the picture to replace.</source>
        <translation>No copy could be made beside the picture to replace.</translation>
    </message>
    <message>
        <source>The copy could not be written; the disk may be full.</source>
        <translation>The copy could not be written; the disk may be full.</translation>
    </message>
    <message>
        <source>The copy could not get the owner and permissions of the picture.</source>
        <translation>The copy could not get the owner and permissions of the picture.</translation>
    </message>
    <message>
        <source>The copy could not be saved to the disk.</source>
        <translation>The copy could not be saved to the disk.</translation>
    </message>
    <message>
        <source>The copy could not take the place of the picture.</source>
        <translation>The copy could not take the place of the picture.</translation>
    </message>
    <message>
        <source>The copy does not hold the picture&apos;s bytes.</source>
        <translation>The copy does not hold the picture&apos;s bytes.</translation>
    </message>
    <message>
        <source>The program that started the privileged tool does not run as you.</source>
        <translation>The program that started the privileged tool does not run as you.</translation>
    </message>
    <message>
        <source>No icon</source>
        <translation>No icon</translation>
    </message>
    <message>
        <source>Status Items</source>
        <translation>Status Items</translation>
    </message>
    <message>
        <source>Sets</source>
        <translation>Sets</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>Icon of %1</source>
        <translation>Icon of %1</translation>
    </message>
    <message>
        <source>This set</source>
        <translation>This set</translation>
    </message>
    <message>
        <source>In use now</source>
        <translation>In use now</translation>
    </message>
    <message>
        <source>Menu bar size</source>
        <translation>Menu bar size</translation>
    </message>
    <message>
        <source>Twice the size</source>
        <translation>Twice the size</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>Could not set up %1: %2</source>
        <translation>Could not set up %1: %2</translation>
    </message>
    <message>
        <source>The icon theme shows no picture of this item.</source>
        <translation>The icon theme shows no picture of this item.</translation>
    </message>
    <message>
        <source>Work on the desktop&apos;s icon theme (desktop mode).</source>
        <translation>Work on the desktop&apos;s icon theme (desktop mode).</translation>
    </message>
    <message>
        <source>Work on the Menu Extras folder.</source>
        <translation>Work on the Menu Extras folder.</translation>
    </message>
    <message>
        <source>Work on this icon theme (desktop mode).</source>
        <translation>Work on this icon theme (desktop mode).</translation>
    </message>
    <message>
        <source>--desktop and --menu-extras cannot be given together.</source>
        <translation>--desktop and --menu-extras cannot be given together.</translation>
    </message>
    <message>
        <source>the name is not an icon name (letters, digits and . _ + - only)</source>
        <translation>the name is not an icon name (letters, digits and . _ + - only)</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>the file is larger than 16 MiB</source>
        <translation>the file is larger than 16 MiB</translation>
    </message>
    <message>
        <source>the file is not a PNG or SVG picture</source>
        <translation>the file is not a PNG or SVG picture</translation>
    </message>
    <message>
        <source>the name&apos;s extension does not match the contents</source>
        <translation>the name&apos;s extension does not match the contents</translation>
    </message>
    <message>
        <source>the set holds another picture of this icon</source>
        <translation>the set holds another picture of this icon</translation>
    </message>
    <message>
        <source>The icon theme was not found:</source>
        <translation>The icon theme was not found:</translation>
    </message>
    <message>
        <source>The icon theme&apos;s folder in your data folder cannot be made or opened:</source>
        <translation>The icon theme&apos;s folder in your data folder cannot be made or opened:</translation>
    </message>
    <message>
        <source>The record of what Trayskin wrote into the icon theme cannot be read or written:</source>
        <translation>The record of what Trayskin wrote into the icon theme cannot be read or written:</translation>
    </message>
    <message>
        <source>GNOME Shell shows them after you log out and in again.</source>
        <translation>GNOME Shell shows them after you log out and in again.</translation>
    </message>
    <message>
        <source>The Xfce panel shows them once it is started again: xfce4-panel -r</source>
        <translation>The Xfce panel shows them once it is started again: xfce4-panel -r</translation>
    </message>
    <message>
        <source>The MATE panel shows them once it is started again: mate-panel --replace</source>
        <translation>The MATE panel shows them once it is started again: mate-panel --replace</translation>
    </message>
    <message>
        <source>Cinnamon shows them once it is started again: cinnamon --replace</source>
        <translation>Cinnamon shows them once it is started again: cinnamon --replace</translation>
    </message>
    <message>
        <source>Plasma shows them once it is started again: plasmashell --replace</source>
        <translation>Plasma shows them once it is started again: plasmashell --replace</translation>
    </message>
    <message>
        <source>The LXQt panel shows them once it is started again.</source>
        <translation>The LXQt panel shows them once it is started again.</translation>
    </message>
    <message>
        <source>A panel shows them once it, or the program that puts the status icon there, is started again.</source>
        <translation>A panel shows them once it, or the program that puts the status icon there, is started again.</translation>
    </message>
    <message>
        <source>Desktop mode, icon theme:</source>
        <translation>Desktop mode, icon theme:</translation>
    </message>
    <message>
        <source>not an icon name of this item</source>
        <translation>not an icon name of this item</translation>
    </message>
    <message>
        <source>the icon theme has no folder for this name</source>
        <translation>the icon theme has no folder for this name</translation>
    </message>
    <message>
        <source>Some Pictures Not Used</source>
        <translation>Some Pictures Not Used</translation>
    </message>
    <message>
        <source>The pictures are in place in the icon theme</source>
        <translation>The pictures are in place in the icon theme</translation>
    </message>
    <message>
        <source>Files of the same name in ~/.icons hide these pictures:</source>
        <translation>Files of the same name in ~/.icons hide these pictures:</translation>
    </message>
    <message>
        <source>Menu Extras</source>
        <translation>Menu Extras</translation>
    </message>
    <message>
        <source>Desktop mode, icon theme not found:</source>
        <translation>Desktop mode, icon theme not found:</translation>
    </message>
    <message>
        <source>The panel shows them after you log out and in again.</source>
        <translation>The panel shows them after you log out and in again.</translation>
    </message>
    <message>
        <source>S&amp;witch Desktop Back to %1</source>
        <translation>S&amp;witch Desktop Back to %1</translation>
    </message>
    <message>
        <source>S&amp;witch Desktop to Own Theme</source>
        <translation>S&amp;witch Desktop to Own Theme</translation>
    </message>
    <message>
        <source>Install sets into a theme of their own beside the icon theme, which the desktop shows once switched to it (desktop mode).</source>
        <translation>Install sets into a theme of their own beside the icon theme, which the desktop shows once switched to it (desktop mode).</translation>
    </message>
    <message>
        <source>--own-theme works in desktop mode only and cannot be given with --menu-extras.</source>
        <translation>--own-theme works in desktop mode only and cannot be given with --menu-extras.</translation>
    </message>
    <message>
        <source>Nothing Switched</source>
        <translation>Nothing Switched</translation>
    </message>
    <message>
        <source>You picked another icon theme after Trayskin switched the desktop; it is left as it is.</source>
        <translation>You picked another icon theme after Trayskin switched the desktop; it is left as it is.</translation>
    </message>
    <message>
        <source>No setting of the desktop names its icon theme.</source>
        <translation>No setting of the desktop names its icon theme.</translation>
    </message>
    <message>
        <source>The name is not a safe icon theme name.</source>
        <translation>The name is not a safe icon theme name.</translation>
    </message>
    <message>
        <source>The desktop&apos;s settings tool is missing, failed or took too long:</source>
        <translation>The desktop&apos;s settings tool is missing, failed or took too long:</translation>
    </message>
    <message>
        <source>The settings file cannot be read or written, or is a link:</source>
        <translation>The settings file cannot be read or written, or is a link:</translation>
    </message>
    <message>
        <source>What the setting held before cannot be kept in the library:</source>
        <translation>What the setting held before cannot be kept in the library:</translation>
    </message>
    <message>
        <source>No switch made by Trayskin is remembered.</source>
        <translation>No switch made by Trayskin is remembered.</translation>
    </message>
    <message>
        <source>The desktop&apos;s icon theme could not be switched to %1.</source>
        <translation>The desktop&apos;s icon theme could not be switched to %1.</translation>
    </message>
    <message>
        <source>The desktop uses the icon theme %1 again.</source>
        <translation>The desktop uses the icon theme %1 again.</translation>
    </message>
    <message>
        <source>The pictures are in place in the own theme %1, which the desktop uses.</source>
        <translation>The pictures are in place in the own theme %1, which the desktop uses.</translation>
    </message>
    <message>
        <source>The pictures are in place in the own theme %1. The desktop shows them once it is switched to that theme: File &gt; Switch Desktop to Own Theme.</source>
        <translation>The pictures are in place in the own theme %1. The desktop shows them once it is switched to that theme: File &gt; Switch Desktop to Own Theme.</translation>
    </message>
    <message>
        <source>Desktop Switched</source>
        <translation>Desktop Switched</translation>
    </message>
    <message>
        <source>Own Theme Not Shown</source>
        <translation>Own Theme Not Shown</translation>
    </message>
    <message>
        <source>The desktop uses the icon theme %1, which was picked after Trayskin switched it to %2, so the pictures in %2 are no longer shown. Trayskin leaves the desktop as it is.</source>
        <translation>The desktop uses the icon theme %1, which was picked after Trayskin switched it to %2, so the pictures in %2 are no longer shown. Trayskin leaves the desktop as it is.</translation>
    </message>
    <message>
        <source>The desktop uses the icon theme %1 now, which holds the pictures.</source>
        <translation>The desktop uses the icon theme %1 now, which holds the pictures.</translation>
    </message>
    <message>
        <source>Running KDE programs were told to reload their icons.</source>
        <translation>Running KDE programs were told to reload their icons.</translation>
    </message>
    <message>
        <source>Running GTK programs notice the change the next time they look an icon up, as a status icon does when its state changes (the volume, for example).</source>
        <translation>Running GTK programs notice the change the next time they look an icon up, as a status icon does when its state changes (the volume, for example).</translation>
    </message>
    <message>
        <source>(the desktop shows %1)</source>
        <translation>(the desktop shows %1)</translation>
    </message>
    <message>
        <source>A folder that Trayskin did not make has the own theme&apos;s name in your icons folder, so nothing was written into it. Rename or remove it to use the own theme:</source>
        <translation>A folder that Trayskin did not make has the own theme&apos;s name in your icons folder, so nothing was written into it. Rename or remove it to use the own theme:</translation>
    </message>
    <message>
        <source>Desktop Switched Back</source>
        <translation>Desktop Switched Back</translation>
    </message>
    <message>
        <source>Without a verb the window opens. The verbs need no display and work on the system the window would work on.</source>
        <translation>Without a verb the window opens. The verbs need no display and work on the system the window would work on.</translation>
    </message>
    <message>
        <source>Put in front of the system folders, to try the program in a sandbox.</source>
        <translation>Put in front of the system folders, to try the program in a sandbox.</translation>
    </message>
    <message>
        <source>The picture library of the Menu Extras.</source>
        <translation>The picture library of the Menu Extras.</translation>
    </message>
    <message>
        <source>Answer list and status in JSON.</source>
        <translation>Answer list and status in JSON.</translation>
    </message>
    <message>
        <source>Restore every item.</source>
        <translation>Restore every item.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Show this help and end.</translation>
    </message>
    <message>
        <source>Show the version and end.</source>
        <translation>Show the version and end.</translation>
    </message>
    <message>
        <source>List the items, or the sets of one item; * marks the set in use.</source>
        <translation>List the items, or the sets of one item; * marks the set in use.</translation>
    </message>
    <message>
        <source>Put the set in place, as Use This Set does.</source>
        <translation>Put the set in place, as Use This Set does.</translation>
    </message>
    <message>
        <source>Put back the original pictures of the item, or of every item.</source>
        <translation>Put back the original pictures of the item, or of every item.</translation>
    </message>
    <message>
        <source>Say the mode and theme, and which set each item shows.</source>
        <translation>Say the mode and theme, and which set each item shows.</translation>
    </message>
    <message>
        <source>done</source>
        <translation>done</translation>
    </message>
    <message>
        <source>partly done: some pictures were refused, each named on standard error</source>
        <translation>partly done: some pictures were refused, each named on standard error</translation>
    </message>
    <message>
        <source>nothing done</source>
        <translation>nothing done</translation>
    </message>
    <message>
        <source>the command line cannot be used</source>
        <translation>the command line cannot be used</translation>
    </message>
    <message>
        <source>no such item or set</source>
        <translation>no such item or set</translation>
    </message>
    <message>
        <source>cannot write</source>
        <translation>cannot write</translation>
    </message>
    <message>
        <source>another Trayskin holds the library</source>
        <translation>another Trayskin holds the library</translation>
    </message>
    <message>
        <source>refused by the authorization</source>
        <translation>refused by the authorization</translation>
    </message>
    <message>
        <source>One of the verbs below; none opens the window.</source>
        <translation>One of the verbs below; none opens the window.</translation>
    </message>
    <message>
        <source>Unknown verb %1.</source>
        <translation>Unknown verb %1.</translation>
    </message>
    <message>
        <source>Wrong number of arguments for %1.</source>
        <translation>Wrong number of arguments for %1.</translation>
    </message>
    <message>
        <source>This option does not go with %1.</source>
        <translation>This option does not go with %1.</translation>
    </message>
    <message>
        <source>Verbs:</source>
        <translation>Verbs:</translation>
    </message>
    <message>
        <source>Exit statuses:</source>
        <translation>Exit statuses:</translation>
    </message>
    <message>
        <source>%1 See trayskin --help.</source>
        <translation>%1 See trayskin --help.</translation>
    </message>
    <message>
        <source>No such item: %1</source>
        <translation>No such item: %1</translation>
    </message>
    <message>
        <source>No such set of %1: %2</source>
        <translation>No such set of %1: %2</translation>
    </message>
    <message>
        <source>Another Trayskin holds the library %1; nothing was changed.</source>
        <translation>Another Trayskin holds the library %1; nothing was changed.</translation>
    </message>
    <message>
        <source>installs into %1</source>
        <translation>installs into %1</translation>
    </message>
    <message>
        <source>The &amp;Icon Theme %1</source>
        <translation>The &amp;Icon Theme %1</translation>
    </message>
    <message>
        <source>A &amp;Theme of Its Own, %1</source>
        <translation>A &amp;Theme of Its Own, %1</translation>
    </message>
    <message>
        <source>There is no theme of Trayskin&apos;s own yet: install a set into a theme of its own first.</source>
        <translation>There is no theme of Trayskin&apos;s own yet: install a set into a theme of its own first.</translation>
    </message>
    <message>
        <source>The desktop is switched back from %1 to %2.</source>
        <translation>The desktop is switched back from %1 to %2.</translation>
    </message>
    <message>
        <source>The sets stay in the library, to be used again.</source>
        <translation>The sets stay in the library, to be used again.</translation>
    </message>
    <message>
        <source>Restore All Original Pictures?</source>
        <translation>Restore All Original Pictures?</translation>
    </message>
    <message>
        <source>Restore All</source>
        <translation>Restore All</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>S&amp;witch Desktop Now</source>
        <translation>S&amp;witch Desktop Now</translation>
    </message>
    <message>
        <source>A picture could not be written, removed or moved:</source>
        <translation>A picture could not be written, removed or moved:</translation>
    </message>
    <message>
        <source>your own file there is on another file system than the library, and Trayskin moves your files aside only by renaming them; it was left as it is, and no picture was put in its place</source>
        <translation>your own file there is on another file system than the library, and Trayskin moves your files aside only by renaming them; it was left as it is, and no picture was put in its place</translation>
    </message>
    <message>
        <source>your own file there could not be moved aside, so it was left as it is, and no picture was put in its place:</source>
        <translation>your own file there could not be moved aside, so it was left as it is, and no picture was put in its place:</translation>
    </message>
    <message>
        <source>Your own files that these pictures replace or hide were moved aside as they are (%1); Restore Original Pictures puts them back.</source>
        <translation>Your own files that these pictures replace or hide were moved aside as they are (%1); Restore Original Pictures puts them back.</translation>
    </message>
    <message>
        <source>left, as its bytes are no picture of the library, so it may be yours</source>
        <translation>left, as its bytes are no picture of the library, so it may be yours</translation>
    </message>
    <message>
        <source>you changed it after Trayskin put its picture there, so yours stays; what Trayskin had moved aside from there is kept at %1</source>
        <translation>you changed it after Trayskin put its picture there, so yours stays; what Trayskin had moved aside from there is kept at %1</translation>
    </message>
    <message>
        <source>Neither the record of what Trayskin wrote into %1 nor the one before it can be read, so only the files whose bytes are those of a picture in the library were taken out.</source>
        <translation>Neither the record of what Trayskin wrote into %1 nor the one before it can be read, so only the files whose bytes are those of a picture in the library were taken out.</translation>
    </message>
    <message>
        <source>The icon theme %1 shows its own pictures of %2 again.</source>
        <translation>The icon theme %1 shows its own pictures of %2 again.</translation>
    </message>
    <message>
        <source>The icon theme %1 shows its own pictures again.</source>
        <translation>The icon theme %1 shows its own pictures again.</translation>
    </message>
    <message>
        <source>The icon themes %1 show their own pictures again.</source>
        <translation>The icon themes %1 show their own pictures again.</translation>
    </message>
    <message>
        <source>Your own files that Trayskin had moved aside are back:</source>
        <translation>Your own files that Trayskin had moved aside are back:</translation>
    </message>
    <message>
        <source>Left as they are:</source>
        <translation>Left as they are:</translation>
    </message>
    <message>
        <source>the name holds a control character</source>
        <translation>the name holds a control character</translation>
    </message>
    <message>
        <source>Nothing Put in Place</source>
        <translation>Nothing Put in Place</translation>
    </message>
    <message>
        <source>None of the set&apos;s pictures was put in place in the icon theme %1; the theme is as it was.</source>
        <translation>None of the set&apos;s pictures was put in place in the icon theme %1; the theme is as it was.</translation>
    </message>
    <message>
        <source>Move Set to &amp;Trash</source>
        <translation>Move Set to &amp;Trash</translation>
    </message>
    <message>
        <source>D&amp;uplicate Set...</source>
        <translation>D&amp;uplicate Set...</translation>
    </message>
    <message>
        <source>Re&amp;name Set...</source>
        <translation>Re&amp;name Set...</translation>
    </message>
    <message>
        <source>Open &amp;Library Folder</source>
        <translation>Open &amp;Library Folder</translation>
    </message>
    <message>
        <source>Not Done</source>
        <translation>Not Done</translation>
    </message>
    <message>
        <source>Moved to the trash: %1</source>
        <translation>Moved to the trash: %1</translation>
    </message>
    <message>
        <source>Duplicate Set</source>
        <translation>Duplicate Set</translation>
    </message>
    <message>
        <source>Name of the copy:</source>
        <translation>Name of the copy:</translation>
    </message>
    <message>
        <source>Set copied: %1</source>
        <translation>Set copied: %1</translation>
    </message>
    <message>
        <source>Rename Set</source>
        <translation>Rename Set</translation>
    </message>
    <message>
        <source>New name:</source>
        <translation>New name:</translation>
    </message>
    <message>
        <source>Set renamed: %1</source>
        <translation>Set renamed: %1</translation>
    </message>
    <message>
        <source>The library folder could not be opened:</source>
        <translation>The library folder could not be opened:</translation>
    </message>
    <message>
        <source>Add Sets from &amp;Installed Themes</source>
        <translation>Add Sets from &amp;Installed Themes</translation>
    </message>
    <message>
        <source>Some Sets Not Made</source>
        <translation>Some Sets Not Made</translation>
    </message>
    <message>
        <source>These sets could not be written into the library:</source>
        <translation>These sets could not be written into the library:</translation>
    </message>
    <message>
        <source>No set to add: the installed themes&apos; sets are in the library.</source>
        <translation>No set to add: the installed themes&apos; sets are in the library.</translation>
    </message>
    <message>
        <source>A set needs a name.</source>
        <translation>A set needs a name.</translation>
    </message>
    <message>
        <source>A set&apos;s name cannot hold a &quot;/&quot;.</source>
        <translation>A set&apos;s name cannot hold a &quot;/&quot;.</translation>
    </message>
    <message>
        <source>A set&apos;s name cannot begin with &quot;.&quot;: it would be hidden.</source>
        <translation>A set&apos;s name cannot begin with &quot;.&quot;: it would be hidden.</translation>
    </message>
    <message>
        <source>This name is kept for the library&apos;s own use.</source>
        <translation>This name is kept for the library&apos;s own use.</translation>
    </message>
    <message>
        <source>This name is too long.</source>
        <translation>This name is too long.</translation>
    </message>
    <message>
        <source>There is no such set in the library.</source>
        <translation>There is no such set in the library.</translation>
    </message>
    <message>
        <source>The default set holds the theme&apos;s own pictures and stays.</source>
        <translation>The default set holds the theme&apos;s own pictures and stays.</translation>
    </message>
    <message>
        <source>The item has a set of that name already.</source>
        <translation>The item has a set of that name already.</translation>
    </message>
    <message>
        <source>The set could not be moved to the trash.</source>
        <translation>The set could not be moved to the trash.</translation>
    </message>
    <message>
        <source>The set could not be copied.</source>
        <translation>The set could not be copied.</translation>
    </message>
    <message>
        <source>The set could not be renamed.</source>
        <translation>The set could not be renamed.</translation>
    </message>
    <message>
        <source>%1 copy</source>
        <translation>%1 copy</translation>
    </message>
    <message>
        <source>Pictures of the icon theme %1, from %2.</source>
        <translation>Pictures of the icon theme %1, from %2.</translation>
    </message>
    <message>
        <source>The theme ships no licence file.</source>
        <translation>The theme ships no licence file.</translation>
    </message>
    <message>
        <source>Its licence: %1</source>
        <translation>Its licence: %1</translation>
    </message>
    <message>
        <source>&amp;Import Sets...</source>
        <translation>&amp;Import Sets...</translation>
    </message>
    <message>
        <source>&amp;Export Set...</source>
        <translation>&amp;Export Set...</translation>
    </message>
    <message>
        <source>Import Sets</source>
        <translation>Import Sets</translation>
    </message>
    <message>
        <source>Archives</source>
        <translation>Archives</translation>
    </message>
    <message>
        <source>Sets imported: %1</source>
        <translation>Sets imported: %1</translation>
    </message>
    <message>
        <source>Export Set</source>
        <translation>Export Set</translation>
    </message>
    <message>
        <source>Set exported to %1</source>
        <translation>Set exported to %1</translation>
    </message>
    <message>
        <source>The archive holds too many entries.</source>
        <translation>The archive holds too many entries.</translation>
    </message>
    <message>
        <source>The archive names a file outside itself:</source>
        <translation>The archive names a file outside itself:</translation>
    </message>
    <message>
        <source>The archive holds a link or a special file, which sets never hold:</source>
        <translation>The archive holds a link or a special file, which sets never hold:</translation>
    </message>
    <message>
        <source>A file of the archive is too large:</source>
        <translation>A file of the archive is too large:</translation>
    </message>
    <message>
        <source>The archive unpacks to too many bytes.</source>
        <translation>The archive unpacks to too many bytes.</translation>
    </message>
    <message>
        <source>The archive is damaged or cut short.</source>
        <translation>The archive is damaged or cut short.</translation>
    </message>
    <message>
        <source>The library could not be written.</source>
        <translation>The library could not be written.</translation>
    </message>
    <message>
        <source>The file is no archive that can be read.</source>
        <translation>The file is no archive that can be read.</translation>
    </message>
    <message>
        <source>The archive names a file twice:</source>
        <translation>The archive names a file twice:</translation>
    </message>
    <message>
        <source>A file could not be read:</source>
        <translation>A file could not be read:</translation>
    </message>
    <message>
        <source>A set of this name is there already, or could not be written:</source>
        <translation>A set of this name is there already, or could not be written:</translation>
    </message>
    <message>
        <source>No item of the library has pictures of these names.</source>
        <translation>No item of the library has pictures of these names.</translation>
    </message>
    <message>
        <source>The archive could not be made there (is a file there already?).</source>
        <translation>The archive could not be made there (is a file there already?).</translation>
    </message>
    <message>
        <source>The archive could not be written.</source>
        <translation>The archive could not be written.</translation>
    </message>
    <message>
        <source>Use This Set leaves this file out: %1</source>
        <translation>Use This Set leaves this file out: %1</translation>
    </message>
    <message>
        <source>Use This Set takes only PNG and SVG pictures.</source>
        <translation>Use This Set takes only PNG and SVG pictures.</translation>
    </message>
    <message>
        <source>Use This Set takes only pictures of the system&apos;s kinds.</source>
        <translation>Use This Set takes only pictures of the system&apos;s kinds.</translation>
    </message>
    <message>
        <source>This set has no info file (trayskininfo.txt), which a set needs to be used: write its description into one.</source>
        <translation>This set has no info file (trayskininfo.txt), which a set needs to be used: write its description into one.</translation>
    </message>
    <message>
        <source>This set holds no picture that this item shows.</source>
        <translation>This set holds no picture that this item shows.</translation>
    </message>
    <message>
        <source>Import Sets from &amp;Folder...</source>
        <translation>Import Sets from &amp;Folder...</translation>
    </message>
    <message>
        <source>Choose a status item, then a set to see its pictures. Use This Set puts them in place.</source>
        <translation>Choose a status item, then a set to see its pictures. Use This Set puts them in place.</translation>
    </message>
    <message>
        <source>%1 pictures, of: %2</source>
        <translation>%1 pictures, of: %2</translation>
    </message>
    <message>
        <source>SVG picture, scalable</source>
        <translation>SVG picture, scalable</translation>
    </message>
    <message>
        <source>PNG picture, %1 x %2</source>
        <translation>PNG picture, %1 x %2</translation>
    </message>
    <message>
        <source>Status item</source>
        <translation>Status item</translation>
    </message>
    <message>
        <source>Choose a set in the next column to see its pictures.</source>
        <translation>Choose a set in the next column to see its pictures.</translation>
    </message>
    <message>
        <source>Picture set</source>
        <translation>Picture set</translation>
    </message>
    <message>
        <source>Made by the Trayskin contributors, with Qt. Every picture it ships was drawn for Trayskin.</source>
        <translation>Made by the Trayskin contributors, with Qt. Every picture it ships was drawn for Trayskin.</translation>
    </message>
    <message>
        <source>Chooses the pictures of the panel&apos;s status icons.</source>
        <translation>Chooses the pictures of the panel&apos;s status icons.</translation>
    </message>
    <message>
        <source>%1 pictures of this set above the pictures in use now, shown at: %2, and at twice that size, on a light and on a dark bar.</source>
        <translation>%1 pictures of this set above the pictures in use now, shown at: %2, and at twice that size, on a light and on a dark bar.</translation>
    </message>
    <message>
        <source>Panel size</source>
        <translation>Panel size</translation>
    </message>
    <message>
        <source>Every picture that Trayskin put into these icon themes is removed, and your own files that it moved aside are put back: %1.</source>
        <translation>Every picture that Trayskin put into these icon themes is removed, and your own files that it moved aside are put back: %1.</translation>
    </message>
    <message>
        <source>In&amp;stall Into</source>
        <translation>In&amp;stall Into</translation>
    </message>
    <message>
        <source>Install again the sets in use, for a theme that gained folders or pictures since.</source>
        <translation>Install again the sets in use, for a theme that gained folders or pictures since.</translation>
    </message>
    <message>
        <source>The own-theme route could not be kept in the library.</source>
        <translation>The own-theme route could not be kept in the library.</translation>
    </message>
    <message>
        <source>No item shows a set to reapply.</source>
        <translation>No item shows a set to reapply.</translation>
    </message>
    <message>
        <source>Make sets of a folder or an archive, as Import Sets does.</source>
        <translation>Make sets of a folder or an archive, as Import Sets does.</translation>
    </message>
    <message>
        <source>Write the set as a .tar.gz archive, as Export Set does.</source>
        <translation>Write the set as a .tar.gz archive, as Export Set does.</translation>
    </message>
    <message>
        <source>The desktop named the icon theme %1, which is gone or no longer holds Trayskin&apos;s pictures, so Trayskin switched the desktop back to %2.</source>
        <translation>The desktop named the icon theme %1, which is gone or no longer holds Trayskin&apos;s pictures, so Trayskin switched the desktop back to %2.</translation>
    </message>
    <message>
        <source>After use or restore, start the running panel again, and the status programs that show the pictures, where Trayskin can (desktop mode).</source>
        <translation>After use or restore, start the running panel again, and the status programs that show the pictures, where Trayskin can (desktop mode).</translation>
    </message>
    <message>
        <source>--json, --all and --restart-panel go with a verb only.</source>
        <translation>--json, --all and --restart-panel go with a verb only.</translation>
    </message>
    <message>
        <source>There is no panel to restart in this mode.</source>
        <translation>There is no panel to restart in this mode.</translation>
    </message>
    <message>
        <source>GNOME Shell on Wayland cannot be started again without ending the session: log out and in again to see the pictures.</source>
        <translation>GNOME Shell on Wayland cannot be started again without ending the session: log out and in again to see the pictures.</translation>
    </message>
    <message>
        <source>GNOME Shell shows them once it is started again: press Alt+F2, type r and press Enter.</source>
        <translation>GNOME Shell shows them once it is started again: press Alt+F2, type r and press Enter.</translation>
    </message>
    <message>
        <source>Restart Panel starts %1 again, so that they show the pictures.</source>
        <translation>Restart Panel starts %1 again, so that they show the pictures.</translation>
    </message>
    <message>
        <source>Restart Panel</source>
        <translation>Restart Panel</translation>
    </message>
    <message>
        <source>its program file cannot be found or started</source>
        <translation>its program file cannot be found or started</translation>
    </message>
    <message>
        <source>No Panel Found</source>
        <translation>No Panel Found</translation>
    </message>
    <message>
        <source>Trayskin found no panel on this display that it can start again.</source>
        <translation>Trayskin found no panel on this display that it can start again.</translation>
    </message>
    <message>
        <source>Started again: %1.</source>
        <translation>Started again: %1.</translation>
    </message>
    <message>
        <source>Panel Restarted</source>
        <translation>Panel Restarted</translation>
    </message>
    <message>
        <source>Not every program could be started again.</source>
        <translation>Not every program could be started again.</translation>
    </message>
    <message>
        <source>%1 did not finish</source>
        <translation>%1 did not finish</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 failed</translation>
    </message>
    <message>
        <source>%1 could not be started</source>
        <translation>%1 could not be started</translation>
    </message>
    <message>
        <source>process %1 could not be ended</source>
        <translation>process %1 could not be ended</translation>
    </message>
    <message>
        <source>process %1 did not end</source>
        <translation>process %1 did not end</translation>
    </message>
    <message>
        <source>process %1 could not be signalled</source>
        <translation>process %1 could not be signalled</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 could not be written</translation>
    </message>
    <message>
        <source>Programs that follow the desktop&apos;s settings, as the Xfce panel does, were told to look their icons up again and show the pictures now.</source>
        <translation>Programs that follow the desktop&apos;s settings, as the Xfce panel does, were told to look their icons up again and show the pictures now.</translation>
    </message>
    <message>
        <source>The LXQt panel keeps the theme&apos;s own picture where the theme holds one of the same size, so some of these pictures may not show there. On LXQt, File &gt; Install Into &gt; A Theme of Its Own and then Switch Desktop to Own Theme show every picture, and the panel follows the switch at once.</source>
        <translation>The LXQt panel keeps the theme&apos;s own picture where the theme holds one of the same size, so some of these pictures may not show there. On LXQt, File &gt; Install Into &gt; A Theme of Its Own and then Switch Desktop to Own Theme show every picture, and the panel follows the switch at once.</translation>
    </message>
    <message>
        <source>Thunderbolt</source>
        <translation>Thunderbolt</translation>
    </message>
    <message>
        <source>Print each file an install or a restore writes, moves or removes (desktop mode).</source>
        <translation>Print each file an install or a restore writes, moves or removes (desktop mode).</translation>
    </message>
    <message>
        <source>Nothing Reapplied</source>
        <translation>Nothing Reapplied</translation>
    </message>
    <message>
        <source>Reapply</source>
        <translation>Reapply</translation>
    </message>
    <message>
        <source>Reappl&amp;y Sets</source>
        <translation>Reappl&amp;y Sets</translation>
    </message>
    <message>
        <source>The theme changed since these sets were installed:</source>
        <translation>The theme changed since these sets were installed:</translation>
    </message>
    <message>
        <source>Original pictures of the icon theme %1. They came with the theme.</source>
        <translation>Original pictures of the icon theme %1. They came with the theme.</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Microphone</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>Keyboard Brightness</source>
        <translation>Keyboard Brightness</translation>
    </message>
    <message>
        <source>Power Mode</source>
        <translation>Power Mode</translation>
    </message>
    <message>
        <source>Night Light</source>
        <translation>Night Light</translation>
    </message>
    <message>
        <source>Airplane Mode</source>
        <translation>Airplane Mode</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Screen Sharing</source>
        <translation>Screen Sharing</translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation>Notifications</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Software Update</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>Presence</source>
        <translation>Presence</translation>
    </message>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Choose a set to see its pictures as panels will show them.</source>
        <translation>Choose a set to see its pictures as panels will show them.</translation>
    </message>
    <message>
        <source>Light panel</source>
        <translation>Light panel</translation>
    </message>
    <message>
        <source>Dark panel</source>
        <translation>Dark panel</translation>
    </message>
    <message>
        <source>%1, %2 px</source>
        <translation>%1, %2 px</translation>
    </message>
    <message>
        <source>New Set</source>
        <translation>New Set</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Item:</source>
        <translation>&amp;Item:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Description:</translation>
    </message>
    <message>
        <source>Pictures:</source>
        <translation>Pictures:</translation>
    </message>
    <message>
        <source>Not added:</source>
        <translation>Not added:</translation>
    </message>
    <message>
        <source>&amp;Add Pictures...</source>
        <translation>&amp;Add Pictures...</translation>
    </message>
    <message>
        <source>Or drop pictures here or on the main window.</source>
        <translation>Or drop pictures here or on the main window.</translation>
    </message>
    <message>
        <source>&amp;Make Set</source>
        <translation>&amp;Make Set</translation>
    </message>
    <message>
        <source>Add Pictures</source>
        <translation>Add Pictures</translation>
    </message>
    <message>
        <source>Name the Picture</source>
        <translation>Name the Picture</translation>
    </message>
    <message>
        <source>%1: %2. Add it as:</source>
        <translation>%1: %2. Add it as:</translation>
    </message>
    <message>
        <source>Ne&amp;w Set...</source>
        <translation>Ne&amp;w Set...</translation>
    </message>
    <message>
        <source>Set made: %1</source>
        <translation>Set made: %1</translation>
    </message>
    <message>
        <source>the file is not a picture of a kind Use This Set takes</source>
        <translation>the file is not a picture of a kind Use This Set takes</translation>
    </message>
    <message>
        <source>the set has a picture of this name already</source>
        <translation>the set has a picture of this name already</translation>
    </message>
    <message>
        <source>A new set needs a picture that the item shows.</source>
        <translation>A new set needs a picture that the item shows.</translation>
    </message>
    <message>
        <source>The set could not be written.</source>
        <translation>The set could not be written.</translation>
    </message>
    <message>
        <source>Installation Partly Complete</source>
        <translation>Installation Partly Complete</translation>
    </message>
    <message>
        <source>%1 of the set&apos;s %2 pictures are in place; left out: %3.</source>
        <translation>%1 of the set&apos;s %2 pictures are in place; left out: %3.</translation>
    </message>
    <message>
        <source>the file is not a TIFF picture</source>
        <translation>the file is not a TIFF picture</translation>
    </message>
    <message>
        <source>the Menu Extra has no picture of this name</source>
        <translation>the Menu Extra has no picture of this name</translation>
    </message>
    <message>
        <source>%1 of the set&apos;s %2 files are in place; left out:</source>
        <translation>%1 of the set&apos;s %2 files are in place; left out:</translation>
    </message>
    <message>
        <source>Sets added from installed themes (%1): %2</source>
        <translation>Sets added from installed themes (%1): %2</translation>
    </message>
    <message>
        <source>Chooses the pictures of the status icons of a panel or of the menu bar.</source>
        <translation>Chooses the pictures of the status icons of a panel or of the menu bar.</translation>
    </message>
    <message>
        <source>With use --own-theme: then switch the desktop to the own theme, as Switch Desktop Now does; restoring its last picture switches the desktop back (desktop mode).</source>
        <translation>With use --own-theme: then switch the desktop to the own theme, as Switch Desktop Now does; restoring its last picture switches the desktop back (desktop mode).</translation>
    </message>
    <message>
        <source>--switch-desktop goes with --own-theme only.</source>
        <translation>--switch-desktop goes with --own-theme only.</translation>
    </message>
    <message>
        <source>The pictures are in place in the own theme %1. The desktop shows them once it is switched to that theme: use --own-theme --switch-desktop.</source>
        <translation>The pictures are in place in the own theme %1. The desktop shows them once it is switched to that theme: use --own-theme --switch-desktop.</translation>
    </message>
    <message>
        <source>The LXQt panel keeps the theme&apos;s own picture where the theme holds one of the same size, so some of these pictures may not show there. On LXQt, use --own-theme --switch-desktop shows every picture, and the panel follows the switch at once.</source>
        <translation>The LXQt panel keeps the theme&apos;s own picture where the theme holds one of the same size, so some of these pictures may not show there. On LXQt, use --own-theme --switch-desktop shows every picture, and the panel follows the switch at once.</translation>
    </message>
    <message>
        <source>With --restart-panel, Trayskin starts %1 again, so that they show the pictures.</source>
        <translation>With --restart-panel, Trayskin starts %1 again, so that they show the pictures.</translation>
    </message>
    <message>
        <source>Nothing is new in the icon theme since the install.</source>
        <translation>Nothing is new in the icon theme since the install.</translation>
    </message>
    <message>
        <source>New in the icon theme since the install: %1</source>
        <translation>New in the icon theme since the install: %1</translation>
    </message>
</context>
</TS>
