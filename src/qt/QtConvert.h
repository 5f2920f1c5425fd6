#pragma once

#include "ui/Geometry.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

namespace kal {

// The core keeps texts in UTF-16 as QString does, so these copy without converting.
[[nodiscard]] inline QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

[[nodiscard]] inline std::u16string FromQString(const QString& text)
{
    return text.toStdU16String();
}

[[nodiscard]] inline QColor ToQColor(Colour colour)
{
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

[[nodiscard]] inline Colour FromQColor(const QColor& colour)
{
    return MakeColour(colour.red(), colour.green(), colour.blue());
}

[[nodiscard]] inline QPoint ToQPoint(Point point)
{
    return QPoint(point.x, point.y);
}

// Our rectangles end just outside on the right and bottom; QRect's width and height count the same
// pixels.
[[nodiscard]] inline QRect ToQRect(const Rect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace kal
