#include "online/screens/TUpdateForm.h"

#include "bank/SettingsStore.h"
#include "install/InstallLayout.h"
#include "install/Selection.h"
#include "online/OnlineMessages.h"
#include "online/screens/OnlineWidgets.h"
#include "online/screens/TDownLoad.h"
#include "shell/screens/ScreenCatalogue.h"
#include "ui/Artwork.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

TUpdateForm::TUpdateForm(QWidget* parent) : ui::Screen(QStringLiteral("UpdateForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
    setKeyHelp({
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    setFixedSize(420, 300);
    Label14 = onlinescreens::label(this, QStringLiteral("Label14"), QStringLiteral("模擬問題更新"), {16, 12, 388, 28});
    QFont title = Label14->font();
    title.setPointSize(14);
    title.setBold(true);
    Label14->setFont(title);

    onlinescreens::label(this, QStringLiteral("Label1"), QStringLiteral("対象ベンダー"), {16, 56, 150, 22});
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setAccessibleName(QStringLiteral("対象ベンダー"));
    ComboBox2->setGeometry(180, 54, 224, 24);

    CheckBox1 = new QCheckBox(QStringLiteral("Use Proxy"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(16, 92, 150, 22);
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    onlinescreens::label(this, QStringLiteral("Label5"), QStringLiteral("Proxy Server Name"), {16, 122, 150, 22});
    ProxyServer = new QLineEdit(this);
    ProxyServer->setObjectName(QStringLiteral("ProxyServer"));
    ProxyServer->setAccessibleName(QStringLiteral("Proxy Server Name"));
    ProxyServer->setGeometry(180, 120, 224, 24);
    onlinescreens::label(this, QStringLiteral("Label6"), QStringLiteral("Proxy Port"), {16, 152, 150, 22});
    ProxyPort = new QLineEdit(this);
    ProxyPort->setObjectName(QStringLiteral("ProxyPort"));
    ProxyPort->setAccessibleName(QStringLiteral("Proxy Port"));
    ProxyPort->setGeometry(180, 150, 224, 24);
    onlinescreens::holdsPrompt(ProxyServer, {QStringLiteral("Input Proxy Server name")});
    onlinescreens::holdsPrompt(ProxyPort, {QStringLiteral("Input Proxy Port")});
    onlinescreens::setProxyFieldsEnabled(ProxyServer, ProxyPort, false);

    onlinescreens::label(this, QStringLiteral("Label15"), QStringLiteral("接続タイムアウト時間(秒)"),
                         {16, 186, 160, 22});
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setAccessibleName(QStringLiteral("接続タイムアウト時間(秒)"));
    SpinEdit1->setRange(0, 1000);
    SpinEdit1->setValue(120);
    SpinEdit1->setGeometry(180, 184, 100, 24);

    Image2 = new ui::PictureButton(this, QStringLiteral("Image2"));
    Image2->setGeometry(96, 236, 110, 40);
    Image2->setAccessibleName(QStringLiteral("更新開始"));
    connect(Image2, &ui::PictureButton::clicked, this, [this] { Image2Click(); });
    Button2 = new ui::PictureButton(this, QStringLiteral("Button2"));
    Button2->setGeometry(216, 236, 110, 40);
    Button2->setAccessibleName(QStringLiteral("閉じる"));
    Button2->setFeedbackForAnyButton(true);
    connect(Button2, &ui::PictureButton::clicked, this, [this] { Button2Click(); });
    setTabOrder(ComboBox2, CheckBox1);
    setTabOrder(CheckBox1, ProxyServer);
    setTabOrder(ProxyServer, ProxyPort);
    setTabOrder(ProxyPort, SpinEdit1);
}

// Done once per showing: a message box returning the focus must not reset the choices.
// The pictures wait until the screen is first shown or the program is idle.
void TUpdateForm::FormPrepare()
{
    Image2->setPicture(ui::artwork::button(QStringLiteral("更新開始"), 110, 40));
    Button2->setPicture(ui::artwork::button(QStringLiteral("閉じる"), 110, 40));
}

void TUpdateForm::FormShow()
{
    if (screens().DownLoad)
        screens().DownLoad->showBytes(0);
    QString error;
    m_server = online::ReadServerInfo(layout::programDir() + QStringLiteral("SRV_INFO"), error);
    if (!m_server)
        ui::messageBox(this, QStringLiteral("Error"), error);
    const QString section = QLatin1String(settings::kSection);
    ProxyServer->setText(
        settings::ReadSetting(section, QStringLiteral("ProxyServer"), QStringLiteral("Input Proxy Server name")));
    ProxyPort->setText(settings::ReadSetting(section, QStringLiteral("ProxyPort"), QStringLiteral("Input Proxy Port")));
    m_choices = online::vendorChoices(layout::DataRoot() + QStringLiteral("QDAT/"));
    ComboBox2->clear();
    for (const online::VendorChoice& choice : m_choices)
        ComboBox2->addItem(choice.label);
    const QString vendor = selection().theme().directory;
    ComboBox2->setCurrentIndex(online::choiceIndex(m_choices, vendor));
}

bool TUpdateForm::FormCloseQuery()
{
    return !m_running;
}

void TUpdateForm::CheckBox1Click()
{
    onlinescreens::setProxyFieldsEnabled(ProxyServer, ProxyPort, CheckBox1->isChecked());
}

void TUpdateForm::Button2Click()
{
    close();
}

void TUpdateForm::Image2Click()
{
    if (m_running)
        return;
    // No time limit would let a silent server block the program for good.
    if (SpinEdit1->value() <= 0) {
        ui::messageBox(this, QStringLiteral("確認"), online::kTimeOutRequired);
        return;
    }
    if (!m_server) {
        // SRV_INFO was missing when the screen was shown: there is nowhere to ask.
        QString error;
        m_server = online::ReadServerInfo(layout::programDir() + QStringLiteral("SRV_INFO"), error);
        if (!m_server) {
            ui::messageBox(this, QStringLiteral("Error"), error);
            return;
        }
    }
    const int chosen = ComboBox2->currentIndex();
    const bool all = chosen <= 0;
    const QList<online::VendorChoice> vendors = all ? m_choices.mid(1) : m_choices.mid(chosen, 1);
    if (vendors.isEmpty())
        return;
    // "全部" asks once for every vendor, naming them in the order they are run.
    QString question = online::kHistoryWillClear;
    if (all) {
        QStringList labels;
        for (const online::VendorChoice& vendor : vendors)
            labels.append(vendor.label);
        question = labels.join(QStringLiteral("、")) + QStringLiteral(" の更新を行います。\r\n") + question;
    }
    if (ui::messageBox(this, QStringLiteral("確認"), question, QMessageBox::Ok | QMessageBox::Cancel) !=
        QMessageBox::Ok)
        return;

    const std::vector<online::VendorOutcome> outcomes = download(vendors);
    bool replaced = false;
    for (const online::VendorOutcome& outcome : outcomes) {
        replaced = replaced || !outcome.run.replaced.empty();
        if (outcome.run.failed)
            qWarning("update of %s failed: %s", qPrintable(outcome.label), qPrintable(outcome.run.cause));
    }
    if (all) {
        ui::messageBox(this, online::kUpdateTitle, online::allVendorsSummary(outcomes));
    } else {
        const online::VendorOutcome& outcome = outcomes.front();
        if (outcome.connectionFailed)
            ui::messageBox(this, QStringLiteral("情報"), online::kConnectFailed);
        if (outcome.run.failed)
            ui::messageBox(this, QStringLiteral("Error"), online::kDownloadFailed);
        else if (outcome.run.replaced.empty())
            ui::messageBox(this, online::kUpdateTitle, online::kNothingNew);
        else
            ui::messageBox(this, online::kUpdateTitle, online::replacedListMessage(outcome.run.replaced));
    }
    close();
    // Files replaced before a failure stay replaced, and that still needs a restart.
    if (replaced) {
        online::recordUpdateDate(QDate::currentDate());
        ui::messageBox(this, QStringLiteral("確認"), online::kMustRestart);
        endProgram();
    }
}

std::vector<online::VendorOutcome> TUpdateForm::download(const QList<online::VendorChoice>& vendors)
{
    TDownLoad* progress = screens().DownLoad;
    progress->showOver(this);
    progress->startAnimation();
    hide();
    const QString section = QLatin1String(settings::kSection);
    settings::WriteSetting(section, QStringLiteral("ProxyServer"), ProxyServer->text());
    settings::WriteSetting(section, QStringLiteral("ProxyPort"), ProxyPort->text());

    m_running = true;
    // Messages wait until the transfers are over: no box opens while input is thrown away.
    bool connectionFailed = false;
    NMFTP1.OnPacketRecvd = [progress](qint64 received) { progress->showBytes(received); };
    NMFTP1.OnConnectionFailed = [&connectionFailed] { connectionFailed = true; };
    NMFTP1.whileWaiting = onlinescreens::keepPainting;
    std::vector<online::VendorOutcome> outcomes;
    {
        const onlinescreens::TransferBusy busy;
        const std::optional<QString> problem =
            online::applyConnection(NMFTP1, {CheckBox1->isChecked(), onlinescreens::fieldValue(ProxyServer),
                                             onlinescreens::fieldValue(ProxyPort), SpinEdit1->value()});
        const online::Profile profile = online::readProfile();
        for (const online::VendorChoice& vendor : vendors) {
            online::VendorOutcome outcome{vendor.label, {}, false};
            connectionFailed = false;
            if (problem) {
                outcome.run.failed = true;
                outcome.run.cause = *problem;
            } else {
                outcome.run = online::RunVendorUpdate(NMFTP1, *m_server, profile, vendor.directory,
                                                      {[progress](const QString& name) { progress->showFile(name); }});
            }
            outcome.connectionFailed = connectionFailed;
            outcomes.push_back(std::move(outcome));
        }
    }
    NMFTP1.OnConnectionFailed = nullptr;
    m_running = false;
    progress->stopAnimation();
    progress->close();
    return outcomes;
}
