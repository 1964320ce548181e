#pragma once
// What every answer screen and view screen of styles 3 to 7 shares: it rebuilds itself from the
// hand-over each time it is shown, sizes itself to its picture, and closes through an 81 x 24 OK
// picture button at the bottom right. An answer screen judges on OK and leaves its verdict in the
// hand-over; closing it by the close box leaves the verdict at 0. A view screen never changes it.
#include "styles/StyleHandOver.h"
#include "ui/Screen.h"

#include <QImage>

namespace ui
{
class PictureButton;
}
class QLabel;

class StyleScreen : public ui::Screen
{
    Q_OBJECT
  public:
    enum class Kind { Answer, View };

    // `handOver`: where the record to show is read and the verdict is left. `heightMargin`: the
    // window's outer height is the picture's height plus this (title bar and button row).
    // `okName`: "Button1", or "Button5" on the connector screens.
    StyleScreen(StyleHandOver& handOver, const QString& objectName, int style, Kind kind, const QString& caption,
                int heightMargin, const QString& okName = QStringLiteral("Button1"), QWidget* parent = nullptr);

    int style() const { return m_style; }
    bool isView() const { return m_kind == Kind::View; }
    ui::PictureButton* okButton() const { return m_ok; }
    // The picture control at the top left (styles 3, 4, 6, 7; text entry leaves it hidden).
    QLabel* pictureLabel() const { return m_picture; }

    // Presses OK as a person would (tests and keyboard use call this too).
    void pressOk();

  protected:
    const StyleQuestion& question() const { return m_handOver.question(m_style); }

    // Builds the screen anew for the hand-over. Return false when it cannot be built (a broken
    // picture or data, already reported with a message): the screen is then not shown and an
    // answer screen's verdict stays 0.
    virtual bool rebuild(const StyleQuestion& question) = 0;
    // An answer screen's judgement of the work on screen; never called on a view screen.
    virtual bool judge() { return false; }

    // Loads `path` into the picture control and sizes the window to it. On failure a message box
    // names the file and false is returned.
    bool showPicture(const QString& path);
    // Outer size = client size here: the window is sized so that the client area is the picture
    // plus the margin below the title bar (the title bar itself belongs to the window manager).
    void fitToPicture(QSize picture);
    // A message naming the question's problem, in the program's "Error" box.
    void reportProblem(const QString& text);

    QImage m_image; // the picture as loaded, for screens that cut pieces out of it

    bool FormCanShow() override;
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    StyleHandOver& m_handOver;
    bool m_built = false; // rebuilt by FormCanShow for the showing under way
    int m_style;
    Kind m_kind;
    int m_heightMargin;
    QLabel* m_picture = nullptr;
    ui::PictureButton* m_ok = nullptr;
};
