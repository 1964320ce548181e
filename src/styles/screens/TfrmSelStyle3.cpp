#include "styles/screens/TfrmSelStyle3.h"

#include "ui/ArrowStep.h"
#include "ui/PictureButton.h"
#include "ui/Presses.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace
{

constexpr int kMargin = 65; // outer height = picture + 65
constexpr int kStep = 1;
constexpr int kBigStep = 10; // with Shift

// Our marker: a red ring with a cross, transparent around it, 32 x 32 with its centre on the point.
QPixmap markerSymbol()
{
    const int size = graphicstyle::kMarkerSize;
    QPixmap symbol(size, size);
    symbol.fill(Qt::transparent);
    QPainter painter(&symbol);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 5));
    painter.drawEllipse(QPointF(16, 16), 11, 11);
    painter.setPen(QPen(QColor(220, 0, 0), 3));
    painter.drawEllipse(QPointF(16, 16), 11, 11);
    painter.setPen(QPen(QColor(220, 0, 0), 2));
    painter.drawLine(QPointF(16, 1), QPointF(16, 9));
    painter.drawLine(QPointF(16, 23), QPointF(16, 31));
    painter.drawLine(QPointF(1, 16), QPointF(9, 16));
    painter.drawLine(QPointF(23, 16), QPointF(31, 16));
    painter.setBrush(QColor(220, 0, 0));
    painter.drawEllipse(QPointF(16, 16), 2, 2);
    return symbol;
}

// The keyboard crosshair, drawn over the picture and the markers while the picture has the focus;
// the mouse passes through it.
class CrosshairLayer : public QWidget
{
  public:
    CrosshairLayer(QWidget* parent, const QWidget* picture, const QPoint* at)
        : QWidget(parent), m_picture(picture), m_at(at)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_picture->hasFocus())
            return;
        QPainter painter(this);
        const QPoint c = *m_at;
        for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 3}, std::pair{QColor(0, 0, 200), 1}}) {
            painter.setPen(QPen(colour, width));
            painter.drawLine(c.x() - 12, c.y(), c.x() - 4, c.y());
            painter.drawLine(c.x() + 4, c.y(), c.x() + 12, c.y());
            painter.drawLine(c.x(), c.y() - 12, c.x(), c.y() - 4);
            painter.drawLine(c.x(), c.y() + 4, c.x(), c.y() + 12);
        }
    }

  private:
    const QWidget* m_picture;
    const QPoint* m_at;
};

} // namespace

TfrmSelStyle3::TfrmSelStyle3(StyleHandOver& handOver, QWidget* parent)
    : StyleScreen(handOver, QStringLiteral("frmSelStyle3"), kStyleGraphic, Kind::Answer,
                  QStringLiteral("Quarvel グラフィック表示"), kMargin, QStringLiteral("Button1"), parent)
{
    setKeyHelp({
        {QStringLiteral("矢印キー"), QStringLiteral("十字を動かす（Shift で10ドット）")},
        {QStringLiteral("Space / Enter（図で）"), QStringLiteral("十字の位置に印を置く")},
        {QStringLiteral("Delete / BackSpace"), QStringLiteral("十字の下の印（なければ最後の印）を外す")},
        {QStringLiteral("Enter / Space（OKで）"), QStringLiteral("解答を確定する")},
    });
    QLabel* picture = pictureLabel();
    picture->setObjectName(QStringLiteral("DestImg"));
    picture->setAccessibleName(QStringLiteral("問題の図（矢印キーで移動、スペースで印を置く、Deleteで印を外す）"));
    picture->setFocusPolicy(Qt::StrongFocus);
    picture->installEventFilter(this);

    const QPixmap symbol = markerSymbol();
    for (size_t i = 0; i < CsrImg.size(); ++i) {
        auto* marker = new QLabel(this);
        marker->setObjectName(QStringLiteral("CsrImg%1").arg(i + 1));
        marker->setAttribute(Qt::WA_TranslucentBackground);
        marker->setPixmap(symbol);
        marker->resize(graphicstyle::kMarkerSize, graphicstyle::kMarkerSize);
        marker->hide();
        marker->installEventFilter(this);
        CsrImg[i] = marker;
    }
    m_crosshairLayer = new CrosshairLayer(this, picture, &m_crosshair);
    m_crosshairLayer->setObjectName(QStringLiteral("Crosshair"));
}

bool TfrmSelStyle3::rebuild(const StyleQuestion& question)
{
    if (!showPicture(question.picturePath))
        return false;
    m_answer.reset(question.areas);
    for (QLabel* marker : CsrImg)
        marker->hide();
    const std::vector<int> broken = m_answer.brokenAreas();
    if (!broken.empty())
        reportProblem(graphicstyle::brokenAreasMessage(question.questionNumber, broken));

    const QSize size = pictureLabel()->size();
    m_crosshair = QPoint(size.width() / 2, size.height() / 2);
    m_crosshairLayer->setGeometry(QRect(QPoint(0, 0), size));
    m_crosshairLayer->raise();
    okButton()->raise();
    pictureLabel()->setFocus();
    return true;
}

bool TfrmSelStyle3::judge()
{
    return m_answer.judge();
}

void TfrmSelStyle3::showMarker(int index)
{
    const graphicstyle::Marker& m = m_answer.markers()[size_t(index)];
    QLabel* marker = CsrImg[size_t(index)];
    marker->move(graphicstyle::markerRect({m.x, m.y}).topLeft());
    marker->show();
    // The latest marker lies on top, under the crosshair.
    marker->raise();
    m_crosshairLayer->raise();
    okButton()->raise();
}

void TfrmSelStyle3::DestImgMouseDown(Qt::MouseButton, QPoint at)
{
    if (const auto index = m_answer.place(at))
        showMarker(*index);
}

void TfrmSelStyle3::CsrImgMouseDown(int m, Qt::MouseButton button, QPoint at)
{
    if (m < 1 || m > m_answer.count() || !m_answer.markers()[size_t(m - 1)].placed)
        return;
    if (button == Qt::RightButton) {
        m_answer.remove(m - 1);
        CsrImg[size_t(m - 1)]->hide();
        return;
    }
    DestImgMouseDown(button, at + CsrImg[size_t(m - 1)]->pos());
}

bool TfrmSelStyle3::crosshairKey(int key, Qt::KeyboardModifiers modifiers)
{
    const int step = (modifiers & Qt::ShiftModifier) ? kBigStep : kStep;
    if (const auto move = ui::arrowStep(key, step)) {
        m_crosshair = graphicstyle::moveCrosshair(m_crosshair, move->x(), move->y(), pictureLabel()->size());
        m_crosshairLayer->update();
        return true;
    }
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        DestImgMouseDown(Qt::NoButton, m_crosshair);
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (const auto index = m_answer.removeAtOrLatest(m_crosshair))
            CsrImg[size_t(*index)]->hide();
        return true;
    default:
        return false;
    }
}

bool TfrmSelStyle3::eventFilter(QObject* watched, QEvent* event)
{
    if (ui::isPress(event)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        if (watched == pictureLabel()) {
            DestImgMouseDown(mouse->button(), at);
            return true;
        }
        for (size_t i = 0; i < CsrImg.size(); ++i) {
            if (watched == CsrImg[i]) {
                CsrImgMouseDown(int(i) + 1, mouse->button(), at);
                return true;
            }
        }
    }
    if (watched == pictureLabel()) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (crosshairKey(key->key(), key->modifiers()))
                return true;
        } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            m_crosshairLayer->update();
        }
    }
    return StyleScreen::eventFilter(watched, event);
}
