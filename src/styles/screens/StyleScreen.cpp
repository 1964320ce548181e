#include "styles/screens/StyleScreen.h"

#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "ui/Artwork.h"
#include "ui/ImageLoader.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QTimer>

namespace {
constexpr int kOkWidth = 81;
constexpr int kOkHeight = 24;
// The title bar of the original windows; the margins include it, the client area does not.
constexpr int kTitleBar = 30;
constexpr int kOkRight = 12;  // from the window's right edge
constexpr int kOkBottom = 6;  // from the client area's bottom edge
} // namespace

StyleScreen::StyleScreen(const QString& objectName, int style, Kind kind, const QString& caption, int heightMargin,
                         const QString& okName, QWidget* parent)
    : ui::Screen(objectName, parent), m_style(style), m_kind(kind), m_heightMargin(heightMargin)
{
    setWindowTitle(caption);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->move(0, 0);
    m_picture->hide();

    m_ok = new ui::PictureButton(this, okName);
    m_ok->resize(kOkWidth, kOkHeight);
    m_ok->setHint(QStringLiteral("OK"));
    connect(m_ok, &ui::PictureButton::clicked, this, &StyleScreen::pressOk);
}

bool StyleScreen::FormCanShow()
{
    const std::uint32_t colour =
        screens().CourseMenuForm ? screens().CourseMenuForm->currentTheme().colour1 : 0x656699u;
    m_ok->setPicture(ui::artwork::button(QStringLiteral("OK"), kOkWidth, kOkHeight, colour));
    m_built = rebuild(question());
    m_ok->raise();
    return m_built;
}

void StyleScreen::FormShow()
{
    // A plain show() (not through showModal) still rebuilds; a failure then closes at once.
    if (!m_built && !FormCanShow())
        QTimer::singleShot(0, this, [this] { hide(); });
    m_built = false;
}

void StyleScreen::pressOk()
{
    if (!isView())
        styleHandOver().passed = judge() ? 1 : 0;
    hide();
}

bool StyleScreen::showPicture(const QString& path)
{
    QString error;
    m_image = ui::loadImage(path, &error);
    if (m_image.isNull()) {
        reportProblem(QStringLiteral("画像ファイルを読み込めませんでした。\n%1").arg(path));
        return false;
    }
    m_picture->setPixmap(QPixmap::fromImage(m_image));
    m_picture->resize(m_image.size());
    m_picture->show();
    fitToPicture(m_image.size());
    return true;
}

void StyleScreen::fitToPicture(QSize picture)
{
    const int clientHeight = picture.height() + std::max(0, m_heightMargin - kTitleBar);
    setFixedSize(std::max(picture.width(), kOkWidth + 2 * kOkRight), clientHeight);
    m_ok->move(width() - kOkWidth - kOkRight, height() - kOkHeight - kOkBottom);
}

void StyleScreen::reportProblem(const QString& text)
{
    ui::messageBox(this, QStringLiteral("Error"), text);
}
