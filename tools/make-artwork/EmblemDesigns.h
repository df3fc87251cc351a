#pragma once

#include "EmblemPalette.h"

class QPainter;

// One drawing per civilization, in the 36 x 36 emblem square, on a transparent layer (the
// plate and the drop shadow are added around it). Team-coloured parts take their shades from
// the palette; everything else uses the neutral colours of Shapes.
namespace EmblemDesigns {

using Design = void (*)(QPainter&, const EmblemPalette&);

void britons(QPainter& painter, const EmblemPalette& palette);
void franks(QPainter& painter, const EmblemPalette& palette);
void goths(QPainter& painter, const EmblemPalette& palette);
void teutons(QPainter& painter, const EmblemPalette& palette);
void japanese(QPainter& painter, const EmblemPalette& palette);
void chinese(QPainter& painter, const EmblemPalette& palette);
void byzantines(QPainter& painter, const EmblemPalette& palette);
void persians(QPainter& painter, const EmblemPalette& palette);
void saracens(QPainter& painter, const EmblemPalette& palette);
void turks(QPainter& painter, const EmblemPalette& palette);
void vikings(QPainter& painter, const EmblemPalette& palette);
void mongols(QPainter& painter, const EmblemPalette& palette);
void celts(QPainter& painter, const EmblemPalette& palette);
void spanish(QPainter& painter, const EmblemPalette& palette);
void aztecs(QPainter& painter, const EmblemPalette& palette);
void mayans(QPainter& painter, const EmblemPalette& palette);
void huns(QPainter& painter, const EmblemPalette& palette);
void koreans(QPainter& painter, const EmblemPalette& palette);

} // namespace EmblemDesigns
