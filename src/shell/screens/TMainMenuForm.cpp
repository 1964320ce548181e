#include "shell/screens/TMainMenuForm.h"

#include "bank/Cp932.h"
#include "bank/SettingsStore.h"
#include "install/AddressFile.h"
#include "shell/OpticalDrives.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "ui/Artwork.h"
#include "ui/MessageBox.h"
#include "ui/PlainText.h"
#include "ui/Presses.h"
#include "ui/ShellOpen.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace
{
constexpr int kWidth = 400;
constexpr int kHeight = 436;
// More than this many ticks (100 ms each) with a profile shown, and the course menu follows.
constexpr int kTicksBeforeGoingOn = 50;
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kRed(0xFF, 0x00, 0x00);

QString section()
{
    return QString::fromLatin1(settings::kSection);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& where, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(where);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, const QRect& where)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(where);
    return edit;
}
} // namespace

TMainMenuForm::TMainMenuForm(QWidget* parent) : ui::Screen(QStringLiteral("MainMenuForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
    setKeyHelp({
        {QStringLiteral("Space / Enter"), QStringLiteral("コースメニューへ進む（プロフィール登録後）")},
        {QStringLiteral("Enter（入力欄で）"), QStringLiteral("プロフィールを登録して進む")},
        {QStringLiteral("Enter（リンクで）"), QStringLiteral("認定資格の情報ページを開く")},
    });
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    buildControls();
    FormCreate();
}

QString TMainMenuForm::vendorSiteAddress()
{
    return QStringLiteral("https://education.oracle.com/");
}

void TMainMenuForm::buildControls()
{
    setFixedSize(kWidth, kHeight);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 400, 300);
    Image1->setPixmap(ui::artwork::shippedTitlePicture());
    Image1->installEventFilter(this);

    Label17 = makeLabel(this, QStringLiteral("Label17"), QStringLiteral(" Ver 1.6"), {330, 281, 66, 16}, kSilver);
    Label17->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(5, 304, 389, 129);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setFrameShadow(QFrame::Plain);
    Shape1->setLineWidth(1);
    QPalette frame = black;
    frame.setColor(QPalette::WindowText, kSilver);
    Shape1->setPalette(frame);
    Shape1->installEventFilter(this);

    // Profile face.
    Label12 = makeLabel(Shape1, QStringLiteral("Label12"), {}, {16, 12, 357, 26}, Qt::white);
    QFont nameFont = Label12->font();
    nameFont.setPointSize(14);
    nameFont.setBold(true);
    Label12->setFont(nameFont);
    Label13 = makeLabel(Shape1, QStringLiteral("Label13"), {}, {16, 44, 357, 20}, kSilver);
    Label14 = makeLabel(Shape1, QStringLiteral("Label14"), {}, {16, 66, 357, 20}, kSilver);

    buildEntryFace();

    m_linkColour = kSilver;
    Label8 = makeLabel(Shape1, QStringLiteral("Label8"), QStringLiteral("ORACLE MASTER 認定資格の情報はこちら"),
                       {16, 104, 300, 18}, m_linkColour);
    QFont link = Label8->font();
    link.setUnderline(true);
    Label8->setFont(link);
    Label8->setCursor(Qt::PointingHandCursor);
    Label8->installEventFilter(this);
    // A link the keyboard reaches with Tab and opens with Enter; framed while it has the focus.
    Label8->setFocusPolicy(Qt::TabFocus);
    Label8->setAccessibleName(Label8->text());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TMainMenuForm::Timer1Timer);
}

// The entry face: the three profile fields with OK and キャンセル, shown while no profile is stored.
void TMainMenuForm::buildEntryFace()
{
    m_entryPanel = new QWidget(Shape1);
    m_entryPanel->setObjectName(QStringLiteral("EntryPanel"));
    m_entryPanel->setGeometry(1, 1, 387, 100);
    makeLabel(m_entryPanel, QStringLiteral("Label6"), QStringLiteral("氏名、所属、E-mailアドレスを登録してください。"),
              {9, 5, 370, 18}, Qt::white);
    makeLabel(m_entryPanel, QStringLiteral("Label7"), QStringLiteral("氏名 : "), {9, 29, 70, 20}, kSilver);
    makeLabel(m_entryPanel, QStringLiteral("Label9"), QStringLiteral("所属 : "), {9, 53, 70, 20}, kSilver);
    makeLabel(m_entryPanel, QStringLiteral("Label10"), QStringLiteral("E-mail : "), {9, 77, 70, 20}, kSilver);
    Edit1 = makeEdit(m_entryPanel, QStringLiteral("Edit1"), {79, 29, 200, 20});
    Edit2 = makeEdit(m_entryPanel, QStringLiteral("Edit2"), {79, 53, 200, 20});
    Edit3 = makeEdit(m_entryPanel, QStringLiteral("Edit3"), {79, 77, 200, 20});
    // Named as the messages about them name them, for screen readers.
    Edit1->setAccessibleName(QStringLiteral("氏名"));
    Edit2->setAccessibleName(QStringLiteral("所属"));
    Edit3->setAccessibleName(QStringLiteral("E-mailアドレス"));
    Button1 = new QPushButton(QStringLiteral("OK"), m_entryPanel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(291, 28, 86, 24);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), m_entryPanel);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(291, 60, 86, 24);
    // On the black screen the style's own focus frame can hardly be seen: a light ring shows it.
    m_entryPanel->setStyleSheet(QStringLiteral(
        "QPushButton { background: #d8d8d8; color: black; border: 1px solid #808080; border-radius: 3px; }"
        "QPushButton:focus { border: 3px solid #ffd040; }"));
    connect(Button1, &QPushButton::clicked, this, &TMainMenuForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TMainMenuForm::Button2Click);
    // Enter in any field is OK, as in a dialog.
    for (QLineEdit* edit : {Edit1, Edit2, Edit3})
        connect(edit, &QLineEdit::returnPressed, this, &TMainMenuForm::Button1Click);
    m_entryPanel->hide();
}

void TMainMenuForm::FormCreate()
{
    // A missing or empty CGI_URL leaves the inquiry address empty; the pages then post nowhere.
    m_inquiryAddress = addressfile::read(QStringLiteral("CGI_URL")).address;
    m_cdDrives = opticalDiscRoots();
}

void TMainMenuForm::readProfile()
{
    m_profile.name = settings::ReadSetting(section(), QStringLiteral("Name"));
    m_profile.organisation = settings::ReadSetting(section(), QStringLiteral("Org"));
    m_profile.email = settings::ReadSetting(section(), QStringLiteral("Email"));
    m_profile.serial = settings::ReadSetting(section(), QStringLiteral("Serial"));
}

void TMainMenuForm::showFace()
{
    m_entryFace = m_profile.name.trimmed().isEmpty();
    ui::setPlainText(Label12, m_profile.name);
    ui::setPlainText(Label13, m_profile.organisation);
    ui::setPlainText(Label14, m_profile.email);
    for (QLabel* label : {Label12, Label13, Label14})
        label->setVisible(!m_entryFace);
    m_entryPanel->setVisible(m_entryFace);
    // The entry face starts in the name field and the screen itself takes no focus there. With a
    // profile the screen holds the focus, so Space and Enter lead on; the profile's frame lights up
    // to show it.
    setFocusPolicy(m_entryFace ? Qt::NoFocus : Qt::TabFocus);
    if (m_entryFace)
        Edit1->setFocus();
    else
        setFocus();
    showScreenFocus();
}

void TMainMenuForm::showScreenFocus()
{
    const bool focused = hasFocus();
    QPalette frame = Shape1->palette();
    frame.setColor(QPalette::WindowText, focused ? Qt::white : kSilver);
    Shape1->setPalette(frame);
    Shape1->setLineWidth(focused ? 2 : 1);
}

void TMainMenuForm::focusInEvent(QFocusEvent* event)
{
    ui::Screen::focusInEvent(event);
    showScreenFocus();
}

void TMainMenuForm::focusOutEvent(QFocusEvent* event)
{
    ui::Screen::focusOutEvent(event);
    showScreenFocus();
}

void TMainMenuForm::FormShow()
{
    readProfile();
    showFace();
    m_ticks = 0;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // Also started here: a window manager may never activate a borderless window.
    Timer1->start();
}

void TMainMenuForm::FormActivate()
{
    if (!Timer1->isActive() && isVisible())
        Timer1->start();
}

void TMainMenuForm::FormHide()
{
    Timer1->stop();
}

void TMainMenuForm::FormClose()
{
    endProgram();
}

void TMainMenuForm::Timer1Timer()
{
    if (m_ticks % 5 == 0) {
        m_linkColour = m_linkColour == kSilver ? kRed : kSilver;
        QPalette p = Label8->palette();
        p.setColor(QPalette::WindowText, m_linkColour);
        Label8->setPalette(p);
    }
    if (!m_entryFace && m_ticks > kTicksBeforeGoingOn) {
        goOn();
        return;
    }
    ++m_ticks;
}

void TMainMenuForm::goOn()
{
    // Once per showing: a tick already queued when the screen was hidden must not show the menu again.
    if (!isVisible())
        return;
    hide();
    screens().CourseMenuForm->show();
}

void TMainMenuForm::FormKeyDown(int key)
{
    // Not before a profile is stored: the course menu and everything after it need one.
    if (key == Qt::Key_Space && !m_profile.name.trimmed().isEmpty())
        goOn();
}

void TMainMenuForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        FormKeyDown(event->key());
        return;
    }
    // Enter leads on where a click on the picture does: with a profile shown.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        Image1Click();
        return;
    }
    ui::Screen::keyPressEvent(event);
}

void TMainMenuForm::Image1Click()
{
    if (!m_profile.name.trimmed().isEmpty())
        goOn();
}

void TMainMenuForm::Shape1MouseDown()
{
    if (!m_profile.name.trimmed().isEmpty())
        goOn();
}

void TMainMenuForm::Label8Click()
{
    ui::openExternal(vendorSiteAddress(), false);
}

void TMainMenuForm::Button1Click()
{
    if (Edit1->text().trimmed().isEmpty()) {
        ui::messageBox(this, QStringLiteral("Error"), QStringLiteral("名前を入力してください。"));
        return;
    }
    // Everything stored is later written into CP932 files and pages: refuse what they cannot hold.
    const std::array<std::pair<QLineEdit*, QString>, 3> fields{
        {{Edit1, QStringLiteral("氏名")}, {Edit2, QStringLiteral("所属")}, {Edit3, QStringLiteral("E-mailアドレス")}}};
    for (const auto& [edit, caption] : fields) {
        if (!cp932::fromUnicodeStrict(edit->text())) {
            ui::messageBox(this, QStringLiteral("Error"),
                           QStringLiteral("%1に使用できない文字が含まれています。").arg(caption));
            edit->setFocus();
            return;
        }
    }
    settings::WriteSetting(section(), QStringLiteral("Name"), Edit1->text());
    settings::WriteSetting(section(), QStringLiteral("Org"), Edit2->text());
    settings::WriteSetting(section(), QStringLiteral("Email"), Edit3->text());
    readProfile();
    showFace();
    goOn();
}

void TMainMenuForm::Button2Click()
{
    close();
}

bool TMainMenuForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label8) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            Label8->setFrameShape(Label8->hasFocus() ? QFrame::Box : QFrame::NoFrame);
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Label8Click();
                return true;
            }
        }
        // The link takes its own presses, so they do not reach the frame beneath it.
        if (ui::isPress(event))
            return true;
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && Label8->rect().contains(mouse->position().toPoint()))
                Label8Click();
            return true;
        }
    }
    if (watched == Image1) {
        // Taking the press makes the picture receive the release that completes the click.
        if (ui::isPress(event))
            return true;
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && Image1->rect().contains(mouse->position().toPoint()))
                Image1Click();
            return true;
        }
    }
    if (watched == Shape1 && ui::isPress(event)) {
        Shape1MouseDown();
        return true;
    }
    return ui::Screen::eventFilter(watched, event);
}

bool TMainMenuForm::showsScreenFocus() const
{
    return Shape1->lineWidth() == 2;
}
