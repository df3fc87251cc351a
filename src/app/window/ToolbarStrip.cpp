#include "ToolbarStrip.h"

#include <QPixmap>

namespace ToolbarStrip {

namespace {

QImage WithTransparentKey(const QImage& strip)
{
    if (strip.hasAlphaChannel())
        return strip.convertToFormat(QImage::Format_ARGB32);
    QImage keyed = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, keyed.height() - 1) & RGB_MASK;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
        }
    }
    return keyed;
}

} // namespace

std::vector<QImage> Cut(const QImage& strip, int size)
{
    std::vector<QImage> pictures;
    if (strip.isNull() || size <= 0)
        return pictures;
    const QImage keyed = WithTransparentKey(strip);
    for (int x = 0; x + size <= keyed.width(); x += size)
        pictures.push_back(keyed.copy(x, 0, size, keyed.height()));
    return pictures;
}

std::vector<QIcon> Icons(const QImage& normal, const QImage& disabled, int size)
{
    const std::vector<QImage> normalPictures = Cut(normal, size);
    const std::vector<QImage> disabledPictures = Cut(disabled, size);
    std::vector<QIcon> icons;
    for (size_t i = 0; i < normalPictures.size(); ++i) {
        QIcon icon;
        const QPixmap picture = QPixmap::fromImage(normalPictures[i]);
        icon.addPixmap(picture, QIcon::Normal);
        icon.addPixmap(picture, QIcon::Active);
        if (i < disabledPictures.size())
            icon.addPixmap(QPixmap::fromImage(disabledPictures[i]), QIcon::Disabled);
        icons.push_back(icon);
    }
    return icons;
}

} // namespace ToolbarStrip
