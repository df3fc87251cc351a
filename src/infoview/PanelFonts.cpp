#include "PanelFonts.h"

namespace PanelFonts {

namespace {

QFont CjkFont(int pixelSize)
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

QFont Text() { return CjkFont(12); }

QFont TeamLabel()
{
    QFont font = CjkFont(9);
    font.setWeight(QFont::Bold);
    return font;
}

} // namespace PanelFonts
