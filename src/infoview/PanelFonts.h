#pragma once

#include <QFont>

// The panel shows Chinese text from the records; it uses a CJK font at a size that fits
// layouts made for an 8-point dialog font.
namespace PanelFonts {

QFont Text();
// The small bold digits of the team labels.
QFont TeamLabel();

} // namespace PanelFonts
