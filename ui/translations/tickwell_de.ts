<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BackupOnExit</name>
    <message>
        <source>Your events could not be backed up when Tickwell last ended:
%1
An earlier backup there was left as it was.</source>
        <translation>Ihre Termine konnten beim letzten Beenden von Tickwell nicht gesichert werden:
%1
Eine frühere Sicherung dort blieb unverändert.</translation>
    </message>
</context>
<context>
    <name>EventTypes</name>
    <message>
        <source>Once Only</source>
        <translation>Einmalig</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly - Date</source>
        <translation>Monatlich - Datum</translation>
    </message>
    <message>
        <source>Monthly - Day</source>
        <translation>Monatlich - Wochentag</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Accounting</source>
        <translation>Quartalstage</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Shell Link Error. Check Windows Startup Folder for Tickwell Link File</source>
        <translation>Fehler beim Autostart-Eintrag. Prüfen Sie den Autostart-Ordner auf den Eintrag von Tickwell.</translation>
    </message>
    <message>
        <source>Unable to communicate with Printer. Check that your printer driver is loaded and printer is on</source>
        <translation>Keine Verbindung zum Drucker. Prüfen Sie, ob der Druckertreiber geladen und der Drucker eingeschaltet ist.</translation>
    </message>
    <message>
        <source>Your events file was changed by another program and cannot be read. Tickwell keeps showing the events it has and will not save over the file until it can be read again.</source>
        <translation>Ihre Termindatei wurde von einem anderen Programm geändert und kann nicht gelesen werden. Tickwell zeigt weiter die Termine, die es hat, und überschreibt die Datei nicht, bis sie wieder gelesen werden kann.</translation>
    </message>
    <message>
        <source>Your Events Data File: TICKWELL.TKW is Corrupt. Restore your data from a backup= or create a new Events List</source>
        <translation>Ihre Termindatei TICKWELL.TKW ist beschädigt. Stellen Sie Ihre Daten aus einer Sicherung wieder her oder legen Sie eine neue Terminliste an.</translation>
    </message>
    <message>
        <source>There are No Events Due</source>
        <translation>Es sind keine Termine fällig</translation>
    </message>
    <message>
        <source>Invalid date</source>
        <translation>Ungültiges Datum</translation>
    </message>
    <message>
        <source>Events List Error. Terminating</source>
        <translation>Fehler in der Terminliste. Das Programm wird beendet.</translation>
    </message>
    <message>
        <source>Please enter a Description</source>
        <translation>Bitte geben Sie eine Beschreibung ein</translation>
    </message>
    <message>
        <source>There are no events in your Tickwell File!</source>
        <translation>Ihre Tickwell-Datei enthält keine Termine!</translation>
    </message>
    <message>
        <source>Overwrite existing file?</source>
        <translation>Vorhandene Datei überschreiben?</translation>
    </message>
    <message>
        <source>Export successful</source>
        <translation>Export erfolgreich</translation>
    </message>
    <message>
        <source>Export unsuccessful</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>Import Error</source>
        <translation>Importfehler</translation>
    </message>
    <message>
        <source>No records in data file</source>
        <translation>Keine Einträge in der Datei</translation>
    </message>
    <message>
        <source>Import Successful</source>
        <translation>Import erfolgreich</translation>
    </message>
    <message>
        <source>No Events Archived</source>
        <translation>Keine Termine archiviert</translation>
    </message>
    <message>
        <source> event(s) archived</source>
        <translation> Termin(e) archiviert</translation>
    </message>
    <message>
        <source> event(s) deleted</source>
        <translation> Termin(e) gelöscht</translation>
    </message>
    <message>
        <source>This Option will delete all expired events. Continue?</source>
        <translation>Dies löscht alle abgelaufenen Termine. Fortfahren?</translation>
    </message>
    <message>
        <source>No events deleted</source>
        <translation>Keine Termine gelöscht</translation>
    </message>
    <message>
        <source>Delete all events from your file!</source>
        <translation>Alle Termine aus Ihrer Datei löschen!</translation>
    </message>
    <message>
        <source>Are you sure you wish to proceed?</source>
        <translation>Wollen Sie wirklich fortfahren?</translation>
    </message>
    <message>
        <source>No backup folder is set: choose the folder to back up to.</source>
        <translation>Es ist kein Sicherungsordner eingestellt: Wählen Sie den Ordner, in den gesichert werden soll.</translation>
    </message>
    <message>
        <source>The backup folder &quot;</source>
        <translation>Der Sicherungsordner „</translation>
    </message>
    <message>
        <source>&quot; is not a full path: choose one that begins with &quot;/&quot;.</source>
        <translation>“ ist kein vollständiger Pfad: Wählen Sie einen, der mit „/“ beginnt.</translation>
    </message>
    <message>
        <source>Not a valid drive ID</source>
        <translation>Kein gültiges Laufwerk</translation>
    </message>
    <message>
        <source>Please insert disk into drive</source>
        <translation>Bitte legen Sie einen Datenträger ein</translation>
    </message>
    <message>
        <source>Overwrite existing backup file?</source>
        <translation>Vorhandene Sicherungsdatei überschreiben?</translation>
    </message>
    <message>
        <source>Backup successful</source>
        <translation>Sicherung erfolgreich</translation>
    </message>
    <message>
        <source>Backup unsuccessful</source>
        <translation>Sicherung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Unable to load backup file</source>
        <translation>Die Sicherungsdatei kann nicht geladen werden</translation>
    </message>
    <message>
        <source>No whole event in </source>
        <translation>Kein vollständiger Termin in </translation>
    </message>
    <message>
        <source>Not a whole number of events in </source>
        <translation>Keine ganze Zahl von Terminen in </translation>
    </message>
    <message>
        <source> bytes: </source>
        <translation> Byte: </translation>
    </message>
    <message>
        <source>You have no backup to restore</source>
        <translation>Es gibt keine Sicherung zum Wiederherstellen</translation>
    </message>
    <message>
        <source>Restore data from: </source>
        <translation>Daten wiederherstellen aus: </translation>
    </message>
    <message>
        <source>Do you wish to proceed?</source>
        <translation>Wollen Sie fortfahren?</translation>
    </message>
    <message>
        <source>An event in it cannot be read: </source>
        <translation>Ein Termin darin kann nicht gelesen werden: </translation>
    </message>
    <message>
        <source>Restore successful</source>
        <translation>Wiederherstellung erfolgreich</translation>
    </message>
    <message>
        <source>Tickwell Data File Merge. Is the datafile </source>
        <translation>Tickwell-Datei zusammenführen. Stammt die Datei </translation>
    </message>
    <message>
        <source>from a version of Tickwell prior to v4.0?</source>
        <translation>aus einer Tickwell-Version vor 4.0?</translation>
    </message>
    <message>
        <source>Unable to Read Data from file</source>
        <translation>Die Daten können nicht aus der Datei gelesen werden</translation>
    </message>
    <message>
        <source>An event in it cannot be read</source>
        <translation>Ein Termin darin kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Merge Successful</source>
        <translation>Zusammenführen erfolgreich</translation>
    </message>
    <message>
        <source>This is a repeating event. Do you wish to Delete this Event?</source>
        <translation>Dies ist ein wiederkehrender Termin. Wollen Sie diesen Termin löschen?</translation>
    </message>
    <message>
        <source>Delete this Event?</source>
        <translation>Diesen Termin löschen?</translation>
    </message>
    <message>
        <source>Nothing to Delete</source>
        <translation>Nichts zu löschen</translation>
    </message>
    <message>
        <source>Error Saving Events List</source>
        <translation>Fehler beim Speichern der Terminliste</translation>
    </message>
    <message>
        <source>The file was changed by another program and cannot be read</source>
        <translation>Die Datei wurde von einem anderen Programm geändert und kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Changes to your events cannot be saved now, so Tickwell shows them without changing them.</source>
        <translation>Änderungen an Ihren Terminen können jetzt nicht gespeichert werden; Tickwell zeigt sie daher nur an, ohne sie zu ändern.</translation>
    </message>
    <message>
        <source>The setting &quot;</source>
        <translation>Die Einstellung „</translation>
    </message>
    <message>
        <source> is not </source>
        <translation> ist nicht </translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Tickwell uses its default instead.</source>
        <translation>Tickwell verwendet stattdessen die Voreinstellung.</translation>
    </message>
    <message>
        <source>Tickwell goes on with the default settings.</source>
        <translation>Tickwell arbeitet mit den Voreinstellungen weiter.</translation>
    </message>
    <message>
        <source>The settings file is left as it was.</source>
        <translation>Die Einstellungsdatei bleibt unverändert.</translation>
    </message>
    <message>
        <source>Export Error</source>
        <translation>Exportfehler</translation>
    </message>
    <message>
        <source>No events in iCalendar file</source>
        <translation>Keine Termine in der iCalendar-Datei</translation>
    </message>
    <message>
        <source>No events imported</source>
        <translation>Keine Termine importiert</translation>
    </message>
    <message>
        <source>The file is not a complete iCalendar file.</source>
        <translation>Die Datei ist keine vollständige iCalendar-Datei.</translation>
    </message>
    <message>
        <source>Unable to lock the settings file </source>
        <translation>Die Einstellungsdatei kann nicht gesperrt werden: </translation>
    </message>
    <message>
        <source>Unable to read the settings file </source>
        <translation>Die Einstellungsdatei kann nicht gelesen werden: </translation>
    </message>
    <message>
        <source>The settings file </source>
        <translation>Die Einstellungsdatei </translation>
    </message>
    <message>
        <source> could not be read (</source>
        <translation> konnte nicht gelesen werden (</translation>
    </message>
    <message>
        <source>) and could not be moved aside: </source>
        <translation>) und nicht beiseitegelegt werden: </translation>
    </message>
    <message>
        <source>Unable to save the settings to </source>
        <translation>Die Einstellungen können nicht gespeichert werden in </translation>
    </message>
    <message>
        <source>: the lines of it Tickwell cannot read would be lost, and a copy could not be kept as </source>
        <translation>: Die Zeilen, die Tickwell nicht lesen kann, gingen verloren, und eine Kopie konnte nicht angelegt werden als </translation>
    </message>
    <message>
        <source>&quot; item not found in registry</source>
        <translation>“ wurde in den Einstellungen nicht gefunden</translation>
    </message>
    <message>
        <source>Tickwell is already running</source>
        <translation>Tickwell läuft bereits</translation>
    </message>
    <message>
        <source>This desktop has no system tray, so Tickwell shows its desktop clock instead of a tray icon. Right-click the clock for Tickwell&apos;s menu; drag it to move it.</source>
        <translation>Diese Arbeitsfläche hat keinen Infobereich; Tickwell zeigt daher statt eines Symbols im Infobereich seine Desktop-Uhr. Ein Rechtsklick auf die Uhr öffnet das Menü von Tickwell; zum Verschieben ziehen Sie sie.</translation>
    </message>
</context>
<context>
    <name>Ordinals</name>
    <message>
        <source>first</source>
        <translation>ersten</translation>
    </message>
    <message>
        <source>second</source>
        <translation>zweiten</translation>
    </message>
    <message>
        <source>third</source>
        <translation>dritten</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>vierten</translation>
    </message>
    <message>
        <source>fifth</source>
        <translation>fünften</translation>
    </message>
    <message>
        <source>sixth</source>
        <translation>sechsten</translation>
    </message>
    <message>
        <source>seventh</source>
        <translation>siebten</translation>
    </message>
    <message>
        <source>eighth</source>
        <translation>achten</translation>
    </message>
    <message>
        <source>ninth</source>
        <translation>neunten</translation>
    </message>
    <message>
        <source>tenth</source>
        <translation>zehnten</translation>
    </message>
    <message>
        <source>eleventh</source>
        <translation>elften</translation>
    </message>
    <message>
        <source>twelfth</source>
        <translation>zwölften</translation>
    </message>
    <message>
        <source>thirteenth</source>
        <translation>dreizehnten</translation>
    </message>
    <message>
        <source>fourteenth</source>
        <translation>vierzehnten</translation>
    </message>
    <message>
        <source>fifteenth</source>
        <translation>fünfzehnten</translation>
    </message>
    <message>
        <source>sixteenth</source>
        <translation>sechzehnten</translation>
    </message>
    <message>
        <source>seventeenth</source>
        <translation>siebzehnten</translation>
    </message>
    <message>
        <source>eighteenth</source>
        <translation>achtzehnten</translation>
    </message>
    <message>
        <source>nineteenth</source>
        <translation>neunzehnten</translation>
    </message>
    <message>
        <source>twentieth</source>
        <translation>zwanzigsten</translation>
    </message>
    <message>
        <source>twenty first</source>
        <translation>einundzwanzigsten</translation>
    </message>
    <message>
        <source>twenty second</source>
        <translation>zweiundzwanzigsten</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The damaged file could not be copied (%1).</source>
        <translation>Die beschädigte Datei konnte nicht kopiert werden (%1).</translation>
    </message>
</context>
<context>
    <name>TAboutDlg</name>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>About Tickwell</source>
        <translation>Über Tickwell</translation>
    </message>
    <message>
        <source>For Linux</source>
        <translation>Für Linux</translation>
    </message>
    <message>
        <source>Visit Tickwell&apos;s Web Page</source>
        <translation>Die Webseite von Tickwell besuchen</translation>
    </message>
    <message>
        <source>Send a mail to the Tickwell team</source>
        <translation>Dem Tickwell-Team eine E-Mail schreiben</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TBackupDlg</name>
    <message>
        <source>Tickwell Backup</source>
        <translation>Tickwell-Sicherung</translation>
    </message>
    <message>
        <source>About to backup your Tickwell data file to:</source>
        <translation>Ihre Tickwell-Datei wird gesichert nach:</translation>
    </message>
    <message>
        <source>To change backup destination, click &quot;Setup&quot;.</source>
        <translation>Um das Sicherungsziel zu ändern, klicken Sie auf „Einrichten“.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Setup..</source>
        <translation>Einrichten..</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Select a folder for backup:</source>
        <translation>Ordner für die Sicherung wählen:</translation>
    </message>
</context>
<context>
    <name>TCalDueList</name>
    <message>
        <source>Due Events</source>
        <translation>Fällige Termine</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Art</translation>
    </message>
</context>
<context>
    <name>TCalFrm</name>
    <message>
        <source>+%1 more</source>
        <translation>+%1 weitere</translation>
    </message>
    <message>
        <source>Tickwell Calendar</source>
        <translation>Tickwell-Kalender</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Display the program Options screen</source>
        <translation>Die Programmeinstellungen anzeigen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>Close the Calendar</source>
        <translation>Den Kalender schließen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Exit Tickwell</source>
        <translation>Tickwell beenden</translation>
    </message>
    <message>
        <source>&amp;Add Event</source>
        <translation>Termin &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Add an Event</source>
        <translation>Einen Termin hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit Event</source>
        <translation>Termin &amp;bearbeiten</translation>
    </message>
    <message>
        <source>Edit the selected Event</source>
        <translation>Den ausgewählten Termin bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete Event</source>
        <translation>Termin &amp;löschen</translation>
    </message>
    <message>
        <source>Delete the selected Event</source>
        <translation>Den ausgewählten Termin löschen</translation>
    </message>
    <message>
        <source>&amp;Monthly</source>
        <translation>&amp;Monatlich</translation>
    </message>
    <message>
        <source>Display the Monthly Calendar</source>
        <translation>Den Monatskalender anzeigen</translation>
    </message>
    <message>
        <source>&amp;Weekly</source>
        <translation>&amp;Wöchentlich</translation>
    </message>
    <message>
        <source>Display the Weekly Calendar</source>
        <translation>Den Wochenkalender anzeigen</translation>
    </message>
    <message>
        <source>Wrap &amp;Text</source>
        <translation>&amp;Zeilenumbruch</translation>
    </message>
    <message>
        <source>Toggle word wrap in monthly calendar</source>
        <translation>Zeilenumbruch im Monatskalender ein- oder ausschalten</translation>
    </message>
    <message>
        <source>&amp;Next Month</source>
        <translation>&amp;Nächster Monat</translation>
    </message>
    <message>
        <source>Next Month</source>
        <translation>Nächster Monat</translation>
    </message>
    <message>
        <source>&amp;Previous Month</source>
        <translation>&amp;Vorheriger Monat</translation>
    </message>
    <message>
        <source>Previous Month</source>
        <translation>Vorheriger Monat</translation>
    </message>
    <message>
        <source>Pre&amp;vious Year</source>
        <translation>Vorheriges &amp;Jahr</translation>
    </message>
    <message>
        <source>Previous Year</source>
        <translation>Vorheriges Jahr</translation>
    </message>
    <message>
        <source>Next  &amp;Year</source>
        <translation>Nächstes J&amp;ahr</translation>
    </message>
    <message>
        <source>Next Year</source>
        <translation>Nächstes Jahr</translation>
    </message>
    <message>
        <source>T&amp;oday</source>
        <translation>&amp;Heute</translation>
    </message>
    <message>
        <source>Go to Today</source>
        <translation>Zu heute gehen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Toggle display of toolbar on + off</source>
        <translation>Werkzeugleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Sunday Starts Week</source>
        <translation>Woche beginnt am Sonntag</translation>
    </message>
    <message>
        <source>&amp;Main Window</source>
        <translation>&amp;Hauptfenster</translation>
    </message>
    <message>
        <source>Display the Main Window</source>
        <translation>Das Hauptfenster anzeigen</translation>
    </message>
    <message>
        <source>&amp;Tickwells Window</source>
        <translation>&amp;Fällige Termine</translation>
    </message>
    <message>
        <source>Display the Tickwells Window</source>
        <translation>Das Fenster „Fällige Termine“ anzeigen</translation>
    </message>
    <message>
        <source>&amp;Calendar Help</source>
        <translation>&amp;Kalenderhilfe</translation>
    </message>
    <message>
        <source>&amp;Help Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Tickwell</translation>
    </message>
    <message>
        <source>Display the About Screen</source>
        <translation>Das Fenster „Über Tickwell“ anzeigen</translation>
    </message>
    <message>
        <source>&amp;Week</source>
        <translation>&amp;Woche</translation>
    </message>
    <message>
        <source>Select Weekly or Monthly Calendar View</source>
        <translation>Wochen- oder Monatsansicht wählen</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Ne&amp;u</translation>
    </message>
    <message>
        <source>Add a New Tickwell Event</source>
        <translation>Einen neuen Termin hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Ändern</translation>
    </message>
    <message>
        <source>Edit selected Tickwell Event</source>
        <translation>Den ausgewählten Termin bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete selected Tickwell Event</source>
        <translation>Den ausgewählten Termin löschen</translation>
    </message>
    <message>
        <source>Display the Program Options Screen</source>
        <translation>Die Programmeinstellungen anzeigen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Even&amp;ts</source>
        <translation>&amp;Termine</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>&amp;Kalender</translation>
    </message>
    <message>
        <source>&amp;Go To</source>
        <translation>&amp;Gehe zu</translation>
    </message>
    <message>
        <source>W&amp;indow</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Previous Week</source>
        <translation>Vorherige Woche</translation>
    </message>
    <message>
        <source>Next Week</source>
        <translation>Nächste Woche</translation>
    </message>
    <message>
        <source>Calendar Font...</source>
        <translation>Kalenderschrift...</translation>
    </message>
    <message>
        <source>Event Text Colour...</source>
        <translation>Farbe der Termintexte...</translation>
    </message>
    <message>
        <source>Marked Day Background Colour...</source>
        <translation>Hintergrundfarbe markierter Tage...</translation>
    </message>
    <message>
        <source>Marked Date Font Colour...</source>
        <translation>Schriftfarbe markierter Daten...</translation>
    </message>
    <message>
        <source>Blank Cell Colour...</source>
        <translation>Farbe leerer Zellen...</translation>
    </message>
    <message>
        <source>Reset Defaults</source>
        <translation>Voreinstellungen wiederherstellen</translation>
    </message>
    <message>
        <source>Bold Marked Date</source>
        <translation>Markierte Daten fett</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Font...</source>
        <translation>Schriftart...</translation>
    </message>
    <message>
        <source>Text Colour...</source>
        <translation>Textfarbe...</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>&amp;Month</source>
        <translation>&amp;Monat</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Woche %1</translation>
    </message>
    <message>
        <source>Nothing to Edit</source>
        <translation>Nichts zu bearbeiten</translation>
    </message>
    <message>
        <source>Nothing to Delete</source>
        <translation>Nichts zu löschen</translation>
    </message>
    <message>
        <source>Nothing to Acknowledge</source>
        <translation>Nichts zu bestätigen</translation>
    </message>
    <message>
        <source>…and %1 more</source>
        <translation>…und %1 weitere</translation>
    </message>
</context>
<context>
    <name>TClockFrm</name>
    <message>
        <source>Suspended</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Sta&amp;y On Top</source>
        <translation>Immer im &amp;Vordergrund</translation>
    </message>
    <message>
        <source>Clock &amp;Font...</source>
        <translation>&amp;Schriftart der Uhr...</translation>
    </message>
    <message>
        <source>C&amp;lock Colour</source>
        <translation>&amp;Farbe der Uhr</translation>
    </message>
    <message>
        <source>Te&amp;xt Colour</source>
        <translation>Te&amp;xtfarbe</translation>
    </message>
    <message>
        <source>24 &amp;hr Format</source>
        <translation>24-St&amp;unden-Format</translation>
    </message>
    <message>
        <source>Hel&amp;p</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Clock Font</source>
        <translation>Schriftart der Uhr</translation>
    </message>
    <message>
        <source>Clock Colour</source>
        <translation>Farbe der Uhr</translation>
    </message>
    <message>
        <source>Text Colour</source>
        <translation>Textfarbe</translation>
    </message>
</context>
<context>
    <name>TDataFileWatcher</name>
    <message>
        <source>The events file is damaged and left as it is</source>
        <translation>Die Termindatei ist beschädigt und bleibt unverändert</translation>
    </message>
    <message>
        <source>Read-only: changes cannot be saved</source>
        <translation>Nur lesen: Änderungen können nicht gespeichert werden</translation>
    </message>
    <message>
        <source>The events file cannot be read: %1</source>
        <translation>Die Termindatei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Changes can be saved again</source>
        <translation>Änderungen können wieder gespeichert werden</translation>
    </message>
</context>
<context>
    <name>TDateBox</name>
    <message>
        <source>Choose from a calendar (Alt+Down)</source>
        <translation>Aus einem Kalender wählen (Alt+Unten)</translation>
    </message>
</context>
<context>
    <name>TDescriptionEdit</name>
    <message>
        <source>1 character left</source>
        <translation>Noch 1 Zeichen</translation>
    </message>
    <message>
        <source>the lone surrogate half U+%1</source>
        <translation>das einzelne Ersatzzeichen U+%1</translation>
    </message>
    <message>
        <source>The description cannot hold %1</source>
        <translation>Die Beschreibung kann %1 nicht aufnehmen</translation>
    </message>
    <message>
        <source>Left out of the pasted text: %1</source>
        <translation>Aus dem eingefügten Text weggelassen: %1</translation>
    </message>
    <message>
        <source>Left out of the pasted text: %1 and %2 more</source>
        <translation>Aus dem eingefügten Text weggelassen: %1 und %2 weitere</translation>
    </message>
    <message>
        <source>%1 characters left</source>
        <translation>Noch %1 Zeichen</translation>
    </message>
</context>
<context>
    <name>TDesktopNotice</name>
    <message>
        <source>1 event due</source>
        <translation>1 Termin fällig</translation>
    </message>
    <message>
        <source>%1 events due</source>
        <translation>%1 Termine fällig</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Zurückstellen</translation>
    </message>
</context>
<context>
    <name>TEditFrm</name>
    <message>
        <source>Add Event</source>
        <translation>Termin hinzufügen</translation>
    </message>
    <message>
        <source>Once only </source>
        <translation>Einmalig </translation>
    </message>
    <message>
        <source>Repeating...</source>
        <translation>Wiederkehrend...</translation>
    </message>
    <message>
        <source>Keep on screen</source>
        <translation>Anzeigen bis bestätigt</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Starting On:</source>
        <translation>Beginnt am:</translation>
    </message>
    <message>
        <source>Notice Period</source>
        <translation>Vorlaufzeit</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly (Date)</source>
        <translation>Monatlich (Datum)</translation>
    </message>
    <message>
        <source>Monthly (Day)</source>
        <translation>Monatlich (Wochentag)</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Accounting</source>
        <translation>Quartalstage</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>No End Point</source>
        <translation>Ohne Ende</translation>
    </message>
    <message>
        <source>Repeat Until</source>
        <translation>Wiederholen bis</translation>
    </message>
    <message>
        <source>Occurs</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Index Day</source>
        <translation>Wochentag</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source>Specifically</source>
        <translation>Genauer</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>letzten</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>Alle %1 Tage</translation>
    </message>
    <message>
        <source>Every week on %1</source>
        <translation>Jede Woche am %1</translation>
    </message>
    <message>
        <source>Every %1 weeks on %2</source>
        <translation>Alle %1 Wochen am %2</translation>
    </message>
    <message>
        <source>Every year on the same date</source>
        <translation>Jedes Jahr am selben Datum</translation>
    </message>
    <message>
        <source>Every %1 years on the same date</source>
        <translation>Alle %1 Jahre am selben Datum</translation>
    </message>
    <message>
        <source>Accounting Period End</source>
        <translation>Englischer Quartalstag (Mariä Verkündigung, Johannistag, Michaelistag, Weihnachten)</translation>
    </message>
    <message>
        <source>On the same day every month</source>
        <translation>Am selben Tag jedes Monats</translation>
    </message>
    <message>
        <source>On the same day every %1 months</source>
        <translation>Am selben Tag alle %1 Monate</translation>
    </message>
    <message>
        <source>On the %1 Working Day every month</source>
        <translation>Am %1 Arbeitstag jedes Monats</translation>
    </message>
    <message>
        <source>On the %1 Working Day every %2 months</source>
        <translation>Am %1 Arbeitstag alle %2 Monate</translation>
    </message>
    <message>
        <source>On the last Working day every month</source>
        <translation>Am letzten Arbeitstag jedes Monats</translation>
    </message>
    <message>
        <source>On the last Working day every %1 months</source>
        <translation>Am letzten Arbeitstag alle %1 Monate</translation>
    </message>
    <message>
        <source>On the %1 %2 every month</source>
        <translation>Am %1 %2 jedes Monats</translation>
    </message>
    <message>
        <source>On the %1 %2 every %3 months</source>
        <translation>Am %1 %2 alle %3 Monate</translation>
    </message>
    <message>
        <source>Another program has changed or deleted this event while you were editing it.
Add your version as a new event?</source>
        <translation>Ein anderes Programm hat diesen Termin geändert oder gelöscht, während Sie ihn bearbeitet haben.
Ihre Fassung als neuen Termin hinzufügen?</translation>
    </message>
</context>
<context>
    <name>TFindDlg</name>
    <message>
        <source>Find Text</source>
        <translation>Text suchen</translation>
    </message>
    <message>
        <source>Enter Search Text</source>
        <translation>Suchtext eingeben</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source> not found!</source>
        <translation> nicht gefunden!</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
</context>
<context>
    <name>TFontSizeDlg</name>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Regular</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Bold Italic</source>
        <translation>Fett kursiv</translation>
    </message>
    <message>
        <source>Stri&amp;keout</source>
        <translation>&amp;Durchgestrichen</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Unterstrichen</translation>
    </message>
    <message>
        <source>Font st&amp;yle:</source>
        <translation>Schrift&amp;stil:</translation>
    </message>
    <message>
        <source>Effects</source>
        <translation>Effekte</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>Schrift&amp;art:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
</context>
<context>
    <name>THelpFrm</name>
    <message>
        <source>Tickwell Help</source>
        <translation>Tickwell-Hilfe</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>The main window</source>
        <translation>Das Hauptfenster</translation>
    </message>
    <message>
        <source>Backing up and moving your events</source>
        <translation>Termine sichern und übertragen</translation>
    </message>
    <message>
        <source>Sharing events with other calendars</source>
        <translation>Termine mit anderen Kalendern teilen</translation>
    </message>
    <message>
        <source>Your events on every machine</source>
        <translation>Ihre Termine auf jedem Rechner</translation>
    </message>
    <message>
        <source>Printing your events</source>
        <translation>Termine drucken</translation>
    </message>
    <message>
        <source>The Tickwells window</source>
        <translation>Das Fenster „Fällige Termine“</translation>
    </message>
    <message>
        <source>Adding and changing an event</source>
        <translation>Einen Termin hinzufügen und ändern</translation>
    </message>
    <message>
        <source>The calendar window</source>
        <translation>Das Kalenderfenster</translation>
    </message>
    <message>
        <source>Tickwell in the tray</source>
        <translation>Tickwell im Infobereich</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>The life of an event</source>
        <translation>Der Lebenslauf eines Termins</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>Clo&amp;se</source>
        <translation>Schl&amp;ießen</translation>
    </message>
</context>
<context>
    <name>TMainFrm</name>
    <message>
        <source>Tickwell </source>
        <translation>Tickwell </translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>Display the Program Options Screen</source>
        <translation>Die Programmeinstellungen anzeigen</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>E&amp;xportieren</translation>
    </message>
    <message>
        <source>Export your data to another file</source>
        <translation>Ihre Daten in eine andere Datei exportieren</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>Import data from a *csv file</source>
        <translation>Daten aus einer CSV-Datei importieren</translation>
    </message>
    <message>
        <source>Export to &amp;iCalendar...</source>
        <translation>Nach i&amp;Calendar exportieren...</translation>
    </message>
    <message>
        <source>Export your events to an iCalendar file for other calendars</source>
        <translation>Ihre Termine für andere Kalender in eine iCalendar-Datei exportieren</translation>
    </message>
    <message>
        <source>Import from iC&amp;alendar...</source>
        <translation>Aus iCalendar impor&amp;tieren...</translation>
    </message>
    <message>
        <source>Import events from an iCalendar file of another calendar</source>
        <translation>Termine aus der iCalendar-Datei eines anderen Kalenders importieren</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Archivieren</translation>
    </message>
    <message>
        <source>Archive old events to a history file</source>
        <translation>Alte Termine in eine Archivdatei verschieben</translation>
    </message>
    <message>
        <source>&amp;Compress</source>
        <translation>Be&amp;reinigen</translation>
    </message>
    <message>
        <source>Remove old Events from the Tickwell File</source>
        <translation>Alte Termine aus der Tickwell-Datei entfernen</translation>
    </message>
    <message>
        <source>&amp;Zap List</source>
        <translation>Liste &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Backup...</source>
        <translation>&amp;Sichern...</translation>
    </message>
    <message>
        <source>Backup your Tickwell data</source>
        <translation>Ihre Tickwell-Daten sichern</translation>
    </message>
    <message>
        <source>&amp;Restore...</source>
        <translation>&amp;Wiederherstellen...</translation>
    </message>
    <message>
        <source>Restore your Tickwell data from a backup</source>
        <translation>Ihre Tickwell-Daten aus einer Sicherung wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>&amp;Zusammenführen</translation>
    </message>
    <message>
        <source>Merge Tickwell Events from another file</source>
        <translation>Tickwell-Termine aus einer anderen Datei übernehmen</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Print Your Tickwell Events</source>
        <translation>Ihre Termine drucken</translation>
    </message>
    <message>
        <source>Print &amp;Setup...</source>
        <translation>Dr&amp;uckereinrichtung...</translation>
    </message>
    <message>
        <source>Set up your Printer</source>
        <translation>Ihren Drucker einrichten</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>Sc&amp;hließen</translation>
    </message>
    <message>
        <source>Close Main Window</source>
        <translation>Das Hauptfenster schließen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Exit Tickwell</source>
        <translation>Tickwell beenden</translation>
    </message>
    <message>
        <source>&amp;Add event...</source>
        <translation>Termin &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>Add a New Tickwell Event</source>
        <translation>Einen neuen Termin hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit event...</source>
        <translation>Termin &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>Edit the selected Tickwell Event</source>
        <translation>Den ausgewählten Termin bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete event</source>
        <translation>Termin &amp;löschen</translation>
    </message>
    <message>
        <source>Delete the selected Tickwell Event</source>
        <translation>Den ausgewählten Termin löschen</translation>
    </message>
    <message>
        <source>&amp;Copy event</source>
        <translation>Termin &amp;kopieren</translation>
    </message>
    <message>
        <source>Duplicate the selected Tickwell Event</source>
        <translation>Den ausgewählten Termin verdoppeln</translation>
    </message>
    <message>
        <source>Clear &amp;Acknowledgement</source>
        <translation>Bestätigung &amp;aufheben</translation>
    </message>
    <message>
        <source>Remove Acknowledged status from selected Tickwell Event</source>
        <translation>Die Bestätigung des ausgewählten Termins aufheben</translation>
    </message>
    <message>
        <source>&amp;Find Text...</source>
        <translation>Text &amp;suchen...</translation>
    </message>
    <message>
        <source>Find text in the Tickwell List</source>
        <translation>Text in der Terminliste suchen</translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation>&amp;Alle</translation>
    </message>
    <message>
        <source>&amp;Once Only</source>
        <translation>&amp;Einmalig</translation>
    </message>
    <message>
        <source>&amp;Daily</source>
        <translation>&amp;Täglich</translation>
    </message>
    <message>
        <source>&amp;Weekly</source>
        <translation>&amp;Wöchentlich</translation>
    </message>
    <message>
        <source>&amp;Monthly - Date</source>
        <translation>&amp;Monatlich - Datum</translation>
    </message>
    <message>
        <source>Mo&amp;nthly - Day</source>
        <translation>M&amp;onatlich - Wochentag</translation>
    </message>
    <message>
        <source>&amp;Yearly</source>
        <translation>&amp;Jährlich</translation>
    </message>
    <message>
        <source>A&amp;ccounting</source>
        <translation>&amp;Quartalstage</translation>
    </message>
    <message>
        <source>View all types of Tickwell Event</source>
        <translation>Termine aller Arten anzeigen</translation>
    </message>
    <message>
        <source>View only Once Only Events</source>
        <translation>Nur einmalige Termine anzeigen</translation>
    </message>
    <message>
        <source>View only Daily Events</source>
        <translation>Nur tägliche Termine anzeigen</translation>
    </message>
    <message>
        <source>View only Weekly Events</source>
        <translation>Nur wöchentliche Termine anzeigen</translation>
    </message>
    <message>
        <source>View only Monthly - Date Events</source>
        <translation>Nur monatliche Termine nach Datum anzeigen</translation>
    </message>
    <message>
        <source>View only Monthly - Day Events</source>
        <translation>Nur monatliche Termine nach Wochentag anzeigen</translation>
    </message>
    <message>
        <source>View only Yearly Events</source>
        <translation>Nur jährliche Termine anzeigen</translation>
    </message>
    <message>
        <source>View only English Quarterly Accounting Events</source>
        <translation>Nur Termine an den englischen Quartalstagen anzeigen</translation>
    </message>
    <message>
        <source>Event Detail &amp;Pane</source>
        <translation>&amp;Detailbereich</translation>
    </message>
    <message>
        <source>Toggle Event Detail Pane on or off</source>
        <translation>Den Detailbereich ein- oder ausblenden</translation>
    </message>
    <message>
        <source>&amp;Filter Old Events</source>
        <translation>Alte Termine &amp;filtern</translation>
    </message>
    <message>
        <source>Filter Old Events</source>
        <translation>Alte Termine filtern</translation>
    </message>
    <message>
        <source>&amp;Tickwells Window</source>
        <translation>&amp;Fällige Termine</translation>
    </message>
    <message>
        <source>Display any Due Tickwell Events</source>
        <translation>Die fälligen Termine anzeigen</translation>
    </message>
    <message>
        <source>Ca&amp;lendar</source>
        <translation>&amp;Kalender</translation>
    </message>
    <message>
        <source>Display the Calendar</source>
        <translation>Den Kalender anzeigen</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>Display the Help Contents Screen</source>
        <translation>Den Inhalt der Hilfe anzeigen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber Tickwell...</translation>
    </message>
    <message>
        <source>Display the About Screen</source>
        <translation>Das Fenster „Über Tickwell“ anzeigen</translation>
    </message>
    <message>
        <source>&amp;Add an Event</source>
        <translation>Termin &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit selected Event</source>
        <translation>Ausgewählten Termin &amp;bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete selected Event</source>
        <translation>Ausgewählten Termin &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Copy selected Event</source>
        <translation>Ausgewählten Termin &amp;kopieren</translation>
    </message>
    <message>
        <source>Clear Ac&amp;knowledgement</source>
        <translation>Bestätigung &amp;aufheben</translation>
    </message>
    <message>
        <source>Full Row Select</source>
        <translation>Ganze Zeile auswählen</translation>
    </message>
    <message>
        <source>Show Gridlines</source>
        <translation>Gitterlinien anzeigen</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Ne&amp;u</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Ändern</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>D&amp;ue</source>
        <translation>Fälli&amp;g</translation>
    </message>
    <message>
        <source>&amp;Cal</source>
        <translation>&amp;Kalender</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>Fi&amp;le</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Even&amp;ts</source>
        <translation>&amp;Termine</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Event Description</source>
        <translation>Terminbeschreibung</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source>Last Acknowledged</source>
        <translation>Zuletzt bestätigt</translation>
    </message>
    <message>
        <source>Filtered</source>
        <translation>Gefiltert</translation>
    </message>
    <message>
        <source>
Start Date: </source>
        <translation>
Beginn: </translation>
    </message>
    <message>
        <source>
No End Point</source>
        <translation>
Ohne Ende</translation>
    </message>
    <message>
        <source>
End Date: </source>
        <translation>
Ende: </translation>
    </message>
    <message>
        <source>
Notice Period: </source>
        <translation>
Vorlaufzeit: </translation>
    </message>
    <message>
        <source> days</source>
        <translation> Tage</translation>
    </message>
    <message>
        <source>
Keep Flag: </source>
        <translation>
Anzeigen bis bestätigt: </translation>
    </message>
    <message>
        <source>True</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Nothing to Edit</source>
        <translation>Nichts zu bearbeiten</translation>
    </message>
    <message>
        <source>Nothing to Delete</source>
        <translation>Nichts zu löschen</translation>
    </message>
    <message>
        <source>No Event selected</source>
        <translation>Kein Termin ausgewählt</translation>
    </message>
    <message>
        <source>Copy of: </source>
        <translation>Kopie von: </translation>
    </message>
    <message>
        <source>Acknowledged field cleared</source>
        <translation>Bestätigung aufgehoben</translation>
    </message>
    <message>
        <source>Export File As</source>
        <translation>Datei exportieren als</translation>
    </message>
    <message>
        <source>Tickwell File (*.dat)</source>
        <translation>Tickwell-Datei (*.dat)</translation>
    </message>
    <message>
        <source>Comma-delimited Text File (*.csv)</source>
        <translation>Kommagetrennte Textdatei (*.csv)</translation>
    </message>
    <message>
        <source>Import CSV data</source>
        <translation>CSV-Daten importieren</translation>
    </message>
    <message>
        <source>Comma-delimited Text Files (*.csv)</source>
        <translation>Kommagetrennte Textdateien (*.csv)</translation>
    </message>
    <message>
        <source>Export to iCalendar</source>
        <translation>Nach iCalendar exportieren</translation>
    </message>
    <message>
        <source>iCalendar File (*.ics)</source>
        <translation>iCalendar-Datei (*.ics)</translation>
    </message>
    <message>
        <source>Import iCalendar data</source>
        <translation>iCalendar-Daten importieren</translation>
    </message>
    <message>
        <source>iCalendar Files (*.ics)</source>
        <translation>iCalendar-Dateien (*.ics)</translation>
    </message>
    <message>
        <source>Select a folder for archive:</source>
        <translation>Ordner für das Archiv wählen:</translation>
    </message>
    <message>
        <source>Merge Tickwell File</source>
        <translation>Tickwell-Datei zusammenführen</translation>
    </message>
    <message>
        <source>Tickwell(v2/3) Data Files (*.tkw)</source>
        <translation>Tickwell-Dateien (v2/3) (*.tkw)</translation>
    </message>
    <message>
        <source>Tickwell Files (*.dat)</source>
        <translation>Tickwell-Dateien (*.dat)</translation>
    </message>
    <message>
        <source>  Event(s) </source>
        <translation>  Termin(e) </translation>
    </message>
    <message>
        <source>  Once Only Event(s) </source>
        <translation>  einmalige(r) Termin(e) </translation>
    </message>
    <message>
        <source>  Daily Event(s) </source>
        <translation>  tägliche(r) Termin(e) </translation>
    </message>
    <message>
        <source>  Weekly Event(s) </source>
        <translation>  wöchentliche(r) Termin(e) </translation>
    </message>
    <message>
        <source>  Monthly - Date Event(s) </source>
        <translation>  monatliche(r) Termin(e) nach Datum </translation>
    </message>
    <message>
        <source>  Monthly - Day Event(s) </source>
        <translation>  monatliche(r) Termin(e) nach Wochentag </translation>
    </message>
    <message>
        <source>  Yearly Event(s) </source>
        <translation>  jährliche(r) Termin(e) </translation>
    </message>
    <message>
        <source>  Accounting Event(s) </source>
        <translation>  Termin(e) an Quartalstagen </translation>
    </message>
</context>
<context>
    <name>TMidnightFrm</name>
    <message>
        <source>System Date Change</source>
        <translation>Änderung des Systemdatums</translation>
    </message>
    <message>
        <source>Date has changed !</source>
        <translation>Das Datum hat sich geändert!</translation>
    </message>
    <message>
        <source>Tickwell has detected a change of system date. The Events List and active windows will be updated in 60 seconds. Click &quot;Cancel&quot; to Abort the process. If you abort the update process then you must quit the program to update the Events list.</source>
        <translation>Tickwell hat eine Änderung des Systemdatums bemerkt. Die Terminliste und die offenen Fenster werden in 60 Sekunden aktualisiert. Klicken Sie auf „Abbrechen“, um den Vorgang abzubrechen. Wenn Sie die Aktualisierung abbrechen, müssen Sie das Programm beenden, damit die Terminliste aktualisiert wird.</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source> seconds remaining</source>
        <translation> Sekunden verbleiben</translation>
    </message>
</context>
<context>
    <name>TMsgDlg</name>
    <message>
        <source>You have selected to use the System Tray. Scheduling of the Tickwells Window will be available on the next occasion that Tickwell is launched.</source>
        <translation>Sie haben gewählt, den Infobereich zu verwenden. Der Zeitplan für das Fenster „Fällige Termine“ steht beim nächsten Start von Tickwell zur Verfügung.</translation>
    </message>
    <message>
        <source>You have selected not to use the System Tray. Scheduling of the Tickwells Window will not be available on the next occasion that Tickwell is launched.</source>
        <translation>Sie haben gewählt, den Infobereich nicht zu verwenden. Der Zeitplan für das Fenster „Fällige Termine“ steht beim nächsten Start von Tickwell nicht zur Verfügung.</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>TMyCalendar</name>
    <message>
        <source>The calendar runs from the year 1 to the year 9999</source>
        <translation>Der Kalender reicht vom Jahr 1 bis zum Jahr 9999</translation>
    </message>
</context>
<context>
    <name>TOptionDlg</name>
    <message>
        <source>Reminds you of the events that are due</source>
        <translation>Erinnert Sie an fällige Termine</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Editing</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Start-up</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Zeitplan</translation>
    </message>
    <message>
        <source>Filters</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Backup Events &amp;Automatically on Exit</source>
        <translation>Termine beim Beenden automatisch si&amp;chern</translation>
    </message>
    <message>
        <source>Show &quot;&amp;No Events&quot; message if no Due Events</source>
        <translation>Meldung „&amp;Keine Termine“ zeigen, wenn nichts fällig ist</translation>
    </message>
    <message>
        <source>&amp;Beep on Messages</source>
        <translation>Signal&amp;ton bei Meldungen</translation>
    </message>
    <message>
        <source>Calendar week starts on &amp;Sunday</source>
        <translation>Kalenderwoche beginnt am So&amp;nntag</translation>
    </message>
    <message>
        <source>&amp;Play Sound File with Tickwells Window </source>
        <translation>Klangdatei mit „Fällige Termine“ ab&amp;spielen </translation>
    </message>
    <message>
        <source>Browse for Sound file</source>
        <translation>Klangdatei suchen</translation>
    </message>
    <message>
        <source>Play the sound file</source>
        <translation>Die Klangdatei abspielen</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>Du&amp;rchsuchen...</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>sound file:</source>
        <translation>Klangdatei:</translation>
    </message>
    <message>
        <source>Sync fol&amp;der:</source>
        <translation>Sync-Or&amp;dner:</translation>
    </message>
    <message>
        <source>A folder with one .ics file for each event, for vdirsyncer to keep in step with a calendar server; see Help.</source>
        <translation>Ein Ordner mit einer .ics-Datei je Termin, den vdirsyncer mit einem Kalenderserver abgleicht; siehe Hilfe.</translation>
    </message>
    <message>
        <source>Once only</source>
        <translation>Einmalig</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly - Date</source>
        <translation>Monatlich - Datum</translation>
    </message>
    <message>
        <source>Monthly - Day</source>
        <translation>Monatlich - Wochentag</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Accounting</source>
        <translation>Quartalstage</translation>
    </message>
    <message>
        <source>New Events are &quot;&amp;Keep on Screen&quot;</source>
        <translation>Neue Termine „&amp;bis zur Bestätigung anzeigen“</translation>
    </message>
    <message>
        <source>Ask for confirmation before &amp;Deleting Events</source>
        <translation>Vor dem &amp;Löschen von Terminen nachfragen</translation>
    </message>
    <message>
        <source>Default New Event Type</source>
        <translation>Art neuer Termine</translation>
    </message>
    <message>
        <source>Default Notice Period</source>
        <translation>Vorlaufzeit neuer Termine</translation>
    </message>
    <message>
        <source>Default Event Interval</source>
        <translation>Intervall neuer Termine</translation>
    </message>
    <message>
        <source>Launch Tickwell when your &amp;session starts</source>
        <translation>Tickwell beim Start der &amp;Sitzung starten</translation>
    </message>
    <message>
        <source>&amp;Quick Launch ( Tickwells Window only )</source>
        <translation>Schnells&amp;tart ( nur „Fällige Termine“ )</translation>
    </message>
    <message>
        <source>&amp;Limit Quick launches to only once per day</source>
        <translation>Schnellstart auf einmal am Tag &amp;begrenzen</translation>
    </message>
    <message>
        <source>( Launch Tickwell every time you log in or limit to once per day. Display only due events in the Tickwells Window by selecting &quot;Quick Launch&quot; )</source>
        <translation>( Tickwell bei jeder Anmeldung oder nur einmal am Tag starten. Mit „Schnellstart“ erscheinen nur die fälligen Termine im Fenster „Fällige Termine“ )</translation>
    </message>
    <message>
        <source>Don&apos;t use System Tray</source>
        <translation>Infobereich nicht verwenden</translation>
    </message>
    <message>
        <source>Use System Tray</source>
        <translation>Infobereich verwenden</translation>
    </message>
    <message>
        <source>Tickwell will start with this window next time and use the taskbar not system tray. Scheduling will not be available.</source>
        <translation>Tickwell startet beim nächsten Mal mit diesem Fenster und nutzt die Fensterleiste statt des Infobereichs. Der Zeitplan steht nicht zur Verfügung.</translation>
    </message>
    <message>
        <source>Tickwell will launch into the system tray next time and display this window. Scheduling will be enabled.</source>
        <translation>Tickwell startet beim nächsten Mal im Infobereich und zeigt dieses Fenster. Der Zeitplan ist verfügbar.</translation>
    </message>
    <message>
        <source>Main Window</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Tickwells Window</source>
        <translation>Fällige Termine</translation>
    </message>
    <message>
        <source>Calendar Window</source>
        <translation>Kalenderfenster</translation>
    </message>
    <message>
        <source>None ( minimized )</source>
        <translation>Keines ( minimiert )</translation>
    </message>
    <message>
        <source>&amp;Clock visible on start-up</source>
        <translation>&amp;Uhr beim Start anzeigen</translation>
    </message>
    <message>
        <source>Popup Tickwells Window Schedule</source>
        <translation>Zeitplan für „Fällige Termine“</translation>
    </message>
    <message>
        <source>Schedule %1</source>
        <translation>Zeitpunkt %1</translation>
    </message>
    <message>
        <source>Set the time</source>
        <translation>Die Uhrzeit einstellen</translation>
    </message>
    <message>
        <source>Display Due Tickwells when the session ends</source>
        <translation>Fällige Termine beim Ende der Sitzung anzeigen</translation>
    </message>
    <message>
        <source>Also show a desktop &amp;notification</source>
        <translation>Zusätzlich eine Desktop-&amp;Benachrichtigung zeigen</translation>
    </message>
    <message>
        <source>Scheduled Tickwells unavailable. For scheduling  Tickwell must  operate from the System Tray. See the &quot;System&quot; page of the Options Dialog.</source>
        <translation>Der Zeitplan ist nicht verfügbar. Dafür muss Tickwell im Infobereich laufen. Siehe die Seite „System“ der Einstellungen.</translation>
    </message>
    <message>
        <source>&lt;&lt; To &quot;System&quot; Page</source>
        <translation>&lt;&lt; Zur Seite „System“</translation>
    </message>
    <message>
        <source>Filter Old Events from Tickwells Window</source>
        <translation>Alte Termine aus „Fällige Termine“ filtern</translation>
    </message>
    <message>
        <source>Filter Old Events from the Main Window List View</source>
        <translation>Alte Termine aus der Liste des Hauptfensters filtern</translation>
    </message>
    <message>
        <source>The settings could not be read</source>
        <translation>Die Einstellungen konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>The setting(s) </source>
        <translation>Die Einstellung(en) </translation>
    </message>
    <message>
        <source> could not be read</source>
        <translation> konnte(n) nicht gelesen werden</translation>
    </message>
    <message>
        <source>, so the options on the page(s) </source>
        <translation>, daher bleiben die Einstellungen auf der Seite/den Seiten </translation>
    </message>
    <message>
        <source> are left as they are and cannot be changed now.</source>
        <translation> unverändert und können jetzt nicht geändert werden.</translation>
    </message>
    <message>
        <source>Wav Files (*.wav)</source>
        <translation>WAV-Dateien (*.wav)</translation>
    </message>
    <message>
        <source>Choose a sound file first.</source>
        <translation>Wählen Sie zuerst eine Klangdatei.</translation>
    </message>
    <message>
        <source>The sound file %1 cannot be found.</source>
        <translation>Die Klangdatei %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Select the sync folder:</source>
        <translation>Den Sync-Ordner wählen:</translation>
    </message>
    <message>
        <source>Unable to remove </source>
        <translation>Entfernen nicht möglich: </translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 Minuten</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message>
        <source>4 hours</source>
        <translation>4 Stunden</translation>
    </message>
    <message>
        <source>Until tomorrow</source>
        <translation>Bis morgen</translation>
    </message>
    <message>
        <source>Snoo&amp;ze reminders for:</source>
        <translation>Erinnerungen &amp;zurückstellen für:</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
</context>
<context>
    <name>TScanFrm</name>
    <message>
        <source>Event</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source> days</source>
        <translation> Tage</translation>
    </message>
    <message>
        <source>Ac&amp;knowledge</source>
        <translation>&amp;Bestätigen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>&amp;Add an Event</source>
        <translation>Termin &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit Event</source>
        <translation>Termin b&amp;earbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete Event</source>
        <translation>Termin &amp;löschen</translation>
    </message>
    <message>
        <source>Use &amp;Long Date style</source>
        <translation>Lan&amp;ges Datumsformat</translation>
    </message>
    <message>
        <source>Display &amp;Icons</source>
        <translation>&amp;Symbole anzeigen</translation>
    </message>
    <message>
        <source>Show &amp;Header</source>
        <translation>&amp;Kopfzeile anzeigen</translation>
    </message>
    <message>
        <source>Show date in &amp;Title Bar</source>
        <translation>Datum in der &amp;Titelleiste</translation>
    </message>
    <message>
        <source>Brief &quot;Days to Event&quot;</source>
        <translation>Kurz „Tage bis zum Termin“</translation>
    </message>
    <message>
        <source>E&amp;nable Sound</source>
        <translation>T&amp;on einschalten</translation>
    </message>
    <message>
        <source>Abo&amp;ut</source>
        <translation>Übe&amp;r Tickwell</translation>
    </message>
    <message>
        <source>Hel&amp;p</source>
        <translation>Hil&amp;fe</translation>
    </message>
    <message>
        <source>Main Window</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Options...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>Clo&amp;se</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>Exit Tickwell</source>
        <translation>Tickwell beenden</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Bee&amp;nden</translation>
    </message>
    <message>
        <source>Tickwells for %1</source>
        <translation>Fällige Termine am %1</translation>
    </message>
    <message>
        <source>Tickwells</source>
        <translation>Fällige Termine</translation>
    </message>
    <message>
        <source>Nothing to Acknowledge</source>
        <translation>Nichts zu bestätigen</translation>
    </message>
    <message>
        <source>Nothing to Edit</source>
        <translation>Nichts zu bearbeiten</translation>
    </message>
    <message>
        <source>Nothing to Delete</source>
        <translation>Nichts zu löschen</translation>
    </message>
    <message>
        <source>Snoo&amp;ze</source>
        <translation>&amp;Zurückstellen</translation>
    </message>
    <message>
        <source>Nothing to Snooze</source>
        <translation>Nichts zurückzustellen</translation>
    </message>
</context>
<context>
    <name>TTickwellApplication</name>
    <message>
        <source>Unexpected error</source>
        <translation>Unerwarteter Fehler</translation>
    </message>
</context>
<context>
    <name>TTimeFrm</name>
    <message>
        <source>Edit Time</source>
        <translation>Uhrzeit bearbeiten</translation>
    </message>
    <message>
        <source>Hour up</source>
        <translation>Stunde vor</translation>
    </message>
    <message>
        <source>Hour down</source>
        <translation>Stunde zurück</translation>
    </message>
    <message>
        <source>Minute up</source>
        <translation>Minute vor</translation>
    </message>
    <message>
        <source>Minute down</source>
        <translation>Minute zurück</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TTrayIcon</name>
    <message>
        <source>Show Main Window</source>
        <translation>Hauptfenster anzeigen</translation>
    </message>
    <message>
        <source>Show Tickwells Window</source>
        <translation>Fällige Termine anzeigen</translation>
    </message>
    <message>
        <source>Show Calendar</source>
        <translation>Kalender anzeigen</translation>
    </message>
    <message>
        <source>Desktop Clock</source>
        <translation>Desktop-Uhr</translation>
    </message>
    <message>
        <source>Sus&amp;pend</source>
        <translation>&amp;Anhalten</translation>
    </message>
    <message>
        <source>Options...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>Schedule...</source>
        <translation>Zeitplan...</translation>
    </message>
    <message>
        <source>Help Contents</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Tickwell</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Res&amp;ume</source>
        <translation>&amp;Fortsetzen</translation>
    </message>
</context>
<context>
    <name>TUrlLabel</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>TprnMainFrm</name>
    <message>
        <source>Tickwell due events.pdf</source>
        <translation>Tickwell fällige Termine.pdf</translation>
    </message>
    <message>
        <source>Tickwell events.pdf</source>
        <translation>Tickwell Termine.pdf</translation>
    </message>
    <message>
        <source>a PDF file (no printer is installed)</source>
        <translation>eine PDF-Datei (kein Drucker eingerichtet)</translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation>Druckereinrichtung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Due Tickwells Only</source>
        <translation>Nur fällige Termine</translation>
    </message>
    <message>
        <source>All Tickwells</source>
        <translation>Alle Termine</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Font...</source>
        <translation>Schriftart...</translation>
    </message>
    <message>
        <source>No events to print!</source>
        <translation>Keine Termine zum Drucken!</translation>
    </message>
    <message>
        <source>Print to PDF File</source>
        <translation>In PDF-Datei drucken</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>EVENT DESCRIPTION</source>
        <translation>TERMINBESCHREIBUNG</translation>
    </message>
    <message>
        <source>NEXT EVENT</source>
        <translation>NÄCHSTER TERMIN</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>ART</translation>
    </message>
    <message>
        <source>WHEN</source>
        <translation>WANN</translation>
    </message>
    <message>
        <source>DUE TICKWELL EVENTS:</source>
        <translation>FÄLLIGE TERMINE:</translation>
    </message>
    <message>
        <source>ALL TICKWELL EVENTS:</source>
        <translation>ALLE TERMINE:</translation>
    </message>
    <message>
        <source>Print:</source>
        <translation>Drucken:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Auf:</translation>
    </message>
</context>
<context>
    <name>UnsavedOnExit</name>
    <message>
        <source>%1 change to your events could not be saved:
%2
Press OK to quit and lose it from the events file (Tickwell keeps your events in a rescue copy and tells you where at its next start), or Cancel to keep Tickwell running, so that it saves them as soon as it can.</source>
        <translation>%1 Änderung an Ihren Terminen konnte nicht gespeichert werden:
%2
Mit OK beenden Sie das Programm, und die Änderung fehlt in der Termindatei (Tickwell bewahrt Ihre Termine in einer Rettungskopie auf und sagt beim nächsten Start, wo), mit Abbrechen läuft Tickwell weiter und speichert, sobald es kann.</translation>
    </message>
    <message>
        <source>%1 changes to your events could not be saved:
%2
Press OK to quit and lose them from the events file (Tickwell keeps your events in a rescue copy and tells you where at its next start), or Cancel to keep Tickwell running, so that it saves them as soon as it can.</source>
        <translation>%1 Änderungen an Ihren Terminen konnten nicht gespeichert werden:
%2
Mit OK beenden Sie das Programm, und die Änderungen fehlen in der Termindatei (Tickwell bewahrt Ihre Termine in einer Rettungskopie auf und sagt beim nächsten Start, wo), mit Abbrechen läuft Tickwell weiter und speichert, sobald es kann.</translation>
    </message>
    <message>
        <source>Your events could not be kept in a rescue copy either, so Tickwell keeps running:
%1</source>
        <translation>Auch eine Rettungskopie Ihrer Termine war nicht möglich; Tickwell läuft daher weiter:
%1</translation>
    </message>
    <message>
        <source>When Tickwell last ended, changes to your events could not be saved. Your events as they were then are kept in:
%1</source>
        <translation>Beim letzten Beenden von Tickwell konnten Änderungen an Ihren Termine nicht gespeichert werden. Ihre Termine von damals liegen in:
%1</translation>
    </message>
</context>
</TS>
