#include "session/screens/TExamModeForm.h"

#include "install/Selection.h"
#include "results/screens/TResultForm.h"
#include "session/ExamClock.h"
#include "session/ExamSession.h"
#include "session/QuestionLayout.h"
#include "session/SessionStyleQuestion.h"
#include "session/screens/MemoText.h"
#include "session/screens/TCaseStudyForm.h"
#include "session/screens/TCheatForm.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TRefImgForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "styles/screens/TfrmSelStyle3.h"
#include "styles/screens/TfrmSelStyle4.h"
#include "styles/screens/TfrmSelStyle5.h"
#include "styles/screens/TfrmSelStyle6.h"
#include "styles/screens/TfrmSelStyle7.h"
#include "ui/Artwork.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"
#include "ui/Sound.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

namespace
{
constexpr int kWindowWidth = 760;
constexpr int kWindowHeight = 560;

// Button row at the bottom of the window; the review mode moves the score and explanation
// buttons to where next and previous stand.
constexpr int kButtonTop = 518;
constexpr int kButtonWidth = 95;
constexpr int kButtonHeight = 38;
constexpr int kPauseX = 44;
constexpr int kScoreX = 144;
constexpr int kCaseStudyX = 248;
constexpr int kExplanationX = 352;
constexpr int kPreviousX = 554;
constexpr int kNextX = 654;
constexpr int kReviewScoreX = 654;
constexpr int kReviewExplanationX = 554;

// The question text box and the choice texts.
constexpr int kQuestionTextWidth = 540;
constexpr int kQuestionLinePitch = 15;
constexpr int kChoiceTextWidth = 489;
constexpr int kChoiceLeft = 56;
constexpr int kChoiceTextLeft = 96;

const QString kRunningTitle = QStringLiteral("Quarvel - 模擬試験中...");
const QString kReviewTitle = QStringLiteral("見直し中");
const QString kPauseHint = QStringLiteral("試験を中断します");
const QString kResumeHint = QStringLiteral("試験を再開します");

// Font sizes are given in points as on a 96-dpi screen; pixel sizes keep the layout the same
// on every screen.
QFont gothic(int points, bool bold = false)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize((points * 96 + 36) / 72);
    font.setBold(bold);
    return font;
}

void setTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QFrame* whitePanel(QWidget* parent, const QString& name)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    return panel;
}

QLabel* hiddenPicture(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

// An exclusive radio button refuses to be unticked directly.
void setRadio(QRadioButton* button, bool on)
{
    if (on || !button->isChecked()) {
        button->setChecked(on);
        return;
    }
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}
} // namespace

TExamModeForm::TExamModeForm(ExamSession& session, QWidget* parent)
    : ui::Screen(QStringLiteral("ExamModeForm"), parent), m_session(session)
{
    setWindowTitle(kRunningTitle);
    setKeyHelp({
        {QStringLiteral("A〜J"), QStringLiteral("選択肢を選ぶ / 外す")},
        {QStringLiteral("→ / PageDown"), QStringLiteral("次の問題へ")},
        {QStringLiteral("← / PageUp"), QStringLiteral("前の問題へ")},
        {QStringLiteral("M"), QStringLiteral("見直し用のマークを付ける / 外す")},
        {QStringLiteral("O"), QStringLiteral("解答画面を開く（図・記述式などの問題）")},
        {QStringLiteral("K"), QStringLiteral("解説を表示する")},
        {QStringLiteral("P"), QStringLiteral("一時停止 / 再開")},
        {QStringLiteral("S"), QStringLiteral("採点する")},
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kWindowWidth, kWindowHeight);
    buildControls();
    buildKeys();
    setReadingOrder();
}

// Keys for the controls a reader drills with most. Window shortcuts, so they work wherever the
// focus sits on the screen (a check box or the scrolling answer panel would otherwise take the
// arrows), and each ends in what the mouse would have done to that control.
void TExamModeForm::buildKeys()
{
    auto bind = [this](const QKeySequence& keys, auto&& handler) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    for (int k = 0; k < kMaxChoices; ++k)
        bind(QKeySequence(Qt::Key(Qt::Key_A + k)), [this, k] { tickChoiceByKey(k); });
    bind(QKeySequence(Qt::Key_Right), [this] { pressByKey(Button2); });
    bind(QKeySequence(Qt::Key_PageDown), [this] { pressByKey(Button2); });
    bind(QKeySequence(Qt::Key_Left), [this] { pressByKey(Button6); });
    bind(QKeySequence(Qt::Key_PageUp), [this] { pressByKey(Button6); });
    bind(QKeySequence(Qt::Key_M), [this] {
        if (CheckBox0->isVisibleTo(this))
            CheckBox0->click();
    });
    // Letters the choices (a-j) and the mark (M) leave free; the answer style screens are
    // windows of their own, so typing there never reaches these.
    auto bindButton = [&](Qt::Key key, ui::PictureButton* button) {
        button->setShortcutKey(QKeySequence(key));
        bind(QKeySequence(key), [this, button] { pressByKey(button); });
    };
    bindButton(Qt::Key_S, Button4); // score (Saiten)
    bindButton(Qt::Key_P, Button3); // pause and resume
    bindButton(Qt::Key_K, Button1); // explanation (Kaisetsu, Kotae)
    // One key for the style buttons: only the current question's is ever shown.
    for (ui::PictureButton* button : ButtonType)
        button->setShortcutKey(QKeySequence(Qt::Key_O));
    bind(QKeySequence(Qt::Key_O), [this] {
        for (ui::PictureButton* button : ButtonType)
            if (button->isVisibleTo(this))
                pressByKey(button);
    });
}

// Tab follows the screen as it reads: the question panel (exhibits, then the mark), the choices,
// the style button, then the button row from left to right. The review mode moves buttons of
// that row, so it is set again whenever they move.
void TExamModeForm::setReadingOrder()
{
    QList<QWidget*> order(RefImg.begin(), RefImg.end());
    order << CheckBox0;
    for (size_t k = 0; k < size_t(kMaxChoices); ++k)
        order << RadioButton[k] << CheckBox[k];
    order.append(QList<QWidget*>(ButtonType.begin(), ButtonType.end()));
    QList<QWidget*> row{Button3, Button4, Image5, Button1, Button6, Button2};
    std::stable_sort(row.begin(), row.end(), [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    order << row;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

// The button row while the sitting runs, or in review, where only scoring and the explanation
// are left and stand further apart.
void TExamModeForm::placeButtonRow(bool review)
{
    Button4->move(review ? kReviewScoreX : kScoreX, kButtonTop);
    Button1->move(review ? kReviewExplanationX : kExplanationX, kButtonTop);
    setReadingOrder();
    for (ui::PictureButton* button : {Button2, Button3, Button6})
        button->setVisible(!review);
    setWindowTitle(review ? kReviewTitle : kRunningTitle);
}

void TExamModeForm::pressByKey(ui::PictureButton* button)
{
    // Only what the mouse could reach: a hidden or disabled button stays untouched.
    if (button->isVisibleTo(this))
        button->activate();
}

void TExamModeForm::tickChoiceByKey(int k)
{
    // The choice under that letter as it is shown: a radio is selected, a check box toggled,
    // both through click() so the tick limit of multiple choice holds as for the mouse.
    for (QAbstractButton* choice :
         {static_cast<QAbstractButton*>(RadioButton[size_t(k)]), static_cast<QAbstractButton*>(CheckBox[size_t(k)])}) {
        if (choice->isVisibleTo(this)) {
            choice->click();
            // What the mouse ticks, the user sees: a long answer list scrolls to it.
            Panel2->ensureWidgetVisible(choice);
            return;
        }
    }
}

// Built area by area, in the order the screen reads.
void TExamModeForm::buildControls()
{
    buildQuestionPanel();
    buildAnswerPanel();
    buildSideColumn();
    buildButtonRow();
    buildHiddenPictures();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TExamModeForm::Timer1Timer);
}

// Title and question panel.
void TExamModeForm::buildQuestionPanel()
{
    Memo12 = memotext::createMemo(this, QStringLiteral("Memo12"), gothic(12, true));
    Memo12->setGeometry(8, 6, 601, 34);
    Memo12->installEventFilter(this);
    // The texts pass a click's focus on to their panel; reached by Tab they would send it back
    // and Tab would never get past them.
    Memo12->setFocusPolicy(Qt::ClickFocus);
    Memo12->setAccessibleName(QStringLiteral("科目"));

    Panel1 = whitePanel(this, QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 44, 601, 225);
    Label0 = new QLabel(QStringLiteral("Q.9"), Panel1);
    Label0->setObjectName(QStringLiteral("Label0"));
    setTextColour(Label0, QPalette::WindowText, Qt::red);
    Label0->setFont(gothic(10, true));
    Label0->setGeometry(4, 1, 46, 18);
    Memo1 = memotext::createMemo(Panel1, QStringLiteral("Memo1"), gothic(11));
    Memo1->setGeometry(52, 4, kQuestionTextWidth, 184);
    Memo1->installEventFilter(this);
    Memo1->setFocusPolicy(Qt::ClickFocus);
    Memo1->setAccessibleName(QStringLiteral("問題文"));
    for (int i = 0; i < 4; ++i) {
        auto* button = new ui::PictureButton(Panel1, QStringLiteral("RefImg%1").arg(i + 1));
        button->setGeometry(8 + i * 88, 192, 81, 24);
        button->setAccessibleName(QStringLiteral("図%1").arg(i + 1));
        button->hide();
        connect(button, &ui::PictureButton::clicked, this, [this, i] { RefImgClick(i + 1); });
        RefImg[size_t(i)] = button;
    }
    CheckBox0 = new QCheckBox(QStringLiteral("この問題に付箋を立てておく"), Panel1);
    CheckBox0->setObjectName(QStringLiteral("CheckBox0"));
    setTextColour(CheckBox0, QPalette::WindowText, Qt::red);
    CheckBox0->setGeometry(400, 196, 196, 20);
}

// Answer panel: a white scroll box that scrolls vertically only.
void TExamModeForm::buildAnswerPanel()
{
    Panel2 = new QScrollArea(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(8, 273, 601, 241);
    Panel2->setFrameShape(QFrame::NoFrame);
    Panel2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Panel2->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Panel2->setWidgetResizable(false);
    Panel2->setFocusPolicy(Qt::ClickFocus);
    Panel2->setAccessibleName(QStringLiteral("解答群"));
    Panel2Contents = whitePanel(nullptr, QStringLiteral("Panel2Contents"));
    Panel2Contents->resize(601 - Panel2->verticalScrollBar()->sizeHint().width(), 241);
    Panel2->setWidget(Panel2Contents);
    Panel2->viewport()->setAutoFillBackground(true);
    setTextColour(Panel2->viewport(), QPalette::Window, Qt::white);

    Label13 = new QLabel(QStringLiteral("解答群"), Panel2Contents);
    Label13->setObjectName(QStringLiteral("Label13"));
    setTextColour(Label13, QPalette::WindowText, Qt::red);
    Label13->setFont(gothic(9, true));
    Label13->setGeometry(4, 7, 48, 14);
    const QFont choiceFont = gothic(9);
    for (int k = 0; k < kMaxChoices; ++k) {
        const QString letter = questionlayout::choiceLetter(k + 1) + QLatin1Char('.');
        auto* radio = new QRadioButton(letter, Panel2Contents);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(k + 1));
        radio->setGeometry(kChoiceLeft, 5, 38, 16);
        radio->hide();
        RadioButton[size_t(k)] = radio;
        auto* check = new QCheckBox(letter, Panel2Contents);
        check->setObjectName(QStringLiteral("CheckBox%1").arg(k + 1));
        check->setGeometry(kChoiceLeft, 5, 38, 16);
        check->hide();
        connect(check, &QCheckBox::clicked, this, [this, check] { CheckBox1Click(check); });
        CheckBox[size_t(k)] = check;
        QTextEdit* memo = memotext::createMemo(Panel2Contents, QStringLiteral("Memo%1").arg(k + 2), choiceFont);
        memo->setGeometry(kChoiceTextLeft, 7, kChoiceTextWidth, 22);
        memo->hide();
        memo->installEventFilter(this);
        memo->setFocusPolicy(Qt::ClickFocus);
        memo->setAccessibleName(letter);
        ChoiceMemo[size_t(k)] = memo;
    }
    for (int s = 0; s < 5; ++s) {
        auto* button = new ui::PictureButton(Panel2Contents, QStringLiteral("ButtonType%1").arg(s + 3));
        button->setGeometry(kChoiceTextLeft, 8, 150, 30);
        button->setHint(QStringLiteral("解答画面を開く"));
        button->hide();
        connect(button, &ui::PictureButton::clicked, this, [this, s] { askStyleScreen(s + 3); });
        ButtonType[size_t(s)] = button;
    }
    Label6 = new QLabel(QStringLiteral("再度押した場合は現在の解答がリセットされます"), Panel2Contents);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(kChoiceTextLeft, 46, 400, 16);
    Label6->hide();
}

// Side column: clock, time labels, question count, pace hint.
void TExamModeForm::buildSideColumn()
{
    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(628, 44, examclock::kFaceWidth, examclock::kFaceHeight);
    Image3->setAccessibleName(QStringLiteral("時計"));
    const QFont sideFont = gothic(9, true);
    auto sideLabel = [&](const QString& name, const QString& text, int top) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setFont(sideFont);
        label->setGeometry(618, top, 138, 16);
        return label;
    };
    Label12 = sideLabel(QStringLiteral("Label12"), QStringLiteral("制限時間 : 0'"), 172);
    Label11 = sideLabel(QStringLiteral("Label11"), QStringLiteral("経過時間 : 0'"), 192);
    Label5 = sideLabel(QStringLiteral("Label5"), QStringLiteral("問題数 : 全XX問"), 212);
    Label3 = sideLabel(QStringLiteral("Label3"), QStringLiteral("そろそろ次の問題へ"), 246);
    Label4 = sideLabel(QStringLiteral("Label4"), QStringLiteral("進みましょう。"), 262);
    setTextColour(Label3, QPalette::WindowText, Qt::red);
    setTextColour(Label4, QPalette::WindowText, Qt::red);
    Label3->hide();
    Label4->hide();
}

// Button row.
void TExamModeForm::buildButtonRow()
{
    auto rowButton = [&](const QString& name, int x, const QString& hint) {
        auto* button = new ui::PictureButton(this, name);
        button->setGeometry(x, kButtonTop, kButtonWidth, kButtonHeight);
        button->setHint(hint);
        return button;
    };
    Button3 = rowButton(QStringLiteral("Button3"), kPauseX, kPauseHint);
    Button4 = rowButton(QStringLiteral("Button4"), kScoreX, QStringLiteral("模擬試験の採点を行います"));
    Image5 = rowButton(QStringLiteral("Image5"), kCaseStudyX, QStringLiteral("事例を表示します"));
    Button1 = rowButton(QStringLiteral("Button1"), kExplanationX, QStringLiteral("正解及び解説を表示します"));
    Button6 = rowButton(QStringLiteral("Button6"), kPreviousX, QStringLiteral("前の模擬問題に戻ります"));
    Button2 = rowButton(QStringLiteral("Button2"), kNextX, QStringLiteral("次の模擬問題に進みます"));
    Image5->hide();
    connect(Button3, &ui::PictureButton::clicked, this, &TExamModeForm::Button3Click);
    connect(Button4, &ui::PictureButton::clicked, this, &TExamModeForm::Button4Click);
    connect(Image5, &ui::PictureButton::clicked, this, &TExamModeForm::Image5Click);
    connect(Button1, &ui::PictureButton::clicked, this, &TExamModeForm::Button1Click);
    connect(Button6, &ui::PictureButton::clicked, this, &TExamModeForm::Button6Click);
    connect(Button2, &ui::PictureButton::clicked, this, &TExamModeForm::Button2Click);
}

// Hidden holders of the button pictures (each with its greyed twin) and the clock faces,
// drawn by buildPictures().
void TExamModeForm::buildHiddenPictures()
{
    itiziIMG = hiddenPicture(this, QStringLiteral("itiziIMG"));
    saikaiIMG = hiddenPicture(this, QStringLiteral("saikaiIMG"));
    imasuguIMG = hiddenPicture(this, QStringLiteral("imasuguIMG"));
    imasuguGIMG = hiddenPicture(this, QStringLiteral("imasuguGIMG"));
    kotaeIMG = hiddenPicture(this, QStringLiteral("kotaeIMG"));
    kotaeGIMG = hiddenPicture(this, QStringLiteral("kotaeGIMG"));
    modoruIMG = hiddenPicture(this, QStringLiteral("modoruIMG"));
    modoruGIMG = hiddenPicture(this, QStringLiteral("modoruGIMG"));
    tsugiIMG = hiddenPicture(this, QStringLiteral("tsugiIMG"));
    tsugiGIMG = hiddenPicture(this, QStringLiteral("tsugiGIMG"));
    saitenIMG = hiddenPicture(this, QStringLiteral("saitenIMG"));
    saitenGIMG = hiddenPicture(this, QStringLiteral("saitenGIMG"));
    invisibleclock = hiddenPicture(this, QStringLiteral("invisibleclock"));
}

// The button pictures in the current vendor's colour, each with its greyed twin.
void TExamModeForm::buildPictures()
{
    std::uint32_t colour = 0x656699;
    if (screens().CourseMenuForm)
        colour = selection().theme().colour1;
    auto picture = [&](QLabel* target, const QString& caption, bool greyed) {
        target->setPixmap(ui::artwork::button(caption, kButtonWidth, kButtonHeight, colour, greyed));
    };
    // Drawn again only when the vendor colour changed since the last time.
    if (m_picturesColour && *m_picturesColour == colour) {
        Button3->setPicture(m_session.paused ? saikaiIMG->pixmap() : itiziIMG->pixmap());
        setPausedLook(m_session.paused != 0);
        return;
    }
    m_picturesColour = colour;
    picture(itiziIMG, QStringLiteral("中断"), false);
    picture(saikaiIMG, QStringLiteral("再開"), false);
    picture(imasuguIMG, QStringLiteral("採点"), false);
    picture(imasuguGIMG, QStringLiteral("採点"), true);
    picture(kotaeIMG, QStringLiteral("正解・解説"), false);
    picture(kotaeGIMG, QStringLiteral("正解・解説"), true);
    picture(modoruIMG, QStringLiteral("前へ"), false);
    picture(modoruGIMG, QStringLiteral("前へ"), true);
    picture(tsugiIMG, QStringLiteral("次へ"), false);
    picture(tsugiGIMG, QStringLiteral("次へ"), true);
    picture(saitenIMG, QStringLiteral("終了・採点"), false);
    picture(saitenGIMG, QStringLiteral("終了・採点"), true);
    if (invisibleclock->pixmap().isNull())
        invisibleclock->setPixmap(ui::artwork::clockFaces());

    Image5->setPicture(ui::artwork::button(QStringLiteral("事例"), kButtonWidth, kButtonHeight, colour));
    for (int i = 0; i < 4; ++i)
        RefImg[size_t(i)]->setPicture(ui::artwork::button(QStringLiteral("図%1").arg(i + 1), 81, 24, colour));
    for (auto* button : ButtonType)
        button->setPicture(ui::artwork::button(QStringLiteral("解答画面を開く"), 150, 30, colour));

    Button3->setPicture(m_session.paused ? saikaiIMG->pixmap() : itiziIMG->pixmap());
    setPausedLook(m_session.paused != 0);
}

const std::string& TExamModeForm::imageName(int slot) const
{
    static const std::string none;
    return (slot >= 1 && slot <= 4) ? m_imageNames[size_t(slot - 1)] : none;
}

const QString& TExamModeForm::imagePath(int slot) const
{
    static const QString none;
    return (slot >= 1 && slot <= 4) ? m_imagePaths[size_t(slot - 1)] : none;
}

// ---- Session start -------------------------------------------------------------------------

void TExamModeForm::FormShow()
{
    const SessionSettings& settings = m_session.settings;
    const CourseTest& test = selection().test();
    // A new sitting starts running at its first question, whatever the last one ended in.
    m_session.start(ReadCaseStudy(test.questionFile));

    buildPictures();
    drawClockFace();
    Image3->setPixmap(m_clockCanvas);
    m_handColour = Qt::black;

    Image5->hide();
    CheckBox0->setFocus();
    resize(kWindowWidth, kWindowHeight);

    Button3->setHint(kPauseHint);
    Button3->setPicture(itiziIMG->pixmap());
    setPausedLook(false);
    placeButtonRow(false);

    m_timeUp = examclock::TimeUp::NotYet;
    Timer1->start(1000);

    const QColor sideColour = ui::fromBgr(selection().theme().colour1);
    for (QLabel* label : {Label5, Label11, Label12})
        setTextColour(label, QPalette::WindowText, sideColour);

    Label12->setText(examclock::limitText(settings.timeLimitSeconds));
    memotext::setMemoText(Memo12, memotext::fromFile(test.title), 18);
    ui::hintWhenCutShort(Memo12, memotext::memoText(Memo12));
    Label5->setText(QStringLiteral("問題数 : 全%1問").arg(settings.questionCount));

    setQuestionLabel(questionlayout::questionLabel(1));
    LoadQuestion(1);
    setNextPicture(false);

    if (m_session.caseStudy.present) {
        // An end by time-up waits until this first showing of the case study is closed.
        screens().CaseStudyForm->prepare(m_session.caseStudy);
        screens().CaseStudyForm->showModal(this);
        Image5->show();
    }
}

void TExamModeForm::setQuestionLabel(const QString& text)
{
    Label0->setText(text);
}

// ---- Clock ---------------------------------------------------------------------------------

void TExamModeForm::drawClockFace()
{
    int picture = 1;
    if (screens().CourseMenuForm)
        picture = selection().theme().picture;
    m_clockCanvas =
        invisibleclock->pixmap().copy(0, examclock::faceTop(picture), examclock::kFaceWidth, examclock::kFaceHeight);
}

void TExamModeForm::drawHand(const QColor& colour)
{
    if (m_clockCanvas.isNull())
        drawClockFace();
    QPainter painter(&m_clockCanvas);
    painter.setPen(QPen(colour, 2));
    painter.drawLine(examclock::kHandCentre, examclock::handEnd(m_session.elapsedSeconds));
}

void TExamModeForm::Timer1Timer()
{
    const SessionSettings& settings = m_session.settings;
    int& elapsedSeconds = m_session.elapsedSeconds;
    const int limit = settings.timeLimitSeconds;
    const examclock::Tick tick =
        examclock::runTick(limit, elapsedSeconds, settings.timeLimitOn == 1, m_session.caseStudyClosed == 1, m_timeUp);
    const examclock::TickPlan& plan = tick.plan;
    m_timeUp = tick.timeUp;
    if (!plan.sound.isEmpty())
        ui::playSound(plan.sound);

    if (plan.paceCheck &&
        examclock::behindPace(limit, settings.questionCount, m_session.currentQuestion, elapsedSeconds)) {
        const bool show = Label3->isHidden();
        Label3->setVisible(show);
        Label4->setVisible(show);
    }
    if (plan.redrawFace) {
        drawClockFace();
        m_handColour = plan.hand == examclock::TickPlan::Hand::Red ? QColor(Qt::red) : QColor(Qt::black);
    }
    elapsedSeconds = tick.shownSeconds;
    if (tick.drawHand)
        drawHand(m_handColour);
    if (tick.counts) {
        Image3->setPixmap(m_clockCanvas);
        Label11->setText(examclock::remainingText(limit, elapsedSeconds));
    }
    // From time-up on the clock stands at the limit: nothing a later tick does counts on.
    elapsedSeconds = tick.nextElapsed;
    if (plan.endSession)
        Timer1->stop();
    if (plan.timeUp)
        ui::messageBox(this, QStringLiteral("タイムアップ"), QStringLiteral("タイムアップです。"));
    if (plan.endSession && !screens().ConfirmForm->isVisible())
        Button4Click();
}

// ---- Navigation ----------------------------------------------------------------------------

void TExamModeForm::closeExplanation()
{
    // Closing (not hiding) folds the window and lets it reset what it coloured.
    if (screens().CheatForm && screens().CheatForm->isVisible())
        screens().CheatForm->close();
    explanationClosed();
}

void TExamModeForm::explanationClosed()
{
    for (QTextEdit* memo : ChoiceMemo)
        setTextColour(memo, QPalette::Text, Qt::black);
}

// The next button shows the score-at-end picture on the last question.
void TExamModeForm::setNextPicture(bool greyed)
{
    const bool last = m_session.currentQuestion >= m_session.count();
    if (last)
        Button2->setPicture(greyed ? saitenGIMG->pixmap() : saitenIMG->pixmap());
    else
        Button2->setPicture(greyed ? tsugiGIMG->pixmap() : tsugiIMG->pixmap());
}

void TExamModeForm::setPausedLook(bool isPaused)
{
    Button4->setPicture(isPaused ? imasuguGIMG->pixmap() : imasuguIMG->pixmap());
    Button1->setPicture(isPaused ? kotaeGIMG->pixmap() : kotaeIMG->pixmap());
    setNextPicture(isPaused);
    const bool previousUsable = !isPaused && m_session.currentQuestion > 1;
    Button6->setPicture(previousUsable ? modoruIMG->pixmap() : modoruGIMG->pixmap());
    Button4->setEnabled(!isPaused);
    Button1->setEnabled(!isPaused);
    Button2->setEnabled(!isPaused);
    Button6->setEnabled(previousUsable);
}

void TExamModeForm::Button2Click()
{
    if (m_session.paused)
        return;
    CheckBox0->setFocus();
    closeExplanation();
    const int count = m_session.count();
    int& currentQuestion = m_session.currentQuestion;
    const int old = currentQuestion;
    if (old <= count) {
        SaveAnswer(old);
        m_session.accountTime();
        currentQuestion = old + 1;
    }
    if (old < count) {
        setQuestionLabel(questionlayout::questionLabel(currentQuestion));
        LoadQuestion(currentQuestion);
        LoadAnswer(currentQuestion);
    }
    if (currentQuestion == count)
        setNextPicture(false);
    if (currentQuestion > count) {
        // The last question stays on screen behind the review.
        screens().ConfirmForm->resetPosition();
        showReview();
    }
}

void TExamModeForm::Button6Click()
{
    int& currentQuestion = m_session.currentQuestion;
    if (m_session.paused || currentQuestion <= 1)
        return;
    CheckBox0->setFocus();
    closeExplanation();
    const int count = m_session.count();
    if (m_session.isPosition(currentQuestion)) {
        SaveAnswer(currentQuestion);
        m_session.accountTime();
    }
    currentQuestion = std::min(currentQuestion - 1, std::max(count, 1));
    setQuestionLabel(questionlayout::questionLabel(currentQuestion));
    LoadQuestion(currentQuestion);
    LoadAnswer(currentQuestion);
    setNextPicture(false); // no longer on the last question: the next picture again
}

void TExamModeForm::Button3Click()
{
    if (m_session.togglePause()) {
        Timer1->stop();
        Button3->setHint(kResumeHint);
        Button3->setPicture(saikaiIMG->pixmap());
        setPausedLook(true);
    } else {
        Timer1->start(1000);
        Button3->setHint(kPauseHint);
        Button3->setPicture(itiziIMG->pixmap());
        setPausedLook(false);
    }
}

void TExamModeForm::Button4Click()
{
    if (m_session.paused)
        return;
    if (m_session.isPosition(m_session.currentQuestion)) {
        SaveAnswer(m_session.currentQuestion);
        m_session.accountTime();
    }
    showReview();
}

void TExamModeForm::showReview()
{
    // The question's exhibit belongs to the question, not to the list of all of them.
    screens().RefImgForm->closeFor(this);
    screens().ConfirmForm->showModal(this);
}

void TExamModeForm::Button1Click()
{
    const SessionQuestion* question = m_session.question(m_session.currentQuestion);
    if (m_session.paused || !question)
        return;
    m_session.answers.at(m_session.currentQuestion).explanationViewed = 1;
    for (size_t i = 0; i < ChoiceMemo.size(); ++i)
        if (question->keyFlags[i] == 1)
            setTextColour(ChoiceMemo[i], QPalette::Text, Qt::red);
    // Owned by this screen: it stands above it, not above every program, and is minimised with it.
    screens().CheatForm->setOwner(this);
    screens().CheatForm->show();
    screens().CheatForm->raise();
}

void TExamModeForm::Image5Click()
{
    screens().CaseStudyForm->showModal(this);
}

void TExamModeForm::RefImgClick(int slot)
{
    if (slot < 1 || slot > 4)
        return;
    m_session.exhibitPath = m_imagePaths[size_t(slot - 1)];
    screens().RefImgForm->showExhibit(m_session.exhibitPath, this);
}

// ---- Review mode and the end ---------------------------------------------------------------

void TExamModeForm::reviewJump(int row)
{
    if (!m_session.enterReview(row))
        return;
    closeExplanation(); // it would show the answer of the question left behind
    LoadQuestion(row);
    LoadAnswer(row);
    setQuestionLabel(questionlayout::questionLabel(row));
    CheckBox0->setFocus();
    placeButtonRow(true);
}

void TExamModeForm::scoreSession()
{
    placeButtonRow(false);
    Image3->show();
    Label11->show();
    Label12->show();
    Timer1->stop();
    m_session.leaveReview();
    if (screens().ConfirmForm)
        screens().ConfirmForm->hide();
    if (screens().CaseStudyForm)
        screens().CaseStudyForm->hide();
    closeExplanation();
    hide();
    // The result takes the exam's place on the desktop.
    if (screens().ResultForm)
        screens().ResultForm->showOver(this);
}

bool TExamModeForm::FormCloseQuery()
{
    const bool wasRunning = Timer1->isActive();
    Timer1->stop();
    const auto answer = ui::messageBox(this, QStringLiteral("確認"), QStringLiteral("テストを終了しますか?"),
                                       QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        return true;
    // Only a clock that was running runs on: a paused or timed-out session stays stopped.
    if (wasRunning)
        Timer1->start(1000);
    return false;
}

void TExamModeForm::FormClose()
{
    Timer1->stop();
    endProgram();
}

// ---- Question display ----------------------------------------------------------------------

void TExamModeForm::LoadQuestion(int q)
{
    // An exhibit belongs to the question it shows a picture of.
    if (screens().RefImgForm)
        screens().RefImgForm->closeFor(this);
    const SessionQuestion* question = m_session.question(q);
    if (!question)
        return;

    resetQuestionControls(q);
    const ChoiceLayout choices = layOutChoices(*question);
    const QString dir = questionlayout::questionDataDir(selection().test().questionFile);
    const QString shownText = showQuestionText(*question, dir);
    const QStringList shownChoices = showAnswerArea(*question, choices, dir);
    describeQuestion(q, shownText, shownChoices);

    m_session.markQuestionStart();
}

// What the previous question left: style buttons, the pace hint, the mark, the label's size.
void TExamModeForm::resetQuestionControls(int q)
{
    for (auto* button : ButtonType)
        button->hide();

    const bool first = q == 1;
    Button6->setEnabled(!first);
    Button6->setPicture(first ? modoruGIMG->pixmap() : modoruIMG->pixmap());

    Label3->hide();
    Label4->hide();
    CheckBox0->setChecked(false);

    const questionlayout::LabelFont labelFont = questionlayout::questionLabelFont(q);
    Label0->setFont(gothic(labelFont.pointSize, true));
    Label0->move(Label0->x(), labelFont.top);
}

// Fills all ten choices, still hidden, and stacks them by their displayed line counts.
TExamModeForm::ChoiceLayout TExamModeForm::layOutChoices(const SessionQuestion& question)
{
    ChoiceLayout layout;
    std::array<int, kMaxChoices> lineCounts{};
    for (size_t k = 0; k < size_t(kMaxChoices); ++k) {
        setRadio(RadioButton[k], false);
        RadioButton[k]->hide();
        CheckBox[k]->setChecked(false);
        CheckBox[k]->hide();
        ChoiceMemo[k]->hide();
        const QString text = memotext::fromFile(question.choices[k]);
        layout.texts[k] = text;
        memotext::setMemoText(ChoiceMemo[k], text, questionlayout::kChoiceLinePitch);
        const QString spoken = questionlayout::spokenChoice(int(k) + 1, text);
        RadioButton[k]->setAccessibleName(spoken);
        CheckBox[k]->setAccessibleName(spoken);
        lineCounts[k] = memotext::displayedLines(text, ChoiceMemo[k]->font(), kChoiceTextWidth);
    }
    const auto places = questionlayout::placeChoices(lineCounts);
    for (size_t k = 0; k < places.size(); ++k) {
        RadioButton[k]->move(kChoiceLeft, places[k].buttonTop);
        CheckBox[k]->move(kChoiceLeft, places[k].buttonTop);
        ChoiceMemo[k]->setGeometry(kChoiceTextLeft, places[k].textTop, kChoiceTextWidth, places[k].textHeight);
        layout.bottoms[k] = places[k].textTop + places[k].textHeight;
    }
    return layout;
}

// The question text without its image line; the pictures that line names become the exhibit
// buttons. Returns the text as shown.
QString TExamModeForm::showQuestionText(const SessionQuestion& question, const QString& dir)
{
    m_imageNames.fill({});
    m_imagePaths.fill({});
    for (auto* button : RefImg)
        button->hide();

    const questionlayout::ImageLine imageLine = questionlayout::splitImageLine(question.text);
    const QString shownText = memotext::fromFile(imageLine.shownText);
    memotext::setMemoText(Memo1, shownText, kQuestionLinePitch);
    if (imageLine.present) {
        for (int i = 0; i < imageLine.count; ++i) {
            m_imageNames[size_t(i)] = imageLine.names[size_t(i)];
            m_imagePaths[size_t(i)] = questionlayout::imagePath(dir, imageLine.names[size_t(i)]);
        }
        if (question.style == kStyleSingle || question.style == kStyleMultiple || question.style == kStyleTextEntry) {
            for (int i = 0; i < imageLine.count; ++i)
                RefImg[size_t(i)]->show();
        }
    }

    const int questionLines = memotext::displayedLines(shownText, Memo1->font(), kQuestionTextWidth);
    Memo1->setVerticalScrollBarPolicy(questionlayout::questionNeedsScrollBar(questionLines) ? Qt::ScrollBarAlwaysOn
                                                                                            : Qt::ScrollBarAlwaysOff);
    Memo1->verticalScrollBar()->setValue(0);
    return shownText;
}

// The question's own choices, or the button to its answer style screen with that screen's
// question handed over. Returns the texts of the choices shown.
QStringList TExamModeForm::showAnswerArea(const SessionQuestion& question, const ChoiceLayout& choices,
                                          const QString& dir)
{
    Label6->hide();
    int contentBottom = 0;
    QStringList shownChoices;
    if (question.style == kStyleSingle || question.style == kStyleMultiple) {
        const bool single = question.style == kStyleSingle;
        for (size_t k = 0; k < size_t(kMaxChoices); ++k) {
            if (question.shownChoiceCount < int(k) + 1)
                continue;
            if (single)
                RadioButton[k]->show();
            else
                CheckBox[k]->show();
            ChoiceMemo[k]->show();
            shownChoices << choices.texts[k];
            contentBottom = choices.bottoms[k];
        }
    } else if (question.style >= kStyleGraphic && question.style <= kStyleConnector) {
        m_session.styleHandOver.question(question.style) = FillStyleQuestion(question, dir);
        ButtonType[size_t(question.style - kStyleGraphic)]->show();
        Label6->show();
        contentBottom = Label6->geometry().bottom();
    }
    Panel2Contents->resize(Panel2Contents->width(), std::max(Panel2->height(), contentBottom + 8));
    Panel2->verticalScrollBar()->setValue(0);
    return shownChoices;
}

// The question panel tells a screen reader the number, the text and the choices, in the order a
// sighted reader meets them.
void TExamModeForm::describeQuestion(int q, const QString& shownText, const QStringList& shownChoices)
{
    Panel1->setAccessibleName(questionlayout::questionLabel(q));
    Panel1->setAccessibleDescription(questionlayout::spokenQuestion(shownText, shownChoices));
}

void TExamModeForm::CheckBox1Click(QCheckBox* clicked)
{
    const SessionQuestion* question = m_session.question(m_session.currentQuestion);
    if (!question || !clicked)
        return;
    int ticked = 0;
    for (QCheckBox* box : CheckBox)
        ticked += box->isChecked() ? 1 : 0;
    if (ticked > question->correctCount)
        clicked->setChecked(false);
}

// ---- Answer records ------------------------------------------------------------------------

void TExamModeForm::SaveAnswer(int q)
{
    if (q < 1 || q > kMaxQuestions)
        return;
    AnswerRecord& record = m_session.answers.at(q);
    record.marked = CheckBox0->isChecked() ? 1 : 0;
    record.answerFlags.fill(0);
    // Hidden controls count too: they carry the answers of style questions.
    for (size_t i = 0; i < size_t(kMaxChoices); ++i)
        if (RadioButton[i]->isChecked() || CheckBox[i]->isChecked())
            record.answerFlags[i] = 1;
}

void TExamModeForm::LoadAnswer(int q)
{
    if (q < 1 || q > kMaxQuestions)
        return;
    const AnswerRecord& record = m_session.answers.at(q);
    const int style = m_session.sessionQuestions.question(q).style;
    for (size_t i = 0; i < size_t(kMaxChoices); ++i) {
        if (record.answerFlags[i] == 1) {
            if (style == kStyleSingle)
                setRadio(RadioButton[i], true);
            else
                CheckBox[i]->setChecked(true);
        } else {
            setRadio(RadioButton[i], false);
            CheckBox[i]->setChecked(false);
        }
    }
    CheckBox0->setChecked(record.marked == 1);
}

std::array<unsigned char, kMaxChoices> TExamModeForm::tickedRadioButtons() const
{
    std::array<unsigned char, kMaxChoices> ticked{};
    for (size_t i = 0; i < ticked.size(); ++i)
        ticked[i] = RadioButton[i]->isChecked() ? 1 : 0;
    return ticked;
}

std::array<unsigned char, kMaxChoices> TExamModeForm::tickedCheckBoxes() const
{
    std::array<unsigned char, kMaxChoices> ticked{};
    for (size_t i = 0; i < ticked.size(); ++i)
        ticked[i] = CheckBox[i]->isChecked() ? 1 : 0;
    return ticked;
}

void TExamModeForm::uncheckAllChoices()
{
    for (size_t i = 0; i < size_t(kMaxChoices); ++i) {
        setRadio(RadioButton[i], false);
        CheckBox[i]->setChecked(false);
    }
}

void TExamModeForm::askStyleScreen(int style)
{
    ui::Screen* screen = nullptr;
    switch (style) {
    case kStyleGraphic:
        screen = screens().frmSelStyle3;
        break;
    case kStylePanel:
        screen = screens().frmSelStyle4;
        break;
    case kStyleTextEntry:
        screen = screens().frmSelStyle5;
        break;
    case kStyleLabelledPanel:
        screen = screens().frmSelStyle6;
        break;
    case kStyleConnector:
        screen = screens().frmSelStyle7;
        break;
    default:
        return;
    }
    // Pressing the button again drops the earlier answer.
    uncheckAllChoices();
    StyleHandOver& handOver = m_session.styleHandOver;
    handOver.passed = 0;
    screen->showModal(this);
    if (handOver.passed != 1)
        return;
    const int choice = styleAnswerChoice(style, handOver.question(style).correctChoice);
    if (choice >= 1)
        setRadio(RadioButton[size_t(choice - 1)], true);
}

// ---- Focus: the texts never keep it ---------------------------------------------------------

void TExamModeForm::Memo1Enter()
{
    Panel1->setFocus();
}

void TExamModeForm::MemoChoiceEnter()
{
    Panel2->setFocus();
}

bool TExamModeForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == Memo1) {
            Memo1Enter();
        } else if (watched == Memo12 || std::find(ChoiceMemo.begin(), ChoiceMemo.end(), watched) != ChoiceMemo.end()) {
            MemoChoiceEnter();
        }
    }
    return ui::Screen::eventFilter(watched, event);
}
