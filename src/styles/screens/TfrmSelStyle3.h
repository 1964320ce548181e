#pragma once
// The graphic style's answer screen: the question picture, on which a person places one marker
// per target area, by mouse or by keyboard (a crosshair moved with the arrow keys).
#include "styles/GraphicStyle.h"
#include "styles/screens/StyleScreen.h"

#include <array>

class QLabel;
class QWidget;

class TfrmSelStyle3 : public StyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle3(StyleHandOver& handOver, QWidget* parent = nullptr);

    // A mouse press on the picture at `at` (picture pixels), any button: places a free marker.
    void DestImgMouseDown(Qt::MouseButton button, QPoint at);
    // A mouse press on marker `m` (1..5) at `at` within its symbol: the right button removes it,
    // any other places another marker at that point of the picture.
    void CsrImgMouseDown(int m, Qt::MouseButton button, QPoint at);
    void Button1Click() { pressOk(); }

    const graphicstyle::GraphicAnswer& answer() const { return m_answer; }
    QPoint crosshair() const { return m_crosshair; }

  protected:
    bool rebuild(const StyleQuestion& question) override;
    bool judge() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool crosshairKey(int key, Qt::KeyboardModifiers modifiers);
    void showMarker(int index);

    graphicstyle::GraphicAnswer m_answer;
    std::array<QLabel*, graphicstyle::kMaxAreas> CsrImg{};
    QWidget* m_crosshairLayer = nullptr;
    QPoint m_crosshair;
};
