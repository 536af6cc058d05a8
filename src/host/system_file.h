#pragma once

namespace ovanto {

class BlockWindow;

// The block's section of the host's system file, on a descriptor the host
// has positioned. Writing returns false when the descriptor refuses bytes.
bool WriteSystemSection(int fd, BlockWindow& window);

// Reads a section into a freshly created window, appending its elements.
// A bad version, pixel-format or external-I/O count line stops the reading
// where it is: what was read stays and the manager registrations are skipped.
// A record that raises is dropped (reported on stderr) and the reading goes
// on. The end of the file ends the reading quietly. Returns true when the
// reading got to the end of the section (the host is told nothing).
bool ReadSystemSection(int fd, BlockWindow& window);

} // namespace ovanto
