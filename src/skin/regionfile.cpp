#include "skin/regionfile.h"

#include "platform/logging.h"

#include <QByteArray>
#include <QList>
#include <QTransform>

namespace velmoro::skin {

namespace {

// Real files give at most a few hundred corners; beyond these limits a file
// is no region file.
constexpr qsizetype kMaxRegionFile = 256 * 1024;
constexpr qsizetype kMaxCorners = 8192;
constexpr int kMaxCoordinate = 4096;

constexpr std::array<const char*, kRegionShapeCount> kSectionNames = {"normal", "windowshade", "equalizer",
                                                                      "equalizerws"};

struct SectionText {
    std::optional<QByteArray> numPoints;
    std::optional<QByteArray> pointList;
};

std::optional<int> SectionIndex(QByteArrayView name)
{
    const QByteArray lower = name.trimmed().toByteArray().toLower();
    for (std::size_t i = 0; i < kSectionNames.size(); ++i)
        if (lower == kSectionNames[i])
            return int(i);
    return std::nullopt;
}

// Numbers separated by commas, blanks or tabs, as skins write them; nullopt
// when a word is not a number or there are too many.
std::optional<QList<int>> Numbers(const QByteArray& text)
{
    QList<int> numbers;
    QByteArray word;
    const auto flush = [&] {
        if (word.isEmpty())
            return true;
        bool ok = false;
        const int value = word.toInt(&ok);
        word.clear();
        if (!ok || value < -kMaxCoordinate || value > kMaxCoordinate || numbers.size() >= 2 * kMaxCorners)
            return false;
        numbers.append(value);
        return true;
    };
    for (const char c : text) {
        if (c == ',' || c == ' ' || c == '\t') {
            if (!flush())
                return std::nullopt;
        } else {
            word.append(c);
        }
    }
    if (!flush())
        return std::nullopt;
    return numbers;
}

std::optional<Polygons> SectionPolygons(const SectionText& section)
{
    if (!section.numPoints && !section.pointList)
        return Polygons{};
    if (!section.numPoints || !section.pointList)
        return std::nullopt;
    const std::optional<QList<int>> counts = Numbers(*section.numPoints);
    const std::optional<QList<int>> coordinates = Numbers(*section.pointList);
    if (!counts || !coordinates || counts->isEmpty())
        return std::nullopt;
    qsizetype corners = 0;
    for (const int count : *counts) {
        if (count < 3 || count > kMaxCorners)
            return std::nullopt;
        corners += count;
    }
    if (corners > kMaxCorners || 2 * corners != coordinates->size())
        return std::nullopt;
    Polygons polygons;
    qsizetype at = 0;
    for (const int count : *counts) {
        QPolygon polygon;
        for (int i = 0; i < count; ++i, at += 2)
            polygon << QPoint((*coordinates)[at], (*coordinates)[at + 1]);
        polygons.push_back(std::move(polygon));
    }
    return polygons;
}

} // namespace

std::optional<WindowRegions> ParseRegionFile(QByteArrayView text)
{
    std::array<SectionText, kRegionShapeCount> sections;
    std::optional<int> current;
    for (const QByteArrayView rawLine : QByteArray(text.data(), text.size()).split('\n')) {
        const QByteArrayView line = rawLine.trimmed();
        if (line.startsWith('[')) {
            const qsizetype end = line.indexOf(']');
            current = end > 0 ? SectionIndex(line.sliced(1, end - 1)) : std::nullopt;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!current || equals < 0)
            continue;
        const QByteArray key = line.first(equals).trimmed().toByteArray().toLower();
        const QByteArray value = line.sliced(equals + 1).trimmed().toByteArray();
        SectionText& section = sections[std::size_t(*current)];
        // The first of a repeated key counts, as profile files are read.
        if (key == "numpoints" && !section.numPoints)
            section.numPoints = value;
        else if (key == "pointlist" && !section.pointList)
            section.pointList = value;
    }
    WindowRegions regions;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        std::optional<Polygons> polygons = SectionPolygons(sections[i]);
        if (!polygons)
            return std::nullopt;
        regions.shapes[i] = std::move(*polygons);
    }
    return regions;
}

WindowRegions LoadRegionFile(const SkinSource& source)
{
    const QString name = QStringLiteral("region.txt");
    if (!source.Has(name))
        return {};
    const std::optional<QByteArray> text = source.Read(name, kMaxRegionFile);
    if (!text) {
        qCWarning(lcSkin) << "cannot read" << name << "in" << source.Where() << "or it is too large";
        return {};
    }
    std::optional<WindowRegions> regions = ParseRegionFile(*text);
    if (!regions) {
        qCWarning(lcSkin) << "ignoring the malformed" << name << "in" << source.Where();
        return {};
    }
    return std::move(*regions);
}

QRegion ShapeMask(const Polygons& polygons, int scale)
{
    QRegion mask;
    for (const QPolygon& polygon : polygons)
        mask += QRegion(polygon, Qt::OddEvenFill);
    if (scale != 1)
        mask = QTransform::fromScale(scale, scale).map(mask);
    return mask;
}

QImage CutToShape(const QImage& image, const QRegion& shape)
{
    QImage cut = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < cut.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(cut.scanLine(y));
        for (int x = 0; x < cut.width(); ++x)
            if (!shape.contains(QPoint(x, y)))
                row[x] = qRgba(0, 0, 0, 0);
    }
    return cut;
}

} // namespace velmoro::skin
