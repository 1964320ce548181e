#include "results/screens/TResultForm.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/SettingsStore.h"
#include "bank/TestSettingsFile.h"
#include "install/AddressFile.h"
#include "install/InstallLayout.h"
#include "install/Selection.h"
#include "results/AdaptiveRecord.h"
#include "results/DrillFile.h"
#include "results/DrillToday.h"
#include "results/PassForecast.h"
#include "results/Recording.h"
#include "results/ResultView.h"
#include "results/StudyOverview.h"
#include "results/screens/ReportWriter.h"
#include "results/screens/ResultsTheme.h"
#include "results/screens/TrendChartPicture.h"
#include "session/ExamSession.h"
#include "session/InquiryPage.h"
#include "session/QuestionLayout.h"
#include "session/SessionStyleQuestion.h"
#include "session/screens/TCheatForm.h"
#include "session/screens/TRefImgForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "styles/screens/StyleViews.h"
#include "ui/Artwork.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"
#include "ui/Presses.h"
#include "ui/ShellOpen.h"
#include "ui/Sound.h"

#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

namespace
{

constexpr int kDefaultWidth = 760;
constexpr int kDefaultHeight = 560;
constexpr int kRowHeight = 18;
constexpr int kHeadingStripHeight = 17; // a press at or above this y in the table is on the heading
constexpr std::array<int, 4> kColumnWidths{36, 65, 64, 38};
constexpr int kMemoTall = 233;
constexpr int kMemoShort = 201; // room for the style and exhibit buttons
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 24;

// Layout of the right panel.
constexpr int kRightX = 262;
constexpr int kMemoTop = 60;
constexpr int kMemoWidth = 480;
constexpr int kStyleRowY = kMemoTop + kMemoShort + 5;
constexpr int kLinkRowY = kMemoTop + kMemoTall + 6;

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kRed(0xFF, 0x00, 0x00);

QString shown(const std::string& cp932Text)
{
    return cp932::toUnicode(cp932Text);
}

// Memos show CR LF text; the widget wants bare line feeds.
QString memoText(const std::string& cp932Text)
{
    QString text = cp932::toUnicode(cp932Text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QFrame* makeMarker(QWidget* parent, const char* name, int x, int y)
{
    auto* shape = new QFrame(parent);
    shape->setObjectName(QLatin1String(name));
    shape->setGeometry(x, y, 8, 8);
    shape->setAutoFillBackground(true);
    return shape;
}

ui::PictureButton* makeButton(QWidget* parent, const char* name, int x, int y, const QString& hint = {})
{
    auto* button = new ui::PictureButton(parent, QLatin1String(name));
    button->move(x, y);
    button->setHint(hint);
    return button;
}

void setTextColour(QWidget* widget, const QColor& text, const QColor& background = QColor())
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

} // namespace

TResultForm::TResultForm(ExamSession& session, QWidget* parent)
    : ui::Screen(QStringLiteral("ResultForm"), parent), m_session(session)
{
    setWindowTitle(QStringLiteral("Quarvel"));
    setKeyHelp({
        {QStringLiteral("↑ / ↓, Home / End"), QStringLiteral("問題を選び、解説を表示する")},
        {QStringLiteral("Enter（表で）"), QStringLiteral("選んだ問題の解説を表示する")},
        {QStringLiteral("PageUp / PageDown"), QStringLiteral("問題文をスクロールする")},
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    resize(kDefaultWidth, kDefaultHeight);
    buildControls();
    buildKeys();
}

// Up/Down (Home/End) walk the question table as row clicks do, from wherever the focus sits;
// PageUp/PageDown page through the question text, which never keeps the focus itself.
void TResultForm::buildKeys()
{
    auto bind = [this](Qt::Key key, auto&& handler) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    bind(Qt::Key_Up, [this] { selectRowByKey(m_selectedRow < 1 ? 1 : m_selectedRow - 1); });
    bind(Qt::Key_Down, [this] { selectRowByKey(m_selectedRow + 1); });
    bind(Qt::Key_Home, [this] { selectRowByKey(1); });
    bind(Qt::Key_End, [this] { selectRowByKey(score.questionCount); });
    bind(Qt::Key_PageUp, [this] { Memo1->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub); });
    bind(Qt::Key_PageDown, [this] { Memo1->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd); });
    // Enter belongs to the table only: on a focused picture button it presses that button.
    StringGrid1->installEventFilter(this);
}

void TResultForm::selectRowByKey(int row)
{
    if (score.questionCount < 1)
        return;
    row = std::clamp(row, 1, score.questionCount);
    StringGrid1SelectCell(row);
    // The heading strip covers the table's top row: the row above the chosen one is brought into
    // view first, so the chosen one never ends under the strip.
    StringGrid1->scrollTo(StringGrid1->model()->index(row - 1, 0));
    StringGrid1->scrollTo(StringGrid1->model()->index(row, 0));
    StringGrid1->setFocus();
}

// Enter in the table: the chosen question's correct-answer view, as its button does; with no
// question chosen yet, the first one.
void TResultForm::openRowByKey()
{
    if (m_selectedRow < 1) {
        selectRowByKey(1);
        return;
    }
    for (ui::PictureButton* view : {Image9, Image10, ButtonType5, Image15, Image16})
        if (view->isVisibleTo(this))
            view->activate();
}

// Built in creation order, which is also the Tab order.
void TResultForm::buildControls()
{
    buildSummaryArea();
    buildQuestionTable();
    buildExplanationArea();
    buildTrendChart();
    buildMainButtons();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &TResultForm::Timer1Timer);

    connectButtons();
    setRightPanelButtonsVisible(false);
}

// Themed bars, the score and the attempt's subject, size, date and duration.
void TResultForm::buildSummaryArea()
{
    Image2 = new QLabel(this); // themed side bar
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(0, 0, 20, kDefaultHeight);
    Image3 = new QLabel(this); // themed strip along the top of the right panel
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(kRightX, 36, kMemoWidth, 19);
    HiGradeImg = new QLabel(this);
    HiGradeImg->setObjectName(QStringLiteral("HiGradeImg"));
    HiGradeImg->setGeometry(28, 8, 129, 42);

    Label1 = makeLabel(this, "Label1", QStringLiteral("正答率 : "), 170, 12);
    QFont big = Label1->font();
    big.setPixelSize(22);
    big.setBold(true);
    Label1->setFont(big);
    Label4 = makeLabel(this, "Label4", QStringLiteral("科目 : "), 28, 58);
    Memo2 = new QPlainTextEdit(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setGeometry(28, 76, 226, 40);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setFocusPolicy(Qt::ClickFocus); // a display: Tab starts at the table
    Memo2->setAccessibleName(QStringLiteral("科目"));
    Label6 = makeLabel(this, "Label6", QStringLiteral("問題数 : "), 28, 122);
    Label7 = makeLabel(this, "Label7", QStringLiteral("実施日時 : "), 28, 140);
    Label8 = makeLabel(this, "Label8", QString(), 96, 140);
    Label9 = makeLabel(this, "Label9", QStringLiteral("所要時間 : "), 28, 158);
    Shape2 = makeMarker(this, "Shape2", 28, 182);
    Label3 = makeLabel(this, "Label3", QStringLiteral("下の表をクリックすると、該当問題の解説が右側に表示されます。"),
                       40, 178);
    Label3->setWordWrap(true); // two lines beside the table
    Label3->setGeometry(40, 177, 214, 32);
}

// The per-question table with its heading strip.
void TResultForm::buildQuestionTable()
{
    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setColumnCount(4);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setWordWrap(false);
    // Tab leaves the table instead of walking its cells.
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setAccessibleName(QStringLiteral("問題一覧"));
    int tableWidth = 0;
    for (int c = 0; c < 4; ++c) {
        StringGrid1->setColumnWidth(c, kColumnWidths[size_t(c)]);
        tableWidth += kColumnWidths[size_t(c)];
    }
    StringGrid1->setGeometry(28, 212, tableWidth + 20, 162);
    StringGrid1->viewport()->installEventFilter(this);
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row >= 1 && row != m_selectedRow)
            StringGrid1SelectCell(row);
    });

    // The heading strip lies over the table's first row.
    Panel2 = new QFrame(StringGrid1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(StringGrid1->frameWidth(), StringGrid1->frameWidth(), tableWidth, kHeadingStripHeight);
    Panel2->setAutoFillBackground(true);
    Panel2->installEventFilter(this);
    const std::array<const char*, 4> headingNames{"Label5", "Label10", "Label11", "Label12"};
    const std::array<QString, 4> headings{QStringLiteral("No"), QStringLiteral("解答"), QStringLiteral("正解"),
                                          QStringLiteral("正誤")};
    int x = 0;
    std::array<QLabel*, 4> strip{};
    for (size_t c = 0; c < 4; ++c) {
        strip[c] = new QLabel(headings[c], Panel2);
        strip[c]->setObjectName(QLatin1String(headingNames[c]));
        strip[c]->setGeometry(x, 0, kColumnWidths[c], kHeadingStripHeight);
        strip[c]->setAlignment(Qt::AlignCenter);
        strip[c]->setAutoFillBackground(true);
        strip[c]->installEventFilter(this);
        x += kColumnWidths[c];
    }
    Label5 = strip[0];
    Label10 = strip[1];
    Label11 = strip[2];
    Label12 = strip[3];
    paintHeadingStrip(true);
}

// The explanation text, the style view and exhibit buttons, and the question's services.
void TResultForm::buildExplanationArea()
{
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setGeometry(kRightX, kMemoTop, kMemoWidth, kMemoTall);
    Memo1->setMouseTracking(true);
    Memo1->viewport()->setMouseTracking(true);
    Memo1->viewport()->installEventFilter(this);
    Memo1->installEventFilter(this);
    // A key released in it sends the focus away at once; Tab passes it by (PageUp/PageDown
    // scroll it).
    Memo1->setFocusPolicy(Qt::ClickFocus);
    Memo1->setAccessibleName(QStringLiteral("解説"));
    // Takes the focus from Memo1 so that no caret stays in the text. Off the screen, so Tab never
    // stops on it.
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(-200, -200, 10, 10);
    Button2->setFocusPolicy(Qt::NoFocus);

    // Right panel buttons: the style view and exhibit row, then the question's services.
    Image9 = makeButton(this, "Image9", kRightX, kStyleRowY);
    Image10 = makeButton(this, "Image10", kRightX, kStyleRowY);
    ButtonType5 = makeButton(this, "ButtonType5", kRightX, kStyleRowY);
    Image15 = makeButton(this, "Image15", kRightX, kStyleRowY);
    Image16 = makeButton(this, "Image16", kRightX, kStyleRowY);
    for (size_t k = 0; k < exhibitButtons.size(); ++k) {
        const QByteArray name = "Image" + QByteArray::number(11 + int(k));
        exhibitButtons[k] = makeButton(this, name.constData(), kRightX + int(k + 1) * (kButtonWidth + 6), kStyleRowY);
        exhibitButtons[k]->setAccessibleName(QStringLiteral("図%1").arg(k + 1));
    }
    for (ui::PictureButton* view : {Image9, Image10, ButtonType5, Image15, Image16})
        view->setAccessibleName(QStringLiteral("正解表示"));
    Image7 = new QLabel(this);
    Image7->setObjectName(QStringLiteral("Image7"));
    Image7->setGeometry(kRightX, kLinkRowY - 3, kMemoWidth, kButtonHeight + 6);
    Button4 = makeButton(this, "Button4", kRightX + 6, kLinkRowY, QStringLiteral("質問サービスを利用します"));
    Button5 = makeButton(this, "Button5", kRightX + 6 + 1 * (kButtonWidth + 8), kLinkRowY);
    Button6 = makeButton(this, "Button6", kRightX + 6 + 2 * (kButtonWidth + 8), kLinkRowY);
    // Named by their pictures; the hint (the link's title) describes them.
    Button5->setAccessibleName(QStringLiteral("関連学習1"));
    Button6->setAccessibleName(QStringLiteral("関連学習2"));
    Button7 = makeButton(this, "Button7", kRightX + 6 + 3 * (kButtonWidth + 8), kLinkRowY,
                         QStringLiteral("Quarvel FAQを表示します"));
    auto hiddenPicture = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->hide();
        return label;
    };
    Image51 = hiddenPicture("Image51");
    Image52 = hiddenPicture("Image52");
    Image61 = hiddenPicture("Image61");
    Image62 = hiddenPicture("Image62");
}

// The score trend chart for the subject.
void TResultForm::buildTrendChart()
{
    Shape1 = makeMarker(this, "Shape1", 28, 384);
    Label2 = makeLabel(this, "Label2", QStringLiteral("成績の推移（科目 : ）"), 40, 380);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(28, 400, kTrendWidth, kTrendHeight);
    Image1->setAccessibleName(QStringLiteral("成績の推移"));
}

// Report, back and exit on their plate.
void TResultForm::buildMainButtons()
{
    Image8 = new QLabel(this); // plate behind the three main buttons
    Image8->setObjectName(QStringLiteral("Image8"));
    Image8->setGeometry(638, 396, 110, 112);
    Button8 = makeButton(this, "Button8", 646, 404, QStringLiteral("模擬試験成績表をブラウザで表示します"));
    Button3 = makeButton(this, "Button3", 646, 440, QStringLiteral("テスト選択へ戻ります"));
    Button1 = makeButton(this, "Button1", 646, 476, QStringLiteral("Quarvelを終了します"));
}

void TResultForm::connectButtons()
{
    connect(Button1, &ui::PictureButton::clicked, this, &TResultForm::Button1Click);
    connect(Button3, &ui::PictureButton::clicked, this, &TResultForm::Button3Click);
    connect(Button4, &ui::PictureButton::clicked, this, &TResultForm::Button4Click);
    connect(Button5, &ui::PictureButton::clicked, this, &TResultForm::Button5Click);
    connect(Button6, &ui::PictureButton::clicked, this, &TResultForm::Button6Click);
    connect(Button7, &ui::PictureButton::clicked, this, &TResultForm::Button7Click);
    connect(Button8, &ui::PictureButton::clicked, this, &TResultForm::Button8Click);
    connect(Image9, &ui::PictureButton::clicked, this, &TResultForm::Image9Click);
    connect(Image10, &ui::PictureButton::clicked, this, &TResultForm::Image10Click);
    connect(ButtonType5, &ui::PictureButton::clicked, this, &TResultForm::ButtonType5Click);
    connect(Image15, &ui::PictureButton::clicked, this, &TResultForm::Image15Click);
    connect(Image16, &ui::PictureButton::clicked, this, &TResultForm::Image16Click);
    connect(exhibitButtons[0], &ui::PictureButton::clicked, this, &TResultForm::Image11Click);
    connect(exhibitButtons[1], &ui::PictureButton::clicked, this, &TResultForm::Image12Click);
    connect(exhibitButtons[2], &ui::PictureButton::clicked, this, &TResultForm::Image13Click);
    connect(exhibitButtons[3], &ui::PictureButton::clicked, this, &TResultForm::Image14Click);
}

// Pictures and colours of the current vendor.
void TResultForm::applyTheme()
{
    const ResultsTheme look = currentResultsTheme();
    applyResultsTheme(this, look, {Label1, Label2, Label3, Label4, Label6, Label7, Label8, Label9}, Image3, HiGradeImg);
    const VendorTheme& theme = look.vendor;
    const QColor background = look.background;
    for (QFrame* shape : {Shape1, Shape2}) {
        QPalette p = shape->palette();
        p.setColor(QPalette::Window, look.text);
        shape->setPalette(p);
    }
    Image2->setPixmap(ui::artwork::leftBarBand(Image2->width(), kDefaultHeight, look.picture));
    QPixmap plate(Image7->size());
    plate.fill(background.darker(130));
    Image7->setPixmap(plate);
    QPixmap bottomPlate(Image8->size());
    bottomPlate.fill(background.darker(130));
    Image8->setPixmap(bottomPlate);

    const std::uint32_t colour = theme.colour1;
    using ui::artwork::button;
    const QSize size(kButtonWidth, kButtonHeight);
    Button4->setPicture(button(QStringLiteral("質問"), size.width(), size.height(), colour));
    Image51->setPixmap(button(QStringLiteral("関連学習1"), size.width(), size.height(), colour));
    Image52->setPixmap(button(QStringLiteral("関連学習1"), size.width(), size.height(), colour, true));
    Image61->setPixmap(button(QStringLiteral("関連学習2"), size.width(), size.height(), colour));
    Image62->setPixmap(button(QStringLiteral("関連学習2"), size.width(), size.height(), colour, true));
    Button5->setPicture(Image52->pixmap());
    Button6->setPicture(Image62->pixmap());
    Button7->setPicture(button(QStringLiteral("FAQ"), size.width(), size.height(), colour));
    for (ui::PictureButton* view : {Image9, Image10, ButtonType5, Image15, Image16})
        view->setPicture(button(QStringLiteral("正解表示"), size.width(), size.height(), colour));
    for (size_t k = 0; k < exhibitButtons.size(); ++k)
        exhibitButtons[k]->setPicture(button(QStringLiteral("図%1").arg(k + 1), size.width(), size.height(), colour));
    Button8->setPicture(button(QStringLiteral("成績表"), 94, 28, colour));
    Button3->setPicture(button(QStringLiteral("テスト選択"), 94, 28, colour));
    Button1->setPicture(button(QStringLiteral("終了"), 94, 28, colour));
}

void TResultForm::FormShow()
{
    TCourseMenuForm* menu = screens().CourseMenuForm;
    if (!menu)
        return;
    const CourseTest& test = selection().test();

    applyTheme();
    history = LoadHistory(test.historyFile);

    const QRect recorded = menu->recordedGeometry();
    if (recorded.width() > 0 && recorded.height() > 0)
        resize(recorded.size());
    ui::setPlainWindowTitle(this,
                            shown(test.code) + QLatin1Char(' ') + shown(test.title) + QStringLiteral(" - 採点結果"));

    const QDateTime now = clock();
    const AttemptStamp stamp{now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                             now.time().minute()};
    score = ScoreAttempt(m_session.sessionQuestions, m_session.answers, m_session.settings.questionCount,
                         m_session.elapsedSeconds, stamp);

    const QString subject = shown(test.code) + QLatin1Char('\n') + shown(test.title);
    Memo2->setPlainText(subject);
    ui::hintWhenCutShort(Memo2, subject);
    Label6->setText(QStringLiteral("問題数 : %1問").arg(score.questionCount));
    Label8->setText(AttemptDateText(score.stamp));
    Label9->setText(QStringLiteral("所要時間 : ") + AttemptTimeText(score.elapsedMinutes, score.elapsedSeconds));
    ui::setPlainText(Label2, QStringLiteral("成績の推移（科目 : ") + shown(test.title) + QStringLiteral("）"));
    fillTable();
    Label1->setText(QStringLiteral("正答率 : %1%").arg(score.rate));
    for (QLabel* label : {Label1, Label2, Label6, Label8, Label9})
        label->adjustSize();

    levelTexts = ReadLevelTexts(test.questionFile);
    score.levelText = LevelText(score.level, levelTexts);

    showOverview();
    Timer1->start();
    Image1->setPixmap(drawTrendChart(BuildTrendChart(history, score, m_session.bank.mockMinutes)));

    // An attempt without questions is shown, never recorded: it would only pull the average down.
    m_attemptPending = score.questionCount > 0;
    // The keyboard starts at the question table, where Up and Down work.
    StringGrid1->setFocus();
}

void TResultForm::fillTable()
{
    const SessionTable& questions = m_session.sessionQuestions;
    const AnswerTable& answers = m_session.answers;
    const QSignalBlocker blocker(StringGrid1);
    StringGrid1->clearContents();
    StringGrid1->setRowCount(score.questionCount + 1);
    const std::array<QString, 4> headings{QStringLiteral("No."), QStringLiteral("解答"), QStringLiteral("正解"),
                                          QStringLiteral("正誤")};
    for (int c = 0; c < 4; ++c)
        StringGrid1->setItem(0, c, new QTableWidgetItem(headings[size_t(c)]));
    for (int r = 1; r <= score.questionCount; ++r) {
        const ResultRow row = MakeResultRow(r, questions.question(r), answers.at(r), score.verdict(r));
        const std::array<QString, 4> cells{row.number, row.answer, row.key, row.mark};
        for (int c = 0; c < 4; ++c) {
            auto* cell = new QTableWidgetItem(cells[size_t(c)]);
            ui::hintWhenCutShort(cell, StringGrid1, kColumnWidths[size_t(c)]);
            StringGrid1->setItem(r, c, cell);
        }
        // The answer column tells whether the explanation was opened during the exam.
        QTableWidgetItem* answer = StringGrid1->item(r, 1);
        answer->setBackground(Qt::white);
        answer->setForeground(answers.at(r).explanationViewed != 0 ? QColor(Qt::red) : QColor(Qt::black));
    }
}

void TResultForm::showOverview()
{
    setRightPanelButtonsVisible(false);
    hideStyleAndExhibitButtons();
    Memo1->resize(Memo1->width(), kMemoTall);
    m_fixedRow = false;
    m_selectedRow = 0;
    {
        const QSignalBlocker blocker(StringGrid1);
        StringGrid1->clearSelection();
        StringGrid1->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
        StringGrid1->scrollToTop();
    }
    setMemoText(score.levelText);
}

void TResultForm::setMemoText(const std::string& cp932Text)
{
    Memo1->setPlainText(memoText(cp932Text));
}

void TResultForm::setRightPanelButtonsVisible(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Image7, Button4, Button5, Button6, Button7})
        w->setVisible(on);
}

void TResultForm::hideStyleAndExhibitButtons()
{
    for (QWidget* w : std::initializer_list<QWidget*>{Image9, Image10, ButtonType5, Image15, Image16})
        w->hide();
    for (ui::PictureButton* b : exhibitButtons)
        b->hide();
    // An exhibit belongs to the question whose buttons opened it.
    if (screens().RefImgForm)
        screens().RefImgForm->closeFor(this);
}

void TResultForm::paintHeadingStrip(bool overview)
{
    for (QLabel* label : {Label10, Label11, Label12}) {
        if (overview)
            setTextColour(label, Qt::white, kNavy);
        else
            setTextColour(label, palette().color(QPalette::Active, QPalette::ButtonText), kRed);
    }
}

void TResultForm::Timer1Timer()
{
    Timer1->stop();
    ui::playSound(LevelSound(LevelFor(RatePercent(score.correctCount, score.questionCount))));
}

void TResultForm::StringGrid1SelectCell(int row)
{
    if (row < 1 || row > score.questionCount)
        return;
    const SessionQuestion& question = m_session.sessionQuestions.question(row);

    paintHeadingStrip(false);
    setRightPanelButtonsVisible(true);
    hideStyleAndExhibitButtons();
    exhibitPaths.clear();

    const Link& first = question.links[0];
    const Link& second = question.links[1];
    Button5->setPicture(first.target.empty() ? Image52->pixmap() : Image51->pixmap());
    Button5->setHint(first.target.empty() ? QString() : shown(first.caption));
    Button6->setPicture(second.target.empty() ? Image62->pixmap() : Image61->pixmap());
    Button6->setHint(second.target.empty() ? QString() : shown(second.caption));

    m_fixedRow = true;
    m_selectedRow = row;
    {
        const QSignalBlocker blocker(StringGrid1);
        StringGrid1->setCurrentCell(row, 0);
        StringGrid1->selectRow(row);
    }

    const QString questionDir = questionlayout::questionDataDir(selection().test().questionFile);
    const QuestionExhibits exhibits = SplitExhibits(question.text, questionDir);
    exhibitPaths = exhibits.paths;
    setMemoText(QuestionDetailText(question, exhibits.text));

    switch (question.style) {
    case kStyleGraphic:
        Image9->show();
        break;
    case kStylePanel:
        Image10->show();
        break;
    case kStyleTextEntry:
        ButtonType5->show();
        break;
    case kStyleLabelledPanel:
        Image15->show();
        break;
    case kStyleConnector:
        Image16->show();
        break;
    default:
        break;
    }
    const bool styleScreen = question.style >= kStyleGraphic && question.style <= kStyleConnector;
    if (question.style == kStyleSingle || question.style == kStyleMultiple || question.style == kStyleTextEntry) {
        for (int k = 0; k < exhibitPaths.size() && k < int(exhibitButtons.size()); ++k)
            exhibitButtons[size_t(k)]->show();
    }
    Memo1->resize(Memo1->width(), (!exhibitPaths.isEmpty() || styleScreen) ? kMemoShort : kMemoTall);

    // The view screens read the sitting's hand-over record of their style: refill it for this question.
    if (styleScreen)
        m_session.styleHandOver.question(question.style) = FillStyleQuestion(question, questionDir);
}

void TResultForm::StringGrid1MouseDown(int y)
{
    if (y > kHeadingStripHeight)
        return;
    showOverview();
}

void TResultForm::Label10Click()
{
    showOverview();
    paintHeadingStrip(true);
}

bool TResultForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && watched == StringGrid1) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openRowByKey();
            return true;
        }
    }
    if (ui::isPress(event)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == Label10 || watched == Label11 || watched == Label12) {
            Label10Click();
            return true;
        }
        if (watched == Panel2 || watched == Label5) {
            StringGrid1MouseDown(qobject_cast<QWidget*>(watched)->mapTo(Panel2, mouse->position().toPoint()).y());
            return true;
        }
        if (watched == StringGrid1->viewport())
            StringGrid1MouseDown(mouse->position().toPoint().y());
    }
    if (Memo1 && (watched == Memo1 || watched == Memo1->viewport()) &&
        (type == QEvent::MouseMove || type == QEvent::KeyRelease)) {
        Button2->setFocus();
    }
    return ui::Screen::eventFilter(watched, event);
}

void TResultForm::Button1Click()
{
    hide();
    endProgram();
}

void TResultForm::Button3Click()
{
    hide();
    // The course menu keeps its current vendor tab, so it reopens where the user left it.
    if (screens().CourseMenuForm)
        screens().CourseMenuForm->show();
}

void TResultForm::Button4Click()
{
    if (m_selectedRow < 1)
        return;
    const SessionQuestion& question = m_session.sessionQuestions.question(m_selectedRow);
    const AnswerRecord& answer = m_session.answers.at(m_selectedRow);
    screens().CheatForm->openInquiryPage(
        m_selectedRow, inquiry::resultAnswerBlock(question, answer.answerFlags, score.verdict(m_selectedRow)));
}

void TResultForm::Button5Click()
{
    if (m_selectedRow >= 1)
        screens().CheatForm->CBTClick(1, m_selectedRow);
}

void TResultForm::Button6Click()
{
    if (m_selectedRow >= 1)
        screens().CheatForm->CBTClick(2, m_selectedRow);
}

void TResultForm::Button7Click()
{
    if (m_selectedRow < 1)
        return;
    const addressfile::Address read = addressfile::read(QStringLiteral("urlref"));
    if (!read.opened) {
        ui::messageBox(this, QStringLiteral("Error"), read.failureText());
        return;
    }
    const QString& address = read.address;
    if (address.isEmpty())
        return;
    const SessionQuestion& question = m_session.sessionQuestions.question(m_selectedRow);
    ui::openExternal(FaqAddress(address, selection().test().code, question.number), true);
}

void TResultForm::Button8Click()
{
    const QuestionBank& bank = m_session.bank;
    const CourseTest& test = selection().test();
    ReportData data;
    data.userName =
        cp932::fromUnicode(settings::ReadSetting(QString::fromLatin1(settings::kSection), QStringLiteral("Name")));
    data.code = test.code;
    data.title = test.title;
    data.mode = m_session.settings.mode;
    data.score = score;
    // The figures as the history will hold them once this attempt is recorded.
    const CategoryTally tally = TallyCategories(m_session.sessionQuestions, score, bank.categoryCount);
    data.after = AppendAttempt(history, score, tally, m_session.sessionQuestions, data.mode, bank.categoryCount);
    for (int c = 1; c <= std::clamp(bank.categoryCount, 0, kMaxCategories); ++c)
        data.categoryNames.push_back(bank.category(c).name);
    // The forecast as of the attempt's own day, this attempt counted.
    const QDate day(score.stamp.year, score.stamp.month, score.stamp.day);
    data.forecast = ForecastPass(MockExamBlueprint(bank, StudyTargetRate(test.targetRate)), data.after,
                                 day.isValid() ? day : QDate::currentDate());
    const QString printDir = layout::programDir() + QStringLiteral("Print/");
    if (const auto error = WriteReport(printDir, data, BuildTrendChart(history, score, bank.mockMinutes))) {
        ui::messageBox(this, QStringLiteral("Error"), error->japaneseText());
        return;
    }
    ui::openExternal(filelookup::resolve(printDir + QStringLiteral("Print.htm")), true);
}

void TResultForm::showStyleView(int style)
{
    ui::Screen* view = styleViewScreen(style);
    if (view && m_selectedRow >= 1)
        view->showModal(this);
}

void TResultForm::Image9Click()
{
    showStyleView(kStyleGraphic);
}
void TResultForm::Image10Click()
{
    showStyleView(kStylePanel);
}
void TResultForm::ButtonType5Click()
{
    showStyleView(kStyleTextEntry);
}
void TResultForm::Image15Click()
{
    showStyleView(kStyleLabelledPanel);
}
void TResultForm::Image16Click()
{
    showStyleView(kStyleConnector);
}

void TResultForm::showExhibit(int k)
{
    if (k < 1 || k > exhibitPaths.size() || !screens().RefImgForm)
        return;
    // The exhibit window shows whatever path was handed to it last, from any screen.
    m_session.exhibitPath = exhibitPaths.at(k - 1);
    screens().RefImgForm->showExhibit(m_session.exhibitPath, this);
}

void TResultForm::Image11Click()
{
    showExhibit(1);
}
void TResultForm::Image12Click()
{
    showExhibit(2);
}
void TResultForm::Image13Click()
{
    showExhibit(3);
}
void TResultForm::Image14Click()
{
    showExhibit(4);
}

void TResultForm::FormHide()
{
    Timer1->stop();
    recordAttempt();
}

void TResultForm::recordAttempt()
{
    if (!m_attemptPending)
        return;
    m_attemptPending = false; // once per attempt, whatever the outcome of the write
    const CourseTest& test = selection().test();
    const int categoryCount = m_session.bank.categoryCount;
    const CategoryTally tally = TallyCategories(m_session.sessionQuestions, score, categoryCount);
    const History updated =
        AppendAttempt(history, score, tally, m_session.sessionQuestions, m_session.settings.mode, categoryCount);
    // A history that cannot be written is left as it was; nothing is reported.
    SaveHistory(test.historyFile, updated, test.questionFile);
    // The drill deck grades against the adaptive record as it stood before this attempt.
    if (!test.drillFile.isEmpty()) {
        if (const auto error = RecordAttemptInDrill(test.drillFile, test.adaptiveFile, m_session.sessionQuestions,
                                                    m_session.answers, score, DrillToday()))
            ui::messageBox(this, QStringLiteral("Error"), error->japaneseText()); // the history is saved already
    }
    if (m_session.settings.adaptive)
        updateAdaptiveRecord(test.adaptiveFile);
}

void TResultForm::updateAdaptiveRecord(const QString& path)
{
    if (const auto error =
            UpdateAdaptiveRecord(path, m_session.bank, m_session.sessionQuestions, m_session.answers, score))
        ui::messageBox(this, QStringLiteral("Error"), error->japaneseText()); // the history is saved already
}

bool TResultForm::FormCloseQuery()
{
    ui::playSound(QString()); // silences a result sound still playing
    return true;
}

void TResultForm::FormClose()
{
    endProgram();
}
