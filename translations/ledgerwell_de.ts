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
</context>
</TS>
