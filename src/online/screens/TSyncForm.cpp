#include "online/screens/TSyncForm.h"

#include "install/InstallLayout.h"
#include "install/Selection.h"
#include "online/OnlineMessages.h"
#include "online/OnlineVendors.h"
#include "online/screens/OnlineWidgets.h"
#include "online/screens/TSyncCandidateForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "ui/Artwork.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>

namespace
{

QLineEdit* field(QWidget* parent, const QString& name, const QString& text, const QString& accessible,
                 const QRect& where)
{
    auto* f = new QLineEdit(text, parent);
    f->setObjectName(name);
    f->setAccessibleName(accessible);
    f->setGeometry(where);
    return f;
}

} // namespace

TSyncForm::TSyncForm(QWidget* parent) : ui::Screen(QStringLiteral("SyncForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel Internet-Sync"));
    setKeyHelp({
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    setClosesOnEscape(true);
    setFixedSize(440, 400);
    QLabel* title =
        onlinescreens::label(this, QStringLiteral("Label14"), QStringLiteral("履歴情報の同期"), {16, 10, 408, 28});
    QFont font = title->font();
    font.setPointSize(14);
    font.setBold(true);
    title->setFont(font);

    onlinescreens::label(this, QStringLiteral("Label16"), QStringLiteral("対象ベンダー"), {16, 52, 150, 22});
    Edit4 = field(this, QStringLiteral("Edit4"), QString(), QStringLiteral("対象ベンダー"), {180, 50, 240, 24});
    Edit4->setReadOnly(true);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->hide();

    CheckBox1 = new QCheckBox(QStringLiteral("Use Proxy"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(16, 86, 150, 22);
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    onlinescreens::label(this, QStringLiteral("Label5"), QStringLiteral("Proxy Server Name"), {16, 116, 150, 22});
    ProxyServer = field(this, QStringLiteral("ProxyServer"), QStringLiteral("Input Proxy Name"),
                        QStringLiteral("Proxy Server Name"), {180, 114, 240, 24});
    onlinescreens::label(this, QStringLiteral("Label6"), QStringLiteral("Proxy Port"), {16, 146, 150, 22});
    ProxyPort = field(this, QStringLiteral("ProxyPort"), QStringLiteral("Inout Proxy Port"),
                      QStringLiteral("Proxy Port"), {180, 144, 240, 24});
    onlinescreens::holdsPrompt(ProxyServer, {QStringLiteral("Input Proxy Name")});
    onlinescreens::holdsPrompt(ProxyPort, {QStringLiteral("Inout Proxy Port")});
    onlinescreens::setProxyFieldsEnabled(ProxyServer, ProxyPort, false);

    onlinescreens::label(this, QStringLiteral("Label15"), QStringLiteral("接続タイムアウト時間(秒)"),
                         {16, 180, 160, 22});
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setAccessibleName(QStringLiteral("接続タイムアウト時間(秒)"));
    SpinEdit1->setRange(0, 1000);
    SpinEdit1->setValue(120);
    SpinEdit1->setGeometry(180, 178, 100, 24);

    onlinescreens::label(this, QStringLiteral("Label1"), QStringLiteral("当機能をご利用される場合には、"),
                         {16, 214, 408, 20});
    onlinescreens::label(this, QStringLiteral("Label2"), QStringLiteral("事前に@Quarvelのお申し込みが必要になります。"),
                         {16, 234, 408, 20});

    Image1 = new ui::PictureButton(this, QStringLiteral("Image1"));
    Image1->setGeometry(100, 266, 110, 40);
    Image1->setAccessibleName(QStringLiteral("同期開始"));
    connect(Image1, &ui::PictureButton::clicked, this, [this] { Image1Click(); });
    Button2 = new ui::PictureButton(this, QStringLiteral("Button2"));
    Button2->setGeometry(230, 266, 110, 40);
    Button2->setAccessibleName(QStringLiteral("閉じる"));
    connect(Button2, &ui::PictureButton::clicked, this, [this] { Button2Click(); });

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(16, 316, 408, 68);
    txtTestID = onlinescreens::label(Panel2, QStringLiteral("txtTestID"), QString(), {8, 6, 392, 22});
    UpdateProg = new QProgressBar(Panel2);
    UpdateProg->setObjectName(QStringLiteral("UpdateProg"));
    UpdateProg->setAccessibleName(QStringLiteral("同期の進み具合"));
    UpdateProg->setGeometry(8, 36, 392, 20);
    Panel2->hide();

    setTabOrder(CheckBox1, ProxyServer);
    setTabOrder(ProxyServer, ProxyPort);
    setTabOrder(ProxyPort, SpinEdit1);
}

// The pictures wait until the screen is first shown or the program is idle.
void TSyncForm::FormPrepare()
{
    Image1->setPicture(ui::artwork::button(QStringLiteral("同期開始"), 110, 40));
    Button2->setPicture(ui::artwork::button(QStringLiteral("閉じる"), 110, 40));
}

// The vendor is fixed while the screen is open: what Edit4 names is what is synced, even when the
// course menu moves on to another vendor meanwhile.
void TSyncForm::FormShow()
{
    m_vendor = selection().theme().directory;
    m_tests = selection().vendorTests();
    const auto choices = online::vendorChoices(layout::questionRoot());
    ComboBox2->clear();
    for (const online::VendorChoice& choice : choices)
        ComboBox2->addItem(choice.label);
    const int index = online::choiceIndex(choices, m_vendor);
    ComboBox2->setCurrentIndex(index);
    Edit4->setText(index > 0 ? choices.at(index).label : online::vendorLabel(m_vendor));
}

bool TSyncForm::FormCloseQuery()
{
    return !m_busy && !m_waitingForList;
}

void TSyncForm::CheckBox1Click()
{
    onlinescreens::setProxyFieldsEnabled(ProxyServer, ProxyPort, CheckBox1->isChecked());
}

void TSyncForm::Button2Click()
{
    close();
}

void TSyncForm::Image1Click()
{
    if (m_busy || m_waitingForList || !Image1->isEnabled())
        return;
    // The time-out applies to the sync's calls too; none at all would let a silent server block.
    if (SpinEdit1->value() <= 0) {
        ui::messageBox(this, QStringLiteral("確認"), online::kTimeOutRequired);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Image1->setEnabled(false);
    m_busy = true; // the status queries block too
    QString error;
    const auto servers = online::ReadSyncServers(layout::programDir() + QStringLiteral("His_srv"), error);
    NMHTTP1.whileWaiting = onlinescreens::keepPainting;
    const online::ConnectionSettings connection{CheckBox1->isChecked(), onlinescreens::fieldValue(ProxyServer),
                                                onlinescreens::fieldValue(ProxyPort), SpinEdit1->value()};
    std::optional<QString> problem =
        servers ? online::applyConnection(NMHTTP1, connection) : std::optional<QString>(error);
    if (problem) {
        qWarning("sync: %s", qPrintable(*problem));
        m_busy = false;
        return finish(online::kSyncFailed);
    }
    m_sync = std::make_unique<online::HistorySync>(NMHTTP1, *servers, online::readProfile(), layout::programDir());
    const online::HistorySync::Result status = [this] {
        const onlinescreens::TransferBusy busy;
        return m_sync->queryStatus(m_tests, m_rows);
    }();
    m_busy = false;
    if (status.outcome == online::HistorySync::Outcome::UserError)
        return finish(status.message);
    if (status.outcome == online::HistorySync::Outcome::Failed) {
        qWarning("sync: %s", qPrintable(status.message));
        return finish(online::kSyncFailed);
    }
    m_waitingForList = true;
    TSyncCandidateForm* list = screens().SyncCandidateForm;
    // The list is created after this screen, so the connection is made at its first use.
    connect(list, &TSyncCandidateForm::answered, this, &TSyncForm::candidatesAnswered, Qt::UniqueConnection);
    list->setRows(m_rows);
    list->showModal(this);
}

void TSyncForm::candidatesAnswered(bool ok)
{
    if (!m_waitingForList)
        return;
    m_waitingForList = false;
    if (!ok)
        return finish(QString());
    transfer();
}

void TSyncForm::transfer()
{
    m_busy = true;
    Panel2->show();
    const int n = int(m_rows.size());
    UpdateProg->setRange(0, std::max(1, n));
    bool failed = false;
    {
        const onlinescreens::TransferBusy busy;
        for (int t = 1; t <= n && !failed; ++t) {
            const online::SyncRow& row = m_rows.at(t - 1);
            ui::setPlainText(txtTestID, row.testId);
            UpdateProg->setValue(t);
            if (row.state == online::kStateClientNewer)
                ui::setPlainText(txtTestID, row.testId + QStringLiteral(" : アップロード中"));
            else if (row.state == online::kStateServerNewer)
                ui::setPlainText(txtTestID, row.testId + QStringLiteral(" : ダウンロード中"));
            onlinescreens::keepPainting();
            const online::HistorySync::Result result = m_sync->transfer(row);
            if (result.outcome != online::HistorySync::Outcome::Done) {
                qWarning("sync of %s: %s", qPrintable(row.testId), qPrintable(result.message));
                failed = true;
            }
        }
    }
    m_busy = false;
    if (failed)
        return finish(online::kSyncFailed);
    txtTestID->setText(QStringLiteral("完了"));
    finish(online::kSyncDone);
}

void TSyncForm::finish(const QString& message, const QString& title)
{
    if (!message.isEmpty())
        ui::messageBox(this, title, message);
    Panel2->hide();
    m_busy = false;
    if (m_sync)
        m_sync->cleanUp();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    Image1->setEnabled(true);
}
