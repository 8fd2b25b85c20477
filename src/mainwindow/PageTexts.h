#pragma once

#include "controls/GuiTexts.h"

// String-table numbers of the option pages' texts that have no number of their own in the
// string table's design range. The tool tips of the page controls use the control's number.
namespace PageText {

// The option pages in tab order; their captions follow one another in the string table.
enum class Tab { Option, Pruefdatei, Muster, Datum, Dateien, Zip, Unzip };
inline constexpr int TabCount = 7;

constexpr int Caption(Tab tab)
{
    return GuiText::PageOption + int(tab);
}

// The explanation of the page "Datum".
inline constexpr int DateFromOnly = 370;
inline constexpr int DateToOnly = 371;
inline constexpr int DateRange = 372;
inline constexpr int LastHours = 373;
inline constexpr int LastDays = 384;
inline constexpr int LastDaysAndHours = 385;
// Negative amounts can put the bound after the run's start.
inline constexpr int BoundAfterStart = 5883;

inline constexpr int DateTimeFormat = 304;
inline constexpr int DeleteSourcesQuestion = 220;
inline constexpr int Close = 209;

// The tool tip of the edit "Tage": its control number is also that of a check box on the
// page "Dateien", whose tip the number's string holds.
inline constexpr int DaysTip = 5880;

// Validation of the number fields; %s is the field's label.
inline constexpr int NotANumber = 5881;
inline constexpr int NumberOutOfRange = 5882;

// "Die Datei \"%s\" kann nicht geöffnet werden: %s"
inline constexpr int FileCannotBeOpened = 6102;

} // namespace PageText
