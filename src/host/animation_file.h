#pragma once

#include <QString>

namespace ovanto {

class BlockWindow;

// Reads an animation file into the window: its elements are replaced, the
// block configuration and window options take the file's values. False when
// the file cannot be opened (nothing changes then) or the reading stops at a
// bad line or record; what was read up to there stays.
bool LoadConfiguration(const QString& path, BlockWindow& window);

// Writes the window's configuration as an animation file. The old file stays
// intact unless the new one was written completely.
bool SaveConfiguration(const QString& path, BlockWindow& window);

// Loads an animation file into a block: reports a failed read with a message
// box, registers the window with the manager after a good one, and in every
// case lets the elements publish their outputs and repaints.
void LoadQEVFile(BlockWindow& window, const QString& path);

} // namespace ovanto
