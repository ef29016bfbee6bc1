// The 22 built-in cursors: amber shapes with a dark outline, each hotspot
// where the shape points.
#include "art.h"

#include <QPainterPath>

#include <vector>

namespace velmoro::skingen {

using namespace colours;

namespace {

enum class Shape { Arrow, Horizontal, Vertical, Move, Diagonal };

QPolygonF Outline(Shape shape)
{
    switch (shape) {
    case Shape::Arrow:
        return QPolygonF({{1, 1}, {1, 18}, {5, 14}, {8, 21}, {11, 20}, {8, 13}, {13, 13}});
    case Shape::Horizontal:
        return QPolygonF({{4, 16},
                          {10, 10},
                          {10, 14},
                          {22, 14},
                          {22, 10},
                          {28, 16},
                          {22, 22},
                          {22, 18},
                          {10, 18},
                          {10, 22}});
    case Shape::Vertical:
        return QPolygonF({{16, 4},
                          {22, 10},
                          {18, 10},
                          {18, 22},
                          {22, 22},
                          {16, 28},
                          {10, 22},
                          {14, 22},
                          {14, 10},
                          {10, 10}});
    case Shape::Move:
        return QPolygonF({{16, 3},  {21, 8},  {18, 8},  {18, 14}, {24, 14}, {24, 11}, {29, 16}, {24, 21},
                          {24, 18}, {18, 18}, {18, 24}, {21, 24}, {16, 29}, {11, 24}, {14, 24}, {14, 18},
                          {8, 18},  {8, 21},  {3, 16},  {8, 11},  {8, 14},  {14, 14}, {14, 8},  {11, 8}});
    case Shape::Diagonal:
        return QPolygonF(
            {{6, 6}, {14, 6}, {11, 9}, {23, 21}, {26, 18}, {26, 26}, {18, 26}, {21, 23}, {9, 11}, {6, 14}});
    }
    return {};
}

QPoint Hotspot(Shape shape)
{
    return shape == Shape::Arrow ? QPoint(1, 1) : QPoint(16, 16);
}

QImage Draw(Shape shape)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kShadow, 1.2));
    p.setBrush(kAmber);
    p.drawPolygon(Outline(shape));
    return image;
}

} // namespace

std::vector<Cursor> Cursors()
{
    const std::pair<const char*, Shape> table[] = {
        {"NORMAL", Shape::Arrow},      {"SONGNAME", Shape::Horizontal}, {"WSWINBUT", Shape::Arrow},
        {"WSMIN", Shape::Arrow},       {"WSPOSBAR", Shape::Horizontal}, {"WSCLOSE", Shape::Arrow},
        {"WSNORMAL", Shape::Arrow},    {"MIN", Shape::Arrow},           {"EQCLOSE", Shape::Arrow},
        {"EQSLID", Shape::Vertical},   {"EQTITLE", Shape::Move},        {"EQNORMAL", Shape::Arrow},
        {"PWSSIZE", Shape::Diagonal},  {"PWSNORM", Shape::Arrow},       {"PWINBUT", Shape::Arrow},
        {"PTBAR", Shape::Move},        {"PCLOSE", Shape::Arrow},        {"CLOSE", Shape::Arrow},
        {"PVSCROLL", Shape::Vertical}, {"VOLBAL", Shape::Horizontal},   {"PSIZE", Shape::Diagonal},
        {"POSBAR", Shape::Horizontal},
    };
    std::vector<Cursor> cursors;
    for (const auto& [name, shape] : table)
        cursors.push_back({name, Draw(shape), Hotspot(shape)});
    return cursors;
}

} // namespace velmoro::skingen
