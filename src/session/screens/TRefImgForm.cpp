#include "session/screens/TRefImgForm.h"

#include "install/Selection.h"
#include "shell/screens/ScreenCatalogue.h"
#include "ui/Artwork.h"
#include "ui/ImageLoader.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/Placement.h"

#include <QEvent>
#include <QLabel>

namespace
{
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

void TRefImgForm::showExhibit(const QString& path, QWidget* owner)
{
    if (!loadPicture(path)) {
        hide();
        return;
    }
    QWidget* belongsTo = owner ? owner->window() : ui::Screen::servedWindow(this);
    if (m_watched != belongsTo) {
        if (m_watched)
            m_watched->removeEventFilter(this);
        m_watched = belongsTo;
        if (belongsTo)
            belongsTo->installEventFilter(this);
    }
    // Owned by the window it was opened from: above it, usable beside it when that window is
    // modal (a modal window blocks every window but its own), minimised with it.
    setOwner(belongsTo);
    const bool wasOpen = isVisible();
    if (!wasOpen)
        ui::centreOver(this, belongsTo);
    show();
    raise();
    activateWindow();
}

void TRefImgForm::closeFor(const QWidget* owner)
{
    if (owner && isVisible() && this->owner() == owner->window())
        hide();
}

bool TRefImgForm::eventFilter(QObject* watched, QEvent* event)
{
    // The window the exhibit belongs to went away (not minimised): the exhibit goes with it.
    if (watched == m_watched && event->type() == QEvent::Hide && !event->spontaneous() && isVisible() &&
        owner() == m_watched)
        hide();
    return ui::Screen::eventFilter(watched, event);
}

bool TRefImgForm::loadPicture(const QString& path)
{
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
    const std::uint32_t colour = selection().theme().colour1;
    Button1->setPicture(ui::artwork::button(QStringLiteral("閉じる"), kCloseWidth, kCloseHeight, colour));
    Button1->move(width() - kCloseWidth - kCloseRight, height() - kCloseHeight - kCloseBottom);
    return true;
}

void TRefImgForm::FormHide()
{
    m_shownPath.clear();
    if (m_watched)
        m_watched->removeEventFilter(this);
    m_watched = nullptr;
}

void TRefImgForm::Button1Click()
{
    hide();
}
