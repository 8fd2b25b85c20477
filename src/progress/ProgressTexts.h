#pragma once

// String-table numbers of the run window's captions and labels.
inline constexpr int kTextWindowCaption = 5400;   // "Sicherung - Fortschrittsanzeige"
inline constexpr int kTextStartTimeLabel = 5401;  // "Beginn Zeit"
inline constexpr int kTextDurationLabel = 5402;   // "Benötigte Zeit"
inline constexpr int kTextSkippedLabel = 5403;    // "Übersprungen (Dat./Verz.)"
inline constexpr int kTextSourceLabel = 5404;     // "Quelle:"
inline constexpr int kTextTargetLabel = 5405;     // "Ziel:"
inline constexpr int kTextRemainingLabel = 5406;  // "Geschätzte Restzeit (Std:Min:Sek):"
inline constexpr int kTextSpeedLabel = 5407;      // "Geschwindigkeit:"
inline constexpr int kTextYes = 5408;             // "Ja"
inline constexpr int kTextNo = 5409;              // "Nein"
inline constexpr int kTextRunNotStarted = 5410; // "Der Kopiervorgang konnte nicht gestartet werden: Das System hat keinen weiteren Thread zugelassen.\r\n"
inline constexpr int kTextCancelButton = 211;     // "Abbrechen"
inline constexpr int kTextCancelQuestion = 208;   // "Soll das Kopieren abgebrochen werden ?"
inline constexpr int kTextCloseButton = 209;      // "Schließen"
inline constexpr int kTextEstimatedEndLabel = 423; // "geschätzte Ende Zeit"
inline constexpr int kTextEndLabel = 424;         // "Ende Zeit"
inline constexpr int kTextShutdownReboot = 376;
inline constexpr int kTextShutdownPowerOff = 377;

// Control numbers of the run window whose captions come from the control table.
inline constexpr int kControlSummaryBox = 1024;
inline constexpr int kControlErrorLabel = 1029;
inline constexpr int kControlMessageBox = 1033;
inline constexpr int kControlEndTimeLabel = 1138;
