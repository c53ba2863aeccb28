#pragma once

#include <QPointF>
#include <QString>

#include <optional>

// A point typed while a tool of the plan is active, as CAD programs take it: "x, y" (m)
// where it is, "@dx, dy" that far from the point before. The two numbers are separated by
// a comma, a semicolon or spaces, with a point for the decimals.
namespace TypedPoint {

// Whether the text is relative ("@dx, dy") and the two numbers; none when it is neither.
struct Typed {
    bool relative = false;
    QPointF value;
};
std::optional<Typed> read(const QString &text);
// The point itself: relative to before, which a relative point needs.
std::optional<QPointF> resolve(const QString &text, std::optional<QPointF> before);

} // namespace TypedPoint
