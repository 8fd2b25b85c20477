#pragma once

struct JobContext;

// The lines of the copied list and the Kopierdatei for the current file of `job`.

// The copied list's line with the listed source; nothing when the list is off. A carriage
// return or line feed in the name is shown by its control picture, as in every other record
// line, so that one file stays one line.
void WriteCopiedLine(JobContext &job);

// The Kopierdatei's line with the listed source and target; nothing when the list is off.
// A later run copies exactly the pair it reads back, splitting the line at its first bar and
// cutting it at the first line break. A pair whose names contain a bar, a carriage return or
// a line feed would read back as a different pair; its line is not written, and an
// information line in the messages and the log names the pair instead.
void WriteRetryLine(JobContext &job);
