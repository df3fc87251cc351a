#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Loading the embedded pictures and measuring them, shared by the artwork tests.
namespace ArtworkImages {

inline constexpr int civilizationCount = 18;
inline constexpr int colourCount = 8;

// Registers the artwork resources (once) and loads the picture at a ":/..." path.
QImage Load(const QString& resourcePath);
QString EmblemPath(int colour, int civilization);
QImage Emblem(int colour, int civilization);

// The player colours as the player page shows them, indexed 0 to 7.
QColor PlayerColour(int colour);

// Hue in degrees (0 to 359) shared by most strongly coloured pixels, or -1 when fewer than
// `minimumPixels` pixels are strongly coloured at all.
int DominantHue(const QImage& image, int minimumPixels);
// Share (0 to 1) of pixels that are strongly coloured with a hue within `tolerance` degrees
// of `hue`.
double ShareNearHue(const QImage& image, int hue, int tolerance);
// Share of pixels that are grey and clearly brighter than the dark plate behind an emblem,
// as white paint and its shades are.
double ShareOfWhiteShades(const QImage& image);
// Share of the outermost ring of pixels that is dark and grey, as the plate behind an emblem.
double ShareOfDarkGreyFrame(const QImage& image);
// Share of pixels whose colour differs clearly between two pictures of the same size.
double ShareOfDifferingPixels(const QImage& first, const QImage& second);
// Mean difference of brightness (HSV value, 0 to 1) between two pictures of the same size.
// The value of a shade does not depend on its hue, so one design in two player colours
// stays close while two designs do not.
double ShapeDifference(const QImage& first, const QImage& second);
// Darkness-weighted amount of drawing in the given rows, for telling shapes apart.
double InkInRows(const QImage& image, int firstRow, int lastRow);

} // namespace ArtworkImages
