#include "resources/Strings.h"

#include <algorithm>
#include <span>

namespace {

struct Entry {
    int id;
    const char16_t *text;
};

// Both tables are sorted by id, which the lookup's binary search relies on.
constexpr Entry kStrings[] = {
    {128, u"Zelvaron\n\nZelvaron\nDateityp Zelvaron (*.zelv)\n.zelv\nZelvaron.Document\nZelvaron Document"},
    {200, u"Neu"},
    {201, u"Ändern"},
    {202, u"Bestimmen der Dateien ..."},
    {203, u"Kopiere Datei ..."},
    {204, u"Vergleiche Datei ..."},
    {205, u"*** Fertig ***"},
    {206, u"Kopieren"},
    {207, u"Sollen die %d Einträge aus der Liste entfernt werden ?"},
    {208, u"Soll das Kopieren abgebrochen werden ?"},
    {209, u"Schließen"},
    {210, u"Soll die Aktion abgebrochen werden ?"},
    {211, u"Abbrechen"},
    {212, u"Dekomprimiere Datei ..."},
    {213, u"Komprimiere Datei ..."},
    {214, u"Parameter"},
    {215, u"Temporäres Verzeichnis auswählen"},
    {216, u"Verzeichnis anlegen ..."},
    {217, u"Leere Zielverzeichnisse löschen ..."},
    {218, u"In Arbeit ..."},
    {219, u"Leere Quellverzeichnisse löschen ..."},
    {220, u"Sollen nach einem erfolgreichen Kopieren die Quelldateien wirklich gelöscht werden?"},
    {300, u"%0.2f MB"},
    {301, u"%0.2f GB"},
    {302, u"%0.2f KB"},
    {303, u"%H:%M:%S"},
    {304, u"%d.%m.%Y %H:%M:%S"},
    {306, u"*** Fertig ***"},
    {307, u"[Archivbit nicht gesetzt] - %s"},
    {308, u"[Datei entspricht dem Muster] - %s"},
    {309, u"[Datei entspricht nicht dem Muster] - %s"},
    {310, u"[Verzeichnis entspricht dem Muster] - %s"},
    {311, u"[Verzeichnis entspricht nicht dem Muster] - %s"},
    {312, u"Gesamtanzahl der Dateien: %d, davon erfolgreich kopiert: %d"},
    {313, u"Gesamtgröße der Dateien: %I64d Bytes (%s), davon erfolgreich kopiert: %I64d Bytes (%s)"},
    {314, u"Entweder kein aktiver Listeneintrag vorhanden\noder nicht alle Quellverzeichnisse der aktiven Einträge vorhanden."},
    {315, u"%s Fehler beim Schreiben des Dateidatums in die Datei: %s,  [%s]"},
    {316, u"%s Fehler beim Lesen des Dateidatums aus der Datei: %s,  [%s]"},
    {317, u"%s Fehler beim Öffnen der Datei: %s,  [%s]"},
    {318, u"[Von-Datum > File-Änderungsdatum] - %s"},
    {319, u"[Bis-Datum < File-Änderungsdatum] - %s"},
    {320, u"Abbruch durch den Benutzer beim Vergleichen.\r\n"},
    {321, u"%s Fehler beim Vergleichen. Quelldatei=%s, Zieldatei=%s\r\n"},
    {322, u"%s Einlesefehler beim Vergleichen. Quelldatei=%s, Zieldatei=%s\r\n"},
    {323, u"Starte Job %d\r\n"},
    {324, u"Beende Job %d  (%d Fehler)\r\n"},
    {325, u"%s ReadOnly-Flag der Zieldatei \"%s\" zurückgesetzt.\r\n"},
    {326, u"Alle aktiven Quellverzeichnisse sind vorhanden.\r\n\r\n"},
    {328, u"Folgende aktive Quellverzeichnisse sind nicht vorhanden:\r\n"},
    {330, u"Verzeichnis der Quelldateien aussuchen"},
    {331, u"Verzeichnis der Zieldateien aussuchen"},
    {332, u"Keine gültige Projektdatei."},
    {333, u"Achtung: Verzeichnis nicht angegeben !!"},
    {334, u"Der Batchmodus oder Option Autostart\r\nwird in %d Sekunden gestartet."},
    {336, u"%d Fehler"},
    {337, u"%s Löschen der Zieldatei: \"%s\" fehlgeschlagen. %s."},
    {338, u"Job %d, Protokolldatei angelegt\r\n"},
    {339, u"Job %d - %s"},
    {340, u"Endezeit: %s"},
    {341, u"Quellverzeichnis: %s"},
    {342, u"Zielverzeichnis: %s"},
    {343, u"Benötigte Zeit (Std:Min:Sek): %02d:%02d:%02d"},
    {344, u"Anzahl aller Dateien: %d, davon erfolgreich kopiert: %d"},
    {345, u"Größe aller Dateien: %I64d Byte (%s), davon erfolgreich kopiert: %I64d Byte (%s)"},
    {346, u"Fehleranzahl: %d"},
    {347, u"Abbruch der Aktion beim Bestimmen aller Dateinamen"},
    {348, u"Abbruch der Aktion beim Bestimmen aller Dateinamen.\r\n"},
    {349, u"%d Datei(en)"},
    {350, u"%d von %d Datei(en)"},
    {351, u"Aufruf im Batchmodus (/BATCH)"},
    {352, u"%s Zusammenfassung %s"},
    {353, u"Startzeit: %s"},
    {354, u"Endezeit: %s"},
    {355, u"Gesamtfehleranzahl: %d"},
    {356, u"Anzahl der Jobs (aktive Einträge): %d"},
    {357, u"Anzahl Threads: %d"},
    {358, u"Mit Unterverzeichnissen: %s"},
    {359, u"%s|%s"},
    {360, u"%s"},
    {361, u"Prüfdatei: %s"},
    {362, u"[Steht in der Prüfdatei] - %s"},
    {363, u"Kopierdatei: %s"},
    {364, u"Abbruch durch den Benutzer.\r\n"},
    {365, u"Abbruch durch den Benutzer."},
    {366, u"[Quelldatei bereits im Zielverzeichnis vorhanden] - %s"},
    {367, u"[Quelldatei nicht im Zielverzeichnis vorhanden] - %s"},
    {368, u"Verzeichnis auswählen"},
    {369, u"Einlesen ..."},
    {372, u"Es werden nur die Dateien kopiert, deren Änderungsdatum >= %s und <= %s ist"},
    {374, u"%s|%I64d|%I64d|%s\r\n"},
    {375, u"HINWEIS: Das Archivbit der Quelldatei: %s konnte nicht zurückgesetzt werden. Uhrzeit: %s"},
    {376, u"Der Rechner wird von Zelvaron heruntergefahren und neu gestartet"},
    {377, u"Der Rechner wird von Zelvaron heruntergefahren"},
    {378, u"Quellverzeichnis anzeigen: %s"},
    {379, u"Zielverzeichnis anzeigen: %s"},
    {381, u"\\\\?\\"},
    {382, u"%d / %d"},
    {383, u"Anzahl der übersprungenen Dateien: %d, Anzahl der übersprungenen Verzeichnisse: %d"},
    {398, u"Version von Zelvaron: %s"},
    {399, u"Gesamtgröße der komprimierten Dateien: %I64d Bytes (%s)"},
    {400, u"Nur Dateien die in der Größe zwischen %s und %s liegen werden komprimiert"},
    {401, u"Gesamtanzahl der Dateien, die nicht komprimiert werden konnten oder sollten: %d"},
    {402, u"Keine Komprimierung der Datei: \"%s\" wegen der Dateigröße "},
    {403, u"Keine Komprimierung der Datei: \"%s\" wegen des Dateimusters "},
    {404, u"Keine Komprimierung der Datei: \"%s\" wegen eines Komprimierungsfehlers"},
    {405, u"%s Zielverzeichnis: \"%s\" kann nicht angelegt werden. Fehler: %s"},
    {406, u"%s Fehler beim Kopieren. Quelldatei: \"%s\", Zieldatei: \"%s\", Fehler: %s"},
    {407, u"Feld \"Alte Zeichenkette\" darf nicht leer sein !"},
    {408, u"HINWEIS: Die Prüfsumme der Quelldatei: %s konnte nicht gebildet werden. Uhrzeit: %s"},
    {409, u"Fehler beim Dekomprimieren: %s"},
    {410, u"%s Verzeichnisrechte des Zielverzeichnisses: \"%s\" konnten nicht übertragen werden. Fehler: %s"},
    {412, u"Anzahl aller Verzeichnisse: %d, davon erfolgreich angelegt: %d"},
    {413, u"%d von %d Verzeichn."},
    {414, u"Gesamtanzahl der Verzeichnisse: %d, davon erfolgreich angelegt: %d"},
    {415, u"Zielverzeichnis: \"%s\" kann nicht angelegt werden.\nFehler: %s"},
    {416, u"Die Verzeichnisrechte des Quellverzeichnisses konnten nicht ausgelesen werden.\nFehler: %s"},
    {417, u"Die Verzeichnisrechte konnten nicht an das Zielverzeichnis übertragen  werden.\nFehler: %s"},
    {418, u"Zielverzeichnis erfolgreich angelegt."},
    {419, u"Verzeichnisrechte erfolgreich übertragen."},
    {420, u"Sicherung vom %s\r\n\r\n%s Fehler."},
    {422, u"Anzahl gelöschter leerer Zielverzeichnisse: %d, Anzahl durchsuchter Zielverzeichnisse: %d"},
    {423, u"geschätzte Ende Zeit"},
    {424, u"Ende Zeit"},
    {425, u"Geschwindigkeit: %s"},
    {426, u"Der Benutzer ist Administrator"},
    {427, u"Der Benutzer ist kein Administrator"},
    {428, u"%s Löschen der Quelldatei: \"%s\" fehlgeschlagen. %s."},
    {429, u"Anzahl gelöschter leerer Quellverzeichnisse: %d, Anzahl durchsuchter Quellverzeichnisse: %d"},
    {32771, u"Kopieren wird begonnen. Alle aktiven Einträge werden abgearbeitet\nKopieren wird begonnen"},
};

constexpr Entry kControls[] = {
    {1005, u"..."},
    {1007, u"..."},
    {1008, u"Aktiv"},
    {1009, u"Unterverzeichnisse mitkopieren"},
    {1024, u"Zusammenfassung"},
    {1029, u"Anzahl Fehler"},
    {1033, u"Meldungen"},
    {1044, u"Achtung"},
    {1063, u"Es werden alle Dateien kopiert, deren Änderungsdatum größer oder gleich dem aktuellem Datum minus einer bestimmten Anzahl Tage und Stunden ist."},
    {1067, u"Es werden alle Dateien kopiert, deren Änderungsdatum  im angegebenen Zeitintervall liegt. Beide Grenzen zählen zum Intervall."},
    {1077, u"Das Herunterfahren des Rechners abbrechen"},
    {1080, u"..."},
    {1082, u"Mit Unterverzeichnissen"},
    {1083, u"Nur Dateien mit Streams anzeigen"},
    {1101, u"..."},
    {1107, u"Austauschen in der Spalte Quellverzeichnis"},
    {1108, u"Austauschen in der Spalte Ziellverzeichnis"},
    {1110, u"Prüfdatei"},
    {1112, u"..."},
    {1113, u"Anzeigen ..."},
    {1114, u"Kopierdatei"},
    {1116, u"..."},
    {1117, u"Anzeigen ..."},
    {1120, u"Groß- und Kleinschreibung beachten"},
    {1127, u"..."},
    {1128, u"..."},
    {1129, u"Verzeichnisrechte kopieren"},
    {1132, u"Status des letzten Kopierens\r\nbei der nächsten Anmeldung anzeigen"},
    {1134, u"Leere Zielverzeichnisse löschen (*)"},
    {1135, u"einschliesslich Rootverzeichnis (*)"},
    {1138, u"Ende Zeit"},
    {2001, u"Neu ..."},
    {2002, u"Ändern ..."},
    {2003, u"Kopieren ..."},
    {2004, u"Löschen ..."},
    {2005, u"Testen"},
    {2011, u"Nur Dateien mit gesetztem Archivbit kopieren (*)"},
    {2012, u"Archivbit nach dem Kopieren zurücksetzen"},
    {2013, u"Nach dem Kopieren alle Dateien vergleichen"},
    {2014, u"Aktuelles Datum an Zielverzeichnis anfügen (*)"},
    {2015, u"Zieldatei im Fehlerfall löschen"},
    {2016, u"Nur Dateien kopieren, die den Mustern entsprechen"},
    {2017, u"Dateien, die den Mustern entsprechen werden NICHT kopiert"},
    {2020, u"Nach dem Starten als Symbol darstellen"},
    {2021, u"Nach dem Kopieren das Programm beenden"},
    {2023, u"..."},
    {2024, u"Anzeigen ..."},
    {2025, u"Nur Verzeichnisse kopieren, die den Mustern entsprechen (ACHTUNG: Es werden keine Unterverzeichnisse kopiert)"},
    {2027, u"Verzeichnisse (einschließlich deren Unterverzeichnisse), die den Mustern entsprechen werden NICHT kopiert"},
    {2030, u"..."},
    {2031, u"Anzeigen ..."},
    {2033, u"..."},
    {2034, u"Anzeigen ..."},
    {2036, u"..."},
    {2037, u"Anzeigen ..."},
    {2041, u"..."},
    {2043, u"Anzeigen ..."},
    {2044, u"Nur alle Dateien einlesen (kein Kopieren) (*)"},
    {2045, u"Verzeichnisrechte übernehmen (*)"},
    {2046, u"Nur Verzeichnisse anlegen. (Keine Dateien kopieren) (*)"},
    {2051, u"Datei am Projektende löschen"},
    {2052, u"Datei am Projektende löschen"},
    {2053, u"Datei am Projektende löschen"},
    {2054, u"Nur Dateien die im Zielverzeichnis vorhanden sind kopieren (*)"},
    {2055, u"Nur Dateien die im Zielverzeichnis NICHT vorhanden sind kopieren (*)"},
    {2056, u"Kopieren mit den Daten der Kopierdatei"},
    {2057, u"Rechner nach dem Kopieren herunterfahren (*)"},
    {2058, u"Rechner neu starten (*)"},
    {2059, u"Quelldateien nach einem erfolgreichen Kopieren löschen (*)"},
    {2060, u"Autostart (*)"},
    {2061, u"Dateien, die den Mustern entsprechen werden NICHT komprimiert"},
    {2063, u"Dateien komprimieren"},
    {2064, u"Komprimierte Dateien vor dem Kopieren überprüfen"},
    {2066, u"Prüfsumme"},
    {2067, u"Dateien dekomprimieren (Es werden nur die ZIP-Dateien dekomprimiert, die mit Zelvaron komprimiert wurden)"},
    {2068, u"Lange Dateinamen erlauben"},
    {2070, u"Kein Datum"},
    {2071, u"Relatives Datum"},
    {2072, u"Absolutes Datum"},
    {2075, u"Protokolldatei"},
    {2076, u"Prüfdatei"},
    {2077, u"Kopierdatei"},
    {LabelId::ThreadCount, u"Anzahl Threads"},
    {LabelId::ThreadCountMarker, u"(*)"},
    {LabelId::LogFile, u"Protokolldatei"},
    {LabelId::FilePatterns, u"Muster für Dateien"},
    {LabelId::DirPatterns, u"Muster für Verzeichnisse"},
    {LabelId::CopiedList, u"Hier werden alle erfolgreich kopierten Dateien eingetragen (Quelldateiname mit Verzeichnis)"},
    {LabelId::RetryList, u"Kopierdatei - Hier werden alle NICHT erfolgreich kopierten Dateien eingetragen "},
    {LabelId::SkippedList, u"Hier werden alle Dateien eingetragen, die übersprungen wurden (wegen der angegebenen Kriterien) (*)"},
    {LabelId::DateFrom, u"Von Datum (tt.mm.jjjj hh.mm.ss)"},
    {LabelId::DateTo, u"Bis Datum (tt.mm.jjjj hh.mm.ss)"},
    {LabelId::Days, u"Tage"},
    {LabelId::Hours, u"Stunden"},
    {LabelId::Today, u"Heute"},
    {LabelId::MinSize, u"untere Grenze"},
    {LabelId::MinSizeUnit, u"Byte"},
    {LabelId::MaxSize, u"obere Grenze"},
    {LabelId::MaxSizeUnit, u"MByte"},
    {LabelId::SizeBounds, u"Dateigrößen (Dateien, die außerhalb der angegebenen Grenzen liegen werden nicht komprimiert)"},
    {LabelId::CheckFile, u"Prüfdatei"},
};

constexpr bool isStrictlyAscending(std::span<const Entry> table)
{
    return std::adjacent_find(table.begin(), table.end(),
                              [](const Entry &a, const Entry &b) { return a.id >= b.id; })
        == table.end();
}

static_assert(isStrictlyAscending(kStrings), "string table must be sorted by id without duplicates");
static_assert(isStrictlyAscending(kControls), "control table must be sorted by id without duplicates");

QString lookup(std::span<const Entry> table, int id)
{
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const Entry &entry, int key) { return entry.id < key; });
    if (it == table.end() || it->id != id)
        return QString();
    return QString::fromUtf16(it->text);
}

} // namespace

QString LoadStr(int id)
{
    return lookup(kStrings, id);
}

QString ControlText(int controlId)
{
    return lookup(kControls, controlId);
}

QString PageNoteStarredOptions()
{
    return QStringLiteral("Alle Optionen mit (*) werden beim \"Kopieren mit Kopierdatei\" nicht verwendet.");
}

QString PageNoteWholePage()
{
    return QStringLiteral("Alle Einträge dieser Seite werden beim \"Kopieren mit Kopierdatei\" nicht verwendet.");
}
