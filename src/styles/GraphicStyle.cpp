#include "styles/GraphicStyle.h"

#include "styles/StyleData.h"

#include <QStringList>

#include <algorithm>

namespace graphicstyle
{

int areaCount(const std::array<std::string, kMaxAreas>& areas)
{
    return int(
        std::count_if(areas.begin(), areas.end(), [](const std::string& a) { return !styledata::trimmed(a).empty(); }));
}

std::optional<Area> parseArea(std::string_view text)
{
    const std::string entry = styledata::trimmed(text);
    if (styledata::splitFields(entry, ',').size() != 4)
        return std::nullopt;
    const auto values = styledata::parseInts(entry, 4);
    if (!values)
        return std::nullopt;
    return Area{(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
}

bool hits(const Area& area, QPoint point)
{
    return area.x1 < point.x() && point.x() < area.x2 && area.y1 < point.y() && point.y() < area.y2;
}

QRect markerRect(QPoint point)
{
    return QRect(point.x() - kMarkerSize / 2, point.y() - kMarkerSize / 2, kMarkerSize, kMarkerSize);
}

QRect guideFrame(const Area& area)
{
    return QRect(QPoint(area.x1 + 1, area.y1), QPoint(area.x2 - 1, area.y2 - 1));
}

void GraphicAnswer::reset(const std::array<std::string, kMaxAreas>& areaTexts)
{
    m_count = areaCount(areaTexts);
    m_placedSoFar = 0;
    m_areas.clear();
    for (int j = 0; j < m_count; ++j)
        m_areas.push_back(parseArea(areaTexts[size_t(j)]));
    m_markers.assign(size_t(m_count), Marker{});
}

std::vector<int> GraphicAnswer::brokenAreas() const
{
    std::vector<int> broken;
    for (size_t j = 0; j < m_areas.size(); ++j)
        if (!m_areas[j])
            broken.push_back(int(j) + 1);
    return broken;
}

std::optional<int> GraphicAnswer::place(QPoint point)
{
    for (size_t i = 0; i < m_markers.size(); ++i) {
        if (m_markers[i].placed)
            continue;
        m_markers[i] = Marker{true, point.x(), point.y(), ++m_placedSoFar};
        return int(i);
    }
    return std::nullopt;
}

void GraphicAnswer::remove(int index)
{
    if (index >= 0 && size_t(index) < m_markers.size())
        m_markers[size_t(index)] = Marker{};
}

std::optional<int> GraphicAnswer::markerAt(QPoint point) const
{
    std::optional<int> found;
    int order = 0;
    for (size_t i = 0; i < m_markers.size(); ++i) {
        const Marker& m = m_markers[i];
        if (m.placed && m.order > order && markerRect({m.x, m.y}).contains(point)) {
            found = int(i);
            order = m.order;
        }
    }
    return found;
}

std::optional<int> GraphicAnswer::latest() const
{
    std::optional<int> found;
    int order = 0;
    for (size_t i = 0; i < m_markers.size(); ++i) {
        if (m_markers[i].placed && m_markers[i].order > order) {
            found = int(i);
            order = m_markers[i].order;
        }
    }
    return found;
}

std::optional<int> GraphicAnswer::removeAtOrLatest(QPoint point)
{
    std::optional<int> index = markerAt(point);
    if (!index)
        index = latest();
    if (index)
        remove(*index);
    return index;
}

bool GraphicAnswer::judge() const
{
    for (const std::optional<Area>& area : m_areas) {
        // Only placed markers count: a free marker is nowhere, not at the picture's corner.
        const bool hit = area && std::any_of(m_markers.begin(), m_markers.end(), [&](const Marker& m) {
                             return m.placed && hits(*area, {m.x, m.y});
                         });
        if (!hit)
            return false;
    }
    return true;
}

QPoint moveCrosshair(QPoint at, int dx, int dy, QSize picture)
{
    const int right = std::max(0, picture.width() - 1);
    const int bottom = std::max(0, picture.height() - 1);
    return QPoint(std::clamp(at.x() + dx, 0, right), std::clamp(at.y() + dy, 0, bottom));
}

QString brokenAreasMessage(int questionNumber, const std::vector<int>& areas)
{
    QStringList numbers;
    for (const int a : areas)
        numbers << QString::number(a);
    return QStringLiteral("問題 %1 の領域データ（%2 番目）が正しくありません。\nこの領域には印を置いても当たりません。")
        .arg(questionNumber)
        .arg(numbers.join(QStringLiteral("、")));
}

} // namespace graphicstyle
