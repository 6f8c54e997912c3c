#include "desktop/CreditsPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace {

constexpr int Side = 223;

void DrawTitle(QPainter& painter, const QString& title, const QString& subtitle, const QColor& color) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRect(0, 150, Side, 36), Qt::AlignCenter, title);
    font.setPixelSize(12);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, 186, Side, 20), Qt::AlignCenter, subtitle);
}

} // namespace

QPixmap PlayerCreditsPicture() {
    QPixmap picture(Side, Side);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient sky(QPointF(Side / 2.0, 80), Side * 0.8);
    sky.setColorAt(0, QColor(40, 70, 140));
    sky.setColorAt(1, QColor(8, 12, 40));
    painter.fillRect(picture.rect(), sky);

    // Concentric rings of a speaker cone.
    const QPointF centre(Side / 2.0, 78);
    for (int ring = 0; ring < 6; ++ring) {
        painter.setPen(QPen(QColor(120 + ring * 20, 170 + ring * 12, 255, 220 - ring * 30), 3));
        const double radius = 14 + ring * 11;
        painter.drawEllipse(centre, radius, radius);
    }
    painter.setBrush(QColor(230, 240, 255));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 8, 8);

    DrawTitle(painter, QStringLiteral("T. Aerin"), QStringLiteral("MPEG audio player"), QColor(235, 240, 255));
    return picture;
}

QPixmap EngineCreditsPicture() {
    QPixmap picture(Side, Side);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient dusk(0, 0, 0, Side);
    dusk.setColorAt(0, QColor(70, 20, 10));
    dusk.setColorAt(1, QColor(200, 110, 30));
    painter.fillRect(picture.rect(), dusk);

    // Three damped waves, like decoded audio.
    for (int wave = 0; wave < 3; ++wave) {
        QPainterPath path;
        for (int x = 0; x <= Side; ++x) {
            const double t = x / double(Side);
            const double y =
                78 + (40 - wave * 10) * std::exp(-2.0 * t) * std::sin(2 * std::numbers::pi * (3 + wave) * t + wave);
            if (x == 0)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        painter.setPen(QPen(QColor(255, 220 - wave * 40, 120 + wave * 40), 3 - wave * 0.8));
        painter.drawPath(path);
    }

    DrawTitle(painter, QStringLiteral("Zelkor"), QStringLiteral("decoding engine"), QColor(255, 245, 225));
    return picture;
}
