// The update and sync screens driven headless against quarvel-center and small raw servers.
#include "OnlineFixtures.h"
#include "bank/Cp932.h"
#include "bank/SettingsStore.h"
#include "online/HistorySync.h"
#include "online/screens/TDownLoad.h"
#include "online/screens/TSyncCandidateForm.h"
#include "online/screens/TSyncForm.h"
#include "online/screens/TUpdateForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "ui/PictureButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include <memory>

using namespace onlinefixtures;

namespace {

const QString kSection = QStringLiteral("Quarvel");

QStringList messages()
{
    QStringList out;
    for (const auto& m : ui::testing::shownMessages())
        out.append(m.title + QStringLiteral(": ") + m.text);
    return out;
}

} // namespace

class TestOnlineScreens : public QObject {
    Q_OBJECT
    std::unique_ptr<testsupport::TempInstall> m_install;
    int m_programEnds = 0;

    void installVendors(const QStringList& vendors, const QString& server)
    {
        for (const QString& vendor : vendors)
            m_install->writeFile(QStringLiteral("QDAT/%1/%1-1.qdf").arg(vendor),
                                 questionFile("QV-" + vendor.toStdString(), "Local", "20010510120000"));
        m_install->writeFile(QStringLiteral("BIN/SRV_INFO"),
                             (server + QStringLiteral("\ncgi-bin/update\n") + server + QStringLiteral("\nimages\n")).toStdString());
        m_install->writeFile(QStringLiteral("BIN/His_srv"), (server + QStringLiteral("/cgi-bin/his-status\n") + server
                                                             + QStringLiteral("/cgi-bin/his-upload\n") + server
                                                             + QStringLiteral("/cgi-bin/his-download\n"))
                                                                .toStdString());
        createScreens();
    }

private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        ui::testing::clearShownMessages();
        m_programEnds = 0;
        setProgramEndHandler([this] { ++m_programEnds; });
        settings::WriteSetting(kSection, QStringLiteral("ProxyServer"), QStringLiteral("Input Proxy Server name"));
        settings::WriteSetting(kSection, QStringLiteral("ProxyPort"), QStringLiteral("Input Proxy Port"));
        settings::WriteSetting(kSection, QStringLiteral("Serial"), QStringLiteral("S-1"));
        settings::WriteSetting(kSection, QStringLiteral("LastUpdateYear"), QString());
    }
    void cleanup()
    {
        destroyScreens();
        m_install.reset();
    }

    void updateScreenShowsItsChoices()
    {
        Center center;
        installVendors({QStringLiteral("oracle"), QStringLiteral("cisco")}, center.address());
        screens().CourseMenuForm->Image4MouseDown(84 + 77 + 30); // the Cisco tab
        TUpdateForm* form = screens().UpdateForm;
        form->show();
        QStringList items;
        for (int i = 0; i < form->ComboBox2()->count(); ++i)
            items.append(form->ComboBox2()->itemText(i));
        QCOMPARE(items, (QStringList{QStringLiteral("全部"), QStringLiteral("Oracle"), QStringLiteral("Cisco")}));
        QCOMPARE(form->ComboBox2()->currentText(), QStringLiteral("Cisco"));
        QCOMPARE(form->ProxyServer()->text(), QStringLiteral("Input Proxy Server name"));
        QCOMPARE(form->ProxyPort()->text(), QStringLiteral("Input Proxy Port"));
        QVERIFY(!form->ProxyServer()->isEnabled());
        form->CheckBox1()->click();
        QVERIFY(form->ProxyServer()->isEnabled() && form->ProxyPort()->isEnabled());
        QCOMPARE(form->ProxyServer()->palette().color(QPalette::Base), QColor(Qt::white));
        form->CheckBox1()->click();
        QCOMPARE(form->ProxyPort()->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    }

    void allVendorsInListOrderWithNothingNew()
    {
        Center center;
        const QStringList vendors{QStringLiteral("japan"), QStringLiteral("oracle"), QStringLiteral("cisco")};
        for (const QString& vendor : vendors)
            QVERIFY(writeBytes(center.updatesDir() + vendor + QStringLiteral("-1.qdf"),
                               questionFile("X", "Same", "20010510120000")));
        installVendors(vendors, center.address());
        TUpdateForm* form = screens().UpdateForm;
        form->show();
        form->ComboBox2()->setCurrentIndex(0);
        form->Image2Click();
        const QString ask = QStringLiteral("確認: 問題がアップデートされると、これに対応する履歴はクリアされます。よろしいですか?");
        const QString none = QStringLiteral("問題ファイル更新情報: 新しい問題ファイルはありませんでした");
        QCOMPARE(messages(), (QStringList{QStringLiteral("確認: Oracle の更新を行います。"), ask, none,
                                          QStringLiteral("確認: Cisco の更新を行います。"), ask, none,
                                          QStringLiteral("確認: 情報処理 の更新を行います。"), ask, none}));
        QCOMPARE(m_programEnds, 0);
        QVERIFY(!form->isVisible());
        QVERIFY(!screens().DownLoad->isVisible());
    }

    void cancellingTheConfirmationChangesNothing()
    {
        RawServer server([](const std::string&) { return RawServer::response(200, "x"); });
        installVendors({QStringLiteral("oracle")}, server.address());
        const auto before = snapshot(m_install->root());
        TUpdateForm* form = screens().UpdateForm;
        form->show();
        ui::testing::queueAnswer(QMessageBox::Cancel);
        form->Image2Click();
        QCOMPARE(snapshot(m_install->root()), before);
        QCOMPARE(server.requests().size(), size_t(0));
        QCOMPARE(m_programEnds, 0);
    }

    void aTimeOutIsRequired()
    {
        RawServer server([](const std::string&) { return RawServer::response(200, "x"); });
        installVendors({QStringLiteral("oracle")}, server.address());
        const QString refused = QStringLiteral("確認: 接続タイムアウト時間に0秒以下を設定することはできません。");
        screens().UpdateForm->show();
        screens().UpdateForm->SpinEdit1()->setValue(0);
        screens().UpdateForm->Image2Click();
        screens().SyncForm->show();
        screens().SyncForm->SpinEdit1()->setValue(0);
        screens().SyncForm->Image1Click();
        QCOMPARE(messages(), (QStringList{refused, refused}));
        QCOMPARE(server.requests().size(), size_t(0));
    }

    void replacingRunListsRecordsAndEndsTheProgram()
    {
        Center center;
        QVERIFY(writeBytes(center.updatesDir() + QStringLiteral("oracle-1.qdf"),
                           questionFile("QV-101", cp932::fromUtf8("新しい版"), "20300101000000")));
        installVendors({QStringLiteral("oracle")}, center.address());
        TUpdateForm* form = screens().UpdateForm;
        form->show();
        form->Image2Click();
        QCOMPARE(messages().mid(1), (QStringList{
                                        QStringLiteral("問題ファイル更新情報: 以下の問題ファイルが更新されました。\r\nQV-101 : 新しい版\r\n"),
                                        QStringLiteral("確認: 問題ファイルが更新されましたので、Quarvelを一度終了する必要があります。"
                                                       "自動終了後、Quarvelを再度起動してください。")}));
        QCOMPARE(m_programEnds, 1);
        QCOMPARE(settings::ReadSetting(kSection, QStringLiteral("LastUpdateYear")), QString::number(QDate::currentDate().year()));
        QCOMPARE(screens().DownLoad->fileText(), QStringLiteral("模擬問題oracle-1.qdfをダウンロード中"));
        QVERIFY(screens().DownLoad->bytesText().endsWith(QStringLiteral(" bytes")));
        QVERIFY(screens().DownLoad->bytesText() != QStringLiteral("0 bytes"));
        QVERIFY(!screens().DownLoad->animationRunning());
    }

    void failedRunsSayWhyAndKeepTheProgram_data()
    {
        QTest::addColumn<bool>("listening");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("404") << true << QStringList{QStringLiteral("Error: ダウンロードに失敗しました。")};
        QTest::newRow("nothing listening") << false
                                           << QStringList{QStringLiteral("情報: ダウンロード・サイトへの接続に失敗しました。設定項目をご確認ください。"),
                                                          QStringLiteral("Error: ダウンロードに失敗しました。")};
    }
    void failedRunsSayWhyAndKeepTheProgram()
    {
        QFETCH(bool, listening);
        QFETCH(QStringList, expected);
        RawServer server([](const std::string&) { return RawServer::response(404, "<html>no</html>"); });
        installVendors({QStringLiteral("oracle")}, listening ? server.address() : QStringLiteral("127.0.0.1:%1").arg(freePort()));
        const auto before = snapshot(m_install->root());
        TUpdateForm* form = screens().UpdateForm;
        form->show();
        form->SpinEdit1()->setValue(2);
        form->Image2Click();
        QCOMPARE(messages().mid(1), expected);
        QCOMPARE(m_programEnds, 0);
        // Only the proxy fields were stored.
        QCOMPARE(snapshot(m_install->root()), before);
    }

    void syncListsCancelsAndTransfers()
    {
        Center center;
        QCOMPARE(center.addUser(QStringLiteral("S-1")), 0);
        installVendors({QStringLiteral("oracle")}, center.address());
        TSyncForm* form = screens().SyncForm;
        form->show();
        QCOMPARE(form->Edit4()->text(), QStringLiteral("Oracle"));
        QCOMPARE(form->ProxyServer()->text(), QStringLiteral("Input Proxy Name"));
        QCOMPARE(form->ProxyPort()->text(), QStringLiteral("Inout Proxy Port"));

        form->Image1Click();
        TSyncCandidateForm* list = screens().SyncCandidateForm;
        QVERIFY(list->isVisible());
        QTableWidget* grid = list->StringGrid1();
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("oracle-1"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("ｸﾗｲｱﾝﾄ最新"));
        QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("----"));
        QVERIFY(!form->Image1()->isEnabled());
        QVERIFY(!form->close()); // the list is open
        list->Image2Click();
        QVERIFY(form->Image1()->isEnabled());
        QCOMPARE(messages(), QStringList{});

        // Cancelled: the server still has nothing.
        form->Image1Click();
        QCOMPARE(list->StringGrid1()->item(0, 1)->text(), QStringLiteral("ｸﾗｲｱﾝﾄ最新"));

        // OK: closing is refused while the transfers run.
        bool closedDuringTransfer = true;
        bool sawBusy = false;
        QTimer::singleShot(0, form, [&] {
            sawBusy = form->transferring();
            closedDuringTransfer = form->close();
        });
        list->Image1Click();
        QVERIFY(sawBusy);
        QVERIFY(!closedDuringTransfer);
        QCOMPARE(messages(), QStringList{QStringLiteral("情報: 履歴情報の同期が完了しました。")});
        QCOMPARE(form->txtTestID()->text(), QStringLiteral("完了"));
        QVERIFY(form->Panel2()->isHidden());
        QVERIFY(!QFile::exists(m_install->programDir() + QStringLiteral("RecordInfo.txt")));

        form->Image1Click();
        QCOMPARE(list->StringGrid1()->item(0, 1)->text(), QStringLiteral("同期済み"));
        list->Image2Click();
        QVERIFY(form->close());
    }

    void syncShowsTheServerTextAsPlainText()
    {
        // The server speaks CP932; its text is shown as it stands, never read as markup.
        RawServer server([](const std::string&) { return RawServer::response(200, cp932::fromUtf8("ERROR1 <b>登録がありません</b>\r\n")); });
        installVendors({QStringLiteral("oracle")}, server.address());
        TSyncForm* form = screens().SyncForm;
        form->show();
        form->Image1Click();
        QVERIFY(!screens().SyncCandidateForm->isVisible());
        QCOMPARE(messages(), QStringList{QStringLiteral("情報: <b>登録がありません</b>")});
        QVERIFY(form->Image1()->isEnabled());
    }

    void syncFailureIsReported()
    {
        installVendors({QStringLiteral("oracle")}, QStringLiteral("127.0.0.1:%1").arg(freePort()));
        TSyncForm* form = screens().SyncForm;
        form->show();
        form->Image1Click();
        QCOMPARE(messages(), QStringList{QStringLiteral("情報: サーバーとの通信に失敗しました。履歴情報の同期はできませんでした。")});
        QVERIFY(form->Image1()->isEnabled());
        QVERIFY(form->close());
    }
};

QUARVEL_TEST_MAIN(TestOnlineScreens)
#include "TestOnlineScreens.moc"
