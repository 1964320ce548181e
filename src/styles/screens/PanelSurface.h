#pragma once
// The panels of the panel and labelled panel screens, drawn over the picture: they follow the
// pointer while dragged (any mouse button) and are moved from the keyboard as well: Tab and
// Shift+Tab choose a panel, the arrow keys put it on the next or previous free target in reading
// order, Alt with the arrows moves it by pixels (10 with Shift) and Enter then drops it by the
// mouse's rule, Delete sends it home. Every move goes through the PanelBoard.
#include "styles/PanelBoard.h"

#include <QImage>
#include <QWidget>
#include <vector>

class PanelSurface : public QWidget
{
    Q_OBJECT
  public:
    // A surface that does not take part (the view screens) ignores the mouse and the keyboard.
    PanelSurface(QWidget* parent, bool interactive);

    // Cuts the board's panels out of `picture`; the board must outlive the surface's use of it.
    void setBoard(panelstyle::PanelBoard* board, const QImage& picture);
    // Frees the cut-out images (the screen is closing).
    void releaseImages();
    int pieceCount() const { return int(m_pieces.size()); }
    int chosen() const { return m_chosen; }

  Q_SIGNALS:
    void boardChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void choose(int panel);
    void changed();

    bool m_interactive;
    panelstyle::PanelBoard* m_board = nullptr;
    std::vector<QImage> m_pieces;
    int m_chosen = -1;
};
