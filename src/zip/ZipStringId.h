#pragma once

// Numbers of the string-table texts the ZIP module uses.
namespace ZipStringId {

// "Fehler beim Dekomprimieren der Datei: '%s' aus dem ZIP-Archiv: '%s'"
inline constexpr int EntryNotOpened = 430;

} // namespace ZipStringId
