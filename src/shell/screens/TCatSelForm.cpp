#include "shell/screens/TCatSelForm.h"

#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "install/Selection.h"
#include "session/ExamSession.h"
#include "session/SelectQuestion.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/CategoryLayout.h"
#include "shell/SessionProposal.h"
#include "shell/screens/CategoryBox.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "ui/Artwork.h"
#include "ui/CompactCheckDelegate.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"
#include "ui/Sound.h"

#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>

#include <algorithm>

namespace
{
constexpr int kDefaultWidth = 760;
constexpr int kDefaultHeight = 560;
constexpr int kLeftBarWidth = 136;
constexpr int kBadgeWidth = 129;
constexpr int kBadgeHeight = 42;
constexpr int kContentLeft = 150;
constexpr int kBoxLeft = 16;
constexpr int kBoxWidth = 489;
constexpr int kBoxHeight = 17;
constexpr int kListLeft = 40;
constexpr int kListWidth = 500;

template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* l = named(new QLabel(text, parent), name);
    l->move(x, y);
    l->adjustSize();
    return l;
}

int tickedItems(const QListWidget* list)
{
    int ticked = 0;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            ++ticked;
    return ticked;
}
} // namespace

TCatSelForm::TCatSelForm(ExamSession& session, QWidget* parent)
    : ui::Screen(QStringLiteral("CatSelForm"), parent), m_session(session)
{
    setWindowTitle(QStringLiteral("Quarvel"));
    setKeyHelp({
        {QStringLiteral("↑ / ↓"), QStringLiteral("カテゴリー間を移動する")},
        {QStringLiteral("Space"), QStringLiteral("チェックを付ける / 外す")},
        {QStringLiteral("Ctrl+X"), QStringLiteral("すべてのチェックを外す")},
        {QStringLiteral("Enter"), QStringLiteral("試験を始める")},
        {QStringLiteral("Esc"), QStringLiteral("コースメニューに戻る")},
    });
    resize(kDefaultWidth, kDefaultHeight);

    buildControls();

    // The form sees the keys of all its controls first, so Ctrl+X works wherever the focus is.
    qApp->installEventFilter(this);
}

// Built top to bottom.
void TCatSelForm::buildControls()
{
    buildCategoryArea();
    buildModeChoice();
    buildCountAndTime();

    Button1 = new ui::PictureButton(this, QStringLiteral("Button1"));
    Button1->resize(110, 36);
    Button1->move(500, 512);
    Button1->setHint(QStringLiteral("模擬試験を開始します"));
    connect(Button1, &ui::PictureButton::clicked, this, [this] { Button1Click(); });
    Button2 = new ui::PictureButton(this, QStringLiteral("Button2"));
    Button2->resize(110, 36);
    Button2->move(626, 512);
    Button2->setHint(QStringLiteral("テスト選択に戻ります"));
    connect(Button2, &ui::PictureButton::clicked, this, [this] { Button2Click(); });

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

// The side bar, and the scrolling panel the category boxes are made in when a test is opened.
void TCatSelForm::buildCategoryArea()
{
    Image1 = named(new QLabel(this), "Image1");
    Image1->setGeometry(0, 0, kLeftBarWidth, kDefaultHeight);
    HiGradeImg = named(new QLabel(this), "HiGradeImg");
    HiGradeImg->setGeometry(3, 12, kBadgeWidth, kBadgeHeight);

    Label1 = label(this, "Label1", QStringLiteral("カテゴリーを選択してください..."), kContentLeft, 10);
    ScrollBox1 = named(new QScrollArea(this), "ScrollBox1");
    ScrollBox1->setGeometry(kContentLeft, 30, 596, 250);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollContent = new QWidget;
    m_scrollContent->resize(kListLeft + kListWidth + 16, catlayout::kFirstBoxTop);
    ScrollBox1->setWidget(m_scrollContent);
    ScrollBox1->setWidgetResizable(false);
    // Tab stops at the boxes and lists inside, not at the panel that holds them.
    ScrollBox1->setFocusPolicy(Qt::NoFocus);

    CheckBox1 = named(new QCheckBox(QStringLiteral("大カテゴリのみ表示"), this), "CheckBox1");
    CheckBox1->move(kContentLeft, 286);
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
}

// The three modes, and the Adaptive box under them.
void TCatSelForm::buildModeChoice()
{
    Label6 = label(this, "Label6", QStringLiteral("モードを指定してください..."), kContentLeft, 312);
    RadioButton1 =
        named(new QRadioButton(
                  QStringLiteral("模擬試験(このモードでは出題のカテゴリーや出題数、制限時間は指定できません)"), this),
              "RadioButton1");
    RadioButton2 = named(new QRadioButton(QStringLiteral("通常(ランダムに出題されます)"), this), "RadioButton2");
    RadioButton3 =
        named(new QRadioButton(QStringLiteral("特訓(履歴をもとに弱い問題を中心に出題します)"), this), "RadioButton3");
    auto* modes = new QButtonGroup(this);
    int top = 330;
    for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3}) {
        modes->addButton(radio);
        radio->move(kContentLeft + 14, top);
        radio->adjustSize();
        top += 20;
    }
    connect(RadioButton1, &QRadioButton::clicked, this, [this] { RadioButton1Click(); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { RadioButton2Click(); });
    connect(RadioButton3, &QRadioButton::clicked, this, [this] { RadioButton3Click(); });
    cbAdaptive = named(new QCheckBox(QStringLiteral("Adaptive(拡張履歴情報を使用)"), this), "cbAdaptive");
    cbAdaptive->move(kContentLeft + 14, 392);
    cbAdaptive->adjustSize();
}

// How many questions, and the time limit.
void TCatSelForm::buildCountAndTime()
{
    Label2 = label(this, "Label2", QStringLiteral("出題数を決めてください..."), kContentLeft, 420);
    Edit1 = named(new QLineEdit(this), "Edit1");
    Edit1->setGeometry(kContentLeft + 14, 438, 60, 22);
    Edit1->setAccessibleName(QStringLiteral("出題数"));
    Label4 = label(this, "Label4", QStringLiteral("題／0題中"), kContentLeft + 80, 442);
    Label3 = label(this, "Label3", QStringLiteral("制限時間を設定してください..."), kContentLeft, 468);
    Edit2 = named(new QLineEdit(this), "Edit2");
    Edit2->setGeometry(kContentLeft + 14, 486, 60, 22);
    Edit2->setAccessibleName(QStringLiteral("制限時間(分)"));
    Label5 = label(this, "Label5", QStringLiteral("分"), kContentLeft + 80, 490);
}

TCatSelForm::~TCatSelForm()
{
    qApp->removeEventFilter(this);
}

QCheckBox* TCatSelForm::categoryBox(int category) const
{
    return category >= 1 && category <= m_boxes.size() ? m_boxes.at(category - 1) : nullptr;
}

QListWidget* TCatSelForm::categoryList(int category) const
{
    return category >= 1 && category <= m_lists.size() ? m_lists.at(category - 1) : nullptr;
}

void TCatSelForm::FormShow()
{
    drawThemePictures();

    // A new session starts from clean answer records and the top of the review list.
    m_session.clearAnswers();
    screens().ConfirmForm->resetPosition();

    // Same size and place as the course menu had, so the user sees the next screen where the last one was.
    const CourseTest& test = selection().test();
    const QRect recorded = screens().CourseMenuForm->recordedGeometry();
    if (recorded.isValid())
        setGeometry(recorded);
    ui::setPlainWindowTitle(this, cp932::toUnicode(test.code) + QStringLiteral(" : ") + cp932::toUnicode(test.title));

    destroyCategoryControls();
    CheckBox1->setChecked(false);
    m_loaded = false;
    if (const std::optional<FileError> error = LoadQuestionBank(test.questionFile, m_session.bank)) {
        // Hiding from inside the show would leave the window on screen: report once the show is over.
        const QString detail = error->japaneseText();
        QMetaObject::invokeMethod(
            this, [this, detail] { reportLoadFailure(detail); }, Qt::QueuedConnection);
        return;
    }
    m_loaded = true;

    createCategoryControls();
    layoutCategories();
    orderTabs();
    QuestionCalc();

    const Proposal proposal =
        showProposal(m_session.settings.availableCount, m_session.bank.mockCount, m_session.bank.mockMinutes);
    Edit1->setText(QString::number(proposal.count));
    Edit2->setText(QString::number(proposal.minutes));

    RadioButton2->setChecked(true);
    RadioButton2->setFocus();
    // Focus is drawn from the start: whoever works from the keyboard sees where the first key goes.
    setAttribute(Qt::WA_KeyboardFocusChange);
    setCategoryControlsEnabled(true);
    Edit1->setEnabled(true);
    Edit2->setEnabled(true);
    cbAdaptive->setChecked(false);
    Timer1->start();
}

void TCatSelForm::drawThemePictures()
{
    const Selection& chosen = selection();
    const int picture = chosen.theme().picture;
    Image1->setPixmap(ui::artwork::leftBarBand(kLeftBarWidth, Image1->height(), picture));
    HiGradeImg->setPixmap(ui::artwork::bigBadge(chosen.highestBadgeLevel(), picture));
    const std::uint32_t colour = chosen.theme().colour1;
    Button1->setPicture(ui::artwork::button(QStringLiteral("開始"), Button1->width(), Button1->height(), colour));
    Button2->setPicture(ui::artwork::button(QStringLiteral("戻る"), Button2->width(), Button2->height(), colour));
}

void TCatSelForm::makeCategoryPair(int c)
{
    QFont boxFont(QStringLiteral("IPAPGothic"));
    boxFont.setPixelSize(13);
    QFont listFont(QStringLiteral("IPAPGothic"));
    listFont.setPixelSize(11);

    auto* box = new CategoryBox(m_scrollContent);
    box->setObjectName(QStringLiteral("Cat%1Label").arg(c));
    box->setGeometry(kBoxLeft, 0, kBoxWidth, kBoxHeight);
    box->setFont(boxFont);
    box->setTristate(true);
    connect(box, &QCheckBox::clicked, this, [this, c] { Cat1LabelClick(c); });

    auto* list = new QListWidget(m_scrollContent);
    list->setObjectName(QStringLiteral("CheckListBox%1").arg(c));
    list->setFont(listFont);
    list->setFrameShape(QFrame::NoFrame);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    list->setItemDelegate(new ui::CompactCheckDelegate(list));
    connect(list, &QListWidget::itemChanged, this, [this, c] {
        if (!m_updatingTicks)
            CheckListBox1Click(c);
    });
    m_spareBoxes.append(box);
    m_spareLists.append(list);
}

void TCatSelForm::createCategoryControls()
{
    // Widgets and list items of an earlier showing are reused: making fifty lists and a thousand
    // items anew cost more than the rest of the showing together.
    m_updatingTicks = true;
    const std::vector<int> listed = catlayout::listedItemCounts(m_session.bank);
    for (int c = 1; c <= int(listed.size()); ++c) {
        if (c > m_spareBoxes.size())
            makeCategoryPair(c);
        const CategoryEntry& category = m_session.bank.category(c);
        CategoryBox* box = m_spareBoxes.at(c - 1);
        QListWidget* list = m_spareLists.at(c - 1);
        box->setTristate(true);
        box->setCheckState(Qt::Checked);

        const int items = listed[size_t(c - 1)];
        while (list->count() > items)
            delete list->takeItem(list->count() - 1);
        QStringList added;
        for (int k = 1; k <= items; ++k) {
            const SubCategoryEntry& sub = category.sub(k);
            const QString text = cp932::toUnicode(sub.name) + QStringLiteral(" (") +
                                 QString::number(sub.questionCount) + QStringLiteral("問)");
            if (k <= list->count()) {
                QListWidgetItem* item = list->item(k - 1);
                item->setText(text);
                item->setCheckState(Qt::Checked);
            } else {
                added << text;
            }
        }
        if (!added.isEmpty()) {
            // One insertion for all new rows, not a row at a time.
            const int first = list->count();
            list->addItems(added);
            for (int i = first; i < list->count(); ++i) {
                QListWidgetItem* item = list->item(i);
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
                item->setCheckState(Qt::Checked);
                item->setSizeHint(QSize(kListWidth, catlayout::kItemHeight));
            }
        }
        for (int i = 0; i < list->count(); ++i)
            ui::hintWhenCutShort(list->item(i), list,
                                 kListWidth - catlayout::kItemHeight); // the tick box takes a square
        list->setCurrentRow(-1);
        list->clearSelection();
        list->scrollToTop();
        list->setGeometry(kListLeft, 0, kListWidth, catlayout::kItemHeight * list->count());

        if (catlayout::isCategoryShown(category)) {
            const QString name = cp932::toUnicode(category.name);
            ui::setPlainText(box, name);
            list->setAccessibleName(name + QStringLiteral("の小カテゴリ"));
            box->show();
            list->show();
        } else {
            box->setText(QString());
            list->setAccessibleName(QString());
            box->hide();
            list->hide();
        }
        m_boxes.append(box);
        m_lists.append(list);
    }
    m_updatingTicks = false;
}

void TCatSelForm::orderTabs()
{
    // Reading order: the categories top to bottom, each box before its list, then the controls
    // below the panel. The category controls are made at each showing, after everything else.
    QList<QWidget*> order;
    for (int c = 0; c < m_boxes.size(); ++c)
        order << m_boxes.at(c) << m_lists.at(c);
    order << CheckBox1 << RadioButton1 << RadioButton2 << RadioButton3 << cbAdaptive << Edit1 << Edit2 << Button1
          << Button2;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

bool TCatSelForm::arrowKey(QObject* watched, int key)
{
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    catlayout::ArrowStop from;
    for (int c = 1; c <= int(m_boxes.size()); ++c) {
        if (watched == m_boxes.at(c - 1))
            from = {c, 0};
        else if (watched == m_lists.at(c - 1))
            from = {c, std::max(0, m_lists.at(c - 1)->currentRow() + 1)};
    }
    if (from.category == 0)
        return false;
    std::vector<int> items;
    for (int c = 1; c <= int(m_boxes.size()); ++c) {
        const QListWidget* list = m_lists.at(c - 1);
        items.push_back(m_boxes.at(c - 1)->isHidden() ? -1 : list->isHidden() ? 0 : list->count());
    }
    // At either end the key is still taken: the panel would scroll away from the focus.
    const std::optional<catlayout::ArrowStop> to = catlayout::arrowStop(items, from, key == Qt::Key_Down);
    if (!to)
        return true;
    QWidget* target = m_boxes.at(to->category - 1);
    QRect area = target->geometry();
    if (to->item > 0) {
        QListWidget* list = m_lists.at(to->category - 1);
        list->setCurrentRow(to->item - 1);
        target = list;
        area = list->visualItemRect(list->currentItem()).translated(list->pos());
    }
    target->setFocus(Qt::OtherFocusReason);
    ScrollBox1->ensureVisible(area.center().x(), area.center().y(), 0, area.height());
    return true;
}

void TCatSelForm::destroyCategoryControls()
{
    // Kept for the next showing, out of sight and out of the keyboard's way.
    for (CategoryBox* box : m_boxes)
        box->hide();
    for (QListWidget* list : m_lists)
        list->hide();
    m_boxes.clear();
    m_lists.clear();
    m_scrollContent->resize(m_scrollContent->width(), catlayout::kFirstBoxTop);
}

void TCatSelForm::layoutCategories()
{
    std::vector<int> items;
    for (const QListWidget* list : m_lists)
        items.push_back(list->count());
    const bool categoriesOnly = CheckBox1->isChecked();
    const std::vector<catlayout::Tops> tops = catlayout::categoryTops(items);
    for (int c = 1; c <= int(m_boxes.size()); ++c) {
        CategoryBox* box = m_boxes.at(c - 1);
        QListWidget* list = m_lists.at(c - 1);
        const bool shown = catlayout::isCategoryShown(m_session.bank.category(c));
        if (categoriesOnly) {
            box->move(kBoxLeft, catlayout::stackedBoxTop(c));
            list->hide();
        } else {
            box->move(kBoxLeft, tops[size_t(c - 1)].box);
            list->move(kListLeft, tops[size_t(c - 1)].list);
            list->setVisible(shown);
        }
    }
    m_scrollContent->resize(m_scrollContent->width(), catlayout::contentHeight(items, categoriesOnly));
}

void TCatSelForm::readTicks()
{
    m_session.settings.checked = {};
    for (int c = 1; c <= int(m_lists.size()); ++c) {
        const QListWidget* list = m_lists.at(c - 1);
        for (int k = 1; k <= std::min(list->count(), kMaxSubCategories); ++k)
            m_session.settings.setChecked(c, k, list->item(k - 1)->checkState() == Qt::Checked);
    }
}

void TCatSelForm::QuestionCalc()
{
    readTicks();
    m_session.settings.availableCount = m_loaded ? catlayout::availableCount(m_session.bank, m_session.settings) : 0;
    Label4->setText(QStringLiteral("題／") + QString::number(m_session.settings.availableCount) +
                    QStringLiteral("題中"));
    Label4->adjustSize();
    Edit1->setText(QString::number(m_session.settings.availableCount));
}

void TCatSelForm::setAllTicks(bool on)
{
    m_updatingTicks = true;
    for (CategoryBox* box : m_boxes)
        box->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    for (QListWidget* list : m_lists)
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    m_updatingTicks = false;
}

void TCatSelForm::setCategoryControlsEnabled(bool on)
{
    for (CategoryBox* box : m_boxes)
        box->setEnabled(on);
    for (QListWidget* list : m_lists)
        list->setEnabled(on);
}

void TCatSelForm::Cat1LabelClick(int category)
{
    QCheckBox* box = categoryBox(category);
    QListWidget* list = categoryList(category);
    if (!box || !list)
        return;
    const Qt::CheckState state = box->checkState();
    if (state != Qt::PartiallyChecked) {
        m_updatingTicks = true;
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(state);
        m_updatingTicks = false;
    }
    QuestionCalc();
}

void TCatSelForm::CheckListBox1Click(int category)
{
    QCheckBox* box = categoryBox(category);
    QListWidget* list = categoryList(category);
    if (!box || !list)
        return;
    switch (catlayout::boxStateFor(tickedItems(list), list->count())) {
    case catlayout::BoxState::Checked:
        box->setCheckState(Qt::Checked);
        break;
    case catlayout::BoxState::Partial:
        box->setCheckState(Qt::PartiallyChecked);
        break;
    case catlayout::BoxState::Unchecked:
        box->setCheckState(Qt::Unchecked);
        break;
    }
    QuestionCalc();
}

void TCatSelForm::CheckListBox1Exit(int category)
{
    if (QListWidget* list = categoryList(category)) {
        list->clearSelection();
        list->setCurrentRow(-1, QItemSelectionModel::Clear);
    }
}

void TCatSelForm::CheckBox1Click()
{
    const bool categoriesOnly = CheckBox1->isChecked();
    if (categoriesOnly) {
        for (int c = 1; c <= int(m_boxes.size()); ++c) {
            CategoryBox* box = m_boxes.at(c - 1);
            if (box->checkState() == Qt::PartiallyChecked) {
                box->setCheckState(Qt::Checked);
                Cat1LabelClick(c);
            }
            box->setTristate(false);
        }
    } else {
        for (CategoryBox* box : m_boxes)
            box->setTristate(true);
    }
    layoutCategories();
    QuestionCalc();
}

void TCatSelForm::RadioButton1Click()
{
    setAllTicks(true);
    QuestionCalc();
    setCategoryControlsEnabled(false);
    const Proposal proposal =
        mockExamProposal(m_session.settings.availableCount, m_session.bank.mockCount, m_session.bank.mockMinutes);
    Edit1->setText(QString::number(proposal.count));
    Edit2->setText(QString::number(proposal.minutes));
    Edit1->setEnabled(false);
    Edit2->setEnabled(false);
}

void TCatSelForm::RadioButton2Click()
{
    setCategoryControlsEnabled(true);
    Edit1->setEnabled(true);
    Edit2->setEnabled(true);
}

void TCatSelForm::RadioButton3Click()
{
    RadioButton2Click();
}

int TCatSelForm::selectedMode() const
{
    if (RadioButton1->isChecked())
        return kModeMock;
    if (RadioButton3->isChecked())
        return kModeTraining;
    return kModeNormal;
}

void TCatSelForm::Button1Click()
{
    if (!m_loaded)
        return;
    const StartCheck check = checkStart(Edit1->text(), Edit2->text(), m_session.settings.availableCount);
    if (check.problem) {
        ui::messageBox(this, QStringLiteral("Error"), *check.problem);
        if (check.focusCount)
            Edit1->setFocus();
        return;
    }

    readTicks();
    m_session.settings.mode = selectedMode();
    m_session.settings.questionCount = check.count;
    m_session.settings.timeLimitSeconds = check.minutes * 60;
    m_session.settings.timeLimitOn = check.minutes == 0 ? 0 : 1;
    m_session.settings.adaptive = cbAdaptive->isChecked();

    screens().ExamModeForm->setQuestionLabel(QStringLiteral("Q.1"));
    const auto weights = ReadTrainingWeights(selection().test().historyFile);
    if (!m_session.draw(weights, clockSeededRandom())) {
        ui::messageBox(this, QStringLiteral("Error"), startmessages::noQuestions);
        return;
    }
    hide();
    screens().GenericMBForm->show();
}

void TCatSelForm::Button2Click()
{
    hide();
    screens().CourseMenuForm->show();
}

void TCatSelForm::FormClose()
{
    // The close box goes back like the back button; the window itself is hidden by the close.
    screens().CourseMenuForm->show();
}

void TCatSelForm::FormHide()
{
    Timer1->stop();
    destroyCategoryControls();
    m_loaded = false;
}

void TCatSelForm::FormActivate()
{
    m_ctrlHeld = false;
    if (CheckBox1->isChecked()) {
        CheckBox1->setChecked(false);
        CheckBox1Click();
    }
}

void TCatSelForm::Timer1Timer()
{
    Timer1->stop();
    ui::playSound(QStringLiteral("wav/cat.wav"));
}

void TCatSelForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Control) {
        m_ctrlHeld = true;
        return;
    }
    // The mock exam always takes every category; its boxes are locked.
    if (key == Qt::Key_X && (m_ctrlHeld || modifiers.testFlag(Qt::ControlModifier)) &&
        RadioButton1->isChecked() == false) {
        setAllTicks(false);
        QuestionCalc();
    }
}

void TCatSelForm::FormKeyUp(int key)
{
    if (key == Qt::Key_Control)
        m_ctrlHeld = false;
}

bool TCatSelForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && isVisible()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (type == QEvent::KeyPress && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
                arrowKey(watched, key->key()))
                return true;
            if (type == QEvent::KeyPress)
                FormKeyDown(key->key(), key->modifiers());
            else
                FormKeyUp(key->key());
        }
    } else if (type == QEvent::FocusOut) {
        const qsizetype index = m_lists.indexOf(qobject_cast<QListWidget*>(watched));
        if (index >= 0)
            CheckListBox1Exit(int(index) + 1);
    }
    return ui::Screen::eventFilter(watched, event);
}

void TCatSelForm::keyPressEvent(QKeyEvent* event)
{
    // Keys no control took: Enter starts and Escape goes back, as the two buttons do.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        Button1->activate();
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Escape) {
        Button2->activate();
        return;
    }
    ui::Screen::keyPressEvent(event);
}

void TCatSelForm::reportLoadFailure(const QString& detail)
{
    ui::messageBox(this, QStringLiteral("Error"), QStringLiteral("問題ファイルを読み込めませんでした。\n") + detail);
    hide();
    screens().CourseMenuForm->show();
}
