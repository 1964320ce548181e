#pragma once
// A picture used as a button. While the left mouse button is held on it, it sits 2 pixels right
// and 2 pixels down; it moves back when the button is released. Clicks come as clicked().
// From the keyboard it is a real button: Tab reaches it while it is enabled, a ring shows the
// focus, and Space, Enter and Return press it with the same feedback and the same clicked().
#include <QColor>
#include <QKeySequence>
#include <QLabel>
#include <QPixmap>

namespace ui
{

// The focus ring of a button whose face is `face`: a light ring in the face's own hue, lined inside
// with a dark one, so it stands out from a dark face, a light face and the black behind the buttons,
// in every theme's colours.
struct FocusRing {
    QColor outer;
    QColor inner;
};
FocusRing focusRingColours(const QColor& face);

class PictureButton : public QLabel
{
    Q_OBJECT
  public:
    explicit PictureButton(QWidget* parent = nullptr, const QString& objectName = {});

    void setPicture(const QPixmap& picture);
    // Hint shown when the mouse rests on the button; also its name for screen readers unless it
    // was given one of its own.
    void setHint(const QString& hint);
    QString hint() const { return m_hint; }
    // The screen's shortcut for this button: shown after the hint, "(S)", and told to screen
    // readers. The screen binds the key itself; this only makes it known.
    void setShortcutKey(const QKeySequence& key);
    QKeySequence shortcutKey() const { return m_key; }
    // Press feedback for every mouse button, not only the left one (the update screen's Button2).
    void setFeedbackForAnyButton(bool on) { m_anyButton = on; }
    bool isPressedDown() const { return m_down; }
    // What a click, the keys and an accessibility action all end in.
    void activate();

  Q_SIGNALS:
    void clicked();
    void pressed(Qt::MouseButton button, QPoint position);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool reacts(Qt::MouseButton button) const { return m_anyButton || button == Qt::LeftButton; }
    static bool isPressKey(int key) { return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter; }
    void sink();
    void rise();
    void showHint();

    bool m_anyButton = false;
    bool m_down = false;
    bool m_downByKey = false;
    bool m_nameFromHint = false;
    QString m_hint;
    QKeySequence m_key;
    Qt::FocusPolicy m_enabledFocus = Qt::TabFocus;
    FocusRing m_ring;
};

} // namespace ui
