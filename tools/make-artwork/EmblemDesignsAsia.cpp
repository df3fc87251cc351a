// Emblems of the Asian and Middle Eastern civilizations.

#include "EmblemDesigns.h"
#include "Shapes.h"

#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

using namespace Shapes;

namespace {

const QColor gilt{218, 202, 160};

void Eye(QPainter& painter, QPointF centre, qreal radius = 0.9)
{
    painter.fillPath(Ellipse(centre, radius, radius), Neutral::ink);
    painter.fillPath(Ellipse(centre - QPointF(0.3, 0.3), radius * 0.35, radius * 0.35), Neutral::ivory);
}

// Turns a drawing made facing left into one facing right.
QTransform FacingRight()
{
    return QTransform(-1, 0, 0, 1, 36, 0);
}

// Samurai's face in the shadow of the helmet, the lower half behind a team-coloured mask.
void MaskedFace(QPainter& painter, const EmblemPalette& palette)
{
    QPainterPath face;
    face.moveTo(11, 20);
    face.lineTo(25, 20);
    face.cubicTo(25, 28, 22, 33.5, 18, 34);
    face.cubicTo(14, 33.5, 11, 28, 11, 20);
    face.closeSubpath();
    painter.fillPath(face, Neutral::shadow);
    painter.fillPath(Ellipse({15.3, 23.5}, 1.0, 0.5), QColor(200, 196, 188));
    painter.fillPath(Ellipse({20.7, 23.5}, 1.0, 0.5), QColor(200, 196, 188));
    QPainterPath mask;
    mask.moveTo(11.8, 26.5);
    mask.quadTo(18, 25, 24.2, 26.5);
    mask.cubicTo(23.5, 31, 21, 34, 18, 34.3);
    mask.cubicTo(15, 34, 12.5, 31, 11.8, 26.5);
    mask.closeSubpath();
    FillTeam(painter, mask, palette, {12, 26}, {24, 34});
    Line(painter, {15, 28.5}, {21, 28.5}, Neutral::ink, 0.8);
}

// Elephant facing left: body, domed head, trunk curling at the ground, the near legs.
QPainterPath Elephant()
{
    QPainterPath body = Ellipse({23, 19.5}, 10.5, 8);
    body = body.united(Ellipse({10.5, 14.5}, 6.5, 6.5));
    QPainterPath trunk;
    trunk.moveTo(4.8, 13);
    trunk.cubicTo(3, 19, 2.5, 26, 3.5, 30.5);
    trunk.cubicTo(3.8, 32.3, 2.6, 33.2, 1.4, 32.8);
    trunk.lineTo(1.8, 34.8);
    trunk.cubicTo(4.6, 35.5, 6.6, 33, 6.3, 30);
    trunk.cubicTo(6, 25, 7, 20.5, 10.5, 17.5);
    trunk.closeSubpath();
    body = body.united(trunk);
    for (const QRectF& leg : {QRectF(8.5, 21, 5, 14), QRectF(23.5, 22, 5, 13)}) {
        QPainterPath near;
        near.addRoundedRect(leg, 1.3, 1.3);
        body = body.united(near);
    }
    return body.simplified();
}

// Horse at full gallop facing left, forelegs reaching out, hind legs pushing off.
QPainterPath GallopingHorse()
{
    QPainterPath horse;
    horse.moveTo(3, 16.5);
    horse.cubicTo(3.5, 14.5, 6, 12.5, 8, 11.8);
    horse.lineTo(8.6, 9.8);
    horse.lineTo(9.6, 11.8);
    horse.cubicTo(12, 13, 13.5, 16, 15, 19);
    horse.cubicTo(19, 18, 25, 18, 29, 19);
    horse.cubicTo(31, 19.5, 32, 21, 32, 23);
    horse.lineTo(35.5, 29.5);
    horse.lineTo(33.5, 30.5);
    horse.lineTo(30, 25.5);
    horse.cubicTo(29, 27, 28, 27.5, 27, 27.8);
    horse.lineTo(26, 33);
    horse.lineTo(24, 32.6);
    horse.lineTo(24.5, 27.5);
    horse.cubicTo(21, 28, 18, 28, 15.5, 27.5);
    horse.lineTo(9.5, 33);
    horse.lineTo(8.2, 31.5);
    horse.lineTo(12.5, 26);
    horse.cubicTo(10.5, 24.5, 10, 22, 9.5, 20);
    horse.cubicTo(8, 19.5, 6, 19, 4.5, 19);
    horse.cubicTo(3.2, 18.8, 2.8, 17.6, 3, 16.5);
    horse.closeSubpath();
    QPainterPath foreleg;
    foreleg.moveTo(11, 25);
    foreleg.lineTo(3.5, 27);
    foreleg.lineTo(1.5, 25.5);
    return horse.united(Thickened(foreleg, 2.2)).simplified();
}

} // namespace

namespace EmblemDesigns {

void Japanese(QPainter& painter, const EmblemPalette& palette)
{
    // Samurai kabuto: domed bowl, flared neck guard, the two gilt kuwagata blades.
    QPainterPath neckGuard;
    neckGuard.moveTo(7.5, 18.5);
    neckGuard.lineTo(28.5, 18.5);
    neckGuard.cubicTo(30.5, 22, 32.5, 26, 35, 30);
    neckGuard.lineTo(1, 30);
    neckGuard.cubicTo(3.5, 26, 5.5, 22, 7.5, 18.5);
    neckGuard.closeSubpath();
    FillTeam(painter, neckGuard, palette, {4, 18}, {30, 31});
    for (const qreal y : {22.3, 26.1}) {
        const qreal spread = (y - 18.5) * 0.55;
        Line(painter, {7 - spread, y}, {29 + spread, y}, palette.Deep(), 0.9);
    }

    MaskedFace(painter, palette);

    QPainterPath turnbacks = Polygon({{2, 16.5}, {8.5, 17.5}, {8.5, 22.5}, {2.5, 23.5}});
    turnbacks = MirroredX(turnbacks);
    FillTeam(painter, turnbacks, palette, {2, 16}, {34, 24});

    QPainterPath bowl;
    bowl.moveTo(7.5, 19);
    bowl.cubicTo(7.5, 11, 12, 7.5, 18, 7.5);
    bowl.cubicTo(24, 7.5, 28.5, 11, 28.5, 19);
    bowl.closeSubpath();
    painter.fillPath(bowl, palette.LitRound({18, 15}, 12, {13, 10}));
    Outline(painter, bowl, palette.Edge());
    for (const qreal x : {13.0, 23.0})
        Line(painter, {18 + (x - 18) * 0.45, 8.2}, {x, 18.5}, palette.Deep(), 0.7);

    QPainterPath visor;
    visor.addRoundedRect(QRectF(6.5, 17.8, 23, 2.8), 1.2, 1.2);
    FillTeam(painter, visor, palette, {6, 17}, {29, 21});

    QPainterPath blade;
    blade.moveTo(16.8, 12.5);
    blade.cubicTo(12, 9.5, 8, 5.5, 5.5, 0.5);
    blade.cubicTo(9.5, 3.5, 14, 6.5, 18, 10);
    blade.closeSubpath();
    const QPainterPath blades = MirroredX(blade);
    painter.fillPath(blades, gilt);
    Outline(painter, blades, Neutral::ink, 0.8);
    painter.fillPath(Ellipse({18, 12.5}, 2.1, 2.1), gilt);
    Outline(painter, Ellipse({18, 12.5}, 2.1, 2.1), Neutral::ink, 0.8);
}

void Chinese(QPainter& painter, const EmblemPalette& palette)
{
    // Dragon's head in profile: open jaws, swept antlers, flame mane.
    const QPainterPath mane = Polygon({{28, 9}, {34.5, 9.5}, {31.5, 13.5}, {35.8, 16}, {32.3, 19},
                                       {35.8, 22.5}, {32.3, 25.5}, {35.5, 29.5}, {32, 31}, {33, 36},
                                       {26, 36}, {27, 20}});
    FillTeam(painter, mane, palette, {30, 8}, {36, 36});
    painter.fillPath(mane, QColor(0, 0, 0, 90));

    QPainterPath antler;
    antler.moveTo(18.5, 8);
    antler.cubicTo(22, 4, 27, 2.5, 34, 2);
    QPainterPath tine;
    tine.moveTo(25, 3.4);
    tine.lineTo(27, 0.5);
    const QPainterPath antlers = Thickened(antler, 2.6).united(Thickened(tine, 1.8));
    painter.fillPath(antlers, Neutral::ivory);
    Outline(painter, antlers, Neutral::ink, 0.8);

    QPainterPath head;
    head.moveTo(2.5, 12.5);
    head.cubicTo(6, 10.5, 10, 10, 12.5, 9);
    head.cubicTo(14.5, 6.5, 18, 6, 21, 7);
    head.cubicTo(25, 8, 28.5, 11, 30.5, 15);
    head.cubicTo(32.5, 19.5, 32, 25, 29.5, 30);
    head.lineTo(30.5, 36);
    head.lineTo(17, 36);
    head.cubicTo(17, 32, 15, 29, 12, 27);
    head.cubicTo(9, 26.5, 6, 26.5, 4, 25.5);
    head.cubicTo(2.8, 24.8, 3.2, 23, 4.8, 22.5);
    head.cubicTo(8, 22, 11, 21, 13.5, 19.3);
    head.lineTo(14.5, 18.4);
    head.cubicTo(11, 18.3, 6, 18, 3, 17.5);
    head.cubicTo(1.2, 17, 1.2, 13.7, 2.5, 12.5);
    head.closeSubpath();
    FillTeam(painter, head, palette, {6, 8}, {28, 34});
    Bevel(painter, head, palette.Highlight(), palette.Deep());

    for (int i = 0; i < 4; ++i) {
        const qreal x = 4.5 + i * 2.4;
        painter.fillPath(Polygon({{x, 17.6}, {x + 1.3, 17.8}, {x + 0.6, 19.4}}), Neutral::ivory);
        painter.fillPath(Polygon({{x + 1, 22.6 - i * 0.5}, {x + 2.3, 22.2 - i * 0.5}, {x + 1.8, 20.6 - i * 0.5}}),
                         Neutral::ivory);
    }
    for (const QPointF& scale : {QPointF(24, 26), QPointF(21, 30), QPointF(27, 21), QPointF(25, 32)}) {
        QPainterPath arc;
        arc.moveTo(scale + QPointF(-1.8, 0));
        arc.quadTo(scale + QPointF(0, 2), scale + QPointF(1.8, 0));
        Outline(painter, arc, palette.Deep(), 0.8);
    }

    painter.fillPath(Polygon({{13.5, 12.5}, {17.5, 11.2}, {18.5, 13.3}, {14.5, 13.8}}), Neutral::ivory);
    painter.fillPath(Ellipse({16.6, 12.6}, 0.9, 0.9), Neutral::ink);
    Line(painter, {12.8, 10.8}, {18.8, 9.4}, palette.Deep(), 1.0);
    painter.fillPath(Ellipse({4.5, 14}, 0.8, 0.6), Neutral::ink);
}

void Persians(QPainter& painter, const EmblemPalette& palette)
{
    // War elephant with its howdah: domed head, trunk hanging to the ground, tusk.
    for (const QRectF& leg : {QRectF(12.5, 23, 4, 11.5), QRectF(27.5, 23, 4, 11.5)}) {
        QPainterPath far;
        far.addRoundedRect(leg, 1.2, 1.2);
        painter.fillPath(far, palette.Deep());
        Outline(painter, far, palette.Edge());
    }

    const QPainterPath body = Elephant();
    FillTeam(painter, body, palette, {6, 8}, {30, 34});
    Bevel(painter, body, palette.Highlight(), palette.Deep());

    const QPainterPath ear = Ellipse({14.2, 15.5}, 3.4, 5);
    painter.fillPath(ear, palette.Shade());
    Outline(painter, ear, palette.Edge(), 0.8);

    // Saddle cloth draped over the back, its hem following the belly.
    QPainterPath blanket;
    blanket.moveTo(17.5, 12.8);
    blanket.cubicTo(21, 11.6, 28, 11.6, 31.5, 13);
    blanket.lineTo(31, 21);
    blanket.quadTo(24.5, 24, 18, 21);
    blanket.closeSubpath();
    painter.fillPath(blanket, palette.Deep());
    Outline(painter, blanket, palette.Edge(), 0.8);
    QPainterPath hem;
    hem.moveTo(18, 21);
    hem.quadTo(24.5, 24, 31, 21);
    Outline(painter, hem, gilt, 1.1);

    QPainterPath howdah;
    howdah.addRect(QRectF(19.5, 7.5, 11, 5.5));
    FillWood(painter, howdah, {19, 7}, {30, 13});
    Line(painter, {23, 8}, {23, 13}, Neutral::woodDark, 0.8);
    Line(painter, {27, 8}, {27, 13}, Neutral::woodDark, 0.8);
    QPainterPath roof;
    roof.moveTo(18, 8);
    roof.cubicTo(19, 1.5, 31, 1.5, 32, 8);
    roof.closeSubpath();
    FillTeam(painter, roof, palette, {20, 2}, {30, 8});
    Bevel(painter, roof, palette.Highlight(), palette.Deep());

    QPainterPath tusk;
    tusk.moveTo(9, 19.5);
    tusk.cubicTo(7, 23.5, 4.5, 24, 2, 22.5);
    tusk.cubicTo(4.5, 22.2, 6.2, 20.5, 6.8, 18);
    tusk.closeSubpath();
    painter.fillPath(tusk, Neutral::ivory);
    Outline(painter, tusk, Neutral::ink, 0.7);
    Eye(painter, {8.3, 12.8}, 0.8);
}

void Saracens(QPainter& painter, const EmblemPalette& palette)
{
    // Camel in profile, hump under a saddle cloth.
    QPainterPath camel;
    camel.moveTo(2.2, 8.5);
    camel.cubicTo(2.5, 6.2, 5.5, 5.2, 8, 5.8);
    camel.lineTo(9, 4.2);
    camel.lineTo(9.6, 6.4);
    camel.cubicTo(10.5, 7.5, 10.8, 9, 11, 11);
    camel.cubicTo(11.3, 14, 12, 16, 14, 16.5);
    camel.cubicTo(16, 12, 18, 7, 22, 7);
    camel.cubicTo(26, 7, 28, 11, 30, 14.5);
    camel.cubicTo(32, 16, 33.2, 18, 33.2, 20.5);
    camel.cubicTo(33.2, 22.5, 32.5, 24, 31.5, 24.8);
    camel.lineTo(32.2, 34.5);
    camel.lineTo(30, 34.5);
    camel.lineTo(28.8, 25.8);
    camel.lineTo(27.2, 25.8);
    camel.lineTo(27, 34.5);
    camel.lineTo(24.8, 34.5);
    camel.lineTo(24.3, 25.3);
    camel.cubicTo(21, 25.8, 17, 25.8, 14.5, 25);
    camel.lineTo(13.5, 34.5);
    camel.lineTo(11.3, 34.5);
    camel.lineTo(11.5, 24.4);
    camel.lineTo(10.6, 24);
    camel.lineTo(8.6, 34.5);
    camel.lineTo(6.4, 34.5);
    camel.lineTo(8.8, 22.5);
    camel.cubicTo(8, 19.5, 7.5, 15.5, 7.2, 12.2);
    camel.cubicTo(5.8, 11.5, 3.8, 11.2, 2.6, 10.4);
    camel.cubicTo(2.1, 9.9, 2.1, 9.2, 2.2, 8.5);
    camel.closeSubpath();
    FillTeam(painter, camel, palette, {6, 4}, {30, 34});
    Bevel(painter, camel, palette.Highlight(), palette.Deep());

    QPainterPath cloth;
    cloth.moveTo(16.5, 13);
    cloth.cubicTo(18.5, 9, 25, 8.5, 28, 13);
    cloth.lineTo(27.5, 20);
    cloth.lineTo(17, 20);
    cloth.closeSubpath();
    painter.fillPath(cloth, palette.Deep());
    Outline(painter, cloth, palette.Edge(), 0.8);
    for (int i = 0; i < 5; ++i)
        painter.fillPath(Polygon({{17.3 + i * 2.1, 20}, {19.4 + i * 2.1, 20}, {18.35 + i * 2.1, 21.6}}), gilt);
    Line(painter, {17, 14.8}, {27.8, 14.8}, gilt, 1.0);

    Eye(painter, {6.8, 7.8}, 0.75);
    Line(painter, {2.4, 9.6}, {4.2, 9.6}, palette.Deep(), 0.7);
    QPainterPath tail;
    tail.moveTo(33, 19.5);
    tail.quadTo(35, 22, 34.6, 26);
    Outline(painter, tail, palette.Shade(), 1.1);
}

void Turks(QPainter& painter, const EmblemPalette& palette)
{
    // Janissary: plumed turban above a moustached face, the hand cannon over his shoulder.
    Line(painter, {5, 34}, {33, 6}, Neutral::ink, 3.6);
    Line(painter, {5, 34}, {33, 6}, Neutral::steel, 2.4);
    Line(painter, {5.5, 33.5}, {32.5, 6.5}, Neutral::steelLight, 0.8);
    Line(painter, {2, 36}, {9, 30}, Neutral::wood, 3.4);
    painter.fillPath(Ellipse({32.6, 6.4}, 2.2, 2.2), Neutral::steelDark);
    Outline(painter, Ellipse({32.6, 6.4}, 2.2, 2.2), Neutral::ink, 0.8);

    LitFace(painter, {17.5, 26}, 6.5, 8);
    QPainterPath moustache;
    moustache.moveTo(11, 29.5);
    moustache.cubicTo(13, 31, 15.5, 27.8, 17.5, 28.2);
    moustache.cubicTo(19.5, 27.8, 22, 31, 24, 29.5);
    moustache.cubicTo(22, 33, 19.5, 30.5, 17.5, 30.6);
    moustache.cubicTo(15.5, 30.5, 13, 33, 11, 29.5);
    moustache.closeSubpath();
    painter.fillPath(moustache, Neutral::ink);

    QPainterPath plume;
    plume.moveTo(17.5, 10);
    plume.cubicTo(17, 4.5, 20.5, 1, 26, 0.3);
    plume.cubicTo(23.5, 3.5, 23, 7, 22, 10.5);
    plume.closeSubpath();
    painter.fillPath(plume, Neutral::ivory);
    Outline(painter, plume, Neutral::ink, 0.8);

    QPainterPath turban = Ellipse({17.5, 14.5}, 12.5, 8.5);
    turban = turban.united(Ellipse({17.5, 9.5}, 6.5, 5.5)).simplified();
    painter.fillPath(turban, palette.LitRound({16, 12}, 15, {11, 8}));
    Outline(painter, turban, palette.Edge());
    painter.save();
    painter.setClipPath(turban);
    for (int i = 0; i < 4; ++i) {
        QPainterPath wrap;
        wrap.moveTo(4, 8 + i * 4);
        wrap.quadTo(17.5, 16 + i * 4, 31, 6 + i * 4);
        Outline(painter, wrap, palette.Deep(), 0.9);
    }
    painter.restore();
    painter.fillPath(Ellipse({17.5, 14}, 2.2, 2.2), gilt);
    Outline(painter, Ellipse({17.5, 14}, 2.2, 2.2), Neutral::ink, 0.8);
}

void Mongols(QPainter& painter, const EmblemPalette& palette)
{
    // Mangudai: horse archer at the gallop, drawing his bow forward.
    const QPainterPath horseBody = GallopingHorse();

    QPainterPath tail;
    tail.moveTo(31.5, 20.5);
    tail.cubicTo(34, 19.5, 35, 18, 35.5, 16.5);
    const QPainterPath tailShape = Thickened(tail, 2.0);
    FillTeam(painter, tailShape, palette, {30, 16}, {36, 22});
    painter.fillPath(tailShape, QColor(0, 0, 0, 90));

    FillTeam(painter, horseBody, palette, {6, 10}, {30, 32});
    Bevel(painter, horseBody, palette.Highlight(), palette.Deep());
    Eye(painter, {6.5, 14.3}, 0.6);

    QPainterPath rider;
    rider.moveTo(17, 19.5);
    rider.lineTo(24, 19.5);
    rider.lineTo(23, 10.5);
    rider.cubicTo(22, 8.5, 18, 8.5, 17, 10.5);
    rider.closeSubpath();
    FillTeam(painter, rider, palette, {16, 8}, {24, 20});
    painter.fillPath(rider, QColor(0, 0, 0, 70));
    Outline(painter, rider, palette.Edge());
    QPainterPath leg;
    leg.moveTo(19, 19);
    leg.lineTo(18, 24.5);
    leg.lineTo(15.5, 25);
    Outline(painter, leg, Neutral::woodDark, 2.0);

    painter.fillPath(Ellipse({20.3, 7.2}, 2.3, 2.3), QColor(96, 88, 80));
    QPainterPath hat = Polygon({{17.5, 6.8}, {20.3, 1}, {23.3, 6.8}});
    hat = hat.united(Ellipse({20.4, 6.6}, 3.3, 1.2));
    painter.fillPath(hat, palette.Light());
    Outline(painter, hat, palette.Edge(), 0.7);

    Line(painter, {19.5, 11.5}, {11.5, 11.5}, Neutral::woodDark, 1.6);
    QPainterPath bow;
    bow.moveTo(12.5, 3);
    bow.cubicTo(9, 6, 9, 16, 12.5, 19.5);
    Outline(painter, bow, Neutral::ink, 2.2);
    Outline(painter, bow, Neutral::woodLight, 1.0);
    Line(painter, {12.5, 3}, {19.5, 11.5}, Neutral::ivory, 0.5);
    Line(painter, {12.5, 19.5}, {19.5, 11.5}, Neutral::ivory, 0.5);
    Line(painter, {8, 11.5}, {21, 11.5}, Neutral::ivory, 0.7);
}

void Huns(QPainter& painter, const EmblemPalette& palette)
{
    // Tarkan's horse: a proud head with a flying mane, in bridle.
    painter.save();
    painter.setTransform(FacingRight(), true);

    QPainterPath mane;
    mane.moveTo(17, 3);
    mane.cubicTo(24, 3, 30, 8, 32.5, 15);
    mane.lineTo(36, 17);
    mane.lineTo(33.5, 19.5);
    mane.lineTo(36, 23);
    mane.lineTo(33.8, 25);
    mane.lineTo(35.8, 29.5);
    mane.lineTo(33.5, 30.5);
    mane.lineTo(34.5, 36);
    mane.lineTo(27, 36);
    mane.lineTo(24, 12);
    mane.closeSubpath();
    FillTeam(painter, mane, palette, {30, 4}, {36, 36});
    painter.fillPath(mane, QColor(0, 0, 0, 70));
    for (const qreal y : {18.0, 24.0, 30.0})
        Line(painter, {28.5, y - 3}, {34.5, y + 1}, palette.Deep(), 0.7);

    QPainterPath head;
    head.moveTo(2.5, 21);
    head.cubicTo(2.5, 18, 5, 16, 7.5, 14);
    head.cubicTo(10.5, 11.5, 13.5, 7.5, 15.5, 5);
    head.lineTo(16.5, 1);
    head.lineTo(19.2, 4.8);
    head.cubicTo(24, 6, 28, 10.5, 30, 15.5);
    head.cubicTo(32, 21, 32.5, 28, 32.5, 36);
    head.lineTo(15, 36);
    head.cubicTo(15, 30.5, 14, 26.5, 12, 24);
    head.cubicTo(10, 23.6, 8, 25.3, 5.8, 25.3);
    head.cubicTo(3.6, 25.3, 2.5, 23.5, 2.5, 21);
    head.closeSubpath();
    // The mirror turns the light; pick the lit end on the right so it falls from the upper left.
    FillTeam(painter, head, palette, {26, 4}, {8, 32});

    Line(painter, {14.5, 8.5}, {10.5, 22.5}, Neutral::woodDark, 1.2);
    Line(painter, {4, 19}, {11.5, 17}, Neutral::woodDark, 1.2);
    painter.fillPath(Ellipse({11, 19.5}, 1.2, 1.2), Neutral::steelLight);
    Eye(painter, {14.2, 11.8}, 0.9);
    painter.fillPath(Ellipse({4.6, 21}, 0.9, 0.7), Neutral::ink);
    Line(painter, {3, 23.3}, {6.2, 23.6}, palette.Deep(), 0.7);
    painter.restore();
}

void Koreans(QPainter& painter, const EmblemPalette& palette)
{
    // Turtle ship: long armoured roof bristling with spikes, dragon head at the bow, two masts.
    for (const qreal x : {13.5, 24.5}) {
        Line(painter, {x, 13}, {x, 2}, Neutral::ink, 2.0);
        Line(painter, {x, 13}, {x, 2}, Neutral::wood, 1.0);
        QPainterPath furled;
        furled.addRoundedRect(QRectF(x - 5, 4.5, 10, 2.4), 1.2, 1.2);
        FillWood(painter, furled, {x - 5, 4}, {x + 5, 7});
        painter.fillPath(Polygon({{x, 1.2}, {x + 5, 2.5}, {x, 3.8}}), palette.Base());
    }

    for (int i = 0; i < 7; ++i)
        Line(painter, {10 + i * 3.4, 29}, {8 + i * 3.4, 33}, Neutral::woodLight, 0.9);
    Line(painter, {1, 33.5}, {35, 33.5}, Neutral::steelDark, 1.0);

    QPainterPath hull;
    hull.moveTo(2.5, 21.5);
    hull.lineTo(34, 21.5);
    hull.cubicTo(34, 26, 31, 29.5, 27, 30);
    hull.lineTo(9, 30);
    hull.cubicTo(5.5, 29.5, 3.5, 26, 2.5, 21.5);
    hull.closeSubpath();
    FillWood(painter, hull, {4, 21}, {30, 31});
    Line(painter, {4.5, 25}, {32, 25}, palette.Shade(), 1.8);

    QPainterPath roof;
    roof.moveTo(4.5, 22);
    roof.cubicTo(5.5, 15.5, 9, 12.5, 14, 12.5);
    roof.lineTo(25, 12.5);
    roof.cubicTo(30, 12.5, 32.5, 15.5, 33.5, 22);
    roof.closeSubpath();
    painter.fillPath(roof, palette.LitRound({19, 17}, 17, {13, 13}));
    Outline(painter, roof, palette.Edge());
    painter.save();
    painter.setClipPath(roof);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 8; ++column) {
            const QPointF centre(6 + column * 3.8 + (row % 2) * 1.9, 14.5 + row * 3.1);
            Outline(painter, Ellipse(centre, 1.7, 1.35), palette.Deep(), 0.7);
        }
    }
    painter.restore();
    for (int i = 0; i < 9; ++i) {
        const qreal x = 7 + i * 3.1;
        const qreal top = x < 14 ? 12.5 + (14 - x) * 0.45 : x > 25 ? 12.5 + (x - 25) * 0.45 : 12.5;
        painter.fillPath(Polygon({{x - 0.6, top + 0.5}, {x, top - 1.6}, {x + 0.6, top + 0.5}}),
                         Neutral::steelLight);
    }

    const QPainterPath dragon = Polygon({{0.5, 15.5}, {2.5, 13.5}, {6.5, 13.8}, {8, 16.5},
                                         {7, 20.5}, {3.5, 19.5}, {1.2, 18.6}, {3, 17.2}});
    FillTeam(painter, dragon, palette, {1, 13}, {8, 21});
    Eye(painter, {4.6, 15.4}, 0.55);
}

} // namespace EmblemDesigns
