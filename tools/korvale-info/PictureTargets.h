#pragma once

#include "InfoOptions.h"

#include <optional>
#include <string>

// Why the pictures the options ask for may not be written, or nothing when they may. A picture
// never lands on a file being read, nor on an existing file that is not a PNG picture: a shell
// glob such as `--map-png *.mgx` would otherwise turn a record into a picture.
std::optional<std::string> RefusedPictureTarget(const InfoOptions& options);
