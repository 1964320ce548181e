#include "session/screens/TCheatForm.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/SettingsStore.h"
#include "install/InstallLayout.h"
#include "install/Selection.h"
#include "session/ExamSession.h"
#include "session/InquiryPage.h"
#include "session/LinkTarget.h"
#include "session/QuestionLayout.h"
#include "session/SessionStyleQuestion.h"
#include "session/screens/MemoText.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TMainMenuForm.h"
#include "styles/screens/StyleViews.h"
#include "ui/Artwork.h"
#include "ui/FocusFrame.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/ShellOpen.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

namespace
{
constexpr int kFoldedWidth = 194;
constexpr int kFoldedHeight = 95;
constexpr int kUnfoldedHeight = 250;
constexpr int kUnfoldLift = 155;      // unfolding grows the window upwards by this much
constexpr int kBelowExamTop = 415;    // the folded window's top, below the exam screen's top
constexpr int kMinimumUnfolded = 160; // keeps the panel's buttons clear of each other
constexpr int kPanelTop = 94;
constexpr int kLinkWidth = 48;
constexpr int kLinkHeight = 21;
constexpr int kInquiryWidth = 72;
constexpr int kInquiryHeight = 30;
constexpr int kStripHeight = 42;

const QString kShowHint = QStringLiteral("解説を表示します");
const QString kHideHint = QStringLiteral("解説を隠します");

QLabel* hiddenPicture(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

QString programFile(const QString& name)
{
    return filelookup::resolve(layout::programDir() + name);
}
} // namespace

TCheatForm::TCheatForm(ExamSession& session, QWidget* parent)
    : ui::Screen(QStringLiteral("CheatForm"), parent), m_session(session)
{
    setWindowTitle(QStringLiteral("正解"));
    setKeyHelp({
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    setClosesOnEscape(true);
    // Above the exam screen as the window it belongs to (see TExamModeForm::Button1Click), never
    // above every window: a message the session waits on must come over it.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    discRoots = [] { return screens().MainMenuForm ? screens().MainMenuForm->cdDrives() : QStringList(); };
    buildControls();
    setFixedSize(kFoldedWidth, kFoldedHeight);
}

void TCheatForm::buildControls()
{
    Label1 = new QLabel(QStringLiteral("正解 : "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 6, 44, 18);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(52, 6, 134, 18);
    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label2->setPalette(red);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);

    auto pictureButton = [](QWidget* parent, const QString& name, const QRect& place, const QString& hint) {
        auto* button = new ui::PictureButton(parent, name);
        button->setGeometry(place);
        button->setHint(hint);
        button->setAccessibleName(hint);
        return button;
    };
    // The five view buttons share one place; the show handler leaves the current style's.
    const QRect viewPlace(8, 30, 110, 24);
    Image8 = pictureButton(this, QStringLiteral("Image8"), viewPlace, QStringLiteral("正解の図を表示します"));
    Image9 = pictureButton(this, QStringLiteral("Image9"), viewPlace, QStringLiteral("正解の図を表示します"));
    ButtonType5 =
        pictureButton(this, QStringLiteral("ButtonType5"), viewPlace, QStringLiteral("正解の文字列を表示します"));
    Image10 = pictureButton(this, QStringLiteral("Image10"), viewPlace, QStringLiteral("正解の図を表示します"));
    Image11 = pictureButton(this, QStringLiteral("Image11"), viewPlace, QStringLiteral("正解の図を表示します"));
    Button2 = pictureButton(this, QStringLiteral("Button2"), {8, 62, 86, 26}, kShowHint);
    Button1 = pictureButton(this, QStringLiteral("Button1"), {100, 62, 86, 26}, QStringLiteral("ウィンドウを閉じます"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFocusPolicy(Qt::StrongFocus);
    Panel1->setAccessibleName(QStringLiteral("解説"));
    Panel1->hide();
    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setAccessibleName(QStringLiteral("解説"));
    Memo1->installEventFilter(this);
    Memo1->viewport()->installEventFilter(this);
    Memo1->viewport()->setMouseTracking(true);
    ui::showFocusFrame(Panel1, Memo1);
    Image6 = new QLabel(Panel1);
    Image6->setObjectName(QStringLiteral("Image6"));
    Image6->setAutoFillBackground(true);
    Button3 = pictureButton(Panel1, QStringLiteral("Button3"), {4, 0, kLinkWidth, kLinkHeight}, {});
    Button4 = pictureButton(Panel1, QStringLiteral("Button4"), {56, 0, kLinkWidth, kLinkHeight}, {});
    Button5 = pictureButton(Panel1, QStringLiteral("Button5"), {0, 0, kInquiryWidth, kInquiryHeight},
                            QStringLiteral("質問サービスを利用します"));

    Image1 = hiddenPicture(this, QStringLiteral("Image1"));
    Image2 = hiddenPicture(this, QStringLiteral("Image2"));
    Image33 = hiddenPicture(this, QStringLiteral("Image33"));
    Image3 = hiddenPicture(this, QStringLiteral("Image3"));
    Image44 = hiddenPicture(this, QStringLiteral("Image44"));
    Image4 = hiddenPicture(this, QStringLiteral("Image4"));

    connect(Button1, &ui::PictureButton::clicked, this, &TCheatForm::Button1Click);
    connect(Button2, &ui::PictureButton::clicked, this, &TCheatForm::Button2Click);
    connect(Button3, &ui::PictureButton::clicked, this, &TCheatForm::Button3Click);
    connect(Button4, &ui::PictureButton::clicked, this, &TCheatForm::Button4Click);
    connect(Button5, &ui::PictureButton::clicked, this, &TCheatForm::Button5Click);
    connect(Image8, &ui::PictureButton::clicked, this, &TCheatForm::Image8Click);
    connect(Image9, &ui::PictureButton::clicked, this, &TCheatForm::Image9Click);
    connect(ButtonType5, &ui::PictureButton::clicked, this, &TCheatForm::ButtonType5Click);
    connect(Image10, &ui::PictureButton::clicked, this, &TCheatForm::Image10Click);
    connect(Image11, &ui::PictureButton::clicked, this, &TCheatForm::Image11Click);
}

// The pictures in the current vendor's colour.
void TCheatForm::buildPictures()
{
    std::uint32_t colour = 0x656699;
    if (screens().CourseMenuForm)
        colour = selection().theme().colour1;
    using ui::artwork::button;
    Image1->setPixmap(button(QStringLiteral("解説 ▲"), 86, 26, colour));
    Image2->setPixmap(button(QStringLiteral("解説 ▼"), 86, 26, colour));
    Image33->setPixmap(button(QStringLiteral("資料1"), kLinkWidth, kLinkHeight, colour));
    Image3->setPixmap(button(QStringLiteral("資料1"), kLinkWidth, kLinkHeight, colour, true));
    Image44->setPixmap(button(QStringLiteral("資料2"), kLinkWidth, kLinkHeight, colour));
    Image4->setPixmap(button(QStringLiteral("資料2"), kLinkWidth, kLinkHeight, colour, true));
    Button1->setPicture(button(QStringLiteral("閉じる"), 86, 26, colour));
    Button2->setPicture(m_unfolded ? Image2->pixmap() : Image1->pixmap());
    Button5->setPicture(button(QStringLiteral("質問"), kInquiryWidth, kInquiryHeight, colour));
    for (ui::PictureButton* view : {Image8, Image9, ButtonType5, Image10, Image11})
        view->setPicture(button(QStringLiteral("正解を見る"), 110, 24, colour));
    QPalette strip = Image6->palette();
    strip.setColor(QPalette::Window, ui::fromBgr(colour).lighter(185));
    Image6->setPalette(strip);
}

QPoint TCheatForm::foldedPlace() const
{
    const TExamModeForm* exam = screens().ExamModeForm;
    if (!exam)
        return pos();
    return {exam->x() + exam->width() - kFoldedWidth, exam->y() + kBelowExamTop};
}

// ---- Show, fold, unfold, close ---------------------------------------------------------------

void TCheatForm::FormShow()
{
    const SessionQuestion* question = m_session.question(m_session.currentQuestion);
    buildPictures();
    if (!question)
        return;

    showLinkButton(Button3, Image33, Image3, 0);
    showLinkButton(Button4, Image44, Image4, 1);

    if (!m_unfolded) {
        setFixedSize(kFoldedWidth, kFoldedHeight);
        move(foldedPlace());
    }

    Memo1->setPlainText(memotext::fromFile(inquiry::explanationText(*question)));
    Label2->setText(inquiry::choiceLetters(question->keyFlags));

    const std::array<ui::PictureButton*, 5> views{Image8, Image9, ButtonType5, Image10, Image11};
    for (size_t i = 0; i < views.size(); ++i)
        views[i]->setVisible(question->style == kStyleGraphic + int(i));
}

void TCheatForm::showLinkButton(ui::PictureButton* button, QLabel* available, QLabel* unavailable, int link)
{
    const SessionQuestion* question = m_session.question(m_session.currentQuestion);
    const Link& target = question->links[size_t(link)];
    const bool present = !target.target.empty();
    button->setPicture(present ? available->pixmap() : unavailable->pixmap());
    button->setEnabled(present);
    button->setHint(present ? cp932::toUnicode(target.caption) : QString());
    button->setAccessibleName(present ? button->hint() : QStringLiteral("資料%1").arg(link + 1));
}

void TCheatForm::Button2Click()
{
    TExamModeForm* exam = screens().ExamModeForm;
    if (m_unfolded) {
        fold();
        return;
    }
    m_unfolded = true;
    setMinimumSize(kFoldedWidth, kMinimumUnfolded);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (exam && exam->SaveLeft != QLatin1String("0")) {
        move(exam->SaveLeft.toInt(), exam->SaveTop.toInt());
        resize(std::max(exam->SaveWidth.toInt(), kFoldedWidth), std::max(exam->SaveHeight.toInt(), kMinimumUnfolded));
    } else {
        move(x(), y() - kUnfoldLift);
        resize(width(), kUnfoldedHeight);
    }
    Button2->setHint(kHideHint);
    Button2->setPicture(Image2->pixmap());
    Panel1->show();
    FormResize();
}

void TCheatForm::rememberGeometry()
{
    TExamModeForm* exam = screens().ExamModeForm;
    if (!exam)
        return;
    exam->SaveLeft = QString::number(x());
    exam->SaveTop = QString::number(y());
    exam->SaveWidth = QString::number(width());
    exam->SaveHeight = QString::number(height());
}

void TCheatForm::fold()
{
    rememberGeometry();
    m_unfolded = false;
    Button2->setHint(kShowHint);
    Button2->setPicture(Image1->pixmap());
    Panel1->hide();
    setFixedSize(kFoldedWidth, kFoldedHeight);
    move(foldedPlace());
}

void TCheatForm::Button1Click()
{
    if (m_unfolded)
        rememberGeometry();
    close();
}

bool TCheatForm::FormCloseQuery()
{
    if (screens().ExamModeForm)
        screens().ExamModeForm->explanationClosed();
    m_unfolded = false;
    Panel1->hide();
    setFixedSize(kFoldedWidth, kFoldedHeight);
    Button2->setHint(kShowHint);
    Button2->setPicture(Image1->pixmap());
    return true;
}

void TCheatForm::FormResize()
{
    const int panelWidth = width() - 6;
    const int panelHeight = height() - (kPanelTop + 3);
    Panel1->setGeometry(3, kPanelTop, panelWidth, panelHeight);
    Memo1->setGeometry(0, 0, panelWidth, std::max(0, panelHeight - 45));
    Image6->setGeometry(0, panelHeight - kStripHeight, panelWidth, kStripHeight);
    Button3->move(Button3->x(), panelHeight - 30);
    Button4->move(Button4->x(), panelHeight - 30);
    Button5->move(panelWidth - kInquiryWidth - 4, panelHeight - 38);
}

void TCheatForm::resizeEvent(QResizeEvent* event)
{
    ui::Screen::resizeEvent(event);
    FormResize();
}

bool TCheatForm::eventFilter(QObject* watched, QEvent* event)
{
    // The explanation never keeps a caret: moving over it or typing in it hands the focus on.
    if ((watched == Memo1 || watched == Memo1->viewport()) &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::KeyRelease))
        Panel1->setFocus();
    return ui::Screen::eventFilter(watched, event);
}

// ---- Style views -----------------------------------------------------------------------------

void TCheatForm::showStyleView(int style)
{
    const SessionQuestion* question = m_session.question(m_session.currentQuestion);
    if (!question || question->style != style)
        return;
    const QString dir = questionlayout::questionDataDir(selection().test().questionFile);
    m_session.styleHandOver.question(style) = FillStyleQuestion(*question, dir);
    ui::Screen* view = styleViewScreen(style);
    if (view)
        view->showModal(this);
}

void TCheatForm::Image8Click()
{
    showStyleView(kStyleGraphic);
}
void TCheatForm::Image9Click()
{
    showStyleView(kStylePanel);
}
void TCheatForm::ButtonType5Click()
{
    showStyleView(kStyleTextEntry);
}
void TCheatForm::Image10Click()
{
    showStyleView(kStyleLabelledPanel);
}
void TCheatForm::Image11Click()
{
    showStyleView(kStyleConnector);
}

// ---- Links -----------------------------------------------------------------------------------

QWidget* TCheatForm::messageParent()
{
    if (isVisible())
        return this;
    return QApplication::activeWindow();
}

void TCheatForm::Button3Click()
{
    CBTClick(1, m_session.currentQuestion);
}

void TCheatForm::Button4Click()
{
    CBTClick(2, m_session.currentQuestion);
}

void TCheatForm::CBTClick(int kind, int position)
{
    const SessionQuestion* question = m_session.question(position);
    if (!question || kind < 1 || kind > kLinkCount)
        return;
    const std::string& target = question->links[size_t(kind - 1)].target;
    if (target.empty())
        return; // no link: its button is shown unavailable
    const QString location = settings::ReadSetting(QString::fromLatin1(settings::kDiscSection),
                                                   kind == 1 ? QStringLiteral("CD_PATH") : QStringLiteral("CD_PATH2"),
                                                   linktarget::kNoLocation);
    const QStringList discs = discRoots ? discRoots() : QStringList();
    // Reference documents are opened where the installation keeps them, never from a copy.
    const QString refDir = filelookup::resolve(layout::sharedProgramDir() + QStringLiteral("Ref")) + QLatin1Char('/');
    const linktarget::LinkPlan plan = linktarget::planLink(target, location, discs, refDir);

    switch (plan.action) {
    case linktarget::LinkAction::LaunchWeb:
    case linktarget::LinkAction::LaunchFile: {
        const QString page = layout::programDir() + QStringLiteral("Launch.htm");
        FileError error;
        if (!linktarget::writeLaunchPage(programFile(QStringLiteral("LaunchProto")), page, plan, &error)) {
            ui::messageBox(messageParent(), QStringLiteral("Error"), error.japaneseText());
            return;
        }
        ui::openExternal(page, true);
        return;
    }
    case linktarget::LinkAction::OpenRef:
        ui::openExternal(plan.address, true);
        return;
    case linktarget::LinkAction::Missing: {
        const linktarget::MissingMessage message = linktarget::missingMessage(!discs.isEmpty());
        ui::messageBox(messageParent(), message.caption, message.text);
        return;
    }
    }
}

// ---- Inquiry page ----------------------------------------------------------------------------

void TCheatForm::Button5Click()
{
    const TExamModeForm* exam = screens().ExamModeForm;
    const SessionQuestion* question = m_session.question(m_session.currentQuestion);
    if (!exam || !question)
        return;
    int correctChoice = 0;
    if (question->style >= kStyleGraphic && question->style <= kStyleConnector)
        correctChoice = m_session.styleHandOver.question(question->style).correctChoice;
    openInquiryPage(m_session.currentQuestion, inquiry::examAnswerBlock(*question, exam->tickedRadioButtons(),
                                                                        exam->tickedCheckBoxes(), correctChoice));
}

void TCheatForm::openInquiryPage(int position, const std::vector<std::string>& answerBlock)
{
    const SessionQuestion* question = m_session.question(position);
    if (!question)
        return;
    inquiry::InquiryValues values;
    if (const TMainMenuForm* main = screens().MainMenuForm) {
        values.serial = cp932::fromUnicode(main->profile().serial);
        values.name = cp932::fromUnicode(main->profile().name);
        values.email = cp932::fromUnicode(main->profile().email);
        values.organisation = cp932::fromUnicode(main->profile().organisation);
        values.inquiryAddress = cp932::fromUnicode(main->inquiryAddress());
    }
    values.testCode = selection().test().code;
    values.testTitle = selection().test().title;
    const QString page = layout::programDir() + QStringLiteral("Ques.htm");
    FileError error;
    if (!inquiry::writeInquiryPage(programFile(QStringLiteral("QuesProto")), page, values, *question, answerBlock,
                                   &error)) {
        ui::messageBox(messageParent(), QStringLiteral("Error"), error.japaneseText());
        return;
    }
    ui::openExternal(page, true);
}
