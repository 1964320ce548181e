#include "results/screens/TStudyForm.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/HtmlPage.h"
#include "bank/QuestionFile.h"
#include "bank/SettingsStore.h"
#include "install/InstallLayout.h"
#include "install/Selection.h"
#include "results/CourseForecast.h"
#include "results/PrintDirectory.h"
#include "results/TrendChart.h"
#include "results/screens/ResultsTheme.h"
#include "results/screens/StudyPictures.h"
#include "results/screens/TAdaptiveForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TMainMenuForm.h"
#include "ui/Artwork.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"
#include "ui/Presses.h"
#include "ui/ShellOpen.h"

#include <QEvent>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace
{

constexpr int kDefaultWidth = 760;
constexpr int kDefaultHeight = 560;
constexpr int kMaxTests = 30;
constexpr int kListLeft = 8;
constexpr int kListTop = 80; // a row's title starts sliding from its place in the list
constexpr int kListHeight = 400;
constexpr int kTitleTop = 50; // where the opened test's title comes to rest
constexpr int kSlideStep = 3;
constexpr int kCategoryRowsShown = 10;
constexpr int kButtonWidth = 94;
constexpr int kButtonHeight = 28;
constexpr int kRightX = 662;

const char* const kInstructions[] = {"テスト名をクリック",
                                     "すると、カテゴリー",
                                     "ごとの詳細な情報が",
                                     "見られます。",
                                     "",
                                     "カテゴリーごとのグ",
                                     "ラフは、最近5回の",
                                     "平均正答率を示しま",
                                     "す。",
                                     "",
                                     "括弧内の数字はこれ",
                                     "までの最高正答率を",
                                     "表します。",
                                     "",
                                     "下のボタンをクリッ",
                                     "クして、テストを選",
                                     "択し送信すると、無",
                                     "料でアドバイスを受",
                                     "けることができます"};

// The two names of the hidden greeting.
const QString kFirstName = QStringLiteral("拓海");
const QString kSecondName = QStringLiteral("遥");

QString profileValue(const char* name)
{
    return settings::ReadSetting(QString::fromLatin1(settings::kSection), QLatin1String(name));
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* makePicture(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setGeometry(geometry);
    return picture;
}

ui::PictureButton* makeButton(QWidget* parent, const char* name, int x, int y, const QString& hint)
{
    auto* button = new ui::PictureButton(parent, QLatin1String(name));
    button->move(x, y);
    button->setHint(hint);
    button->setAccessibleName(hint);
    return button;
}

QString shown(const std::string& cp932Text)
{
    return cp932::toUnicode(cp932Text);
}

} // namespace

std::vector<StudyTest> LoadStudyTests(const QList<CourseTest>& tests, bool withCategories,
                                      std::vector<bool>* hasAdaptive)
{
    std::vector<StudyTest> loaded;
    const int count = std::min<int>(int(tests.size()), kMaxTests);
    loaded.reserve(size_t(count));
    if (hasAdaptive)
        hasAdaptive->clear();
    for (int i = 0; i < count; ++i) {
        const CourseTest& course = tests.at(i);
        StudyTest test;
        test.code = course.code;
        test.title = course.title;
        test.target = StudyTargetRate(course.targetRate);
        test.history = LoadHistory(filelookup::resolve(course.historyFile));
        if (withCategories) {
            std::vector<CategoryNames> names;
            ReadCategoryTable(filelookup::resolve(course.questionFile), names); // what could be read
            for (const CategoryNames& n : names)
                test.categoryNames.push_back(n.name);
        }
        if (hasAdaptive)
            hasAdaptive->push_back(filelookup::exists(course.adaptiveFile));
        loaded.push_back(std::move(test));
    }
    return loaded;
}

void ForecastStudyTests(std::vector<StudyTest>& tests, const QList<CourseTest>& courses, const QDate& today)
{
    for (size_t i = 0; i < tests.size() && i < size_t(courses.size()); ++i) {
        StudyTest& test = tests[i];
        test.forecast.reset();
        if (HasForecastEvidence(test.history)) // no file is read for a test never sat
            test.forecast = ForecastTest(courses.at(qsizetype(i)).questionFile, test.history, test.target, today);
    }
}

TStudyForm::TStudyForm(QWidget* parent) : ui::Screen(QStringLiteral("StudyForm"), parent)
{
    setWindowTitle(QStringLiteral("アドバイザーの診断"));
    setKeyHelp({
        {QStringLiteral("↑ / ↓, Home / End"), QStringLiteral("テスト一覧でテストを選ぶ")},
        {QStringLiteral("Enter / Space（一覧で）"), QStringLiteral("カテゴリーごとの詳細を表示する")},
        {QStringLiteral("A（一覧で）"), QStringLiteral("Adaptive 一覧を表示する")},
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    resize(kDefaultWidth, kDefaultHeight);
    testSource = [] { return selection().vendorTests(); };
    today = [] { return QDate::currentDate(); };
    buildControls();
}

void TStudyForm::buildControls()
{
    buildTestList();
    buildCategoryView();
    buildLegend();
    buildSidePanel();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(3);
    connect(Timer1, &QTimer::timeout, this, &TStudyForm::Timer1Timer);
    ForecastTimer = new QTimer(this);
    ForecastTimer->setObjectName(QStringLiteral("ForecastTimer"));
    ForecastTimer->setInterval(0);
    connect(ForecastTimer, &QTimer::timeout, this, &TStudyForm::ForecastTimerTimer);
    connect(Button1, &ui::PictureButton::clicked, this, &TStudyForm::Button1Click);
    connect(Button2, &ui::PictureButton::clicked, this, &TStudyForm::Button2Click);
    connect(Button3, &ui::PictureButton::clicked, this, &TStudyForm::Button3Click);
    connect(Button4, &ui::PictureButton::clicked, this, &TStudyForm::Button4Click);

    setTabOrder(ScrollBox1, Button1);
    setTabOrder(Button1, Memo1);
    setTabOrder(Memo1, Button3);
    setTabOrder(Button3, Button4);
    setTabOrder(Button4, Button2);
}

// The list of tests with their bars, the opened row's marker and the keyboard's row.
void TStudyForm::buildTestList()
{
    Image3 = makePicture(this, "Image3", QRect(0, 0, kDefaultWidth, 19));
    HiGradeImg = makePicture(this, "HiGradeImg", QRect(kRightX - 36, 24, 129, 42));
    Image6 = makePicture(this, "Image6", QRect(kListLeft, kListTop - 6, kStudyNamesWidth + kStudyBarsWidth, 4));
    Label13 = makeLabel(this, "Label13", QStringLiteral("100%"), kListLeft + kStudyNamesWidth + kStudyBarFull - 16,
                        kListTop - 22);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(kListLeft, kListTop, kStudyNamesWidth + kStudyBarsWidth + 20, kListHeight);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setStyleSheet(QStringLiteral("QScrollArea { background: black; border: 0; }"));
    ScrollBox1->setAccessibleName(QStringLiteral("テスト一覧"));
    auto* list = new QWidget;
    list->setObjectName(QStringLiteral("TestList"));
    QPalette black = list->palette();
    black.setColor(QPalette::Window, Qt::black);
    list->setPalette(black);
    list->setAutoFillBackground(true); // below the last row as well
    LabelImage = makePicture(list, "LabelImage", QRect(0, 0, kStudyNamesWidth, 0));
    LabelImage->setAccessibleName(QStringLiteral("テスト名"));
    LabelImage->setCursor(Qt::PointingHandCursor);
    LabelImage->installEventFilter(this);
    Image0 = makePicture(list, "Image0", QRect(kStudyNamesWidth, 0, kStudyBarsWidth, 0));
    ScrollBox1->setWidget(list);
    // The opened test's row marker and its title as it lifts off the list.
    Shape1 = new QFrame(ScrollBox1->viewport());
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(0, 0, kStudyNamesWidth + kStudyBarFull, 20);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setStyleSheet(QStringLiteral("QFrame { border: 1px solid yellow; background: transparent; }"));
    Shape1->hide();
    // Where the keyboard rests in the list while it has the focus.
    m_keyRowFrame = new QFrame(ScrollBox1->widget());
    m_keyRowFrame->setObjectName(QStringLiteral("KeyRow"));
    m_keyRowFrame->setStyleSheet(QStringLiteral("QFrame { border: 2px dotted cyan; background: transparent; }"));
    m_keyRowFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_keyRowFrame->hide();
    ScrollBox1->setFocusPolicy(Qt::StrongFocus);
    ScrollBox1->installEventFilter(this);
    Label2 = makeLabel(ScrollBox1->viewport(), "Label2", QString(), 16, 0);
    Label2->installEventFilter(this);
    Label2->hide();
}

// One test opened: its title over its categories' bars, and the way back to the list.
void TStudyForm::buildCategoryView()
{
    Label1 = makeLabel(this, "Label1", QString(), kListLeft + 16, kTitleTop);
    QFont title = Label1->font();
    title.setBold(true);
    Label1->setFont(title);
    Label1->installEventFilter(this);
    Label1->hide();
    Image2 = makePicture(this, "Image2", QRect(kListLeft, kTitleTop - 3, kStudyCategoryWidth, 2));
    Image2->hide();
    Image5 = makePicture(this, "Image5", QRect(kListLeft, kListTop - 6, kStudyCategoryWidth, 2));
    Image5->hide();

    ScrollBox2 = new QScrollArea(this);
    ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));
    ScrollBox2->setGeometry(kListLeft, kListTop, kStudyCategoryWidth + 20, kStudyCategoryRow * kCategoryRowsShown + 2);
    ScrollBox2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox2->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox2->setStyleSheet(QStringLiteral("QScrollArea { background: black; border: 0; }"));
    Image1 = makePicture(nullptr, "Image1", QRect(0, 0, kStudyCategoryWidth, 0));
    ScrollBox2->setWidget(Image1);
    ScrollBox2->hide();
    Button1 = makeButton(this, "Button1", kListLeft, kListTop + kStudyCategoryRow * kCategoryRowsShown + 12,
                         QStringLiteral("一覧に戻ります"));
    Button1->hide();
    Label7 = makeLabel(this, "Label7", QString(), kListLeft + kButtonWidth + 16,
                       kListTop + kStudyCategoryRow * kCategoryRowsShown + 18);
    Label7->hide();
}

// What the small pictures beside the bars mean.
void TStudyForm::buildLegend()
{
    AdpImg = makePicture(this, "AdpImg", QRect(kListLeft, kListTop + kListHeight + 12, 15, 10));
    AdpImg->setPixmap(QPixmap::fromImage(adaptiveIcon()));
    Label5 = makeLabel(this, "Label5", QStringLiteral("ボタンクリックでAdaptive 一覧表示"), kListLeft + 20,
                       kListTop + kListHeight + 9);
    Crown = makePicture(this, "Crown", QRect(kListLeft + 260, kListTop + kListHeight + 12, 18, 9));
    Crown->setPixmap(QPixmap::fromImage(crownPicture()));
    Label6 = makeLabel(this, "Label6", QStringLiteral("目標正答率"), kListLeft + 282, kListTop + kListHeight + 9);
}

// How to use the screen, and the buttons under it.
void TStudyForm::buildSidePanel()
{
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setTabChangesFocus(true);
    Memo1->setAccessibleName(QStringLiteral("使い方"));
    Memo1->setGeometry(kRightX, kListTop, 92, 320);
    QFont memoFont = Memo1->font();
    memoFont.setPixelSize(10);
    Memo1->setFont(memoFont);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QStringList instructions;
    for (const char* line : kInstructions)
        instructions << QString::fromUtf8(line);
    Memo1->setPlainText(instructions.join(QLatin1Char('\n')));

    Button3 = makeButton(this, "Button3", kRightX - 2, kListTop + 330,
                         QStringLiteral("模擬試験結果をQuarvelセンターに転送して診断を受けます"));
    Button4 = makeButton(this, "Button4", kRightX - 2, kListTop + 366,
                         QStringLiteral("模擬試験成績表をブラウザで表示します"));
    Button2 = makeButton(this, "Button2", kRightX - 2, kListTop + 420, QStringLiteral("テスト選択へ戻ります"));

    Shape3 = new QFrame(this);
    Shape3->setObjectName(QStringLiteral("Shape3"));
    Shape3->setGeometry(kDefaultWidth - 9, 0, 9, 9);
    Shape3->installEventFilter(this);
}

void TStudyForm::applyTheme()
{
    const ResultsTheme look = currentResultsTheme();
    applyResultsTheme(this, look, {Label13, Label5, Label6, Label1, Label7}, Image3, HiGradeImg);
    const QColor text = look.text;
    const std::uint32_t colour = look.vendor.colour1;
    QPixmap band(Image6->size());
    band.fill(text);
    Image6->setPixmap(band);
    Image2->setPixmap(band.scaled(Image2->size()));
    Image5->setPixmap(band.scaled(Image5->size()));
    Button1->setPicture(ui::artwork::button(QStringLiteral("戻る"), kButtonWidth, kButtonHeight, colour));
    Button2->setPicture(ui::artwork::button(QStringLiteral("テスト選択"), kButtonWidth, kButtonHeight, colour));
    Button3->setPicture(ui::artwork::button(QStringLiteral("診断を受ける"), kButtonWidth, kButtonHeight, colour));
    Button4->setPicture(ui::artwork::button(QStringLiteral("成績表"), kButtonWidth, kButtonHeight, colour));
}

QList<CourseTest> TStudyForm::listedTests() const
{
    return testSource ? testSource() : QList<CourseTest>{};
}

void TStudyForm::FormShow()
{
    applyTheme();
    if (screens().CourseMenuForm && screens().CourseMenuForm->recordedGeometry().isValid())
        resize(screens().CourseMenuForm->recordedGeometry().size());
    closeCategoryView();
    refresh();
}

void TStudyForm::refresh()
{
    m_courseTests = listedTests().mid(0, kMaxTests);
    m_tests = LoadStudyTests(m_courseTests, false, &m_hasAdaptive);
    // Forecasts made before for the same files and day show at once; the rest follow when idle.
    m_forecastDay = today ? today() : QDate::currentDate();
    m_pendingForecasts.clear();
    for (size_t i = 0; i < m_tests.size(); ++i) {
        StudyTest& test = m_tests[i];
        if (!HasForecastEvidence(test.history))
            continue;
        const QString& file = m_courseTests.at(qsizetype(i)).questionFile;
        const auto cached = m_forecastCache.constFind(file);
        if (cached != m_forecastCache.cend() &&
            cached->first == ForecastKey(file, test.history, test.target, m_forecastDay))
            test.forecast = cached->second;
        else
            m_pendingForecasts.push_back(i);
    }
    const QImage names = drawTestNames(m_tests, m_hasAdaptive);
    LabelImage->setPixmap(QPixmap::fromImage(names));
    LabelImage->resize(names.size());
    drawBars();
    ScrollBox1->widget()->resize(kStudyNamesWidth + kStudyBarsWidth,
                                 std::max(names.height(), Image0->pixmap().height()));
    if (m_pendingForecasts.empty())
        ForecastTimer->stop();
    else
        ForecastTimer->start();
}

void TStudyForm::drawBars()
{
    const QImage bars = drawTestBars(m_tests);
    Image0->setPixmap(QPixmap::fromImage(bars));
    Image0->resize(bars.size());
}

void TStudyForm::makeForecast(size_t test)
{
    const auto pending = std::find(m_pendingForecasts.begin(), m_pendingForecasts.end(), test);
    if (pending == m_pendingForecasts.end())
        return;
    m_pendingForecasts.erase(pending);
    StudyTest& t = m_tests[test];
    const QString& file = m_courseTests.at(qsizetype(test)).questionFile;
    t.forecast = ForecastTest(file, t.history, t.target, m_forecastDay);
    m_forecastCache.insert(file, {ForecastKey(file, t.history, t.target, m_forecastDay), t.forecast});
}

void TStudyForm::ForecastTimerTimer()
{
    if (!m_pendingForecasts.empty()) {
        makeForecast(m_pendingForecasts.front());
        drawBars();
    }
    if (m_pendingForecasts.empty())
        ForecastTimer->stop();
}

bool TStudyForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && watched == LabelImage) {
        // A name the column cuts short is shown whole while the mouse rests on it.
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString hint = testNameHint(m_tests, help->pos().y());
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), ui::plainToolTip(hint), LabelImage);
        return true;
    }
    if (watched == ScrollBox1) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!(key->modifiers() & ~Qt::KeypadModifier) && listKey(key->key()))
                return true;
        } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            showKeyRow();
        }
    }
    if (ui::isPress(event)) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (watched == LabelImage && press->button() == Qt::LeftButton) {
            const QPoint at = press->position().toPoint();
            LabelImageMouseDown(at.x(), at.y());
            return true;
        }
        if (watched == Label1 || watched == Label2) {
            Label1Click();
            return true;
        }
        if (watched == Shape3) {
            Shape3MouseDown();
            return true;
        }
    }
    return ui::Screen::eventFilter(watched, event);
}

// In the list: Up/Down (Home/End) choose a test, Enter or Space opens it as a click on its name,
// A opens its adaptive list as a click on its icon.
bool TStudyForm::listKey(int key)
{
    const int count = int(m_tests.size());
    if (count < 1)
        return false;
    const int row = std::clamp(m_keyRow, 1, count);
    int to = row;
    switch (key) {
    case Qt::Key_Up:
        to = std::max(1, row - 1);
        break;
    case Qt::Key_Down:
        to = std::min(count, row + 1);
        break;
    case Qt::Key_Home:
        to = 1;
        break;
    case Qt::Key_End:
        to = count;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        LabelImageMouseDown(20, (row - 1) * kStudyRowHeight + 8);
        return true;
    case Qt::Key_A:
        LabelImageMouseDown(5, (row - 1) * kStudyRowHeight + 8);
        return true;
    default:
        return false;
    }
    m_keyRow = to;
    showKeyRow();
    return true;
}

void TStudyForm::showKeyRow()
{
    const int count = int(m_tests.size());
    if (ScrollBox1->hasFocus() && count > 0) {
        m_keyRow = std::clamp(m_keyRow, 1, count);
        m_keyRowFrame->setGeometry(0, (m_keyRow - 1) * kStudyRowHeight + 2, kStudyNamesWidth, kStudyRowHeight - 2);
        m_keyRowFrame->raise();
        m_keyRowFrame->show();
        ScrollBox1->ensureWidgetVisible(m_keyRowFrame, 0, 0);
    } else {
        m_keyRowFrame->hide();
    }
}

void TStudyForm::LabelImageMouseDown(int x, int y)
{
    const int test = StudyTestAt(y);
    if (test < 1 || test > int(m_tests.size()))
        return;
    const CourseTest& course = m_courseTests.at(test - 1);
    if (x < 16) { // the adaptive icon column
        if (!m_hasAdaptive[size_t(test - 1)] || !screens().AdaptiveForm)
            return;
        screens().AdaptiveForm->setTest(course.adaptiveFile, course.questionFile, shown(course.title));
        screens().AdaptiveForm->showModal(this);
        return;
    }
    if (m_viewOpen)
        return;
    const QString caption = shown(course.code + " : " + course.title);
    ui::setPlainText(Label1, caption);
    Label1->adjustSize();
    ui::setPlainText(Label2, caption);
    Label2->adjustSize();
    // The row as it stands in the visible part of the list.
    const int scroll = ScrollBox1->verticalScrollBar()->value();
    const int row = RoundHalfEven(y - scroll - 8, kStudyRowHeight) * kStudyRowHeight;
    Shape1->move(0, row + 2);
    Shape1->show();
    Label2->move(16, row + 2);
    Label1->move(Label1->x(), row + kListTop + 2);
    Image2->move(Image2->x(), row + kListTop - 2);
    Label1->show();
    Label2->show();
    m_step = kSlideStep; // every view slides, not only after a click on the title
    openCategoryView(test);
}

void TStudyForm::openCategoryView(int test)
{
    if (m_viewOpen || test < 1 || test > int(m_courseTests.size()))
        return;
    m_viewOpen = true;
    m_openedTest = test;
    const std::vector<StudyTest> loaded = LoadStudyTests({m_courseTests.at(test - 1)}, true);
    if (std::find(m_pendingForecasts.begin(), m_pendingForecasts.end(), size_t(test - 1)) != m_pendingForecasts.end()) {
        makeForecast(size_t(test - 1)); // asked for now: not left to the idle ticks
        drawBars();
    }
    Label13->hide();
    Image6->hide();
    Image2->show();
    const QImage bars = drawCategoryBars(loaded.front());
    Image1->setPixmap(QPixmap::fromImage(bars));
    Image1->resize(bars.size());
    // The forecast made for the list, with the category that would raise it most (file text: plain).
    const std::optional<PassForecast>& forecast = m_tests.at(size_t(test - 1)).forecast;
    ui::setPlainText(
        Label7, forecast ? (ForecastText(*forecast) + QStringLiteral("　") + ForecastAdviceText(*forecast)).trimmed()
                         : QString());
    Label7->adjustSize();
    Timer1->start();
}

void TStudyForm::Timer1Timer()
{
    const int step = std::max(m_step, 1);
    if (Label1->y() - step >= kTitleTop) {
        for (QWidget* moving :
             {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2), static_cast<QWidget*>(Image2)})
            moving->move(moving->x(), moving->y() - step);
    } else {
        Label1->move(Label1->x(), kTitleTop);
        Label2->move(Label2->x(), -20);
        Image2->move(Image2->x(), kTitleTop - 3);
        ScrollBox1->hide();
    }
    if (Label1->y() <= kTitleTop) {
        Timer1->stop();
        ScrollBox1->hide();
        ScrollBox2->show();
        Image5->show();
        Button1->show();
        Label7->setVisible(!Label7->text().isEmpty());
    }
}

void TStudyForm::Label1Click()
{
    m_step = kSlideStep;
    openCategoryView(1); // ignored while a view is open, which is whenever the title shows
}

void TStudyForm::closeCategoryView()
{
    Timer1->stop();
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2), static_cast<QWidget*>(ScrollBox2),
                       static_cast<QWidget*>(Image2), static_cast<QWidget*>(Image5), static_cast<QWidget*>(Button1),
                       static_cast<QWidget*>(Shape1), static_cast<QWidget*>(Label7)})
        w->hide();
    Label13->show();
    Image6->show();
    ScrollBox1->show();
    m_viewOpen = false;
    m_openedTest = 0;
}

void TStudyForm::Button1Click()
{
    closeCategoryView();
}

void TStudyForm::leave()
{
    ForecastTimer->stop();
    if (m_viewOpen)
        closeCategoryView();
    if (screens().CourseMenuForm)
        screens().CourseMenuForm->show();
}

void TStudyForm::Button2Click()
{
    hide();
    leave();
}

void TStudyForm::FormClose()
{
    leave();
}

void TStudyForm::Button3Click()
{
    DiagnosisProfile profile;
    profile.serial = cp932::fromUnicode(profileValue("Serial"));
    profile.name = cp932::fromUnicode(profileValue("Name"));
    profile.email = cp932::fromUnicode(profileValue("Email"));
    profile.organisation = cp932::fromUnicode(profileValue("Org"));
    if (screens().MainMenuForm)
        profile.inquiryAddress = cp932::fromUnicode(screens().MainMenuForm->inquiryAddress());
    const QString dir = layout::programDir();
    const QString page = dir + QStringLiteral("Form.htm");
    FileError error;
    if (!htmlpage::makePage(filelookup::resolve(dir + QStringLiteral("FormProto")), page,
                            DiagnosisPlaceholders(profile, LoadStudyTests(listedTests(), true)), &error)) {
        ui::messageBox(this, QStringLiteral("Error"), error.japaneseText());
        return;
    }
    ui::openExternal(page, true);
}

void TStudyForm::Button4Click()
{
    PrintTemplate print;
    if (const auto missing = ReadPrintTemplate(layout::programDir() + QStringLiteral("Print/"), print)) {
        ui::messageBox(this, QStringLiteral("Error"), missing->text());
        return;
    }
    const std::string name = cp932::fromUnicode(profileValue("Name"));
    const QString page = QStringLiteral("PrintSum.htm");
    const QList<CourseTest> courses = listedTests();
    std::vector<StudyTest> tests = LoadStudyTests(courses, true);
    ForecastStudyTests(tests, courses, today ? today() : QDate::currentDate());
    if (const auto failed = WritePrintPage(print, page, SummaryPageLines(name, tests))) {
        ui::messageBox(this, QStringLiteral("Error"), failed->text());
        return;
    }
    ui::openExternal(print.dir + page, true);
}

void TStudyForm::Shape3MouseDown()
{
    const QString name = profileValue("Name").trimmed();
    if (name == kFirstName) {
        ui::messageBox(this, QStringLiteral("Thank you!!"),
                       QStringLiteral("Fortunately, we are of the same name! It is very kind of you to use this "
                                      "software. "));
    } else if (name == kSecondName) {
        ui::messageBox(this, QStringLiteral("Bump me one!!"),
                       QStringLiteral("Hello, %1! Good to see you studying again, %1. ").arg(name));
    }
}
