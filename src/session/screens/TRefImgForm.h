#pragma once
// The exhibit window: one picture of a question or of the case study, beside the question.
// It is modeless and shows whatever picture was asked for last. It belongs to the window it was
// opened from and goes when that window goes; that window closes it when its question changes.
#include "ui/Screen.h"

class QLabel;
namespace ui
{
class PictureButton;
}

class TRefImgForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TRefImgForm(QWidget* parent = nullptr);

    // Shows the picture at `path`, sized to it and brought to the front;
    // when the window is open already it is reloaded with the new picture. A picture that cannot
    // be loaded is reported by a message naming the file, and the window is not shown.
    // `owner`: the window the request comes from (exam screen, case study, result screen);
    // the exhibit belongs to it until hidden (nullptr: the window being served).
    void showExhibit(const QString& path, QWidget* owner = nullptr);
    // Closes the exhibit when it belongs to `owner`.
    void closeFor(const QWidget* owner);
    // The path shown now ("" when nothing is shown).
    const QString& shownPath() const { return m_shownPath; }

    void Button1Click();

  protected:
    void FormHide() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool loadPicture(const QString& path);

    QPointer<QWidget> m_watched; // the window the exhibit belongs to
    QLabel* Image1 = nullptr;
    ui::PictureButton* Button1 = nullptr;
    QString m_shownPath;
};
