#pragma once

#include "RecordError.h"

#include <QString>

// The one message the user sees for a record from a game or release the reader cannot read: it
// names what the file is, from what the reader found in its header.
QString UnsupportedFormatText(const Mgx::UnsupportedFormatError& error);
