#include "shell/screens/TCourseMenuForm.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/QuestionFile.h"
#include "bank/SettingsStore.h"
#include "install/AddressFile.h"
#include "install/CourseListing.h"
#include "install/InstallLayout.h"
#include "online/screens/TSyncForm.h"
#include "online/screens/TUpdateForm.h"
#include "results/DrillFile.h"
#include "results/DrillToday.h"
#include "results/HistoryFile.h"
#include "results/screens/TStudyForm.h"
#include "session/ExamSession.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/CourseKeys.h"
#include "shell/VendorTabs.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "ui/Artwork.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"
#include "ui/Presses.h"
#include "ui/ShellOpen.h"
#include "ui/Sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace
{
constexpr int kWidth = 760;
constexpr int kHeight = 560;
constexpr int kStripHeight = 39; // tabs (y 2-19) and the top bar (y 20-38)
constexpr int kLeftBarWidth = 20;
constexpr int kInfoWidth = 116;
constexpr int kInfoHeight = 30;
constexpr int kBadge = 18;
constexpr int kLegendLeft = 176;
constexpr int kLegendTop = 60;
const QColor kSilver(0xC0, 0xC0, 0xC0);

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

// A hidden picture holding a source sheet, as the screen's designer kept them (drawn when the
// screen is prepared).
QLabel* makeSource(QWidget* parent, const QString& name)
{
    QLabel* label = makeLabel(parent, name);
    label->hide();
    return label;
}
} // namespace

TCourseMenuForm::TCourseMenuForm(Selection& selection, QWidget* parent)
    : ui::Screen(QStringLiteral("CourseMenuForm"), parent), m_selection(selection)
{
    setWindowTitle(QStringLiteral("Quarvel"));
    setKeyHelp({
        {QStringLiteral("↑ / ↓"), QStringLiteral("テストを選ぶ")},
        {QStringLiteral("PageUp / PageDown / Home / End"), QStringLiteral("一覧を大きく移動する")},
        {QStringLiteral("← / →, Ctrl+Tab"), QStringLiteral("ベンダーのタブを切り替える")},
        {QStringLiteral("Enter"), QStringLiteral("選んだテストを始める")},
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    buildControls();
    FormCreate(QCoreApplication::arguments());
}

void TCourseMenuForm::buildControls()
{
    resize(kWidth, kHeight);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, kSilver);
    setPalette(black);
    setAutoFillBackground(true);

    buildPictureSources();
    buildBands();
    buildTestList(black);
    buildCredits();
    buildButtons();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &TCourseMenuForm::Timer1Timer);
}

// The hidden pictures the tab strip, the bars and the buttons are cut from.
void TCourseMenuForm::buildPictureSources()
{
    TabImg = makeSource(this, QStringLiteral("TabImg"));
    TopBarImg = makeSource(this, QStringLiteral("TopBarImg"));
    LeftBarImg = makeSource(this, QStringLiteral("LeftBarImg"));
    AboutButtonImg = makeSource(this, QStringLiteral("AboutButtonImg"));
    OMBigImg = makeSource(this, QStringLiteral("OMBigImg"));
    for (int b = 0; b <= 5; ++b) {
        OM.append(makeSource(this, QStringLiteral("OM%1").arg(b)));
        OMS.append(makeSource(this, QStringLiteral("OM%1S").arg(b)));
    }
}

// The tab strip, the left bar, the badge and its legend.
void TCourseMenuForm::buildBands()
{
    Image4 = makeLabel(this, QStringLiteral("Image4"));
    Image4->setGeometry(0, 0, kWidth, kStripHeight);
    Image4->installEventFilter(this);
    Image5 = makeLabel(this, QStringLiteral("Image5"));
    Image5->setGeometry(0, kStripHeight, kLeftBarWidth, kHeight - kStripHeight);

    HiGradeImg = makeLabel(this, QStringLiteral("HiGradeImg"));
    HiGradeImg->setGeometry(34, 46, 129, 42);

    // Legend: each label follows its badge icon (order: developer, platinum, gold, silver).
    for (int i = 0; i < 4; ++i) {
        QLabel* icon = makeLabel(this, QStringLiteral("Label%1Icon").arg(4 + i));
        icon->setGeometry(kLegendLeft, kLegendTop, kBadge, kBadge);
        QLabel* label = makeLabel(this, QStringLiteral("Label%1").arg(4 + i));
        setTextColour(label, kSilver);
        m_legendIcons.append(icon);
        m_legendLabels.append(label);
    }
}

void TCourseMenuForm::buildTestList(const QPalette& black)
{
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(28, 100, 598, 392);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setPalette(black);
    ScrollBox1->viewport()->setPalette(black);
    ScrollBox1->viewport()->setAutoFillBackground(true);
    m_listBackground = new QWidget;
    m_listBackground->setObjectName(QStringLiteral("ListBackground"));
    m_listBackground->setPalette(black);
    m_listBackground->setAutoFillBackground(true);
    m_listBackground->resize(582, listBackgroundHeight(0));
    ScrollBox1->setWidget(m_listBackground);
    // The list is where the keyboard starts: Tab reaches it, a click leaves the focus where it was.
    ScrollBox1->setFocusPolicy(Qt::TabFocus);
    ScrollBox1->setAccessibleName(QStringLiteral("テスト一覧"));
    ScrollBox1->installEventFilter(this);
}

// The vendors' credit lines under the list, each shown for its vendor only.
void TCourseMenuForm::buildCredits()
{
    Label2 = makeLabel(this, QStringLiteral("Label2"),
                       QStringLiteral("ネットワーク分野の問題は、Quarvel編集部が書き下ろしたオリジナル問題です。"));
    Label3 = makeLabel(this, QStringLiteral("Label3"),
                       QStringLiteral("Windows分野の問題は、Quarvel編集部が書き下ろしたオリジナル問題です。"));
    Label8 = makeLabel(this, QStringLiteral("Label8"), QStringLiteral("問題の監修 : Quarvel編集部"));
    for (QLabel* credit : {Label2, Label3, Label8}) {
        credit->setGeometry(34, 506, 580, 18);
        setTextColour(credit, kSilver);
        credit->hide();
    }
}

// The right-hand column of buttons, with their hints, handlers and Tab order.
void TCourseMenuForm::buildButtons()
{
    auto makeButton = [this](const QString& name, const QRect& where) {
        auto* button = new ui::PictureButton(this, name);
        button->setGeometry(where);
        return button;
    };
    const int column = kWidth - kInfoWidth - 12;
    Button1 = makeButton(QStringLiteral("Button1"), {column, 48, kInfoWidth, kInfoHeight});
    Image2 = makeButton(QStringLiteral("Image2"), {column, 84, kInfoWidth, kInfoHeight});
    Button2 = makeButton(QStringLiteral("Button2"), {column, 150, kInfoWidth, 44});
    Button3 = makeButton(QStringLiteral("Button3"), {column, 210, kInfoWidth, 34});
    Image7 = makeButton(QStringLiteral("Image7"), {column, 252, kInfoWidth, 34});
    Button5 = makeButton(QStringLiteral("Button5"), {column, 294, kInfoWidth, 34});
    DrillButton = makeButton(QStringLiteral("DrillButton"), {column, 336, kInfoWidth, 34});
    Button4 = makeButton(QStringLiteral("Button4"), {column, 498, kInfoWidth, 34});
    Button2->setHint(QStringLiteral("選択したテストの模擬試験を開始します"));
    Button3->setHint(QStringLiteral("模擬試験結果より、実力診断を行います"));
    Button5->setHint(QStringLiteral("最新の模擬問題に更新します"));
    DrillButton->setHint(QStringLiteral("選択したテストの、今日が復習日の問題を出題します"));
    Image2->setHint(QStringLiteral("Quarvelに関する最新の情報を表示します"));
    Button4->setHint(QStringLiteral("Quarvelを終了します"));
    Image7->setHint(QStringLiteral("選択したテストの成績をInternet-Syncで同期します"));
    connect(Button1, &ui::PictureButton::clicked, this, &TCourseMenuForm::Button1Click);
    connect(Button2, &ui::PictureButton::clicked, this, &TCourseMenuForm::Button2Click);
    connect(Button3, &ui::PictureButton::clicked, this, &TCourseMenuForm::Button3Click);
    connect(Button4, &ui::PictureButton::clicked, this, &TCourseMenuForm::Button4Click);
    connect(Button5, &ui::PictureButton::clicked, this, &TCourseMenuForm::Button5Click);
    connect(DrillButton, &ui::PictureButton::clicked, this, &TCourseMenuForm::DrillButtonClick);
    connect(Image2, &ui::PictureButton::clicked, this, &TCourseMenuForm::Image2Click);
    connect(Image7, &ui::PictureButton::clicked, this, &TCourseMenuForm::Image7Click);
    // The list first, then the buttons of the right-hand column from top to bottom.
    QWidget* previous = ScrollBox1;
    for (QWidget* next : {Button1, Image2, Button2, Button3, Image7, Button5, DrillButton, Button4}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

// The pictures wait until the screen is first shown (or the program is idle): start-up has only
// the opening screen to draw.
void TCourseMenuForm::FormPrepare()
{
    TabImg->setPixmap(ui::artwork::tabStrip());
    TopBarImg->setPixmap(ui::artwork::topBar(kWidth));
    LeftBarImg->setPixmap(ui::artwork::leftBar(kLeftBarWidth, kHeight - kStripHeight));
    AboutButtonImg->setPixmap(ui::artwork::infoButton(kInfoWidth, kInfoHeight));
    OMBigImg->setPixmap(ui::artwork::bigBadgeSource());
    for (int b = 0; b <= 5; ++b) {
        OM.at(b)->setPixmap(ui::artwork::badgeIcon(b, false));
        OMS.at(b)->setPixmap(ui::artwork::badgeIcon(b, true));
    }
    // The legend's badges: developer, platinum, gold, silver.
    static constexpr std::array<int, 4> legendBadges{4, 3, 2, 1};
    for (int i = 0; i < 4; ++i)
        m_legendIcons.at(i)->setPixmap(ui::artwork::badgeIcon(legendBadges[std::size_t(i)], false));
    paintTab();
}

// The pictures of the current tab: the strip, the themed buttons and bar, the rows, the big badge.
void TCourseMenuForm::paintTab()
{
    if (m_tabs.isEmpty()) {
        // No tab was ever pressed: the strip is black and the pictures are theme 1's.
        QPixmap strip(kWidth, kStripHeight);
        strip.fill(Qt::black);
        Image4->setPixmap(strip);
        HiGradeImg->setPixmap(ui::artwork::bigBadge(0, 1));
        paintButtons();
        return;
    }
    const int n = m_currentTab;
    const VendorInfo& vendor = m_tabs.at(n - 1);

    // The strip: every tab in its normal look, the top bar, then tab n selected.
    const QPixmap tabs = TabImg->pixmap();
    QPixmap strip(kWidth, kStripHeight);
    strip.fill(Qt::black);
    {
        QPainter p(&strip);
        for (int k = 1; k <= m_tabs.size(); ++k)
            p.drawPixmap(k * kTabWidth + 7, 2, tabs, (m_tabs.at(k - 1).picture - 1) * kTabWidth, 0, kTabWidth, 18);
        p.drawPixmap(0, 20, TopBarImg->pixmap(), 0, (vendor.picture - 1) * 19, kWidth, 19);
        p.drawPixmap((n - 1) * kTabWidth + kTabStripLeft, 2, tabs, (vendor.picture - 1) * kTabWidth, 18, kTabWidth, 18);
    }
    Image4->setPixmap(strip);

    // The themed button and bar.
    Button1->setPicture(AboutButtonImg->pixmap().copy(0, (vendor.picture - 1) * kInfoHeight, kInfoWidth, kInfoHeight));
    const int barHeight = Image5->height();
    Image5->setPixmap(LeftBarImg->pixmap().copy((vendor.picture - 1) * kLeftBarWidth, 0, kLeftBarWidth, barHeight));
    paintButtons();
    const QColor handle = ui::fromBgr(m_selection.theme().colour1);
    ScrollBox1->verticalScrollBar()->setStyleSheet(
        QStringLiteral(
            "QScrollBar:vertical { background: #141414; width: 14px; margin: 0; }"
            "QScrollBar::handle:vertical { background: %1; border-radius: 4px; min-height: 24px; margin: 2px; }"
            "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
            "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
            .arg(handle.name()));

    for (int r = 1; r <= m_rows.size(); ++r)
        drawRow(r, r == m_selectedRow);
    HiGradeImg->setPixmap(ui::artwork::bigBadge(m_highestBadgeLevel, m_selection.theme().picture));
}

void TCourseMenuForm::paintButtons()
{
    const std::uint32_t colour = m_selection.theme().colour1;
    Button2->setPicture(ui::artwork::button(QStringLiteral("テスト開始"), Button2->width(), Button2->height(), colour));
    Button3->setPicture(ui::artwork::button(QStringLiteral("実力診断"), Button3->width(), Button3->height(), colour));
    Image7->setPicture(ui::artwork::button(QStringLiteral("Internet-Sync"), Image7->width(), Image7->height(), colour));
    Button5->setPicture(ui::artwork::button(QStringLiteral("問題更新"), Button5->width(), Button5->height(), colour));
    DrillButton->setPicture(
        ui::artwork::button(QStringLiteral("復習"), DrillButton->width(), DrillButton->height(), colour));
    Button4->setPicture(ui::artwork::button(QStringLiteral("終了"), Button4->width(), Button4->height(), 0x404040));
    Image2->setPicture(
        ui::artwork::button(QStringLiteral("Quarvel 情報"), Image2->width(), Image2->height(), 0x6A4A2A));
}

void TCourseMenuForm::FormCreate(const QStringList& arguments)
{
    m_tabs = installedVendors(layout::questionRoot());
    const QString stored = settings::ReadSetting(QString::fromLatin1(settings::kSection), QStringLiteral("DefaultDir"));
    const QString argument = arguments.value(1);
    Image4MouseDown(initialPressX(stored, argument, m_tabs));
}

void TCourseMenuForm::Image4MouseDown(int x)
{
    const int n = tabAt(x, int(m_tabs.size()));
    if (n == 0)
        return;

    // 1. Tab n becomes current (its strip is drawn by paintTab below).
    const VendorInfo& vendor = m_tabs.at(n - 1);
    m_currentTab = n;
    m_selection.setTheme(vendor.theme());
    Button1->setHint(vendor.infoHint);
    for (int i = 0; i < 4; ++i) {
        const bool shown = i < vendor.legend.size();
        ui::setPlainText(m_legendLabels.at(i), shown ? vendor.legend.at(i) : QString());
        m_legendLabels.at(i)->setVisible(shown);
        m_legendIcons.at(i)->setVisible(shown);
    }

    // 2. The list back at its top.
    ScrollBox1->verticalScrollBar()->setValue(0);

    // 3. The legend, left to right from x = 176.
    layoutLegend();

    // 4. The previous rows go; the credit lines of this vendor show.
    qDeleteAll(m_rows);
    m_rows.clear();
    m_selectedRow = 0;
    Label2->setVisible(vendor.picture == 3);
    Label3->setVisible(vendor.picture == 5);
    Label8->hide();

    // 5-8. The vendor's tests.
    QString dir = layout::QuestionDir(vendor.directory);
    if (!QFileInfo(dir).isDir()) {
        const QString resolved = installedVendorDir(layout::questionRoot(), vendor.directory);
        if (!resolved.isEmpty())
            dir = resolved;
    }
    const VendorListing listing = listVendorTests(dir, vendor.directory);
    m_tests = listing.tests;
    m_selection.setVendorTests(m_tests);
    m_highestBadgeLevel = 0;
    countDueQuestions();
    for (int r = 1; r <= m_tests.size(); ++r)
        LoadQuestion(m_tests.at(r - 1), r);

    // 9. Scrolling only beyond 16 rows.
    const int rows = int(m_tests.size());
    ScrollBox1->setVerticalScrollBarPolicy(listScrolls(rows) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_listBackground->resize(m_listBackground->width(), std::max(1, listBackgroundHeight(rows)));

    // 10. Every listed test has a history file from now on.
    createMissingHistories(m_tests);

    if (isPrepared())
        paintTab();

    const QString problems = listingProblems(listing);
    if (!problems.isEmpty()) {
        m_pendingProblems = problems;
        if (isVisible())
            reportProblems();
    }
}

void TCourseMenuForm::layoutLegend()
{
    int x = kLegendLeft;
    for (int i = 0; i < 4; ++i) {
        QLabel* label = m_legendLabels.at(i);
        if (label->isHidden())
            continue;
        m_legendIcons.at(i)->move(x, kLegendTop);
        label->adjustSize();
        label->move(x + 24, kLegendTop + (kBadge - label->height()) / 2);
        x = label->geometry().right() + 1 + 6;
    }
}

void TCourseMenuForm::LoadQuestion(const CourseTest& test, int row)
{
    auto* picture = new QLabel(m_listBackground);
    picture->setObjectName(QStringLiteral("RDB%1").arg(row));
    picture->setGeometry(rowGeometry(row));
    picture->setCursor(Qt::PointingHandCursor);
    picture->setProperty("row", row);
    picture->installEventFilter(this);
    picture->setToolTip(ui::plainToolTip(cp932::toUnicode(rowText(test))));
    picture->show();
    m_rows.append(picture);
    m_highestBadgeLevel = std::max(m_highestBadgeLevel, badgeLevel(test.badges));
    if (row == 1)
        m_selectedRow = 1;
}

void TCourseMenuForm::drawRow(int row, bool selected)
{
    const CourseTest& test = m_tests.at(row - 1);
    const QRect area = rowGeometry(row);
    QPixmap picture(area.size());
    picture.fill(Qt::black);
    QPainter p(&picture);
    // While the list has the keyboard focus the selected row is lit in the vendor's colour.
    if (selected && ScrollBox1->hasFocus()) {
        const QColor colour = ui::fromBgr(m_selection.theme().colour1);
        p.fillRect(picture.rect(), QColor(colour.red() * 2 / 5, colour.green() * 2 / 5, colour.blue() * 2 / 5));
        p.setPen(colour);
        p.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(kSilver);
    p.setFont(font());
    const QString text = cp932::toUnicode(rowText(test));
    // Questions due today: a small count at the row's right end, the test's text kept clear of it.
    const int due = dueCount(row);
    const QString dueText = due > 0 ? QStringLiteral("復習 %1").arg(due) : QString();
    const QRect textArea(22, 4, area.width() - 22, area.height() - 4);
    if (due > 0) {
        const int room = textArea.width() - p.fontMetrics().horizontalAdvance(dueText) - 12;
        p.drawText(textArea.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignTop, dueText);
        p.drawText(textArea, Qt::AlignLeft | Qt::AlignTop, p.fontMetrics().elidedText(text, Qt::ElideRight, room));
    } else {
        p.drawText(textArea, Qt::AlignLeft | Qt::AlignTop, text);
    }
    const int icon = badgeIcon(test.badges);
    p.drawPixmap(0, 0, (selected ? OMS : OM).at(icon)->pixmap());
    p.end();
    m_rows.at(row - 1)->setPixmap(picture);
    m_rows.at(row - 1)->setToolTip(ui::plainToolTip(due > 0 ? text + QStringLiteral("  ") + dueText : text));
}

void TCourseMenuForm::countDueQuestions()
{
    const int today = DrillToday();
    m_dueCounts.clear();
    for (const CourseTest& test : m_tests) {
        // A deck that does not read counts nothing here; "復習" names its problem.
        const auto deck = test.drillFile.isEmpty() ? std::nullopt : LoadDrillDeck(test.drillFile);
        m_dueCounts.append(deck ? int(DueQuestions(*deck, today).size()) : 0);
    }
}

void TCourseMenuForm::RDBClick(int row)
{
    if (row < 1 || row > m_rows.size())
        return;
    prepare(); // the rows are redrawn from the badge pictures
    for (int r = 1; r <= m_rows.size(); ++r)
        drawRow(r, r == row);
    m_selectedRow = row;
}

void TCourseMenuForm::chooseSelectedRow()
{
    if (m_selectedRow >= 1 && m_selectedRow <= m_tests.size())
        m_selection.setTest(m_tests.at(m_selectedRow - 1));
}

void TCourseMenuForm::Button1Click()
{
    if (m_selection.theme().directory.isEmpty()) // no vendor installed
        return;
    const QString page =
        filelookup::resolve(layout::programDir() + m_selection.theme().directory + QStringLiteral("-info.html"));
    ui::openExternal(page, true);
}

void TCourseMenuForm::Button2Click()
{
    // Without a listed test there is nothing the next screen could load.
    if (m_tests.isEmpty())
        return;
    settings::WriteSetting(QString::fromLatin1(settings::kSection), QStringLiteral("DefaultDir"),
                           QString::number(m_currentTab));
    chooseSelectedRow();
    m_recordedGeometry = geometry();
    hide();
    screens().CatSelForm->show();
}

void TCourseMenuForm::Button3Click()
{
    hide();
    // Where the menu stood, as every screen that follows another.
    screens().StudyForm->showOver(this);
}

void TCourseMenuForm::Button4Click()
{
    close();
}

void TCourseMenuForm::Button5Click()
{
    screens().UpdateForm->showModal(this);
}

void TCourseMenuForm::DrillButtonClick()
{
    if (m_tests.isEmpty())
        return;
    chooseSelectedRow();
    const CourseTest& test = m_selection.test();
    FileError error;
    const auto deck = LoadDrillDeck(test.drillFile, &error);
    if (!deck) {
        ui::messageBox(this, QStringLiteral("Error"), error.japaneseText());
        return;
    }
    const std::vector<int> due = DueQuestions(*deck, DrillToday());
    if (due.empty()) {
        ui::messageBox(this, QStringLiteral("復習"), QStringLiteral("今日復習する問題はありません。"));
        return;
    }
    ExamSession& session = examSession();
    if (const auto loadError = LoadQuestionBank(test.questionFile, session.bank)) {
        ui::messageBox(this, QStringLiteral("Error"), loadError->japaneseText());
        return;
    }
    if (!session.drawListed(bankPositionsOf(session.bank, due), clockSeededRandom())) {
        ui::messageBox(this, QStringLiteral("復習"), QStringLiteral("復習する問題が問題ファイルにありません。"));
        return;
    }
    settings::WriteSetting(QString::fromLatin1(settings::kSection), QStringLiteral("DefaultDir"),
                           QString::number(m_currentTab));
    m_recordedGeometry = geometry();
    // From here the sitting runs as one started from the category selection: the start notice
    // and the exam screen open where that screen would have stood.
    screens().CatSelForm->setGeometry(m_recordedGeometry);
    screens().ConfirmForm->resetPosition();
    screens().ExamModeForm->setQuestionLabel(QStringLiteral("Q.1"));
    hide();
    screens().GenericMBForm->show();
}

void TCourseMenuForm::Image2Click()
{
    const addressfile::Address read = addressfile::read(QStringLiteral("online"));
    if (!read.opened) {
        ui::messageBox(this, QStringLiteral("Error"), read.failureText());
        return;
    }
    const QString& address = read.address;
    if (address.isEmpty())
        return;
    // A plain name is a page in the program directory.
    if (address.contains(QStringLiteral("://")))
        ui::openExternal(address, true);
    else
        ui::openExternal(filelookup::resolve(layout::programDir() + address), true);
}

void TCourseMenuForm::Image7Click()
{
    if (m_tests.isEmpty())
        return;
    chooseSelectedRow();
    screens().SyncForm->showOver(this);
}

void TCourseMenuForm::Timer1Timer()
{
    Timer1->stop();
    ui::playSound(QStringLiteral("wav/test.wav"));
}

void TCourseMenuForm::FormShow()
{
    if (m_currentTab >= 1 && m_currentTab <= m_tabs.size()) {
        VendorTheme theme = m_selection.theme();
        theme.directory = m_tabs.at(m_currentTab - 1).directory;
        m_selection.setTheme(theme);
    }
    resize(kWidth, kHeight);
    // The first time in the middle of the desktop; later where the user left it.
    if (!m_placed) {
        m_placed = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    Timer1->start();
    // An attempt or a new day may have changed what is due.
    countDueQuestions();
    if (isPrepared()) {
        for (int r = 1; r <= m_rows.size(); ++r)
            drawRow(r, r == m_selectedRow);
    }
    // Each time in the list, so arrows and Enter work at once.
    ScrollBox1->setFocus();
    reportProblems();
}

void TCourseMenuForm::reportProblems()
{
    if (m_pendingProblems.isEmpty())
        return;
    const QString text = m_pendingProblems;
    m_pendingProblems.clear();
    ui::messageBox(this, QStringLiteral("Error"), text, QMessageBox::Ok, QMessageBox::Warning);
}

bool TCourseMenuForm::FormCloseQuery()
{
    return true;
}

void TCourseMenuForm::FormClose()
{
    endProgram();
}

bool TCourseMenuForm::menuKey(const QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (const int tab = tabAfterKey(key, modifiers, m_currentTab, int(m_tabs.size()))) {
        Image4MouseDown(tabPressX(tab));
        return true;
    }
    if (const int row = rowAfterKey(key, modifiers, m_selectedRow, int(m_rows.size()))) {
        RDBClick(row);
        // With the margin above the first row, so Home shows the list from its very top.
        ScrollBox1->ensureWidgetVisible(m_rows.at(row - 1), 0, rowGeometry(1).top());
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Button2->activate();
        return true;
    }
    // The keys of the list are taken even where they change nothing, so the list never scrolls
    // away from its selection.
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

void TCourseMenuForm::keyPressEvent(QKeyEvent* event)
{
    // Keys a focused button left alone (every key but Space and Enter) end up here.
    if (!menuKey(event))
        ui::Screen::keyPressEvent(event);
}

bool TCourseMenuForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScrollBox1) {
        // The scroll area would scroll on the arrows itself: the keys select rows instead.
        if (event->type() == QEvent::KeyPress)
            return menuKey(static_cast<QKeyEvent*>(event));
        if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && m_selectedRow >= 1 &&
            m_selectedRow <= m_rows.size())
            drawRow(m_selectedRow, true);
        return false;
    }
    if (ui::isPress(event)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == Image4) {
            Image4MouseDown(mouse->position().toPoint().x());
            return true;
        }
        const QVariant row = watched->property("row");
        if (row.isValid() && mouse->button() == Qt::LeftButton) {
            RDBClick(row.toInt());
            return true;
        }
    }
    return ui::Screen::eventFilter(watched, event);
}
