#pragma once

class CViewData;

namespace model {

struct CProjectData;

// Fills the description lines of the run parameters from their option values: the caption of
// the option's check box, ": " and "Ja" or "Nein"; a pattern option that is on goes on with
// "      [Muster: ", the pattern text of the project and "]". CompressSizeText names the two
// compression bounds. The lines go into the run summary.
void BuildDescriptionLines(const CProjectData &project, CViewData &view);

} // namespace model
