#include "styles/ConnectorBoard.h"

#include "styles/StyleData.h"

#include <algorithm>

namespace connectorstyle
{

namespace
{

Problem problem(const char* what, const std::string& item)
{
    return Problem{what, item};
}

// The last item whose text equals `text` (1-based), 0 when none does.
template <typename Items, typename Text> int lastNamed(const Items& items, const std::string& text, Text textOf)
{
    int found = 0;
    for (size_t k = 0; k < items.size(); ++k)
        if (textOf(items[k]) == text)
            found = int(k) + 1;
    return found;
}

bool readObjects(const std::string& list, ConnectorData& data, std::optional<Problem>& failure)
{
    for (const std::string& item : styledata::splitItems(list)) {
        if (int(data.objects.size()) == kMaxObjects) {
            data.truncated = true;
            break;
        }
        const auto labelled = styleitems::parseLabelledBox(item);
        if (!labelled) {
            failure = problem("オブジェクトの座標が 4 つの整数ではありません", item);
            return false;
        }
        if (labelled->box.width() <= 0 || labelled->box.height() <= 0) {
            failure = problem("オブジェクトの大きさが 0 以下です", item);
            return false;
        }
        StyleObject object;
        object.box = labelled->box;
        object.label = labelled->rest;
        object.position = {object.box.x1, object.box.y1};
        data.objects.push_back(std::move(object));
    }
    return true;
}

bool readKinds(const std::string& list, ConnectorData& data, std::optional<Problem>& failure)
{
    for (const std::string& item : styledata::splitItems(list)) {
        if (int(data.kinds.size()) == kMaxKinds) {
            data.truncated = true;
            break;
        }
        const auto labelled = styleitems::parseLabelledBox(item);
        const size_t comma = labelled ? labelled->rest.find(',') : std::string::npos;
        const auto directed =
            comma == std::string::npos ? std::nullopt : styledata::parseInt(labelled->rest.substr(comma + 1));
        if (!labelled || !directed) {
            failure = problem("コネクタの種類が「x1,y1,x2,y2,名前,向き」の形ではありません", item);
            return false;
        }
        if (labelled->box.width() <= 0 || labelled->box.height() <= 0) {
            failure = problem("コネクタの種類の大きさが 0 以下です", item);
            return false;
        }
        data.kinds.push_back({labelled->box, labelled->rest.substr(0, comma), *directed != 0});
    }
    return true;
}

bool readExpected(const std::string& list, ConnectorData& data, std::optional<Problem>& failure)
{
    for (const std::string& item : styledata::splitItems(list)) {
        if (int(data.expected.size()) == kMaxConnections) {
            data.truncated = true;
            break;
        }
        std::vector<std::string> fields = styledata::splitFields(item, ';');
        if (fields.size() < 4) {
            failure = problem("正解のコネクタが「ラベル;ラベル;種類;向き」の形ではありません", item);
            return false;
        }
        // The direction is the rest of the item after the third ";".
        for (size_t k = 4; k < fields.size(); ++k)
            fields[3] += ';' + fields[k];
        const auto label = [](const StyleObject& o) -> const std::string& { return o.label; };
        const int first = lastNamed(data.objects, fields[0], label);
        const int second = lastNamed(data.objects, fields[1], label);
        const int kind =
            lastNamed(data.kinds, fields[2], [](const ConnectorKind& c) -> const std::string& { return c.name; });
        if (first == 0 || second == 0) {
            failure = problem("正解のコネクタが存在しないオブジェクトを指しています", item);
            return false;
        }
        if (kind == 0) {
            failure = problem("正解のコネクタが存在しない種類を指しています", item);
            return false;
        }
        Connection c;
        c.kind = kind;
        if (fields[3] == "1" || fields[3] == "0") {
            c.from = first;
            c.to = second;
        } else if (fields[3] == "2") {
            c.from = second;
            c.to = first;
        } else {
            failure = problem("正解のコネクタの向きが 0, 1, 2 のどれでもありません", item);
            return false;
        }
        if (fields[3] == "0" && c.from > c.to)
            std::swap(c.from, c.to);
        data.expected.push_back(c);
    }
    return true;
}

} // namespace

ConnectorParse parseConnectorData(const std::string& objectList, const std::string& kindList,
                                  const std::string& expectedList)
{
    ConnectorParse result;
    if (!readObjects(objectList, result.data, result.problem) || !readKinds(kindList, result.data, result.problem) ||
        !readExpected(expectedList, result.data, result.problem))
        return result;
    for (const Connection& c : result.data.expected)
        result.answerData << QStringLiteral("Answer Data")
                          << QStringLiteral("%1:%2:%3").arg(c.from).arg(c.to).arg(c.kind);
    return result;
}

ConnectorBoard::ConnectorBoard(ConnectorData data) : m_data(std::move(data)) {}

int ConnectorBoard::objectAt(Point p) const
{
    for (int i = objectCount(); i >= 1; --i) {
        const StyleObject& o = object(i);
        if (styleitems::pieceContains(o.position, o.width(), o.height(), p))
            return i;
    }
    return 0;
}

int ConnectorBoard::kindAt(Point p) const
{
    for (int c = kindCount(); c >= 1; --c) {
        const Box& box = m_data.kinds[size_t(c - 1)].box;
        if (styleitems::pieceContains({box.x1, box.y1}, box.width(), box.height(), p))
            return c;
    }
    return 0;
}

void ConnectorBoard::objectMouseDown(int i, Point grab, bool shift)
{
    if (i < 1 || i > objectCount())
        return;
    m_shiftAtMouseDown = shift;
    m_dragging = i;
    m_grab = grab;
}

void ConnectorBoard::dragTo(Point pointer)
{
    if (m_dragging == 0)
        return;
    m_data.objects[size_t(m_dragging - 1)].position = {pointer.x - m_grab.x, pointer.y - m_grab.y};
}

void ConnectorBoard::clearSelection()
{
    for (StyleObject& o : m_data.objects) {
        o.selected = false;
        o.selectionOrder = 0;
    }
}

void ConnectorBoard::objectClick(int i)
{
    if (i < 1 || i > objectCount())
        return;
    if (!m_shiftAtMouseDown)
        clearSelection();
    int selected = 0;
    for (const StyleObject& o : m_data.objects)
        selected += o.selected ? 1 : 0;
    m_selectedCountAtClick = selected;
    StyleObject& clicked = m_data.objects[size_t(i - 1)];
    if (selected < 2 && !clicked.selected) {
        clicked.selected = true;
        clicked.selectionOrder = selected == 0 ? 1 : 2;
    }
}

void ConnectorBoard::selectObject(int i, bool shift)
{
    m_shiftAtMouseDown = shift;
    objectClick(i);
}

void ConnectorBoard::moveObject(int i, int dx, int dy)
{
    if (i < 1 || i > objectCount())
        return;
    Point& at = m_data.objects[size_t(i - 1)].position;
    at = {at.x + dx, at.y + dy};
}

ConnectorBoard::Made ConnectorBoard::kindClick(int c)
{
    if (c < 1 || c > kindCount() || m_selectedCountAtClick != 1)
        return Made::NoPair;
    int first = 0;
    int second = 0;
    for (int i = 1; i <= objectCount(); ++i) {
        if (object(i).selectionOrder == 1)
            first = i;
        else if (object(i).selectionOrder == 2)
            second = i;
    }
    if (first == 0 || second == 0)
        return Made::NoPair;
    if (connectionCount() == kMaxConnections)
        return Made::Full;
    Connection made;
    made.from = first;
    made.to = second;
    made.kind = c;
    if (!m_data.kinds[size_t(c - 1)].directed && made.from > made.to)
        std::swap(made.from, made.to);
    m_connections.push_back(made);
    return Made::Connection;
}

void ConnectorBoard::surfaceMouseDown(Point p)
{
    clearSelection();
    m_selectedConnection = 0;
    for (int k = 1; k <= connectionCount(); ++k) {
        const Box& r = m_connections[size_t(k - 1)].drawn;
        if (r.x1 < p.x && p.x < r.x2 && r.y1 < p.y && p.y < r.y2)
            m_selectedConnection = k;
    }
    m_selectedCountAtClick = 0;
}

void ConnectorBoard::chooseConnection(int k)
{
    m_selectedConnection = (k >= 1 && k <= connectionCount()) ? k : 0;
}

bool ConnectorBoard::deleteSelected()
{
    if (m_selectedConnection == 0)
        return false;
    m_connections.erase(m_connections.begin() + (m_selectedConnection - 1));
    m_selectedConnection = 0;
    return true;
}

Point ConnectorBoard::centre(int i) const
{
    const StyleObject& o = object(i);
    return {o.position.x + o.width() / 2, o.position.y + o.height() / 2};
}

std::vector<ConnectionDrawing> ConnectorBoard::layoutConnections()
{
    std::vector<ConnectionDrawing> drawings;
    drawings.reserve(m_connections.size());
    const int count = connectionCount();
    for (int k = 1; k <= count; ++k) {
        Connection& c = m_connections[size_t(k - 1)];
        const ConnectorKind& kind = m_data.kinds[size_t(c.kind - 1)];
        const int w = kind.box.width();
        const int h = kind.box.height();
        const Point a = centre(c.from);
        const Point b = centre(c.to);

        int later = 0;
        for (int l = k + 1; l <= count; ++l) {
            const Connection& other = m_connections[size_t(l - 1)];
            if ((other.from == c.from && other.to == c.to) || (other.from == c.to && other.to == c.from))
                ++later;
        }
        const Point m{(a.x + b.x) / 2, (a.y + b.y) / 2 - kStackStep * later};
        const Point p{m.x - w / 2, m.y - h / 2};

        ConnectionDrawing d;
        d.kind = c.kind;
        d.box = {p.x, p.y, p.x + w, p.y + h};
        d.highlighted = k == m_selectedConnection;
        d.directed = kind.directed;
        d.pointsRight = b.x >= a.x;
        int gap = 0;
        if (kind.directed) {
            d.leftArrow = {p.x - kArrowWidth, p.y, p.x, p.y + h};
            d.rightArrow = {p.x + w, p.y, p.x + w + kArrowWidth, p.y + h};
            gap = kArrowWidth;
        }
        c.drawn = d.box;

        const StyleObject& from = object(c.from);
        const StyleObject& to = object(c.to);
        if (b.x >= a.x) {
            d.first = {{from.position.x + from.width(), a.y}, {p.x - gap, m.y}};
            d.second = {{m.x + w / 2 + gap, m.y}, {to.position.x, b.y}};
        } else {
            d.first = {{to.position.x + to.width(), b.y}, {p.x - gap, m.y}};
            d.second = {{m.x + w / 2 + gap, m.y}, {from.position.x, a.y}};
        }
        drawings.push_back(d);
    }
    return drawings;
}

QStringList ConnectorBoard::listing() const
{
    QStringList lines;
    for (const Connection& c : m_connections)
        lines << QStringLiteral("%1:%2:%3 LX:%4:LY:%5:RX:%6:RY:%7")
                     .arg(c.from)
                     .arg(c.to)
                     .arg(c.kind)
                     .arg(c.drawn.x1)
                     .arg(c.drawn.y1)
                     .arg(c.drawn.x2)
                     .arg(c.drawn.y2);
    return lines;
}

ConnectorBoard::Verdict ConnectorBoard::judge() const
{
    Verdict verdict;
    verdict.result << QStringLiteral("Check Result");
    if (m_connections.size() != m_data.expected.size()) {
        verdict.result << QStringLiteral(">incorrect.. 間違い(コネクタの数が違う)");
        return verdict;
    }
    std::vector<bool> matched(m_data.expected.size(), false);
    for (const Connection& made : m_connections) {
        for (size_t e = 0; e < m_data.expected.size(); ++e) {
            const Connection& want = m_data.expected[e];
            verdict.trace << QStringLiteral("F:%1:%2").arg(made.from).arg(want.from)
                          << QStringLiteral("S:%1:%2").arg(made.to).arg(want.to)
                          << QStringLiteral("C:%1:%2").arg(made.kind).arg(want.kind);
            if (made == want)
                matched[e] = true;
        }
    }
    verdict.passed = std::find(matched.begin(), matched.end(), false) == matched.end();
    if (!verdict.passed)
        verdict.result << QStringLiteral(">incorrect.. 接続間違い");
    return verdict;
}

} // namespace connectorstyle
