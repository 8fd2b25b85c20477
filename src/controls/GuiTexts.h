#pragma once

// String-table numbers of the texts the desktop windows show besides the numbered texts
// they share with the engine.
namespace GuiText {

inline constexpr int Ok = 5700;
inline constexpr int Yes = 5701;
inline constexpr int No = 5702;
inline constexpr int Apply = 5703;
inline constexpr int Ready = 5704;
inline constexpr int Untitled = 5705;
inline constexpr int SaveChangesQuestion = 5706;
inline constexpr int ListFilesNotDeleted = 5707;
inline constexpr int IntegerRange = 5708;
inline constexpr int TextFileFilter = 5709;
inline constexpr int AllFilesFilter = 5710;

// Menu titles.
inline constexpr int MenuFile = 5720;
inline constexpr int MenuEdit = 5721;
inline constexpr int MenuAction = 5722;
inline constexpr int MenuNavigation = 5723;
inline constexpr int MenuView = 5724;

// Menu items; the accelerator follows a tab.
inline constexpr int ItemNew = 5730;
inline constexpr int ItemOpen = 5731;
inline constexpr int ItemSave = 5732;
inline constexpr int ItemSaveAs = 5733;
inline constexpr int ItemParameter = 5734;
inline constexpr int ItemRecentFile = 5735;
inline constexpr int ItemExit = 5736;
inline constexpr int ItemUndo = 5737;
inline constexpr int ItemCut = 5738;
inline constexpr int ItemCopy = 5739;
inline constexpr int ItemPaste = 5740;
inline constexpr int ItemRun = 5741;
inline constexpr int ItemRetryRun = 5742;
inline constexpr int ItemPageOption = 5743; // the seven page items follow in tab order
inline constexpr int ItemToolbar = 5750;
inline constexpr int ItemStatusBar = 5751;

// Status-bar prompt and tool tip of a command, separated by a line feed.
inline constexpr int PromptNew = 5760;
inline constexpr int PromptOpen = 5761;
inline constexpr int PromptSave = 5762;
inline constexpr int PromptSaveAs = 5763;
inline constexpr int PromptParameter = 5764;
inline constexpr int PromptExit = 5765;
inline constexpr int PromptUndo = 5766;
inline constexpr int PromptCut = 5767;
inline constexpr int PromptCopy = 5768;
inline constexpr int PromptPaste = 5769;
inline constexpr int PromptRetryRun = 5770;
inline constexpr int PromptPageOption = 5771; // the seven page prompts follow in tab order
inline constexpr int PromptToolbar = 5778;
inline constexpr int PromptStatusBar = 5779;
inline constexpr int PromptRecentFile = 5780;

// Job list columns, in column order.
inline constexpr int ColumnJob = 5790;

// Tool tips of the job list buttons 2001 to 2007, in id order ("\n" followed by the tip).
inline constexpr int TipNewButton = 5800;

// Captions of the seven option pages, in tab order.
inline constexpr int PageOption = 5810;

// Job entry dialog.
inline constexpr int LabelSourceDir = 5820;
inline constexpr int LabelTargetDir = 5821;

// Parameter sheet.
inline constexpr int PageGeneral = 5830;
inline constexpr int GroupTempDir = 5831;
inline constexpr int TempDirNote = 5832;

// Windows of unattended operation.
inline constexpr int CountdownCaption = 5840;
inline constexpr int StatusCaption = 5845;
inline constexpr int StatusCloseButton = 5846;
inline constexpr int AutostartEntryLeft = 5847;

// Texts of the string table the job list's directory test uses for target directories.
inline constexpr int AllTargetsExist = 327;
inline constexpr int MissingTargets = 329;

} // namespace GuiText
