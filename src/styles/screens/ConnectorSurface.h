#pragma once
// The connector screen's drawing: the drawing surface (the picture, later the connections), the
// palette band, the framed connector kinds and the objects above them; the mouse as the connector
// style handles it and the keyboard besides: Tab chooses an object, a kind or a drawn connector
// (focus shown), Space selects an object (Shift+Space adds the second), Enter or Space on a kind
// and the digit keys 1-9 make a connection, the arrow keys move the chosen object.
#include "styles/ConnectorBoard.h"

#include <QImage>
#include <QWidget>
#include <vector>

struct ConnectorPictures {
    QImage canvas;               // the drawing surface, as large as the picture
    QImage band;                 // the top rows of the picture, lying above the canvas
    std::vector<QImage> palette; // one framed picture per kind
    std::vector<QImage> objects; // one picture per object
};

class ConnectorSurface : public QWidget
{
    Q_OBJECT
  public:
    explicit ConnectorSurface(QWidget* parent);

    void setBoard(connectorstyle::ConnectorBoard* board) { m_board = board; }
    ConnectorPictures& pictures() { return m_pictures; }
    void releaseImages();

    // What the keyboard has chosen: an object, a kind or a connection (1-based), or nothing.
    enum class Focus { None, Object, Kind, Connection };
    Focus focusKind() const { return m_focus; }
    int focusNumber() const { return m_number; }
    // The keyboard starts on the first object (nothing is redrawn).
    void chooseFirstObject();
    // After a connection was deleted: the keyboard rests on the one that took its place, else
    // the last one, else the last kind; that one is the selected connector.
    void connectionDeleted();

  Q_SIGNALS:
    void objectReleased();      // mouse up after a drag: connections follow
    void kindClicked(int kind); // a palette click, Enter on a kind or a digit key
    void surfacePressed(int x, int y);
    void connectionChosen(); // the keyboard chose a drawn connector or left one

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    int entryCount() const;
    // 0-based position in objects, kinds, connections; -1 none.
    void setEntry(int entry);
    int entry() const;
    QRect focusRect() const;

    connectorstyle::ConnectorBoard* m_board = nullptr;
    ConnectorPictures m_pictures;
    Focus m_focus = Focus::None;
    int m_number = 0;
    int m_pressedKind = 0;
    bool m_pressedObject = false;
    Qt::MouseButton m_pressButton = Qt::NoButton;
};
