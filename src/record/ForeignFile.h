#pragma once

namespace Mgx {

class RecordFile;

// Files a record folder holds beside records that do not open as one: an HD saved game, whose
// compressed game state follows a preamble of its own, and an Age of Kings record, whose header
// block starts four bytes earlier. Called when a file failed to open as a record; throws
// UnsupportedFormatError naming what the file is, and returns when it is neither.
void RefuseForeignFile(RecordFile& file);

} // namespace Mgx
