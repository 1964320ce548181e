#include "session/screens/TRefImgForm.h"

#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "ui/Artwork.h"
#include "ui/ImageLoader.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/Placement.h"

#include <QLabel>
#include <QWindow>

namespace {
constexpr int kCloseWidth = 81;
constexpr int kCloseHeight = 24;
constexpr int kCloseRight = 12;
constexpr int kCloseBottom = 6;
// Outer height = picture + 65: the title bar and the row of the close button.
constexpr int kHeightMargin = 65;
} // namespace

TRefImgForm::TRefImgForm(QWidget* parent) : ui::Screen(QStringLiteral("RefImgForm"), parent)
{
    setWindowTitle(QStringLiteral("図の参照"));
    setClosesOnEscape(true);
    ui::setUpPictureWindow(this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(0, 0);
    Image1->setAccessibleName(QStringLiteral("図"));

    Button1 = new ui::PictureButton(this, QStringLiteral("Button1"));
    Button1->resize(kCloseWidth, kCloseHeight);
    Button1->setHint(QStringLiteral("閉じる"));
    Button1->setAccessibleName(QStringLiteral("閉じる"));
    connect(Button1, &ui::PictureButton::clicked, this, &TRefImgForm::Button1Click);
}

void TRefImgForm::showExhibit(QWidget* owner)
{
    if (!loadPicture()) {
        hide();
        return;
    }
    // A modal window blocks every window that is not its own; the case study's exhibits are.
    if (owner && owner->windowHandle()) {
        if (!windowHandle())
            create();
        windowHandle()->setTransientParent(owner->windowHandle());
    }
    const bool wasOpen = isVisible();
    if (!wasOpen)
        ui::centreOver(this, owner ? owner : ui::Screen::servedWindow(this));
    show();
    raise();
    activateWindow();
}

bool TRefImgForm::loadPicture()
{
    const QString path = screens().ExamModeForm ? screens().ExamModeForm->exhibitPath : QString();
    const QImage picture = ui::loadImage(path);
    if (picture.isNull()) {
        m_shownPath.clear();
        ui::messageBox(this, QStringLiteral("Error"), ui::pictureProblemText(path));
        return false;
    }
    m_shownPath = path;
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->resize(picture.size());
    setFixedSize(ui::pictureWindowClientSize(picture.size(), kHeightMargin, kCloseWidth + 2 * kCloseRight));
    const std::uint32_t colour =
        screens().CourseMenuForm ? screens().CourseMenuForm->currentTheme().colour1 : 0x656699u;
    Button1->setPicture(ui::artwork::button(QStringLiteral("閉じる"), kCloseWidth, kCloseHeight, colour));
    Button1->move(width() - kCloseWidth - kCloseRight, height() - kCloseHeight - kCloseBottom);
    return true;
}

void TRefImgForm::FormHide()
{
    m_shownPath.clear();
    if (windowHandle())
        windowHandle()->setTransientParent(nullptr);
}

void TRefImgForm::Button1Click()
{
    hide();
}
