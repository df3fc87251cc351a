#pragma once

#include "EmblemPalette.h"

class QPainter;

// One drawing per civilization, in the 36 x 36 emblem square, on a transparent layer (the
// plate and the drop shadow are added around it). Team-coloured parts take their shades from
// the palette; everything else uses the neutral colours of Shapes.
namespace EmblemDesigns {

using Design = void (*)(QPainter&, const EmblemPalette&);

void Britons(QPainter& painter, const EmblemPalette& palette);
void Franks(QPainter& painter, const EmblemPalette& palette);
void Goths(QPainter& painter, const EmblemPalette& palette);
void Teutons(QPainter& painter, const EmblemPalette& palette);
void Japanese(QPainter& painter, const EmblemPalette& palette);
void Chinese(QPainter& painter, const EmblemPalette& palette);
void Byzantines(QPainter& painter, const EmblemPalette& palette);
void Persians(QPainter& painter, const EmblemPalette& palette);
void Saracens(QPainter& painter, const EmblemPalette& palette);
void Turks(QPainter& painter, const EmblemPalette& palette);
void Vikings(QPainter& painter, const EmblemPalette& palette);
void Mongols(QPainter& painter, const EmblemPalette& palette);
void Celts(QPainter& painter, const EmblemPalette& palette);
void Spanish(QPainter& painter, const EmblemPalette& palette);
void Aztecs(QPainter& painter, const EmblemPalette& palette);
void Mayans(QPainter& painter, const EmblemPalette& palette);
void Huns(QPainter& painter, const EmblemPalette& palette);
void Koreans(QPainter& painter, const EmblemPalette& palette);

} // namespace EmblemDesigns
