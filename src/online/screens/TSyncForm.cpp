#include "online/screens/TSyncForm.h"

#include "install/InstallLayout.h"
#include "online/OnlineMessages.h"
#include "online/OnlineVendors.h"
#include "online/screens/OnlineWidgets.h"
#include "online/screens/TSyncCandidateForm.h"
#include "install/Selection.h"
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

namespace {

QLineEdit* field(QWidget* parent, const QString& name, const QString& text, const QString& accessible, const QRect& where)
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
    QLabel* title = onlinescreens::label(this, QStringLiteral("Label14"), QStringLiteral("履歴情報の同期"), {16, 10, 408, 28});
    QFont font = title->font();
    font.setPointSize(14);
    font.setBold(true);
    title->setFont(font);

    onlinescreens::label(this, QStringLiteral("Label16"), QStringLiteral("対象ベンダー"), {16, 52, 150, 22});
    m_Edit4 = field(this, QStringLiteral("Edit4"), QString(), QStringLiteral("対象ベンダー"), {180, 50, 240, 24});
    m_Edit4->setReadOnly(true);
    m_ComboBox2 = new QComboBox(this);
    m_ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    m_ComboBox2->hide();

    m_CheckBox1 = new QCheckBox(QStringLiteral("Use Proxy"), this);
    m_CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_CheckBox1->setGeometry(16, 86, 150, 22);
    connect(m_CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    onlinescreens::label(this, QStringLiteral("Label5"), QStringLiteral("Proxy Server Name"), {16, 116, 150, 22});
    m_ProxyServer = field(this, QStringLiteral("ProxyServer"), QStringLiteral("Input Proxy Name"),
                          QStringLiteral("Proxy Server Name"), {180, 114, 240, 24});
    onlinescreens::label(this, QStringLiteral("Label6"), QStringLiteral("Proxy Port"), {16, 146, 150, 22});
    m_ProxyPort = field(this, QStringLiteral("ProxyPort"), QStringLiteral("Inout Proxy Port"), QStringLiteral("Proxy Port"),
                        {180, 144, 240, 24});
    onlinescreens::holdsPrompt(m_ProxyServer, {QStringLiteral("Input Proxy Name")});
    onlinescreens::holdsPrompt(m_ProxyPort, {QStringLiteral("Inout Proxy Port")});
    onlinescreens::setProxyFieldsEnabled(m_ProxyServer, m_ProxyPort, false);

    onlinescreens::label(this, QStringLiteral("Label15"), QStringLiteral("接続タイムアウト時間(秒)"), {16, 180, 160, 22});
    m_SpinEdit1 = new QSpinBox(this);
    m_SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    m_SpinEdit1->setAccessibleName(QStringLiteral("接続タイムアウト時間(秒)"));
    m_SpinEdit1->setRange(0, 1000);
    m_SpinEdit1->setValue(120);
    m_SpinEdit1->setGeometry(180, 178, 100, 24);

    onlinescreens::label(this, QStringLiteral("Label1"), QStringLiteral("当機能をご利用される場合には、"), {16, 214, 408, 20});
    onlinescreens::label(this, QStringLiteral("Label2"), QStringLiteral("事前に@Quarvelのお申し込みが必要になります。"), {16, 234, 408, 20});

    m_Image1 = new ui::PictureButton(this, QStringLiteral("Image1"));
    m_Image1->setGeometry(100, 266, 110, 40);
    m_Image1->setAccessibleName(QStringLiteral("同期開始"));
    connect(m_Image1, &ui::PictureButton::clicked, this, [this] { Image1Click(); });
    m_Button2 = new ui::PictureButton(this, QStringLiteral("Button2"));
    m_Button2->setGeometry(230, 266, 110, 40);
    m_Button2->setAccessibleName(QStringLiteral("閉じる"));
    connect(m_Button2, &ui::PictureButton::clicked, this, [this] { Button2Click(); });

    m_Panel2 = new QFrame(this);
    m_Panel2->setObjectName(QStringLiteral("Panel2"));
    m_Panel2->setGeometry(16, 316, 408, 68);
    m_txtTestID = onlinescreens::label(m_Panel2, QStringLiteral("txtTestID"), QString(), {8, 6, 392, 22});
    m_UpdateProg = new QProgressBar(m_Panel2);
    m_UpdateProg->setObjectName(QStringLiteral("UpdateProg"));
    m_UpdateProg->setAccessibleName(QStringLiteral("同期の進み具合"));
    m_UpdateProg->setGeometry(8, 36, 392, 20);
    m_Panel2->hide();

    setTabOrder(m_CheckBox1, m_ProxyServer);
    setTabOrder(m_ProxyServer, m_ProxyPort);
    setTabOrder(m_ProxyPort, m_SpinEdit1);
}

// The pictures wait until the screen is first shown or the program is idle.
void TSyncForm::FormPrepare()
{
    m_Image1->setPicture(ui::artwork::button(QStringLiteral("同期開始"), 110, 40));
    m_Button2->setPicture(ui::artwork::button(QStringLiteral("閉じる"), 110, 40));
}

// The vendor is fixed while the screen is open: what Edit4 names is what is synced, even when the
// course menu moves on to another vendor meanwhile.
void TSyncForm::FormShow()
{
    m_vendor = selection().theme().directory;
    m_tests = selection().vendorTests();
    const auto choices = online::vendorChoices(layout::questionRoot());
    m_ComboBox2->clear();
    for (const online::VendorChoice& choice : choices)
        m_ComboBox2->addItem(choice.label);
    const int index = online::choiceIndex(choices, m_vendor);
    m_ComboBox2->setCurrentIndex(index);
    m_Edit4->setText(index > 0 ? choices.at(index).label : online::vendorLabel(m_vendor));
}

bool TSyncForm::FormCloseQuery()
{
    return !m_busy && !m_waitingForList;
}

void TSyncForm::CheckBox1Click()
{
    onlinescreens::setProxyFieldsEnabled(m_ProxyServer, m_ProxyPort, m_CheckBox1->isChecked());
}

void TSyncForm::Button2Click()
{
    close();
}

void TSyncForm::Image1Click()
{
    if (m_busy || m_waitingForList || !m_Image1->isEnabled())
        return;
    // The time-out applies to the sync's calls too; none at all would let a silent server block.
    if (m_SpinEdit1->value() <= 0) {
        ui::messageBox(this, QStringLiteral("確認"), online::kTimeOutRequired);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_Image1->setEnabled(false);
    m_busy = true; // the status queries block too
    QString error;
    const auto servers = online::ReadSyncServers(layout::programDir() + QStringLiteral("His_srv"), error);
    m_NMHTTP1.whileWaiting = onlinescreens::keepPainting;
    const online::ConnectionSettings connection{m_CheckBox1->isChecked(), onlinescreens::fieldValue(m_ProxyServer),
                                                onlinescreens::fieldValue(m_ProxyPort), m_SpinEdit1->value()};
    std::optional<QString> problem = servers ? online::applyConnection(m_NMHTTP1, connection) : std::optional<QString>(error);
    if (problem) {
        qWarning("sync: %s", qPrintable(*problem));
        m_busy = false;
        return finish(online::kSyncFailed);
    }
    m_sync = std::make_unique<online::HistorySync>(m_NMHTTP1, *servers, online::readProfile(), layout::programDir());
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
    m_Panel2->show();
    const int n = int(m_rows.size());
    m_UpdateProg->setRange(0, std::max(1, n));
    bool failed = false;
    {
        const onlinescreens::TransferBusy busy;
        for (int t = 1; t <= n && !failed; ++t) {
            const online::SyncRow& row = m_rows.at(t - 1);
            ui::setPlainText(m_txtTestID, row.testId);
            m_UpdateProg->setValue(t);
            if (row.state == online::kStateClientNewer)
                ui::setPlainText(m_txtTestID, row.testId + QStringLiteral(" : アップロード中"));
            else if (row.state == online::kStateServerNewer)
                ui::setPlainText(m_txtTestID, row.testId + QStringLiteral(" : ダウンロード中"));
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
    m_txtTestID->setText(QStringLiteral("完了"));
    finish(online::kSyncDone);
}

void TSyncForm::finish(const QString& message, const QString& title)
{
    if (!message.isEmpty())
        ui::messageBox(this, title, message);
    m_Panel2->hide();
    m_busy = false;
    if (m_sync)
        m_sync->cleanUp();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    m_Image1->setEnabled(true);
}
