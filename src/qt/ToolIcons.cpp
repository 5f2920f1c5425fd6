#include "qt/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <string_view>

namespace kal {

namespace {

constexpr int kSize = 48; // drawn large, shown at the tool bar's size

const QColor kInk(0x33, 0x44, 0x66);
const QColor kRed(0xC8, 0x10, 0x2E);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kGreen(0x2E, 0x8B, 0x3A);

void Calendar(QPainter& p)
{
    p.setPen(QPen(kInk, 3));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(6, 9, 36, 33), 4, 4);
    p.fillRect(QRectF(7.5, 10.5, 33, 8), kRed);
}

void Plus(QPainter& p, QPointF centre, QColor colour)
{
    p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-7, 0), centre + QPointF(7, 0));
    p.drawLine(centre + QPointF(0, -7), centre + QPointF(0, 7));
}

void Arrow(QPainter& p, bool right, QPointF centre)
{
    QPainterPath path;
    const double d = right ? 1 : -1;
    path.moveTo(centre + QPointF(-7 * d, -10));
    path.lineTo(centre + QPointF(8 * d, 0));
    path.lineTo(centre + QPointF(-7 * d, 10));
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(path);
}

void Magnifier(QPainter& p, QPointF centre)
{
    p.setPen(QPen(kInk, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 9, 9);
    p.setPen(QPen(kInk, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(7, 7), centre + QPointF(15, 15));
}

// A curved arrow turning back (undo) or going on (redo).
void TurnArrow(QPainter& p, bool forward)
{
    const double d = forward ? -1 : 1;
    const auto x = [d](double at) { return 24 + d * (at - 24); };
    QPainterPath bow;
    bow.moveTo(x(14), 20);
    bow.cubicTo(QPointF(x(24), 12), QPointF(x(40), 14), QPointF(x(38), 28));
    bow.cubicTo(QPointF(x(37), 36), QPointF(x(30), 39), QPointF(x(22), 38));
    p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bow);
    QPainterPath head;
    head.moveTo(x(6), 21);
    head.lineTo(x(19), 11);
    head.lineTo(x(19), 29);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(head);
}

// Draws the icon `name`; false when there is no such icon.
bool Draw(QPainter& p, std::string_view name)
{
    const auto is = [name](std::string_view other) { return name == other; };
    if (is("save")) {
        p.setPen(QPen(kInk, 3));
        p.setBrush(QColor(0x5A, 0x7B, 0xB5));
        p.drawRoundedRect(QRectF(8, 8, 32, 32), 3, 3);
        p.fillRect(QRectF(15, 10, 18, 10), kPaper);
        p.fillRect(QRectF(14, 27, 20, 11), QColor(0xE8, 0xEC, 0xF4));
    } else if (is("paste")) {
        p.setPen(QPen(kInk, 3));
        p.setBrush(QColor(0xD9, 0xB3, 0x6C));
        p.drawRoundedRect(QRectF(9, 9, 30, 33), 3, 3);
        p.setBrush(kPaper);
        p.drawRect(QRectF(15, 17, 18, 20));
        p.setBrush(kInk);
        p.drawRoundedRect(QRectF(17, 5, 14, 7), 2, 2);
    } else if (is("undo") || is("redo")) {
        TurnArrow(p, is("redo"));
    } else if (is("previous-month") || is("next-month")) {
        Arrow(p, is("next-month"), QPointF(24, 24));
    } else if (is("today")) {
        Calendar(p);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(24, 31), 6, 6);
    } else if (is("add-schedule")) {
        Calendar(p);
        Plus(p, QPointF(24, 30), kGreen);
    } else if (is("add-todo")) {
        p.setPen(QPen(kInk, 3));
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 8, 24, 24));
        p.setPen(QPen(kGreen, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 20), QPointF(18, 26));
        p.drawLine(QPointF(18, 26), QPointF(28, 12));
        Plus(p, QPointF(36, 36), kGreen);
    } else if (is("edit")) {
        p.setPen(QPen(kInk, 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 34), QPointF(34, 14));
        p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 33), QPointF(33, 15));
        p.setPen(QPen(kInk, 3));
        p.drawLine(QPointF(8, 40), QPointF(12, 36));
    } else if (is("find")) {
        Magnifier(p, QPointF(20, 20));
    } else if (is("find-next") || is("find-previous")) {
        Magnifier(p, QPointF(18, 18));
        Arrow(p, is("find-next"), QPointF(36, 36));
    } else if (is("help")) {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(24, 24), 17, 17);
        QFont font = p.font();
        font.setPixelSize(26);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kPaper);
        p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("?"));
    } else {
        return false;
    }
    return true;
}

} // namespace

QIcon ToolIcon(std::string_view name)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        if (!Draw(painter, name))
            return QIcon();
    }
    return QIcon(pixmap);
}

} // namespace kal
