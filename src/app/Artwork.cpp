#include "app/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr int kSceneWidth = 1200;
constexpr int kSceneHeight = 900;
constexpr int kHorizon = 600;
constexpr QSize kLogoSize(300, 80);
constexpr int kBackdropSide = 50;
constexpr QColor kTrellisGreen(0x2a, 0x9d, 0x8f);
constexpr QColor kLogoRed(0xd6, 0x28, 0x28);
constexpr QColor kPaper(0xf4, 0xf1, 0xea);
constexpr QColor kPaperEdge(0xd0, 0xc8, 0xb8);
// The icon is drawn on a 256-unit square; dist/icons holds the same shapes as SVG.
constexpr qreal kIconUnits = 256;

void PaintSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kHorizon);
    sky.setColorAt(0.0, QColor(0x1d, 0x35, 0x7a));
    sky.setColorAt(0.55, QColor(0xe0, 0x7a, 0x8b));
    sky.setColorAt(1.0, QColor(0xff, 0xc2, 0x6f));
    p.fillRect(0, 0, kSceneWidth, kHorizon, sky);
    QRadialGradient sun(900, 380, 160);
    sun.setColorAt(0.0, QColor(255, 250, 220));
    sun.setColorAt(0.35, QColor(255, 220, 120));
    sun.setColorAt(1.0, QColor(255, 190, 110, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(900, 380), 160, 160);
}

// A range of hills: its outline (start height, then cubic segments as control,
// control, end points), coloured from top to horizon.
struct Hill {
    int startY;
    QPointF curve[3][3];
    int curveCount;
    int gradientTop;
    QColor top;
    QColor bottom;
};

constexpr int kHillCount = 2;
const Hill kHills[kHillCount] = {
    {470,
     {{{180, 330}, {300, 420}, {450, 360}},
      {{600, 300}, {760, 470}, {900, 410}},
      {{1020, 360}, {1120, 420}, {1200, 390}}},
     3,
     300,
     QColor(0x7b, 0x5e, 0x9a),
     QColor(0xb5, 0x65, 0x76)},
    {540,
     {{{250, 470}, {420, 580}, {700, 520}}, {{900, 480}, {1050, 560}, {1200, 510}}, {}},
     2,
     470,
     QColor(0x2a, 0x9d, 0x8f),
     QColor(0x26, 0x46, 0x53)},
};

void PaintHills(QPainter& p) {
    for (const Hill& hill : kHills) {
        QPainterPath outline;
        outline.moveTo(0, hill.startY);
        for (int c = 0; c < hill.curveCount; ++c) {
            outline.cubicTo(hill.curve[c][0], hill.curve[c][1], hill.curve[c][2]);
        }
        outline.lineTo(1200, kHorizon);
        outline.lineTo(0, kHorizon);
        QLinearGradient colour(0, hill.gradientTop, 0, kHorizon);
        colour.setColorAt(0.0, hill.top);
        colour.setColorAt(1.0, hill.bottom);
        p.fillPath(outline, colour);
    }
}

void PaintLake(QPainter& p) {
    QLinearGradient water(0, kHorizon, 0, kSceneHeight);
    water.setColorAt(0.0, QColor(0xf4, 0xa2, 0x61));
    water.setColorAt(0.3, QColor(0x3d, 0x5a, 0x80));
    water.setColorAt(1.0, QColor(0x14, 0x21, 0x3d));
    p.fillRect(0, kHorizon, kSceneWidth, kSceneHeight - kHorizon, water);
    p.setPen(QPen(QColor(255, 230, 170, 150), 3));
    for (int i = 0; i < 8; ++i) {
        const int y = kHorizon + 20 + i * 28;
        const int half = 120 - i * 12;
        p.drawLine(900 - half, y, 900 + half, y);
    }
}

void PaintPerson(QPainter& p) {
    p.setPen(Qt::NoPen);
    // Shoulders in a red jumper.
    QPainterPath body;
    body.moveTo(250, 900);
    body.cubicTo(260, 700, 330, 640, 460, 630);
    body.cubicTo(590, 640, 660, 700, 670, 900);
    p.fillPath(body, QColor(0xd6, 0x28, 0x28));
    p.setBrush(QColor(0xe8, 0xb0, 0x84));
    p.drawRect(425, 560, 70, 90); // neck
    // Head, hair and ears.
    p.setBrush(QColor(0x4a, 0x2c, 0x1a));
    p.drawEllipse(QPointF(460, 430), 150, 165);
    p.setBrush(QColor(0xf1, 0xc2, 0x7d));
    p.drawEllipse(QPointF(330, 470), 22, 34);
    p.drawEllipse(QPointF(590, 470), 22, 34);
    p.drawEllipse(QPointF(460, 470), 128, 150);
    p.setBrush(QColor(0x4a, 0x2c, 0x1a));
    QPainterPath fringe;
    fringe.moveTo(330, 440);
    fringe.cubicTo(340, 300, 580, 290, 590, 440);
    fringe.cubicTo(540, 370, 420, 360, 330, 440);
    p.drawPath(fringe);
    // Face.
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(412, 465), 22, 15);
    p.drawEllipse(QPointF(508, 465), 22, 15);
    p.setBrush(QColor(0x2b, 0x4c, 0x7e));
    p.drawEllipse(QPointF(414, 466), 10, 10);
    p.drawEllipse(QPointF(506, 466), 10, 10);
    p.setBrush(QColor(0xe8, 0x8a, 0x7a, 150));
    p.drawEllipse(QPointF(385, 530), 24, 14);
    p.drawEllipse(QPointF(535, 530), 24, 14);
    p.setPen(QPen(QColor(0x8c, 0x3b, 0x2e), 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(405, 500, 110, 70), 200 * 16, 140 * 16);
}

void PaintBirds(QPainter& p) {
    p.setPen(QPen(QColor(0x2d, 0x2a, 0x4a), 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF birds[] = {{760, 160}, {820, 200}, {700, 230}};
    for (const QPointF& b : birds) {
        p.drawArc(QRectF(b.x() - 30, b.y(), 30, 24), 30 * 16, 120 * 16);
        p.drawArc(QRectF(b.x(), b.y(), 30, 24), 30 * 16, 120 * 16);
    }
}

// The mark of logo and icon, a small trellis: a lattice of two diagonal sets of
// bars, in logo units (70 x 60 from (10, 10)).
void PaintTrellis(QPainter& p, qreal penWidth) {
    p.setPen(QPen(kTrellisGreen, penWidth, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(10 + i * 20, 70, 40 + i * 20, 10);
        p.drawLine(10 + i * 20, 10, 40 + i * 20, 70);
    }
}

} // namespace

QImage Artwork::DefaultPicture() {
    QImage picture(kSceneWidth, kSceneHeight, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    PaintSky(p);
    PaintHills(p);
    PaintLake(p);
    PaintBirds(p);
    PaintPerson(p);
    return picture;
}

QImage Artwork::Logo() {
    QImage logo(kLogoSize, QImage::Format_ARGB32_Premultiplied);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    PaintTrellis(p, 5);
    QFont font = p.font();
    font.setPixelSize(46);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kLogoRed);
    p.drawText(QRect(95, 0, kLogoSize.width() - 95, kLogoSize.height()),
               Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Trellica"));
    return logo;
}

QImage Artwork::PositionBackdrop() {
    QImage backdrop(kBackdropSide, kBackdropSide, QImage::Format_RGB32);
    backdrop.fill(kPaper);
    QPainter p(&backdrop);
    p.setPen(kPaperEdge);
    for (int i = 1; i < 3; ++i) {
        const int at = i * kBackdropSide / 3;
        p.drawLine(at, 0, at, kBackdropSide);
        p.drawLine(0, at, kBackdropSide, at);
    }
    p.drawRect(0, 0, kBackdropSide - 1, kBackdropSide - 1);
    return backdrop;
}

QImage Artwork::AppIcon(int side) {
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / kIconUnits, side / kIconUnits);
    // A sheet of the position picker's paper ...
    p.setPen(QPen(kPaperEdge, 6));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(12, 12, 232, 232), 44, 44);
    // ... with the logo's trellis across it (2.4 times the logo's size) ...
    p.save();
    p.translate(20, 32);
    p.scale(2.4, 2.4);
    PaintTrellis(p, 7);
    p.restore();
    // ... and one red bloom where two bars cross.
    p.setPen(Qt::NoPen);
    p.setBrush(kLogoRed);
    p.drawEllipse(QPointF(152, 80), 22, 22);
    return icon;
}
