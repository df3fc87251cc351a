#include "ArtworkImages.h"

#include "KorvaleArtwork.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float strongSaturation = 0.5f;
constexpr float visibleValue = 0.3f;

bool IsStronglyColoured(QColor colour)
{
    return colour.hsvSaturationF() >= strongSaturation && colour.valueF() >= visibleValue;
}

int HueDistance(int first, int second)
{
    const int distance = std::abs(first - second) % 360;
    return distance > 180 ? 360 - distance : distance;
}

template <typename Visit>
void ForEachPixel(const QImage& image, Visit visit)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x)
            visit(x, y, QColor::fromRgba(pixels.pixel(x, y)));
    }
}

} // namespace

namespace ArtworkImages {

QImage Load(const QString& resourcePath)
{
    static const bool registered = [] {
        InitKorvaleArtwork();
        return true;
    }();
    (void)registered;
    return QImage(resourcePath);
}

QString EmblemPath(int colour, int civilization)
{
    return QString::asprintf(":/emblems/emblem-%03d.png", civilizationCount * colour + civilization - 1);
}

QImage Emblem(int colour, int civilization)
{
    return Load(EmblemPath(colour, civilization));
}

QColor PlayerColour(int colour)
{
    static const std::array<QColor, colourCount> colours{{{0, 0, 255}, {255, 0, 0}, {0, 255, 0},
                                                          {255, 255, 0}, {0, 255, 255}, {255, 0, 255},
                                                          {255, 255, 255}, {255, 128, 0}}};
    return colours.at(colour);
}

int DominantHue(const QImage& image, int minimumPixels)
{
    std::array<int, 36> bins{};
    int coloured = 0;
    ForEachPixel(image, [&](int, int, QColor colour) {
        if (!IsStronglyColoured(colour))
            return;
        ++bins.at(colour.hsvHue() / 10);
        ++coloured;
    });
    if (coloured < minimumPixels)
        return -1;
    int best = 0;
    for (int bin = 1; bin < int(bins.size()); ++bin) {
        if (bins.at(bin) > bins.at(best))
            best = bin;
    }
    return best * 10 + 5;
}

double ShareNearHue(const QImage& image, int hue, int tolerance)
{
    int near = 0;
    ForEachPixel(image, [&](int, int, QColor colour) {
        if (IsStronglyColoured(colour) && HueDistance(colour.hsvHue(), hue) <= tolerance)
            ++near;
    });
    return double(near) / (image.width() * image.height());
}

double ShareOfWhiteShades(const QImage& image)
{
    int grey = 0;
    ForEachPixel(image, [&](int, int, QColor colour) {
        if (colour.hsvSaturationF() < 0.15f && colour.valueF() >= 0.35f)
            ++grey;
    });
    return double(grey) / (image.width() * image.height());
}

double ShareOfDarkGreyFrame(const QImage& image)
{
    int frame = 0;
    int darkGrey = 0;
    ForEachPixel(image, [&](int x, int y, QColor colour) {
        if (x != 0 && y != 0 && x != image.width() - 1 && y != image.height() - 1)
            return;
        ++frame;
        if (colour.valueF() < 0.3f && colour.hsvSaturationF() < 0.2f)
            ++darkGrey;
    });
    return double(darkGrey) / frame;
}

double ShareOfDifferingPixels(const QImage& first, const QImage& second)
{
    const QImage other = second.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    ForEachPixel(first, [&](int x, int y, QColor colour) {
        const QColor theirs = QColor::fromRgba(other.pixel(x, y));
        const int difference = std::abs(colour.red() - theirs.red()) + std::abs(colour.green() - theirs.green())
            + std::abs(colour.blue() - theirs.blue());
        if (difference > 96)
            ++differing;
    });
    return double(differing) / (first.width() * first.height());
}

double ShapeDifference(const QImage& first, const QImage& second)
{
    const QImage other = second.convertToFormat(QImage::Format_ARGB32);
    double difference = 0;
    ForEachPixel(first, [&](int x, int y, QColor colour) {
        difference += std::abs(colour.valueF() - QColor::fromRgba(other.pixel(x, y)).valueF());
    });
    return difference / (first.width() * first.height());
}

double InkInRows(const QImage& image, int firstRow, int lastRow)
{
    double ink = 0;
    ForEachPixel(image, [&](int, int y, QColor colour) {
        if (y >= firstRow && y <= lastRow)
            ink += colour.alphaF() * (1.0 - colour.valueF());
    });
    return ink;
}

} // namespace ArtworkImages
