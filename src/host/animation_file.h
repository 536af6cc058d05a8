#pragma once

#include <QString>

namespace ovanto {

class BlockWindow;

// Reads an animation file into the window: its elements are replaced, the
// block configuration and window options take the file's values. False when
// the file cannot be opened (nothing changes then), the reading stops at a bad
// line (what was read up to there stays), or a record raised: that element is
// dropped, reported on stderr, and the reading goes on. readToEnd tells the
// last case from the others.
bool LoadConfiguration(const QString& path, BlockWindow& window, bool* readToEnd = nullptr);

// Writes the window's configuration as an animation file. The old file stays
// intact unless the new one was written completely.
bool SaveConfiguration(const QString& path, BlockWindow& window);

// Loads an animation file into a block: reports a failed read with one
// message box, registers the window with the manager when the reading got to
// the end, and in every case lets the elements publish their outputs and repaints.
void LoadQEVFile(BlockWindow& window, const QString& path);

} // namespace ovanto
