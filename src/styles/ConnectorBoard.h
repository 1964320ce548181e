#pragma once
// The connector style without widgets: objects lifted out of the question picture, the palette
// of connector kinds, the connections the user draws between objects, where each connection is
// drawn, and the verdict against the expected connections. Mouse and keyboard handlers both work
// through it. Objects, kinds and connections are numbered from 1 in list order; 0 means none.
#include "styles/StyleItems.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace connectorstyle
{

using styleitems::Box;
using styleitems::Point;
using styleitems::Problem;

inline constexpr int kMaxObjects = 20;
inline constexpr int kMaxKinds = 20;
inline constexpr int kMaxConnections = 50;
inline constexpr int kBandHeight = 45; // the palette band at the top of the picture
inline constexpr int kStackStep = 14;  // repeated connections between two objects stack upwards
inline constexpr int kArrowWidth = 18; // the arrow pictures of directed kinds
inline constexpr int kArrowHeight = 11;

struct StyleObject {
    Box box;           // where it was cut out of the picture
    std::string label; // everything after the fourth ","
    Point position;    // where its image lies now
    bool selected = false;
    int selectionOrder = 0; // 1 first selected, 2 second selected, 0 none
    int width() const { return box.width(); }
    int height() const { return box.height(); }
};

struct ConnectorKind {
    Box box;
    std::string name;
    bool directed = false;
};

struct Connection {
    int from = 0;
    int to = 0;
    int kind = 0;
    Box drawn; // where its kind's picture was last drawn
    friend bool operator==(const Connection& a, const Connection& b)
    {
        return a.from == b.from && a.to == b.to && a.kind == b.kind;
    }
};

struct ConnectorData {
    std::vector<StyleObject> objects;
    std::vector<ConnectorKind> kinds;
    std::vector<Connection> expected;
    bool truncated = false; // more than 20 objects or kinds, or 50 expected connections, were given
};

struct ConnectorParse {
    ConnectorData data;
    std::optional<Problem> problem;
    QStringList answerData; // the hidden Memo2's "Answer Data" lines
};

// Objects from `objectList` (x1,y1,x2,y2,label), kinds from `kindList` (x1,y1,x2,y2,name,directed),
// expected connections from `expectedList` (label1;label2;name;direction with direction 1 from
// label1 to label2, 2 the other way, 0 undirected). Labels and names are compared exactly; where
// several carry the same text the last one counts. A label or name that none carries, or another
// direction, is a problem.
ConnectorParse parseConnectorData(const std::string& objectList, const std::string& kindList,
                                  const std::string& expectedList);

struct Line {
    Point from;
    Point to;
};

// How one connection is drawn: its kind's picture at `box`, highlighted when selected; for a
// directed kind an arrow on either side (pointing right when the target object does not lie to
// the left of the source) in a frame as high as the kind's picture; and two lines joining it to
// the objects.
struct ConnectionDrawing {
    int kind = 0;
    Box box;
    bool highlighted = false;
    bool directed = false;
    bool pointsRight = true;
    Box leftArrow;
    Box rightArrow;
    Line first;
    Line second;
};

class ConnectorBoard
{
  public:
    ConnectorBoard() = default;
    explicit ConnectorBoard(ConnectorData data);

    const std::vector<StyleObject>& objects() const { return m_data.objects; }
    const std::vector<ConnectorKind>& kinds() const { return m_data.kinds; }
    const std::vector<Connection>& connections() const { return m_connections; }
    const std::vector<Connection>& expected() const { return m_data.expected; }
    const StyleObject& object(int i) const { return m_data.objects[size_t(i - 1)]; }
    int objectCount() const { return int(m_data.objects.size()); }
    int kindCount() const { return int(m_data.kinds.size()); }
    int connectionCount() const { return int(m_connections.size()); }
    int dragging() const { return m_dragging; }
    int selectedConnection() const { return m_selectedConnection; }
    int selectedCountAtClick() const { return m_selectedCountAtClick; }

    // The object whose image lies under `p` (later objects lie above earlier ones), and the
    // palette kind under `p` (the palette does not move).
    int objectAt(Point p) const;
    int kindAt(Point p) const;

    // Mouse down on object `i`, grabbed at `grab` within it; Shift is remembered for the click.
    void objectMouseDown(int i, Point grab, bool shift);
    // Mouse move: the dragged object's top-left corner follows `pointer` less the grab point.
    void dragTo(Point pointer);
    void objectMouseUp() { m_dragging = 0; }
    // A click on object `i` (after its mouse up): without Shift at mouse down the selection is
    // cleared first; a first or second object is selected; with two selected nothing changes.
    void objectClick(int i);
    // The keyboard's click: Space (`shift` false) or Shift+Space on object `i`.
    void selectObject(int i, bool shift);
    // The arrow keys: object `i` moves by (dx, dy).
    void moveObject(int i, int dx, int dy);

    enum class Made { Connection, NoPair, Full };
    // A click on palette kind `c`: joins the two selected objects when exactly two were picked in
    // turn. A 51st connection is refused (Full).
    Made kindClick(int c);
    // Mouse down on the drawing surface at `p`: clears the object selection and selects the last
    // drawn connector whose rectangle holds `p` strictly inside.
    void surfaceMouseDown(Point p);
    // The keyboard's choice of a drawn connector (0 for none); the object selection stays.
    void chooseConnection(int k);
    // Delete: removes the selected connection. False when none was selected.
    bool deleteSelected();

    // Where every connection is drawn now, in order; stores each one's rectangle.
    std::vector<ConnectionDrawing> layoutConnections();
    // The hidden Memo1's lines: "from:to:kind LX:l:LY:t:RX:r:RY:b" per connection.
    QStringList listing() const;

    struct Verdict {
        bool passed = false;
        QStringList result; // appended to Memo2
        QStringList trace;  // Memo3
    };
    Verdict judge() const;

  private:
    void clearSelection();
    Point centre(int i) const;

    ConnectorData m_data;
    std::vector<Connection> m_connections;
    int m_dragging = 0;
    Point m_grab;
    bool m_shiftAtMouseDown = false;
    int m_selectedCountAtClick = 0;
    int m_selectedConnection = 0;
};

} // namespace connectorstyle
