#pragma once
// The graphic answer style: target areas on a picture and the markers a person places on it.
// The model the answer screen draws; mouse and keyboard both act through it, so a keyboard
// answer is judged exactly like a mouse answer.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace graphicstyle
{

inline constexpr int kMaxAreas = 5;
inline constexpr int kMarkerSize = 32; // the marker symbol, centred on the point it marks

// A target area in picture pixels: (x1, y1) top-left, (x2, y2) bottom-right.
struct Area {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// N: how many of the five area entries are not empty after trimming. The areas used are the
// entries 1..N, whatever their content.
int areaCount(const std::array<std::string, kMaxAreas>& areas);

// "x1,y1,x2,y2": exactly four decimal integers (blanks around the entry are ignored); anything
// else, an empty entry included, gives nothing.
std::optional<Area> parseArea(std::string_view text);

// Strictly inside: a point on the border line does not hit the area.
bool hits(const Area& area, QPoint point);

// Where the marker symbol of a point stands: 32 x 32 with the point at its centre.
QRect markerRect(QPoint point);

// The black frame of an area on the view screen, in picture pixels (inclusive corners): the
// frame leaves the area's first column out and runs along its last column and row inside.
QRect guideFrame(const Area& area);

struct Marker {
    bool placed = false;
    int x = 0;
    int y = 0;
    int order = 0; // when it was placed, to find the latest one
};

class GraphicAnswer
{
  public:
    // Starts over for a question: N from the entries, every marker free, areas parsed.
    void reset(const std::array<std::string, kMaxAreas>& areaTexts);

    int count() const { return m_count; }
    // Areas 1..N as parsed; an entry that did not parse can never be hit.
    const std::vector<std::optional<Area>>& areas() const { return m_areas; }
    // 1-based numbers of the areas that did not parse.
    std::vector<int> brokenAreas() const;
    // Markers 1..N (index 0-based).
    const std::vector<Marker>& markers() const { return m_markers; }

    // Places the first free marker at `point`; its index, or nothing when all N are placed.
    std::optional<int> place(QPoint point);
    // Frees marker `index` (a right click on it).
    void remove(int index);
    // The latest placed marker whose symbol covers `point`, or nothing.
    std::optional<int> markerAt(QPoint point) const;
    // The latest placed marker, or nothing.
    std::optional<int> latest() const;
    // Keyboard removal: the marker under `point`, else the latest placed; nothing when none is placed.
    std::optional<int> removeAtOrLatest(QPoint point);

    // Right when every area 1..N holds some placed marker strictly inside. Markers are not tied
    // to areas: one marker in two overlapping areas counts for both.
    bool judge() const;

  private:
    int m_count = 0;
    int m_placedSoFar = 0;
    std::vector<std::optional<Area>> m_areas;
    std::vector<Marker> m_markers;
};

// The keyboard crosshair: moved by the arrow keys, always on the picture.
QPoint moveCrosshair(QPoint at, int dx, int dy, QSize picture);

// The message for area entries that are not four decimal integers: it names the question and
// the areas (1-based), which count as impossible to hit.
QString brokenAreasMessage(int questionNumber, const std::vector<int>& areas);

} // namespace graphicstyle
