#pragma once
// The screens of the panel (4) and labelled panel (6) styles, answer and view alike: the panels
// are cut out of the question picture and dragged onto targets; OK judges the arrangement; the
// view screens show every panel on its correct target and cannot be moved.
#include "styles/PanelBoard.h"
#include "styles/screens/StyleScreen.h"

class PanelSurface;
class QLabel;

class PanelStyleScreen : public StyleScreen
{
    Q_OBJECT
  public:
    PanelStyleScreen(StyleHandOver& handOver, const QString& objectName, int style, Kind kind, const QString& caption,
                     QWidget* parent = nullptr);

    const panelstyle::PanelBoard& board() const { return m_board; }
    panelstyle::PanelBoard& board() { return m_board; }
    PanelSurface* surface() const { return m_surface; }
    // The user's answer string, set on OK (hidden Label2); the key (hidden Label1).
    const std::string& answerString() const { return m_answer; }
    const std::string& key() const { return m_key; }

  protected:
    bool rebuild(const StyleQuestion& question) override;
    bool judge() override;
    void FormHide() override;

  private:
    panelstyle::Variant m_variant;
    panelstyle::PanelBoard m_board;
    PanelSurface* m_surface = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    std::string m_key;
    std::string m_answer;
};
