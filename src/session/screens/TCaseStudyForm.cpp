#include "session/screens/TCaseStudyForm.h"

#include "bank/Cp932.h"
#include "install/Selection.h"
#include "session/ExamSession.h"
#include "session/screens/TRefImgForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "ui/Artwork.h"
#include "ui/FocusFrame.h"
#include "ui/PictureButton.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace
{
constexpr int kWidth = 760;
constexpr int kHeight = 560;
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 24;
constexpr int kMargin = 8;
constexpr int kButtonTop = kHeight - kButtonHeight - kMargin;
constexpr std::array<int, 4> kImageButtonX{8, 96, 184, 272};
} // namespace

TCaseStudyForm::TCaseStudyForm(ExamSession& session, QWidget* parent)
    : ui::Screen(QStringLiteral("CaseStudyForm"), parent), m_session(session)
{
    setWindowTitle(QStringLiteral("事例"));
    setKeyHelp({
        {QStringLiteral("↑ / ↓, PageUp / PageDown"), QStringLiteral("本文をスクロールする")},
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    setClosesOnEscape(true);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kWidth, kHeight);

    // The text sits on a panel that takes the focus from it, so no caret ever stays in the text.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFocusPolicy(Qt::StrongFocus);
    Panel1->setAccessibleName(QStringLiteral("事例"));
    Panel1->setGeometry(kMargin, kMargin, kWidth - 2 * kMargin, kButtonTop - 2 * kMargin);
    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setAccessibleName(QStringLiteral("事例"));
    // Reached by Tab it would hand the focus back to the panel, and Tab would never get further.
    Memo1->setFocusPolicy(Qt::ClickFocus);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setGeometry(0, 0, Panel1->width(), Panel1->height());
    ui::showFocusFrame(Panel1, Memo1);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(15);
    Memo1->setFont(font);
    Panel1->installEventFilter(this);
    Memo1->installEventFilter(this);
    Memo1->viewport()->installEventFilter(this);

    for (int i = 0; i < 4; ++i) {
        auto* button = new ui::PictureButton(this, QStringLiteral("RefImg%1").arg(i + 1));
        button->setGeometry(kImageButtonX[size_t(i)], kButtonTop, kButtonWidth, kButtonHeight);
        button->setHint(QStringLiteral("事例の図%1を表示します").arg(i + 1));
        button->setAccessibleName(QStringLiteral("図%1").arg(i + 1));
        button->hide();
        connect(button, &ui::PictureButton::clicked, this, [this, i] { RefImgClick(i + 1); });
        RefImg[size_t(i)] = button;
    }
    Button1 = new ui::PictureButton(this, QStringLiteral("Button1"));
    Button1->setGeometry(kWidth - kButtonWidth - kMargin, kButtonTop, kButtonWidth, kButtonHeight);
    Button1->setHint(QStringLiteral("閉じる"));
    Button1->setAccessibleName(QStringLiteral("閉じる"));
    connect(Button1, &ui::PictureButton::clicked, this, &TCaseStudyForm::Button1Click);
}

void TCaseStudyForm::prepare(const CaseStudy& caseStudy)
{
    for (auto* button : RefImg)
        button->hide();
    std::string text;
    for (size_t i = 0; i < caseStudy.lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += caseStudy.lines[i];
    }
    Memo1->setPlainText(cp932::toUnicode(text));
    m_imagePaths = caseStudy.imagePaths;
    // A named picture shows its button even when the file is missing: pressing it says so.
    for (size_t i = 0; i < RefImg.size(); ++i)
        RefImg[i]->setVisible(!m_imagePaths[i].isEmpty());
}

void TCaseStudyForm::FormShow()
{
    const std::uint32_t colour = selection().theme().colour1;
    for (size_t i = 0; i < RefImg.size(); ++i)
        RefImg[i]->setPicture(
            ui::artwork::button(QStringLiteral("図%1").arg(i + 1), kButtonWidth, kButtonHeight, colour));
    Button1->setPicture(ui::artwork::button(QStringLiteral("閉じる"), kButtonWidth, kButtonHeight, colour));
    setFixedSize(kWidth, kHeight);
    Memo1->moveCursor(QTextCursor::Start);
    Panel1->setFocus();
}

void TCaseStudyForm::RefImgClick(int slot)
{
    if (slot < 1 || slot > 4 || !screens().RefImgForm)
        return;
    m_session.exhibitPath = m_imagePaths[size_t(slot - 1)];
    screens().RefImgForm->showExhibit(m_session.exhibitPath, this);
}

void TCaseStudyForm::Button1Click()
{
    closedByUser();
    hide();
}

void TCaseStudyForm::FormClose()
{
    // The close box ends the showing as the close button does; otherwise a first showing closed
    // this way would hold back time-up for the rest of the session.
    closedByUser();
}

void TCaseStudyForm::closedByUser()
{
    m_session.closeCaseStudy();
}

void TCaseStudyForm::FormHide()
{
    // An exhibit opened from here goes with the case study.
    if (screens().RefImgForm)
        screens().RefImgForm->closeFor(this);
}

bool TCaseStudyForm::eventFilter(QObject* watched, QEvent* event)
{
    // The panel holds the focus for the text: the keys that read on scroll the text.
    if (watched == Panel1 && event->type() == QEvent::KeyPress) {
        QScrollBar* bar = Memo1->verticalScrollBar();
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Down:
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_PageUp:
            bar->triggerAction(QAbstractSlider::SliderPageStepSub);
            return true;
        case Qt::Key_PageDown:
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            return true;
        default:
            break;
        }
    }
    if ((watched == Memo1 || watched == Memo1->viewport()) &&
        (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonPress))
        Panel1->setFocus();
    return ui::Screen::eventFilter(watched, event);
}
