#pragma once
// A picture used as a button. While the left mouse button is held on it, it sits 2 pixels right
// and 2 pixels down; it moves back when the button is released. Clicks come as clicked().
#include <QLabel>
#include <QPixmap>

namespace ui {

class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr, const QString& objectName = {});

    void setPicture(const QPixmap& picture);
    // Hint shown when the mouse rests on the button.
    void setHint(const QString& hint) { setToolTip(hint); }
    QString hint() const { return toolTip(); }
    // Press feedback for every mouse button, not only the left one (the update screen's Button2).
    void setFeedbackForAnyButton(bool on) { m_anyButton = on; }
    bool isPressedDown() const { return m_down; }

Q_SIGNALS:
    void clicked();
    void pressed(Qt::MouseButton button, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool reacts(Qt::MouseButton button) const { return m_anyButton || button == Qt::LeftButton; }

    bool m_anyButton = false;
    bool m_down = false;
};

} // namespace ui
