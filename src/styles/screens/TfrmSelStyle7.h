#pragma once
// The connector style's answer screen: objects and a palette of connector kinds lifted out of the
// question picture; the user drags objects, selects two and clicks a kind to join them, selects a
// drawn connector and deletes it; OK compares the connections with the expected ones.
#include "styles/ConnectorBoard.h"
#include "styles/screens/StyleScreen.h"

#include <array>

class ConnectorSurface;
class QLabel;
class QPlainTextEdit;

class TfrmSelStyle7 : public StyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle7(StyleHandOver& handOver, QWidget* parent = nullptr);

    const connectorstyle::ConnectorBoard& board() const { return m_board; }
    connectorstyle::ConnectorBoard& board() { return m_board; }
    ConnectorSurface* surface() const { return m_surface; }

    // The screen's steps, named as its hidden buttons were.
    bool Button2Click(); // Initialize: picture, reset, then parse
    bool Button4Click(); // parse objects, kinds and expected connections
    void Button1Click(); // Create Object: band, palette and object images
    void Button3Click(); // Conn: rewrite the connection listing
    // Clears the drawing surface and draws every connection where its objects lie now.
    void SetConnector();
    void ConnMouseClick(int kind);
    void Image1MouseDown(int x, int y);
    void FormKeyDown(int key);

  protected:
    bool rebuild(const StyleQuestion& question) override;
    bool judge() override;
    void FormHide() override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void releaseImages();

    connectorstyle::ConnectorBoard m_board;
    ConnectorSurface* m_surface = nullptr;
    QImage LeftImg;
    QImage RightImg;
    std::array<QLabel*, 6> m_labels{};
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
};
