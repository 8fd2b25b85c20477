#pragma once

#include <QString>

// The program's German texts. Every user-visible text is looked up here by its number,
// so that a text is written down exactly once.

// Text of string-table entry `id`; an empty string for an unknown id.
// Format texts keep their printf conversions ("%I64d", "%s", "%%") as written;
// the caller fills them.
QString LoadStr(int id);

// Caption of the dialog control `controlId` as its dialog template shows it
// (the check boxes of the option pages among them); empty for an unknown id.
QString ControlText(int controlId);

// The notes that the title control 1071 of an option page shows. The pages "Option" and
// "Dateien" show the first; all other pages show the second.
QString PageNoteStarredOptions();
QString PageNoteWholePage();

// The option pages show some labels and group boxes that have no control id of their
// own in their templates. These ids, taken from a range no dialog uses, let those captions
// be looked up with ControlText like every other caption.
namespace LabelId {
inline constexpr int ThreadCount = 2101;       // page "Option", label of edit 2009
inline constexpr int ThreadCountMarker = 2102; // page "Option", the "(*)" beside edit 2009
inline constexpr int LogFile = 2103;           // page "Option", label of edit 2022
inline constexpr int FilePatterns = 2104;      // pages "Muster" and "Komprimieren", group box
inline constexpr int DirPatterns = 2105;       // page "Muster", group box
inline constexpr int CopiedList = 2106;        // page "Dateien", group box of edit 2029
inline constexpr int RetryList = 2107;         // page "Dateien", group box of edit 2032
inline constexpr int SkippedList = 2108;       // page "Dateien", group box of edit 2035
inline constexpr int DateFrom = 2109;          // page "Datum", label of edit 2048
inline constexpr int DateTo = 2110;            // page "Datum", label of edit 2049
inline constexpr int Days = 2111;              // page "Datum", label of edit 2051
inline constexpr int Hours = 2112;             // page "Datum", label of edit 2050
inline constexpr int Today = 2113;             // page "Datum", label of edit 1065
inline constexpr int MinSize = 2114;           // page "Komprimieren", label of edit 1103
inline constexpr int MinSizeUnit = 2115;       // page "Komprimieren", unit after edit 1103
inline constexpr int MaxSize = 2116;           // page "Komprimieren", label of edit 1104
inline constexpr int MaxSizeUnit = 2117;       // page "Komprimieren", unit after edit 1104
inline constexpr int SizeBounds = 2118;        // page "Komprimieren", group box of 1103 and 1104
inline constexpr int CheckFile = 2119;         // page "Prüfdatei", label of edit 2039
} // namespace LabelId
