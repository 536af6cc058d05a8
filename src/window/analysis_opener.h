#pragma once

namespace ovanto {

// Lets "YTANALYZE" open the analysis dialog for its plot group. Leaves an
// opener that is already installed (a test's) alone.
void InstallAnalysisOpener();

} // namespace ovanto
