#include "styles/PanelBoard.h"

#include <algorithm>

#include "styles/StyleData.h"

#include <cstdlib>

namespace panelstyle
{

namespace
{

// Reads one list; false (with `problem` set) at the first item that cannot be used.
bool readItems(const std::string& list, Variant variant, const char* what, std::vector<Item>& out, bool& truncated,
               std::optional<Problem>& problem)
{
    const std::vector<std::string> items = styledata::splitItems(list);
    for (const std::string& text : items) {
        if (int(out.size()) == kMaxPanels) { // kMaxTargets is the same
            truncated = true;
            break;
        }
        Item item;
        item.text = text;
        if (variant == Variant::Plain) {
            const auto box = styleitems::parseBox(text);
            if (!box) {
                problem = Problem{std::string(what) + "の座標が 4 つの整数ではありません", text};
                return false;
            }
            item.box = *box;
        } else {
            const auto labelled = styleitems::parseLabelledBox(text);
            if (!labelled) {
                problem = Problem{std::string(what) + "の座標が 4 つの整数ではありません", text};
                return false;
            }
            item.box = labelled->box;
            item.label = labelled->rest;
        }
        out.push_back(std::move(item));
    }
    return true;
}

} // namespace

static_assert(kMaxTargets == kMaxPanels);

PanelParse parsePanelData(const std::string& targetList, const std::string& panelList, Variant variant)
{
    PanelParse result;
    if (!readItems(panelList, variant, "パネル", result.data.panels, result.data.truncated, result.problem))
        return result;
    for (const Item& panel : result.data.panels) {
        if (panel.box.width() <= 0 || panel.box.height() <= 0) {
            result.problem = Problem{"パネルの大きさが 0 以下です", panel.text};
            return result;
        }
    }
    readItems(targetList, variant, "ターゲット", result.data.targets, result.data.truncated, result.problem);
    return result;
}

PanelBoard::PanelBoard(PanelData data) : m_data(std::move(data)), m_occupant(m_data.targets.size(), -1)
{
    m_position.reserve(m_data.panels.size());
    for (const Item& panel : m_data.panels)
        m_position.push_back({panel.box.x1, panel.box.y1});
}

int PanelBoard::panelAt(Point p) const
{
    for (int k = panelCount() - 1; k >= 0; --k) {
        const Box& box = m_data.panels[size_t(k)].box;
        if (styleitems::pieceContains(m_position[size_t(k)], box.width(), box.height(), p))
            return k;
    }
    return -1;
}

void PanelBoard::freeTargetsOf(int panel)
{
    for (int& occupant : m_occupant)
        if (occupant == panel)
            occupant = -1;
}

void PanelBoard::pickUp(int panel, Point grab)
{
    if (panel < 0 || panel >= panelCount())
        return;
    m_lifted = panel;
    m_grab = grab;
    freeTargetsOf(panel);
}

void PanelBoard::dragTo(Point pointer)
{
    if (m_lifted < 0)
        return;
    m_position[size_t(m_lifted)] = {pointer.x - m_grab.x, pointer.y - m_grab.y};
}

void PanelBoard::nudge(int panel, int dx, int dy)
{
    if (panel < 0 || panel >= panelCount())
        return;
    if (m_lifted != panel)
        pickUp(panel);
    Point& at = m_position[size_t(panel)];
    at = {at.x + dx, at.y + dy};
}

int PanelBoard::drop()
{
    if (m_lifted < 0)
        return -1;
    const int panel = m_lifted;
    m_lifted = -1;
    Point& at = m_position[size_t(panel)];
    for (int j = 0; j < targetCount(); ++j) {
        const Box& target = m_data.targets[size_t(j)].box;
        if (std::abs(target.x1 - at.x) < kSnapX && std::abs(target.y1 - at.y) < kSnapY && m_occupant[size_t(j)] < 0) {
            at = {target.x1, target.y1};
            m_occupant[size_t(j)] = panel;
            return j;
        }
    }
    at = home(panel);
    freeTargetsOf(panel);
    return -1;
}

void PanelBoard::sendHome(int panel)
{
    if (panel < 0 || panel >= panelCount())
        return;
    if (m_lifted == panel)
        m_lifted = -1;
    m_position[size_t(panel)] = home(panel);
    freeTargetsOf(panel);
}

int PanelBoard::targetOf(int panel) const
{
    for (int j = 0; j < targetCount(); ++j)
        if (m_occupant[size_t(j)] == panel)
            return j;
    return -1;
}

int PanelBoard::targetStep(int panel, bool forward) const
{
    if (panel < 0 || panel >= panelCount())
        return -1;
    std::vector<int> order = readingOrder(m_data.targets);
    if (!forward)
        std::reverse(order.begin(), order.end());
    const int held = targetOf(panel);
    auto it = order.begin();
    if (held >= 0)
        it = std::next(std::find(order.begin(), order.end(), held));
    for (; it != order.end(); ++it)
        if (m_occupant[size_t(*it)] < 0)
            return *it;
    return -1;
}

void PanelBoard::placeOn(int panel, int target)
{
    if (panel < 0 || panel >= panelCount() || target < 0 || target >= targetCount() || m_occupant[size_t(target)] >= 0)
        return;
    if (m_lifted == panel)
        m_lifted = -1;
    freeTargetsOf(panel);
    const Box& box = m_data.targets[size_t(target)].box;
    m_position[size_t(panel)] = {box.x1, box.y1};
    m_occupant[size_t(target)] = panel;
}

std::vector<int> readingOrder(const std::vector<Item>& targets)
{
    std::vector<int> byTop(targets.size());
    for (size_t j = 0; j < targets.size(); ++j)
        byTop[j] = int(j);
    std::stable_sort(byTop.begin(), byTop.end(),
                     [&](int a, int b) { return targets[size_t(a)].box.y1 < targets[size_t(b)].box.y1; });
    std::vector<int> order;
    order.reserve(targets.size());
    size_t start = 0;
    while (start < byTop.size()) {
        const int rowBottom = targets[size_t(byTop[start])].box.y2;
        size_t end = start + 1;
        while (end < byTop.size() && targets[size_t(byTop[end])].box.y1 < rowBottom)
            ++end;
        std::stable_sort(byTop.begin() + std::ptrdiff_t(start), byTop.begin() + std::ptrdiff_t(end),
                         [&](int a, int b) { return targets[size_t(a)].box.x1 < targets[size_t(b)].box.x1; });
        order.insert(order.end(), byTop.begin() + std::ptrdiff_t(start), byTop.begin() + std::ptrdiff_t(end));
        start = end;
    }
    return order;
}

std::string PanelBoard::answer(Variant variant) const
{
    std::string result;
    for (int j = 0; j < targetCount(); ++j) {
        const int k = m_occupant[size_t(j)];
        const Item& target = m_data.targets[size_t(j)];
        if (variant == Variant::Plain) {
            if (k >= 0)
                result += '@' + target.text + ';' + m_data.panels[size_t(k)].text;
        } else {
            result += '@' + target.label + ';';
            if (k >= 0)
                result += m_data.panels[size_t(k)].label;
        }
    }
    return result;
}

void PanelBoard::placeForView(Variant variant, const std::string& key)
{
    std::vector<bool> placed(m_data.panels.size(), false);
    for (int j = 0; j < targetCount(); ++j) {
        const Item& target = m_data.targets[size_t(j)];
        for (int k = 0; k < panelCount(); ++k) {
            const Item& panel = m_data.panels[size_t(k)];
            const std::string pair = variant == Variant::Plain ? '@' + target.text + ';' + panel.text
                                                               : '@' + target.label + ';' + panel.label;
            // The key is searched as plain text, so "@T1;ip" is found inside "@T1;ipx".
            if (key.find(pair) == std::string::npos)
                continue;
            if (variant == Variant::Labelled) {
                // Interchangeable panels spread over the targets that ask for their label.
                if (placed[size_t(k)])
                    continue;
                placed[size_t(k)] = true;
            }
            // A plain panel that matches several targets ends on the last of them.
            freeTargetsOf(k);
            m_position[size_t(k)] = {target.box.x1, target.box.y1};
            m_occupant[size_t(j)] = k;
            if (variant == Variant::Labelled)
                break;
        }
    }
}

bool answerMatches(const std::string& key, const std::string& answer)
{
    return styledata::trimmed(key) == styledata::trimmed(answer);
}

} // namespace panelstyle
