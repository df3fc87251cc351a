// Emblems of the European civilizations.

#include "EmblemDesigns.h"
#include "Shapes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

using namespace Shapes;

namespace {

QPainterPath TriskeleArm(qreal startDegrees)
{
    // Each arm leaves the centre and coils inwards around its own eye, a third of a turn
    // from the next arm.
    constexpr double pi = std::numbers::pi;
    const double start = startDegrees * pi / 180.0;
    const QPointF eye(18 + 8.5 * std::cos(start), 18 + 8.5 * std::sin(start));
    QPainterPath arm;
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const double angle = start + pi + t * 1.75 * pi;
        const double radius = 8.5 * (1.0 - 0.78 * t);
        const QPointF point(eye.x() + radius * std::cos(angle), eye.y() + radius * std::sin(angle));
        if (i == 0)
            arm.moveTo(point);
        else
            arm.lineTo(point);
    }
    return arm;
}

} // namespace

namespace EmblemDesigns {

void Britons(QPainter& painter, const EmblemPalette& palette)
{
    // Longbowman: hooded head and cape, the longbow held upright at his side.
    QPainterPath cape;
    cape.moveTo(2, 36);
    cape.cubicTo(3, 29, 9, 25.5, 18, 25.5);
    cape.cubicTo(27, 25.5, 33, 29, 34, 36);
    cape.closeSubpath();
    FillTeam(painter, cape, palette, {8, 26}, {30, 36});

    QPainterPath hood;
    hood.moveTo(8, 29.5);
    hood.cubicTo(5, 19, 7.5, 5, 18, 4.5);
    hood.cubicTo(28.5, 5, 31, 19, 28, 29.5);
    hood.quadTo(18, 32.5, 8, 29.5);
    FillTeam(painter, hood, palette, {10, 4}, {28, 28});
    Bevel(painter, hood, palette.Highlight(), palette.Deep());

    painter.fillPath(Ellipse({18, 19}, 6.4, 8), palette.Deep());
    LitFace(painter, {18, 19.5}, 5, 6.6);

    QPainterPath bow;
    bow.moveTo(25.5, 1);
    bow.quadTo(37, 18, 25.5, 35);
    Line(painter, {25.5, 1}, {25.5, 35}, Neutral::ivory, 0.7);
    // Pale yew, lit across the stave; a full ink edge would swallow so thin a shape.
    const QPainterPath stave = Thickened(bow, 3.0);
    QLinearGradient yew({28, 0}, {33, 0});
    yew.setColorAt(0.0, QColor(226, 206, 170));
    yew.setColorAt(1.0, Neutral::wood);
    painter.fillPath(stave, yew);
    Outline(painter, stave, Neutral::woodDark, 0.7);
}

void Franks(QPainter& painter, const EmblemPalette& palette)
{
    // Fleur-de-lis: central petal, two curling side petals, a band and the foot below it.
    QPainterPath centre;
    centre.moveTo(18, 1.5);
    centre.cubicTo(20.8, 5, 24, 10, 22.3, 15.5);
    centre.cubicTo(21.7, 17.5, 20.6, 19, 19.3, 20.5);
    centre.lineTo(18, 20.5);
    centre.closeSubpath();

    QPainterPath side;
    side.moveTo(19.5, 21);
    side.cubicTo(19.5, 13, 24.5, 8, 29.5, 9.5);
    side.cubicTo(34.5, 11, 35, 17.5, 31, 21.5);
    side.cubicTo(31.5, 17.5, 29.5, 14.5, 26.8, 15.3);
    side.cubicTo(24.2, 16.2, 23.5, 18.5, 24, 21);
    side.closeSubpath();

    QPainterPath foot;
    foot.moveTo(18, 23);
    foot.lineTo(22, 23);
    foot.cubicTo(25.5, 23.5, 28, 26.5, 27.5, 30.5);
    foot.cubicTo(26, 28.5, 23.5, 27.5, 21.5, 28.3);
    foot.cubicTo(21, 31, 19.5, 33.5, 18, 34.5);
    foot.closeSubpath();

    const QPainterPath petals = MirroredX(centre.united(side).united(foot));
    FillTeam(painter, petals, palette, {8, 4}, {28, 34});
    Bevel(painter, petals, palette.Highlight(), palette.Deep());

    QPainterPath band;
    band.addRoundedRect(QRectF(9.5, 19.5, 17, 4), 1.2, 1.2);
    FillTeam(painter, band, palette, {9.5, 19.5}, {26.5, 23.5});
    Bevel(painter, band, palette.Highlight(), palette.Deep());
    Line(painter, {18, 5}, {18, 17.5}, palette.Deep(), 0.8);
}

void Goths(QPainter& painter, const EmblemPalette& palette)
{
    // Huskarl: a round shield with an iron boss in front of a spear.
    Line(painter, {3, 34}, {30, 7}, Neutral::woodDark, 2.4);
    Line(painter, {3, 34}, {30, 7}, Neutral::wood, 1.2);
    const QPainterPath head = Polygon({{28.2, 8.8}, {30.5, 4.5}, {35, 1}, {31.5, 5.5}, {27.2, 7.8}});
    FillSteel(painter, head, {29, 3}, {33, 8});

    const QPointF centre(16.5, 19.5);
    FillSteel(painter, Ellipse(centre, 14.5, 14.5), {4, 6}, {28, 33});
    const QPainterPath face = Ellipse(centre, 12.6, 12.6);
    painter.fillPath(face, palette.LitRound(centre, 13, {11, 13}));
    // Painted quarters, as on the boards of a real shield.
    painter.save();
    painter.setClipPath(face);
    const QColor darker(0, 0, 0, 95);
    painter.fillRect(QRectF(centre.x(), centre.y() - 14, 14, 14), darker);
    painter.fillRect(QRectF(centre.x() - 14, centre.y(), 14, 14), darker);
    painter.restore();
    Outline(painter, face, palette.Edge(), 1.0);
    for (int i = 0; i < 8; ++i) {
        const double angle = i * std::numbers::pi / 4 + std::numbers::pi / 8;
        const QPointF rivet(centre.x() + 13.55 * std::cos(angle), centre.y() + 13.55 * std::sin(angle));
        painter.fillPath(Ellipse(rivet, 0.7, 0.7), Neutral::ivory);
    }

    QRadialGradient boss({centre.x() - 1.2, centre.y() - 1.2}, 4.5);
    boss.setColorAt(0.0, Qt::white);
    boss.setColorAt(0.5, Neutral::steel);
    boss.setColorAt(1.0, Neutral::steelDark);
    painter.fillPath(Ellipse(centre, 4.2, 4.2), boss);
    Outline(painter, Ellipse(centre, 4.2, 4.2), Neutral::ink, 1.0);
}

void Teutons(QPainter& painter, const EmblemPalette& palette)
{
    // Teutonic knight's great helm: flat top, cross-shaped eye slit, breathing holes.
    QPainterPath helm;
    helm.moveTo(7.5, 10);
    helm.quadTo(7.5, 4.5, 18, 4);
    helm.quadTo(28.5, 4.5, 28.5, 10);
    helm.lineTo(29, 29);
    helm.quadTo(29, 33.5, 24, 34);
    helm.lineTo(12, 34);
    helm.quadTo(7, 33.5, 7, 29);
    helm.closeSubpath();
    // Lit across like a cylinder.
    QLinearGradient round({7, 0}, {29, 0});
    round.setColorAt(0.0, palette.Shade());
    round.setColorAt(0.28, palette.Highlight());
    round.setColorAt(0.55, palette.Base());
    round.setColorAt(1.0, palette.Deep());
    painter.fillPath(helm, round);
    Outline(painter, helm, palette.Edge());

    const QPainterPath crossBands = Polygon({{16.3, 4.3}, {19.7, 4.3}, {19.7, 34}, {16.3, 34}})
        .united(Polygon({{7.3, 11.5}, {28.7, 11.5}, {28.7, 14}, {7.3, 14}}));
    FillSteel(painter, crossBands, {8, 8}, {28, 30});

    painter.fillPath(Polygon({{8.6, 14.3}, {16.3, 14.3}, {16.3, 17}, {8.8, 17}}), Neutral::ink);
    painter.fillPath(Polygon({{19.7, 14.3}, {27.4, 14.3}, {27.2, 17}, {19.7, 17}}), Neutral::ink);

    for (const QPointF& hole : {QPointF(11, 22), QPointF(13.5, 22), QPointF(12.25, 24.5),
                                QPointF(11, 27), QPointF(13.5, 27)}) {
        painter.fillPath(Ellipse(hole, 0.75, 0.75), Neutral::ink);
        painter.fillPath(Ellipse(QPointF(36 - hole.x(), hole.y()), 0.75, 0.75), Neutral::ink);
    }
}

void Byzantines(QPainter& painter, const EmblemPalette& palette)
{
    // Cross pattée with a jewel at its heart.
    QPainterPath arm;
    arm.moveTo(15.8, 18);
    arm.quadTo(16.8, 8.5, 10.5, 1.5);
    arm.lineTo(25.5, 1.5);
    arm.quadTo(19.2, 8.5, 20.2, 18);
    arm.closeSubpath();
    QPainterPath cross = arm;
    for (int quarter = 1; quarter < 4; ++quarter)
        cross = cross.united(Rotated(arm, 90 * quarter, {18, 18}));
    cross = cross.simplified();
    FillTeam(painter, cross, palette, {4, 4}, {32, 32});
    Bevel(painter, cross, palette.Highlight(), palette.Deep());

    QRadialGradient gem({16.8, 16.8}, 4);
    gem.setColorAt(0.0, Qt::white);
    gem.setColorAt(0.6, Neutral::steelLight);
    gem.setColorAt(1.0, Neutral::steel);
    painter.fillPath(Ellipse({18, 18}, 3.2, 3.2), gem);
    Outline(painter, Ellipse({18, 18}, 3.2, 3.2), Neutral::ink, 0.9);
}

void Vikings(QPainter& painter, const EmblemPalette& palette)
{
    // Longship under a striped sail, dragon at the prow, curl at the stern.
    QPainterPath sail;
    sail.moveTo(10.5, 3.5);
    sail.lineTo(27.5, 3.5);
    sail.lineTo(28.2, 17.5);
    sail.quadTo(19, 20.5, 9.8, 17.5);
    sail.closeSubpath();
    painter.fillPath(sail, palette.LitAlong({10, 4}, {28, 20}));
    painter.save();
    painter.setClipPath(sail);
    for (int stripe = 0; stripe < 4; ++stripe)
        painter.fillRect(QRectF(12.2 + stripe * 4.2, 0, 2.2, 24), palette.Deep());
    painter.restore();
    Outline(painter, sail, palette.Edge());

    Line(painter, {19, 3}, {19, 22}, Neutral::ink, 2.0);
    Line(painter, {19, 3}, {19, 22}, Neutral::wood, 1.0);
    Line(painter, {8.5, 3.5}, {29.5, 3.5}, Neutral::ink, 2.0);
    Line(painter, {8.5, 3.5}, {29.5, 3.5}, Neutral::wood, 1.0);

    QPainterPath prow;
    prow.moveTo(6.5, 25);
    prow.cubicTo(2, 22, 1.5, 15, 3.5, 9.5);
    QPainterPath stern;
    stern.moveTo(29.5, 25);
    stern.cubicTo(34, 22, 35, 15, 33, 11);
    stern.quadTo(31.5, 9, 30.5, 11);
    QPainterPath hull;
    hull.moveTo(3, 21);
    hull.lineTo(33, 21);
    hull.cubicTo(32, 25, 27.5, 28, 18, 28);
    hull.cubicTo(8.5, 28, 4, 25, 3, 21);
    hull.closeSubpath();
    const QPainterPath dragon = Polygon({{1, 8.5}, {3, 5.5}, {7, 6}, {5.5, 8}, {4.8, 10.5}, {2.5, 10}});
    const QPainterPath timber = hull.united(Thickened(prow, 2.8)).united(Thickened(stern, 2.6))
                                    .united(dragon);
    FillWood(painter, timber, {4, 8}, {30, 30});
    Line(painter, {6, 24.8}, {30, 24.8}, palette.Shade(), 1.8);
    painter.fillPath(Ellipse({3.8, 7.2}, 0.6, 0.6), Neutral::ink);

    for (int i = 0; i < 7; ++i) {
        const QPointF boss(7 + i * 3.7, 21.5);
        painter.fillPath(Ellipse(boss, 1.8, 1.8), i % 2 == 0 ? palette.Base() : palette.Light());
        Outline(painter, Ellipse(boss, 1.8, 1.8), palette.Edge(), 0.7);
    }
    Line(painter, {4, 31}, {12, 31}, Neutral::steelDark, 1.0);
    Line(painter, {16, 32.5}, {32, 32.5}, Neutral::steelDark, 1.0);
}

void Celts(QPainter& painter, const EmblemPalette& palette)
{
    // Triskele: three spiral arms turning about the centre.
    QPainterPath spiral;
    for (int arm = 0; arm < 3; ++arm)
        spiral = spiral.united(Thickened(TriskeleArm(-90 + arm * 120), 4.2));
    spiral = spiral.united(Ellipse({18, 18}, 3.2, 3.2)).simplified();
    painter.fillPath(spiral, palette.LitRound({18, 18}, 20, {10, 8}));
    Outline(painter, spiral, palette.Edge());
    Bevel(painter, spiral, palette.Highlight(), palette.Deep());
}

void Spanish(QPainter& painter, const EmblemPalette& palette)
{
    // Conquistador: morion helmet with its high comb and boat-shaped brim, bearded face below.
    LitFace(painter, {18, 27}, 5.6, 6.8);
    painter.fillPath(Polygon({{12.8, 29.5}, {15, 31}, {21, 31}, {23.2, 29.5}, {18, 36}}), Neutral::woodDark);
    Line(painter, {15, 30}, {21, 30}, Neutral::woodDark, 1.3);

    QPainterPath plume;
    plume.moveTo(25, 13);
    plume.cubicTo(26.5, 7, 30, 3.5, 34.5, 2);
    plume.cubicTo(31.5, 6, 30, 10, 27.5, 15);
    plume.closeSubpath();
    painter.fillPath(plume, Neutral::ivory);
    Outline(painter, plume, Neutral::ink, 0.8);

    QPainterPath skull;
    skull.moveTo(8.5, 20.5);
    skull.cubicTo(8.5, 14, 12.5, 11, 18, 11);
    skull.cubicTo(23.5, 11, 27.5, 14, 27.5, 20.5);
    skull.closeSubpath();
    painter.fillPath(skull, palette.LitRound({18, 18}, 11, {13, 13}));
    Outline(painter, skull, palette.Edge());

    QPainterPath comb;
    comb.moveTo(9.5, 15.5);
    comb.cubicTo(9.5, 6, 13.5, 2.5, 18, 2.5);
    comb.cubicTo(22.5, 2.5, 26.5, 6, 26.5, 15.5);
    comb.cubicTo(21, 13, 15, 13, 9.5, 15.5);
    comb.closeSubpath();
    FillTeam(painter, comb, palette, {12, 2}, {25, 14});
    Bevel(painter, comb, palette.Highlight(), palette.Deep());

    QPainterPath brim;
    brim.moveTo(0.5, 9);
    brim.cubicTo(3, 16, 8, 19.5, 18, 19.5);
    brim.cubicTo(28, 19.5, 33, 16, 35.5, 9);
    brim.cubicTo(34, 19, 28, 23.5, 18, 23.5);
    brim.cubicTo(8, 23.5, 2, 19, 0.5, 9);
    brim.closeSubpath();
    FillTeam(painter, brim, palette, {3, 10}, {30, 24});
    Bevel(painter, brim, palette.Highlight(), palette.Deep());

    for (int i = 0; i < 5; ++i)
        painter.fillPath(Ellipse({10.5 + i * 3.75, 18.2}, 0.7, 0.7), Neutral::ivory);
}

} // namespace EmblemDesigns
