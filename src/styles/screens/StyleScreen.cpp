#include "styles/screens/StyleScreen.h"

#include "install/Selection.h"
#include "shell/screens/ScreenCatalogue.h"
#include "ui/Artwork.h"
#include "ui/ImageLoader.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/Placement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace
{
constexpr int kOkWidth = 81;
constexpr int kOkHeight = 24;
constexpr int kOkRight = 12; // from the window's right edge
constexpr int kOkBottom = 6; // from the client area's bottom edge
} // namespace

StyleScreen::StyleScreen(StyleHandOver& handOver, const QString& objectName, int style, Kind kind,
                         const QString& caption, int heightMargin, const QString& okName, QWidget* parent)
    : ui::Screen(objectName, parent), m_handOver(handOver), m_style(style), m_kind(kind), m_heightMargin(heightMargin)
{
    setWindowTitle(caption);
    // Escape is the close box: an answer screen leaves its verdict at 0.
    setClosesOnEscape(true);
    setKeyHelp({{QStringLiteral("Space / Enter"), QStringLiteral("OK（閉じる）")}});
    ui::setUpPictureWindow(this);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->move(0, 0);
    m_picture->hide();

    m_ok = new ui::PictureButton(this, okName);
    m_ok->resize(kOkWidth, kOkHeight);
    m_ok->setHint(QStringLiteral("OK"));
    m_ok->setAccessibleName(QStringLiteral("OK"));
    // Tab reaches OK and Space or Enter presses it, for people who work without a mouse.
    m_ok->setFocusPolicy(Qt::StrongFocus);
    m_ok->installEventFilter(this);
    connect(m_ok, &ui::PictureButton::clicked, this, &StyleScreen::pressOk);
}

bool StyleScreen::FormCanShow()
{
    const std::uint32_t colour = selection().theme().colour1;
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

bool StyleScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ok) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                pressOk();
                return true;
            }
        } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            update(); // the focus ring around OK
        }
    }
    return ui::Screen::eventFilter(watched, event);
}

void StyleScreen::paintEvent(QPaintEvent* event)
{
    ui::Screen::paintEvent(event);
    if (!m_ok->hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(m_ok->geometry().adjusted(-2, -2, 1, 1));
}

void StyleScreen::pressOk()
{
    if (!isView())
        m_handOver.passed = judge() ? 1 : 0;
    hide();
}

bool StyleScreen::showPicture(const QString& path)
{
    QString error;
    m_image = ui::loadImage(path, &error);
    if (m_image.isNull()) {
        reportProblem(ui::pictureProblemText(path));
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
    setFixedSize(ui::pictureWindowClientSize(picture, m_heightMargin, kOkWidth + 2 * kOkRight));
    m_ok->move(width() - kOkWidth - kOkRight, height() - kOkHeight - kOkBottom);
}

void StyleScreen::reportProblem(const QString& text)
{
    ui::messageBox(this, QStringLiteral("Error"), text);
}
