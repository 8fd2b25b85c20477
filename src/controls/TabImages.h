#pragma once

#include <QIcon>

// The images of the option tabs, one per tab in tab order ("Option", "Prüfdatei", "Muster",
// "Datum", "Dateien", "Komprimieren", "Dekomprimieren"), drawn by the program at 16 pixels and,
// for dense screens, at 32 pixels.
namespace TabImages {

inline constexpr int Count = 7;
inline constexpr int Size = 16;

// The image of tab `index`; a null icon for an index without one.
QIcon Get(int index);

} // namespace TabImages
