#include "shell/screens/TGenericMBForm.h"

#include "bank/Cp932.h"
#include "install/Selection.h"
#include "session/ExamSession.h"
#include "session/screens/TExamModeForm.h"
#include "shell/NoticeLayout.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "ui/Artwork.h"
#include "ui/Placement.h"
#include "ui/PlainText.h"
#include "ui/Sound.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace
{
constexpr int kLastTick = 20;     // the hand-over comes on the tick after this one
constexpr int kSideBarWidth = 16; // left of the labels, as on the category selection screen
} // namespace

TGenericMBForm::TGenericMBForm(ExamSession& session, QWidget* parent)
    : ui::Screen(QStringLiteral("GenericMBForm"), parent), m_session(session)
{
    setWindowTitle(QStringLiteral("Quarvel"));
    setKeyHelp({
        {QStringLiteral("Space / Enter"), QStringLiteral("すぐに試験を始める")},
    });
    setFixedSize(notice::kWidth, notice::kHeight);
    setFocusPolicy(Qt::StrongFocus);

    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(16);
    int top = 20;
    for (QLabel** label : {&Label3, &Label1, &Label2}) {
        *label = new QLabel(this);
        (*label)->setFont(font);
        (*label)->setGeometry(notice::kLeft, top, notice::kWidth - 40, notice::kLineHeight);
        top += 32;
    }
    Label3->setObjectName(QStringLiteral("Label3"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TGenericMBForm::FormShow()
{
    Timer1->start();
    m_ticks = 0;
    screens().CourseMenuForm->hide();

    const SessionSettings& session = m_session.settings;
    ui::setPlainText(Label3,
                     QStringLiteral("テスト名 : ") + cp932::toUnicode(selection().test().title) + QStringLiteral(" "));
    Label1->setText(QStringLiteral("問題数   : ") + QString::number(session.questionCount) + QStringLiteral("問"));
    Label2->setText(QStringLiteral("制限時間 : ") + QString::number(session.timeLimitSeconds / 60) +
                    QStringLiteral("分"));

    fitTitle();
    applyVendorLook(); // at the notice's final size

    // In the middle of where the category selection screen stood.
    // A notice widened for a long title is kept on the desktop.
    const QRect around = screens().CatSelForm->geometry();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    move(ui::centredPosition(around, size(), screen ? screen->availableGeometry() : QRect()));
    activateWindow();
    setFocus();
}

void TGenericMBForm::fitTitle()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : notice::kWidth;
    const int titleWidth = Label3->fontMetrics().horizontalAdvance(Label3->text());
    const notice::Layout layout = notice::layoutFor(titleWidth, screenWidth);
    setFixedSize(layout.width, layout.height);
    const int labelWidth = layout.width - notice::kLeft - notice::kRightMargin;
    Label3->setWordWrap(layout.titleLines > 1);
    Label3->setGeometry(notice::kLeft, 20, labelWidth, notice::kLineHeight * layout.titleLines);
    const int below = 20 + notice::kLineHeight * (layout.titleLines - 1);
    Label1->setGeometry(notice::kLeft, below + 32, labelWidth, notice::kLineHeight);
    Label2->setGeometry(notice::kLeft, below + 64, labelWidth, notice::kLineHeight);
}

void TGenericMBForm::applyVendorLook()
{
    const VendorTheme& theme = selection().theme();
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ui::fromBgr(theme.colour1));
    palette.setColor(QPalette::WindowText, ui::fromBgr(theme.colour2));
    setPalette(palette); // the labels take the text colour from here
    setAutoFillBackground(true);
    m_sideBar = ui::artwork::leftBarBand(kSideBarWidth, height(), theme.picture);
}

void TGenericMBForm::paintEvent(QPaintEvent* event)
{
    ui::Screen::paintEvent(event);
    QPainter p(this);
    if (!m_sideBar.isNull())
        p.drawPixmap(0, 0, m_sideBar);
    // A raised frame in the face's own hue.
    const QColor face = palette().color(QPalette::Window);
    p.setPen(face.lighter(160));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(face.darker(200));
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawRect(QRect(kSideBarWidth + 4, 4, width() - kSideBarWidth - 9, height() - 9));
}

void TGenericMBForm::Timer1Timer()
{
    ++m_ticks;
    if (m_ticks == 1)
        ui::playSound(QStringLiteral("wav/start.wav"));
    if (m_ticks > kLastTick)
        handOver();
}

void TGenericMBForm::FormKeyDown(int key)
{
    if (key == Qt::Key_Space)
        handOver();
}

void TGenericMBForm::keyPressEvent(QKeyEvent* event)
{
    // Enter goes on as Space does: the key a keyboard user tries first on a notice. Not while
    // held, though: the Enter that started the test must not skip the notice too.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat())
        handOver();
    FormKeyDown(event->key());
    ui::Screen::keyPressEvent(event);
}

void TGenericMBForm::handOver()
{
    Timer1->stop();
    // Once is enough: a late tick or a second Space must not show the exam screen again.
    if (!isVisible())
        return;
    hide();
    // The exam opens where the user last saw the category selection.
    screens().ExamModeForm->move(screens().CatSelForm->pos());
    screens().ExamModeForm->show();
}
