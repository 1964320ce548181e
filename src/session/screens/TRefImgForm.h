#pragma once
// The exhibit window: one picture of a question or of the case study, beside the question.
// It is modeless, stays open while the person moves between questions, and shows whatever
// picture was asked for last.
#include "ui/Screen.h"

class QLabel;
namespace ui {
class PictureButton;
}

class TRefImgForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TRefImgForm(QWidget* parent = nullptr);

    // Shows the picture at `path`, sized to it and brought to the front;
    // when the window is open already it is reloaded with the new picture. A picture that cannot
    // be loaded is reported by a message naming the file, and the window is not shown.
    // `owner`: the modal window the request comes from, if any (the case study), so that the
    // exhibit stays usable beside it.
    void showExhibit(const QString& path, QWidget* owner = nullptr);
    // The path shown now ("" when nothing is shown).
    const QString& shownPath() const { return m_shownPath; }

    void Button1Click();

protected:
    void FormHide() override;

private:
    bool loadPicture(const QString& path);

    QLabel* Image1 = nullptr;
    ui::PictureButton* Button1 = nullptr;
    QString m_shownPath;
};
