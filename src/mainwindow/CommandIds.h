#pragma once

// The numbers of the main window's commands. A command's status-bar prompt and tool tip are
// looked up through its entry in MainCommands().
namespace CommandId {

inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int RecentFile = 57616;
inline constexpr int AppExit = 57665;
inline constexpr int Parameter = 32785;
inline constexpr int EditUndo = 57643;
inline constexpr int EditCut = 57635;
inline constexpr int EditCopy = 57634;
inline constexpr int EditPaste = 57637;
inline constexpr int Run = 32771;
inline constexpr int RetryRun = 32774;
inline constexpr int PageOption = 32779;
inline constexpr int PagePruefdatei = 32788;
inline constexpr int PageMuster = 32780;
inline constexpr int PageDatum = 32781;
inline constexpr int PageDateien = 32782;
inline constexpr int PageZip = 32784;
inline constexpr int PageUnzip = 32789;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;

} // namespace CommandId
