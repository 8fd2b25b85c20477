#include "resources/Strings.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <QStringList>

#include <functional>
#include <set>
#include <string>

namespace {

// Every id a string-table entry or a dialog control can have (resource ids are 16-bit).
constexpr int kLastResourceId = 0xFFFF;

struct TextRow {
    int id;
    const char16_t *expected;
};

// Calls `visit` with every non-empty text of both tables and the two page notes.
void forEachText(const std::function<void(const QString &where, const QString &text)> &visit)
{
    for (int id = 0; id <= kLastResourceId; ++id) {
        const QString text = LoadStr(id);
        if (!text.isEmpty())
            visit(QStringLiteral("LoadStr(%1)").arg(id), text);
        const QString caption = ControlText(id);
        if (!caption.isEmpty())
            visit(QStringLiteral("ControlText(%1)").arg(id), caption);
    }
    visit(QStringLiteral("PageNoteStarredOptions"), PageNoteStarredOptions());
    visit(QStringLiteral("PageNoteWholePage"), PageNoteWholePage());
}

QString hexDump(const QString &text)
{
    QStringList units;
    for (const QChar c : text)
        units << QString::number(c.unicode(), 16);
    return units.join(QLatin1Char(' '));
}

} // namespace

TEST(Strings, UnknownIdIsEmpty)
{
    EXPECT_TRUE(LoadStr(-1).isEmpty());
    EXPECT_TRUE(LoadStr(0).isEmpty());
    EXPECT_TRUE(LoadStr(kLastResourceId + 1).isEmpty());
    EXPECT_TRUE(ControlText(-1).isEmpty());
    EXPECT_TRUE(ControlText(0).isEmpty());
    // An edit field has no caption of its own.
    EXPECT_TRUE(ControlText(2062).isEmpty());
}

TEST(Strings, RepresentativeTextsAreExact)
{
    const TextRow rows[] = {
        {128, u"Zelvaron\n\nZelvaron\nDateityp Zelvaron (*.zelv)\n.zelv\nZelvaron.Document\nZelvaron Document"},
        {201, u"\u00C4ndern"},
        {207, u"Sollen die %d Eintr\u00E4ge aus der Liste entfernt werden ?"},
        {306, u"*** Fertig ***"},
        {313, u"Gesamtgr\u00F6\u00DFe der Dateien: %I64d Bytes (%s), davon erfolgreich kopiert: %I64d Bytes (%s)"},
        {317, u"%s Fehler beim \u00D6ffnen der Datei: %s,  [%s]"},
        {323, u"Starte Job %d\r\n"},
        {324, u"Beende Job %d  (%d Fehler)\r\n"},
        {334, u"Der Batchmodus oder Option Autostart\r\nwird in %d Sekunden gestartet."},
        {374, u"%s|%I64d|%I64d|%s\r\n"},
        {376, u"Der Rechner wird von Zelvaron heruntergefahren und neu gestartet"},
        {377, u"Der Rechner wird von Zelvaron heruntergefahren"},
        {381, u"\\\\?\\"},
        {398, u"Version von Zelvaron: %s"},
        {400, u"Nur Dateien die in der Gr\u00F6\u00DFe zwischen %s und %s liegen werden komprimiert"},
        {402, u"Keine Komprimierung der Datei: \"%s\" wegen der Dateigr\u00F6\u00DFe "},
        {417, u"Die Verzeichnisrechte konnten nicht an das Zielverzeichnis \u00FCbertragen  werden.\nFehler: %s"},
        {420, u"Sicherung vom %s\r\n\r\n%s Fehler."},
        {32771, u"Kopieren wird begonnen. Alle aktiven Eintr\u00E4ge werden abgearbeitet\nKopieren wird begonnen"},
    };
    for (const TextRow &row : rows) {
        const QString expected = QString::fromUtf16(row.expected);
        const QString actual = LoadStr(row.id);
        EXPECT_EQ(actual, expected) << "string " << row.id << ": " << hexDump(actual).toStdString();
    }
}

TEST(Strings, LongPathPrefixIsFourCharacters)
{
    const QString prefix = LoadStr(381);
    ASSERT_EQ(prefix.size(), 4);
    EXPECT_EQ(prefix.at(0), QLatin1Char('\\'));
    EXPECT_EQ(prefix.at(1), QLatin1Char('\\'));
    EXPECT_EQ(prefix.at(2), QLatin1Char('?'));
    EXPECT_EQ(prefix.at(3), QLatin1Char('\\'));
}

// A source file read in the wrong encoding would turn each umlaut into two code units.
TEST(Strings, UmlautsAreSingleCodeUnits)
{
    const QString changed = LoadStr(201);
    ASSERT_EQ(changed.size(), 6);
    EXPECT_EQ(changed.at(0).unicode(), 0x00C4);

    const QString close = LoadStr(209);
    ASSERT_EQ(close.size(), 9);
    EXPECT_EQ(close.at(6).unicode(), 0x00DF);
}

TEST(Strings, RepresentativeCaptionsAreExact)
{
    const TextRow rows[] = {
        {2011, u"Nur Dateien mit gesetztem Archivbit kopieren (*)"},
        {2012, u"Archivbit nach dem Kopieren zur\u00FCcksetzen"},
        {2027, u"Verzeichnisse (einschlie\u00DFlich deren Unterverzeichnisse), die den Mustern entsprechen werden NICHT kopiert"},
        {2051, u"Datei am Projektende l\u00F6schen"},
        {2057, u"Rechner nach dem Kopieren herunterfahren (*)"},
        {2058, u"Rechner neu starten (*)"},
        {2059, u"Quelldateien nach einem erfolgreichen Kopieren l\u00F6schen (*)"},
        {2067, u"Dateien dekomprimieren (Es werden nur die ZIP-Dateien dekomprimiert, die mit Zelvaron komprimiert wurden)"},
        {2070, u"Kein Datum"},
        {2071, u"Relatives Datum"},
        {2072, u"Absolutes Datum"},
        {1077, u"Das Herunterfahren des Rechners abbrechen"},
        {1132, u"Status des letzten Kopierens\r\nbei der n\u00E4chsten Anmeldung anzeigen"},
        {LabelId::RetryList, u"Kopierdatei - Hier werden alle NICHT erfolgreich kopierten Dateien eingetragen "},
        {LabelId::SizeBounds, u"Dateigr\u00F6\u00DFen (Dateien, die au\u00DFerhalb der angegebenen Grenzen liegen werden nicht komprimiert)"},
        {LabelId::DateFrom, u"Von Datum (tt.mm.jjjj hh.mm.ss)"},
    };
    for (const TextRow &row : rows) {
        const QString expected = QString::fromUtf16(row.expected);
        const QString actual = ControlText(row.id);
        EXPECT_EQ(actual, expected) << "control " << row.id << ": " << hexDump(actual).toStdString();
    }
}

TEST(Strings, PageNotes)
{
    EXPECT_EQ(PageNoteStarredOptions(),
              QString::fromUtf16(u"Alle Optionen mit (*) werden beim \"Kopieren mit Kopierdatei\" nicht verwendet."));
    EXPECT_EQ(PageNoteWholePage(),
              QString::fromUtf16(u"Alle Eintr\u00E4ge dieser Seite werden beim \"Kopieren mit Kopierdatei\" nicht verwendet."));
}

// Texts that the program shows in two places must not drift apart.
TEST(Strings, TextsSharedBetweenPlacesAgree)
{
    EXPECT_EQ(LoadStr(205), LoadStr(306));          // pane action line and message line at the end
    EXPECT_EQ(LoadStr(340), LoadStr(354));          // end time in job and run summary
    EXPECT_EQ(LoadStr(424), ControlText(1138));     // end-time label before and after a run
    EXPECT_EQ(LoadStr(211), QStringLiteral("Abbrechen"));
    EXPECT_EQ(ControlText(2052), ControlText(2051));
    EXPECT_EQ(ControlText(2053), ControlText(2051));
}

// Every check box, radio button, button, group box and label of the seven option pages
// has its caption in the table.
TEST(Strings, EveryOptionPageCaptionExists)
{
    const int ids[] = {
        // "Option"
        2011, 2012, 2013, 2014, 2015, 2020, 2021, 2023, 2024, 2044, 2045, 2046, 2054, 2055,
        2057, 2058, 2059, 2060, 2068, 1132, 1134, 1135, LabelId::ThreadCount,
        LabelId::ThreadCountMarker, LabelId::LogFile,
        // "Muster"
        2016, 2017, 2025, 2027, LabelId::FilePatterns, LabelId::DirPatterns,
        // "Dateien"
        2030, 2031, 2033, 2034, 2036, 2037, 2051, 2052, 2053, 2056, LabelId::CopiedList,
        LabelId::RetryList, LabelId::SkippedList,
        // "Datum"
        2070, 2071, 2072, 1063, 1067, LabelId::DateFrom, LabelId::DateTo, LabelId::Days,
        LabelId::Hours, LabelId::Today,
        // "Komprimieren"
        2061, 2063, 2064, LabelId::MinSize, LabelId::MinSizeUnit, LabelId::MaxSize,
        LabelId::MaxSizeUnit, LabelId::SizeBounds,
        // "Dekomprimieren"
        2067,
        // "Prüfdatei"
        2041, 2043, 2066, LabelId::CheckFile,
    };
    for (const int id : ids)
        EXPECT_FALSE(ControlText(id).trimmed().isEmpty()) << "control " << id;
}

// Options that a retry run ignores say so with "(*)"; the group marker must stay at the end.
TEST(Strings, RetryMarkerEndsCaption)
{
    const int ids[] = {2011, 2014, 2044, 2045, 2046, 2054, 2055, 2057, 2058, 2059, 2060, 1134, 1135};
    for (const int id : ids)
        EXPECT_TRUE(ControlText(id).endsWith(QStringLiteral(" (*)"))) << "control " << id;
}

TEST(Strings, NoTextNamesWindows)
{
    const QString forbidden[] = {
        QStringLiteral("Windows"), QStringLiteral(".exe"), QStringLiteral("Explorer"),
        QStringLiteral("Notepad"), QStringLiteral("MS Sans Serif"),
    };
    int visited = 0;
    forEachText([&](const QString &where, const QString &text) {
        ++visited;
        for (const QString &word : forbidden)
            EXPECT_FALSE(text.contains(word, Qt::CaseInsensitive))
                << where.toStdString() << " names " << word.toStdString();
    });
    EXPECT_GT(visited, 2);
}

// Tool tips of controls are keyed by the control's number, and commands carry their status
// prompt and tip in one text: the prompt, a bare line feed, then the tip, whose lines are
// separated by a bare carriage return that the tip turns into CR LF when it is shown.
bool isToolTipEntry(const QString &where)
{
    static const QRegularExpression entry(QStringLiteral("^LoadStr\\((\\d+)\\)$"));
    const QRegularExpressionMatch match = entry.match(where);
    if (!match.hasMatch())
        return false;
    const int id = match.captured(1).toInt();
    return (id >= 1000 && id < 3000) || (id >= 5760 && id <= 5779) || (id >= 5800 && id <= 5806)
        || id == 5880;
}

// Lines end in CR LF. Only a few texts separate their parts with a bare line feed: the
// document template's fields, a command's prompt and tip, and message-box texts that were
// written that way.
TEST(Strings, LineEndsAreCrLf)
{
    const std::set<std::string> bareLineFeedAllowed = {
        "LoadStr(128)", "LoadStr(314)", "LoadStr(415)", "LoadStr(416)", "LoadStr(417)", "LoadStr(32771)",
    };
    std::set<std::string> withBareLineFeed;
    forEachText([&](const QString &where, const QString &text) {
        if (isToolTipEntry(where))
            return;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == QLatin1Char('\r')) {
                EXPECT_TRUE(i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                    << where.toStdString() << ": lone CR at " << i;
            }
            if (text.at(i) == QLatin1Char('\n') && (i == 0 || text.at(i - 1) != QLatin1Char('\r')))
                withBareLineFeed.insert(where.toStdString());
        }
    });
    EXPECT_EQ(withBareLineFeed, bareLineFeedAllowed);
}

TEST(Strings, ToolTipsHaveOnePromptSeparatorAndNoCrLf)
{
    int tips = 0;
    forEachText([&](const QString &where, const QString &text) {
        if (!isToolTipEntry(where))
            return;
        ++tips;
        EXPECT_EQ(text.count(QLatin1Char('\n')), 1) << where.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("\r\n"))) << where.toStdString();
    });
    EXPECT_GT(tips, 50);
}
