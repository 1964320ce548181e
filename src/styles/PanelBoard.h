#pragma once
// The panel and labelled panel styles without widgets: the targets and panels of a question, where
// every panel lies, which target holds which panel, the drop rule, the answer string and the
// placement the view screens show. Mouse and keyboard handlers both move panels through it.
#include "styles/StyleItems.h"

#include <optional>
#include <string>
#include <vector>

namespace panelstyle
{

using styleitems::Box;
using styleitems::Point;
using styleitems::Problem;

inline constexpr int kMaxTargets = 30;
inline constexpr int kMaxPanels = 30;
// A dropped panel snaps onto a target when its top-left corner lies nearer than this.
inline constexpr int kSnapX = 50;
inline constexpr int kSnapY = 15;

// Plain: items "x1,y1,x2,y2", answers built from the item texts as written (panel style).
// Labelled: items "x1,y1,x2,y2,label", answers built from the labels (labelled panel style).
enum class Variant { Plain, Labelled };

struct Item {
    std::string text;  // the item exactly as written
    std::string label; // labelled items: everything after the fourth ","
    Box box;
};

struct PanelData {
    std::vector<Item> targets;
    std::vector<Item> panels;
    bool truncated = false; // more than 30 targets or panels were given; the rest are left out
};

struct PanelParse {
    PanelData data;
    std::optional<Problem> problem; // data that cannot be used; `data` is then incomplete
};

// Reads the targets (`targetList`) and the panels (`panelList`), "@" item lists.
PanelParse parsePanelData(const std::string& targetList, const std::string& panelList, Variant variant);

class PanelBoard
{
  public:
    PanelBoard() = default;
    explicit PanelBoard(PanelData data);

    const std::vector<Item>& targets() const { return m_data.targets; }
    const std::vector<Item>& panels() const { return m_data.panels; }
    int panelCount() const { return int(m_data.panels.size()); }
    int targetCount() const { return int(m_data.targets.size()); }

    // Indices below are 0-based positions in list order; -1 means none.
    Point position(int panel) const { return m_position[size_t(panel)]; }
    Point home(int panel) const { return {m_data.panels[size_t(panel)].box.x1, m_data.panels[size_t(panel)].box.y1}; }
    int occupant(int target) const { return m_occupant[size_t(target)]; }
    int lifted() const { return m_lifted; }
    // The panel whose piece lies under `p`; later panels lie above earlier ones.
    int panelAt(Point p) const;

    // Lifts `panel` (mouse down, or the first key that moves it): the target it sat on is free
    // at once. `grab` is the point within the panel that stays under the pointer.
    void pickUp(int panel, Point grab = {});
    // Mouse move: the lifted panel's top-left corner follows `pointer` less the grab point.
    void dragTo(Point pointer);
    // Keyboard: moves `panel` by (dx, dy), lifting it first when it is not lifted.
    void nudge(int panel, int dx, int dy);
    // Mouse up or Enter: the lifted panel snaps onto the first free target in list order whose
    // top-left corner lies less than 50 across and 15 down or up from its own; otherwise it
    // goes home. Returns the target, or -1.
    int drop();
    // Delete: the panel goes home and holds no target.
    void sendHome(int panel);
    // The target `panel` sits on, or -1.
    int targetOf(int panel) const;
    // The arrow keys: the free target after (or before) the one `panel` holds, in reading order;
    // from home the first (or the last) free one. -1 when there is none that way.
    int targetStep(int panel, bool forward) const;
    // Puts `panel` on `target` (which must be free): its corner on the target's, as a drop there.
    void placeOn(int panel, int target);

    // The answer string: "@target;panel" per occupied target in target order (Plain), or
    // "@label;label" for every target, "@label;" for a free one (Labelled).
    std::string answer(Variant variant) const;
    // The view screens: every panel on its correct target as the key names it.
    void placeForView(Variant variant, const std::string& key);

  private:
    void freeTargetsOf(int panel);

    PanelData m_data;
    std::vector<Point> m_position;
    std::vector<int> m_occupant;
    int m_lifted = -1;
    Point m_grab;
};

// The targets' indices in reading order: rows from top to bottom, each left to right. A target
// joins a row when its top lies above the bottom of the row's first target.
std::vector<int> readingOrder(const std::vector<Item>& targets);

// The verdict: key and answer equal after trimming blanks at both ends.
bool answerMatches(const std::string& key, const std::string& answer);

} // namespace panelstyle
