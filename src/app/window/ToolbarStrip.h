#pragma once

#include <QIcon>
#include <QImage>

#include <vector>

// Toolbar images come as strips of square pictures side by side. A strip without an alpha
// channel marks its transparent colour with its bottom-left pixel.
namespace ToolbarStrip {

// The strip's pictures, `size` pixels wide each, left to right; a partial last one is dropped.
std::vector<QImage> Cut(const QImage& strip, int size);

// One icon per picture: `normal` for the normal and hot states, `disabled` for the disabled one.
std::vector<QIcon> Icons(const QImage& normal, const QImage& disabled, int size);

} // namespace ToolbarStrip
