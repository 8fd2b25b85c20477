#pragma once

#include <QString>

class CViewData;

// A run from a Kopierdatei deletes the retry list at its start and writes the pairs that
// fail again into it at its end. When the worker cannot run the pairs at all (no thread, or
// no temporary file for the new list), this writes every pair of the run straight back into
// the retry list, so that no pair is lost. Returns false with the system's reason when even
// that fails.
bool RestoreRetryPairs(const CViewData &params, QString *errorText);
