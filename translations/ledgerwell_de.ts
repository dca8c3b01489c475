<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ImportDialog</name>
    <message>
        <source>Import Services</source>
        <translation>Dienste importieren</translation>
    </message>
    <message>
        <source>Filter services...</source>
        <translation>Dienste filtern...</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Display Name</source>
        <translation>Anzeigename</translation>
    </message>
    <message>
        <source>Start Type</source>
        <translation>Starttyp</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Binary Path</source>
        <translation>Pfad zur EXE-Datei</translation>
    </message>
    <message>
        <source>Double-click a row to edit. Edited rows are shown in bold.</source>
        <translation>Doppelklicken Sie auf eine Zeile, um sie zu bearbeiten. Bearbeitete Zeilen erscheinen fett.</translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation>Alle abwählen</translation>
    </message>
    <message>
        <source>Preview Changes</source>
        <translation>Änderungen anzeigen</translation>
    </message>
    <message>
        <source>Generate .bat Script</source>
        <translation>.bat-Skript erzeugen</translation>
    </message>
    <message>
        <source>Install Services</source>
        <translation>Dienste installieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>No services selected.</source>
        <translation>Keine Dienste ausgewählt.</translation>
    </message>
    <message>
        <source>Save Batch Script</source>
        <translation>Batch-Skript speichern</translation>
    </message>
    <message>
        <source>Batch Files (*.bat)</source>
        <translation>Batch-Dateien (*.bat)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden:
%2.</translation>
    </message>
    <message>
        <source>Exported %1 services to:
%2</source>
        <translation>%1 Dienste exportiert nach:
%2</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Please select a service first.</source>
        <translation>Bitte wählen Sie zuerst einen Dienst aus.</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <source>Preview Changes...</source>
        <translation>Änderungen anzeigen...</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>Services already exist</source>
        <translation>Dienste bereits vorhanden</translation>
    </message>
    <message>
        <source>Installing services...</source>
        <translation>Dienste werden installiert...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Installing %1...</source>
        <translation>%1 wird installiert...</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Vorschau: %1</translation>
    </message>
    <message>
        <source>Comparing installed service with imported configuration:</source>
        <translation>Vergleich des installierten Dienstes mit der importierten Konfiguration:</translation>
    </message>
    <message>
        <source>No differences found.</source>
        <translation>Keine Unterschiede gefunden.</translation>
    </message>
    <message>
        <source>Service &quot;%1&quot; does not exist on this system. It will be created as a new service.</source>
        <translation>Der Dienst „%1“ ist auf diesem System nicht vorhanden. Er wird als neuer Dienst erstellt.</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Aktuell</translation>
    </message>
    <message>
        <source>Imported</source>
        <translation>Importiert</translation>
    </message>
    <message>
        <source>exit code %1</source>
        <translation>Exitcode %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be started: %2</source>
        <translation>„%1“ konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; did not finish within %2 seconds</source>
        <translation>„%1“ wurde nicht innerhalb von %2 Sekunden beendet</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ended abnormally</source>
        <translation>„%1“ wurde unerwartet beendet</translation>
    </message>
    <message>
        <source>%1: not replaced - its current configuration was not saved</source>
        <translation>%1: nicht ersetzt - die aktuelle Konfiguration wurde nicht gesichert</translation>
    </message>
    <message>
        <source>%1: stop failed - %2</source>
        <translation>%1: Beenden fehlgeschlagen - %2</translation>
    </message>
    <message>
        <source>the service had not stopped after %1 seconds</source>
        <translation>der Dienst war nach %1 Sekunden noch nicht beendet</translation>
    </message>
    <message>
        <source>%1: delete failed - %2</source>
        <translation>%1: Löschen fehlgeschlagen - %2</translation>
    </message>
    <message>
        <source>%1: create failed - %2</source>
        <translation>%1: Erstellen fehlgeschlagen - %2</translation>
    </message>
    <message>
        <source>; the previous service was restored</source>
        <translation>; der bisherige Dienst wurde wiederhergestellt</translation>
    </message>
    <message>
        <source>; restoring the previous service failed at step %1 - %2</source>
        <translation>; die Wiederherstellung des bisherigen Dienstes schlug bei Schritt %1 fehl - %2</translation>
    </message>
    <message>
        <source>%1: %2 failed - %3</source>
        <translation>%1: %2 fehlgeschlagen - %3</translation>
    </message>
    <message>
        <source>%1 of %2 services installed successfully.</source>
        <translation>%1 von %2 Diensten erfolgreich installiert.</translation>
    </message>
    <message>
        <source>

Errors:
%1</source>
        <translation>

Fehler:
%1</translation>
    </message>
    <message>
        <source>

The previous configuration of the replaced services was saved to:
%1</source>
        <translation>

Die bisherige Konfiguration der ersetzten Dienste wurde gespeichert in:
%1</translation>
    </message>
    <message>
        <source>Properties of &quot;%1&quot;</source>
        <translation>Eigenschaften von „%1“</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Log On</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Recovery</source>
        <translation>Wiederherstellung</translation>
    </message>
    <message>
        <source>Dependencies</source>
        <translation>Abhängigkeiten</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Validation</source>
        <translation>Überprüfung</translation>
    </message>
    <message>
        <source>Service name must not be empty.</source>
        <translation>Der Dienstname darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Path to executable must not be empty.</source>
        <translation>Der Pfad zur EXE-Datei darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Take No Action</source>
        <translation>Keine Aktion durchführen</translation>
    </message>
    <message>
        <source>Restart the Service</source>
        <translation>Dienst neu starten</translation>
    </message>
    <message>
        <source>Run a Program</source>
        <translation>Programm ausführen</translation>
    </message>
    <message>
        <source>Restart the Computer</source>
        <translation>Computer neu starten</translation>
    </message>
    <message>
        <source>Service name:</source>
        <translation>Dienstname:</translation>
    </message>
    <message>
        <source>Display name:</source>
        <translation>Anzeigename:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Select Executable</source>
        <translation>Programmdatei auswählen</translation>
    </message>
    <message>
        <source>Executables (*.exe);;All Files (*)</source>
        <translation>Programme (*.exe);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Path to executable:</source>
        <translation>Pfad zur EXE-Datei:</translation>
    </message>
    <message>
        <source>Startup type:</source>
        <translation>Starttyp:</translation>
    </message>
    <message>
        <source>Log on as:</source>
        <translation>Anmelden als:</translation>
    </message>
    <message>
        <source>Local System account</source>
        <translation>Lokales Systemkonto</translation>
    </message>
    <message>
        <source>This account:</source>
        <translation>Dieses Konto:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Kennwort:</translation>
    </message>
    <message>
        <source>Confirm password:</source>
        <translation>Kennwort bestätigen:</translation>
    </message>
    <message>
        <source>Select the action to perform when a service failure occurs.</source>
        <translation>Wählen Sie aus, was bei einem Fehler des Dienstes geschehen soll.</translation>
    </message>
    <message>
        <source>First failure:</source>
        <translation>Erster Fehler:</translation>
    </message>
    <message>
        <source>Second failure:</source>
        <translation>Zweiter Fehler:</translation>
    </message>
    <message>
        <source>Subsequent failures:</source>
        <translation>Weitere Fehler:</translation>
    </message>
    <message>
        <source> days</source>
        <translation> Tage</translation>
    </message>
    <message>
        <source>Reset fail count after:</source>
        <translation>Fehlerzähler zurücksetzen nach:</translation>
    </message>
    <message>
        <source> minute(s)</source>
        <translation> Minute(n)</translation>
    </message>
    <message>
        <source>Restart service after:</source>
        <translation>Dienst neu starten nach:</translation>
    </message>
    <message>
        <source>Run program</source>
        <translation>Programm ausführen</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Select Program</source>
        <translation>Programm auswählen</translation>
    </message>
    <message>
        <source>Program:</source>
        <translation>Programm:</translation>
    </message>
    <message>
        <source>Command line parameters:</source>
        <translation>Befehlszeilenparameter:</translation>
    </message>
    <message>
        <source>Reboot message:</source>
        <translation>Neustartmeldung:</translation>
    </message>
    <message>
        <source>This service depends on the following services:</source>
        <translation>Dieser Dienst hängt von folgenden Diensten ab:</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Hinzufügen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Load order group:</source>
        <translation>Ladereihenfolgegruppe:</translation>
    </message>
    <message>
        <source>Add Dependency</source>
        <translation>Abhängigkeit hinzufügen</translation>
    </message>
    <message>
        <source>Service name</source>
        <translation>Dienstname</translation>
    </message>
    <message>
        <source>Service type:</source>
        <translation>Diensttyp:</translation>
    </message>
    <message>
        <source>Error control:</source>
        <translation>Fehlersteuerung:</translation>
    </message>
    <message>
        <source>Service SID type:</source>
        <translation>Dienst-SID-Typ:</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Pre-shutdown timeout:</source>
        <translation>Zeitlimit vor dem Herunterfahren:</translation>
    </message>
    <message>
        <source>Launch protected:</source>
        <translation>Startschutz:</translation>
    </message>
    <message>
        <source>Required privileges:</source>
        <translation>Erforderliche Berechtigungen:</translation>
    </message>
    <message>
        <source>Enter one privilege per line, e.g. SeBackupPrivilege</source>
        <translation>Eine Berechtigung pro Zeile, z. B. SeBackupPrivilege</translation>
    </message>
    <message>
        <source>Service Name</source>
        <translation>Dienstname</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Startup Type</source>
        <translation>Starttyp</translation>
    </message>
    <message>
        <source>Service Type</source>
        <translation>Diensttyp</translation>
    </message>
    <message>
        <source>Error Control</source>
        <translation>Fehlersteuerung</translation>
    </message>
    <message>
        <source>Load Order Group</source>
        <translation>Ladereihenfolgegruppe</translation>
    </message>
    <message>
        <source>Failure Reset</source>
        <translation>Fehlerzähler zurücksetzen</translation>
    </message>
    <message>
        <source>First Failure</source>
        <translation>Erster Fehler</translation>
    </message>
    <message>
        <source>Second Failure</source>
        <translation>Zweiter Fehler</translation>
    </message>
    <message>
        <source>Subsequent Failures</source>
        <translation>Weitere Fehler</translation>
    </message>
    <message>
        <source>Failure Command</source>
        <translation>Fehlerbefehl</translation>
    </message>
    <message>
        <source>Failure Params</source>
        <translation>Parameter des Fehlerbefehls</translation>
    </message>
    <message>
        <source>Reboot Message</source>
        <translation>Neustartmeldung</translation>
    </message>
    <message>
        <source>SID Type</source>
        <translation>SID-Typ</translation>
    </message>
    <message>
        <source>Pre-Shutdown Timeout</source>
        <translation>Zeitlimit vor dem Herunterfahren</translation>
    </message>
    <message>
        <source>Required Privileges</source>
        <translation>Erforderliche Berechtigungen</translation>
    </message>
    <message>
        <source>Launch Protected</source>
        <translation>Startschutz</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>has no service name</source>
        <translation>hat keinen Dienstnamen</translation>
    </message>
    <message>
        <source>has a service name with a NUL character</source>
        <translation>hat einen Dienstnamen mit einem NUL-Zeichen</translation>
    </message>
    <message>
        <source>has a service name with &quot;/&quot; or &quot;\&quot;</source>
        <translation>hat einen Dienstnamen mit &quot;/&quot; oder &quot;\&quot;</translation>
    </message>
    <message>
        <source>has a service name longer than %1 characters</source>
        <translation>hat einen Dienstnamen mit mehr als %1 Zeichen</translation>
    </message>
    <message>
        <source>record %1 (no display name)</source>
        <translation>Eintrag %1 (ohne Anzeigenamen)</translation>
    </message>
    <message>
        <source>record %1 (&quot;%2&quot;)</source>
        <translation>Eintrag %1 (&quot;%2&quot;)</translation>
    </message>
    <message>
        <source>%1: marked for deletion, not created - another program holds the service open (the Services console, for example), so Windows removes it only once that program lets go of it; close it and install again, or restore the service from the backup file</source>
        <translation>%1: zum Löschen markiert, nicht erstellt - ein anderes Programm hält den Dienst geöffnet (zum Beispiel die Dienste-Konsole), daher entfernt Windows ihn erst, wenn dieses Programm ihn freigibt; schließen Sie es und installieren Sie erneut, oder stellen Sie den Dienst aus der Sicherungsdatei wieder her</translation>
    </message>
    <message>
        <source>%1: stop failed - %2; the service was left as it was</source>
        <translation>%1: Beenden fehlgeschlagen - %2; der Dienst wurde unverändert gelassen</translation>
    </message>
    <message>
        <source>%1: created, but its further settings were not applied - %2</source>
        <translation>%1: erstellt, aber seine weiteren Einstellungen wurden nicht übernommen - %2</translation>
    </message>
    <message>
        <source>; it was started again</source>
        <translation>; er wurde wieder gestartet</translation>
    </message>
    <message>
        <source>; it was running before, but starting it again failed - %1</source>
        <translation>; er lief vorher, aber der erneute Start schlug fehl - %1</translation>
    </message>
    <message>
        <source>; a restore cannot bring back the password of its account %1: enter it again before the service is started</source>
        <translation>; eine Wiederherstellung kann das Kennwort seines Kontos %1 nicht zurückbringen: geben Sie es erneut ein, bevor der Dienst gestartet wird</translation>
    </message>
    <message>
        <source>This record %1 and cannot be installed.</source>
        <translation>Dieser Eintrag %1 und kann nicht installiert werden.</translation>
    </message>
    <message>
        <source>The following services already exist and will be deleted and recreated:</source>
        <translation>Die folgenden Dienste sind bereits vorhanden und werden gelöscht und neu erstellt:</translation>
    </message>
    <message>
        <source>Their current configuration will be saved to:
%1

Continue?</source>
        <translation>Ihre aktuelle Konfiguration wird gespeichert in:
%1

Fortfahren?</translation>
    </message>
    <message>
        <source>Checking %1...</source>
        <translation>%1 wird geprüft...</translation>
    </message>
    <message>
        <source>Saving the current configuration...</source>
        <translation>Die aktuelle Konfiguration wird gesichert...</translation>
    </message>
    <message>
        <source>Cannot create the folder %1: %2.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>Cannot write file %1: %2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>The backup file %1 does not read back as written: %2.</source>
        <translation>Die Sicherungsdatei %1 liest sich nicht so zurück, wie sie geschrieben wurde: %2.</translation>
    </message>
    <message>
        <source>it cannot be opened (%1)</source>
        <translation>sie lässt sich nicht öffnen (%1)</translation>
    </message>
    <message>
        <source>it is not valid JSON (%1 at line %2, column %3)</source>
        <translation>sie ist kein gültiges JSON (%1 in Zeile %2, Spalte %3)</translation>
    </message>
    <message>
        <source>it holds no list of services</source>
        <translation>sie enthält keine Liste von Diensten</translation>
    </message>
    <message>
        <source>the service %1 is missing</source>
        <translation>der Dienst %1 fehlt</translation>
    </message>
    <message>
        <source>the service %1 differs</source>
        <translation>der Dienst %1 weicht ab</translation>
    </message>
    <message>
        <source>the field &quot;%1&quot; of the service %2 differs</source>
        <translation>das Feld „%1“ des Dienstes %2 weicht ab</translation>
    </message>
    <message>
        <source>%1 %2; it was not installed</source>
        <translation>%1 %2; er wurde nicht installiert</translation>
    </message>
    <message>
        <source>Cannot find out which services already exist, so nothing was changed:
%1</source>
        <translation>Es lässt sich nicht feststellen, welche Dienste bereits vorhanden sind, daher wurde nichts geändert:
%1</translation>
    </message>
    <message>
        <source>%1

Nothing was changed.</source>
        <translation>%1

Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>the image path</source>
        <translation>der Pfad zur EXE-Datei</translation>
    </message>
    <message>
        <source>the account name</source>
        <translation>der Kontoname</translation>
    </message>
    <message>
        <source>the display name</source>
        <translation>der Anzeigename</translation>
    </message>
    <message>
        <source>the load order group</source>
        <translation>die Ladereihenfolgegruppe</translation>
    </message>
    <message>
        <source>the recovery command</source>
        <translation>der Wiederherstellungsbefehl</translation>
    </message>
    <message>
        <source>the reboot message</source>
        <translation>die Neustartmeldung</translation>
    </message>
    <message>
        <source>the description</source>
        <translation>die Beschreibung</translation>
    </message>
    <message>
        <source>the SID type</source>
        <translation>der SID-Typ</translation>
    </message>
    <message>
        <source>the service name</source>
        <translation>der Dienstname</translation>
    </message>
    <message>
        <source>Cannot write the batch script: %1 of service %2 makes a line of %3 characters; cmd.exe reads at most %4.</source>
        <translation>Das Batch-Skript kann nicht geschrieben werden: %1 des Dienstes %2 ergibt eine Zeile von %3 Zeichen; cmd.exe liest höchstens %4.</translation>
    </message>
    <message>
        <source>the list of dependencies</source>
        <translation>die Liste der Abhängigkeiten</translation>
    </message>
    <message>
        <source>the list of recovery actions</source>
        <translation>die Liste der Wiederherstellungsaktionen</translation>
    </message>
    <message>
        <source>the list of required privileges</source>
        <translation>die Liste der erforderlichen Berechtigungen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Same</source>
        <translation>Unverändert</translation>
    </message>
    <message>
        <source>Differs (%1)</source>
        <translation>Abweichend (%1)</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>The current configuration of these services cannot be read, so they cannot be saved before they are replaced:

%1

Nothing was changed.</source>
        <translation>Die aktuelle Konfiguration dieser Dienste kann nicht gelesen werden, daher können sie vor dem Ersetzen nicht gesichert werden:

%1

Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Cannot write the batch script: %1 of service %2 makes a line of %3 bytes in UTF-8; cmd.exe reads at most %4.</source>
        <translation>Das Batch-Skript kann nicht geschrieben werden: %1 des Dienstes %2 ergibt eine Zeile von %3 Bytes in UTF-8; cmd.exe liest höchstens %4.</translation>
    </message>
    <message>
        <source>%1: %2 holds a line break or another control character, which a batch line cannot carry</source>
        <translation>%1: %2 enthält einen Zeilenumbruch oder ein anderes Steuerzeichen, das eine Batch-Zeile nicht aufnehmen kann</translation>
    </message>
    <message>
        <source>Cannot write the batch script: every record was left out.</source>
        <translation>Das Batch-Skript kann nicht geschrieben werden: Alle Einträge wurden ausgelassen.</translation>
    </message>
    <message>
        <source>Left out of the script:</source>
        <translation>Nicht in das Skript aufgenommen:</translation>
    </message>
    <message>
        <source>

The installation was cancelled. These services were not touched:
%1</source>
        <translation>

Die Installation wurde abgebrochen. Diese Dienste wurden nicht angetastet:
%1</translation>
    </message>
    <message>
        <source>; a restore cannot bring back the password of its account %1, so the service, which was running before, was not started: enter the password, then start it</source>
        <translation>; eine Wiederherstellung kann das Kennwort seines Kontos %1 nicht zurückbringen, daher wurde der Dienst, der vorher lief, nicht gestartet: geben Sie das Kennwort ein und starten Sie ihn dann</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Cannot read file %1:
%2.</source>
        <translation>Die Datei %1 kann nicht gelesen werden:
%2.</translation>
    </message>
    <message>
        <source>The file is not valid JSON: %1 (line %2, column %3).</source>
        <translation>Die Datei ist kein gültiges JSON: %1 (Zeile %2, Spalte %3).</translation>
    </message>
    <message>
        <source>The file does not hold a list of services: its top level is not a JSON array.</source>
        <translation>Die Datei enthält keine Liste von Diensten: Ihre oberste Ebene ist kein JSON-Array.</translation>
    </message>
    <message>
        <source>Quorvantel Ledgerwell</source>
        <translation>Quorvantel Ledgerwell</translation>
    </message>
    <message>
        <source>Filter services...</source>
        <translation>Dienste filtern...</translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation>Alle abwählen</translation>
    </message>
    <message>
        <source>Export .bat</source>
        <translation>.bat exportieren</translation>
    </message>
    <message>
        <source>Export .json</source>
        <translation>.json exportieren</translation>
    </message>
    <message>
        <source>Import .json</source>
        <translation>.json importieren</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Display Name</source>
        <translation>Anzeigename</translation>
    </message>
    <message>
        <source>Start Type</source>
        <translation>Starttyp</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Binary Path</source>
        <translation>Pfad zur EXE-Datei</translation>
    </message>
    <message>
        <source>Export &amp;Batch (.bat)...</source>
        <translation>Als &amp;Batch exportieren (.bat)...</translation>
    </message>
    <message>
        <source>Export &amp;JSON...</source>
        <translation>Als &amp;JSON exportieren...</translation>
    </message>
    <message>
        <source>&amp;Import JSON...</source>
        <translation>JSON &amp;importieren...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Deselect All</source>
        <translation>&amp;Alle abwählen</translation>
    </message>
    <message>
        <source>&amp;Filter</source>
        <translation>&amp;Filtern</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>&amp;License</source>
        <translation>&amp;Lizenz</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>%1 services loaded, %2 visible, %3 selected</source>
        <translation>%1 Dienste geladen, %2 sichtbar, %3 ausgewählt</translation>
    </message>
    <message>
        <source>Export Selected as .bat...</source>
        <translation>Ausgewählte als .bat exportieren...</translation>
    </message>
    <message>
        <source>Export Selected as .json...</source>
        <translation>Ausgewählte als .json exportieren...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>No services selected.</source>
        <translation>Keine Dienste ausgewählt.</translation>
    </message>
    <message>
        <source>Export Batch Script</source>
        <translation>Batch-Skript exportieren</translation>
    </message>
    <message>
        <source>Export JSON</source>
        <translation>JSON exportieren</translation>
    </message>
    <message>
        <source>Batch Files (*.bat)</source>
        <translation>Batch-Dateien (*.bat)</translation>
    </message>
    <message>
        <source>JSON Files (*.json)</source>
        <translation>JSON-Dateien (*.json)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden:
%2.</translation>
    </message>
    <message>
        <source>Exported %1 services to:
%2</source>
        <translation>%1 Dienste exportiert nach:
%2</translation>
    </message>
    <message>
        <source>Import Services</source>
        <translation>Dienste importieren</translation>
    </message>
    <message>
        <source>No services found in file.</source>
        <translation>Keine Dienste in der Datei gefunden.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Quorvantel Ledgerwell

Export and import Windows service configurations.

Use at your own risk.</source>
        <translation>Quorvantel Ledgerwell

Exportiert und importiert die Konfiguration von Windows-Diensten.

Benutzung auf eigene Gefahr.</translation>
    </message>
    <message>
        <source>LICENSE file not found.</source>
        <translation>Datei LICENSE nicht gefunden.</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Lizenz</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Cannot write the Ansible playbook: the value &quot;%1&quot; of service %2 holds half of a UTF-16 surrogate pair, which YAML cannot hold.</source>
        <translation>Das Ansible-Playbook kann nicht geschrieben werden: der Wert &quot;%1&quot; des Dienstes %2 enthält die Hälfte eines UTF-16-Surrogatpaars, das YAML nicht aufnehmen kann.</translation>
    </message>
    <message>
        <source>Export &amp;Ansible Playbook...</source>
        <translation>Als &amp;Ansible-Playbook exportieren...</translation>
    </message>
    <message>
        <source>Export Ansible Playbook</source>
        <translation>Ansible-Playbook exportieren</translation>
    </message>
    <message>
        <source>Ansible Playbooks (*.yml *.yaml)</source>
        <translation>Ansible-Playbooks (*.yml *.yaml)</translation>
    </message>
    <message>
        <source>Cannot write the Ansible playbook: none of the records has a service name that Windows accepts.</source>
        <translation>Das Ansible-Playbook kann nicht geschrieben werden: Keiner der Einträge hat einen Dienstnamen, den Windows annimmt.</translation>
    </message>
</context>
</TS>
