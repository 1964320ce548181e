// The update and sync screens driven headless against quarvel-center and small raw servers.
#include "OnlineFixtures.h"
#include "bank/Cp932.h"
#include "bank/SettingsStore.h"
#include "online/HistorySync.h"
#include "online/screens/OnlineWidgets.h"
#include "online/screens/TDownLoad.h"
#include "online/screens/TSyncCandidateForm.h"
#include "online/screens/TSyncForm.h"
#include "online/screens/TUpdateForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "ui/PictureButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include <memory>

using namespace onlinefixtures;

namespace
{

const QString kSection = QStringLiteral("Quarvel");

// Counts the paints a widget receives while a transfer blocks.
class PaintCounter : public QObject
{
  public:
    explicit PaintCounter(int& count) : m_count(count) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && onlinescreens::TransferBusy::active())
            ++m_count;
        return false;
    }

  private:
    int& m_count;
};

QStringList messages()
{
    QStringList out;
    for (const auto& m : ui::testing::shownMessages())
        out.append(m.title + QStringLiteral(": ") + m.text);
    return out;
}

} // namespace

class TestOnlineScreens : public QObject
{
    Q_OBJECT
    std::unique_ptr<testsupport::TempInstall> m_install;
    int m_programEnds = 0;

    void installVendors(const QStringList& vendors, const QString& server)
    {
        for (const QString& vendor : vendors)
            m_install->writeFile(QStringLiteral("QDAT/%1/%1-1.qdf").arg(vendor),
                                 questionFile("QV-" + vendor.toStdString(), "Local", "20010510120000"));
        m_install->writeFile(
            QStringLiteral("BIN/SRV_INFO"),
            (server + QStringLiteral("\ncgi-bin/update\n") + server + QStringLiteral("\nimages\n")).toStdString());
        m_install->writeFile(QStringLiteral("BIN/His_srv"), (server + QStringLiteral("/cgi-bin/his-status\n") + server +
                                                             QStringLiteral("/cgi-bin/his-upload\n") + server +
                                                             QStringLiteral("/cgi-bin/his-download\n"))
                                                                .toStdString());
        createScreens();
        // As in the program, the course menu has listed the tests (and made their empty
        // histories) before the online screens open.
        screens().CourseMenuForm.get();
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
        for (int i = 0; i < form->ComboBox2->count(); ++i)
            items.append(form->ComboBox2->itemText(i));
        QCOMPARE(items, (QStringList{QStringLiteral("全部"), QStringLiteral("Oracle"), QStringLiteral("Cisco")}));
        QCOMPARE(form->ComboBox2->currentText(), QStringLiteral("Cisco"));
        QCOMPARE(form->ProxyServer->text(), QStringLiteral("Input Proxy Server name"));
        QCOMPARE(form->ProxyPort->text(), QStringLiteral("Input Proxy Port"));
        QVERIFY(!form->ProxyServer->isEnabled());
        form->CheckBox1->click();
        QVERIFY(form->ProxyServer->isEnabled() && form->ProxyPort->isEnabled());
        QCOMPARE(form->ProxyServer->palette().color(QPalette::Base), QColor(Qt::white));
        form->CheckBox1->click();
        QCOMPARE(form->ProxyPort->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
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
        form->ComboBox2->setCurrentIndex(0);
        form->Image2Click();
        // One question before, one summary after: no box per vendor.
        const QString none = QStringLiteral(" : 新しい問題ファイルはありませんでした\r\n");
        QCOMPARE(messages(),
                 (QStringList{
                     QStringLiteral("確認: Oracle、Cisco、情報処理 の更新を行います。\r\n"
                                    "問題がアップデートされると、これに対応する履歴はクリアされます。よろしいですか?"),
                     QStringLiteral("問題ファイル更新情報: Oracle") + none + QStringLiteral("Cisco") + none +
                         QStringLiteral("情報処理") + none}));
        QCOMPARE(m_programEnds, 0);
        QVERIFY(!form->isVisible());
        QVERIFY(!screens().DownLoad->isVisible());
    }

    void allVendorsGoOnPastAFailedVendor()
    {
        // The server has no copy of Oracle's test; Cisco's copy is newer, 情報処理's the same.
        Center center;
        QVERIFY(writeBytes(center.updatesDir() + QStringLiteral("cisco-1.qdf"),
                           questionFile("QV-cisco", cp932::fromUtf8("新版"), "20300101000000")));
        QVERIFY(writeBytes(center.updatesDir() + QStringLiteral("japan-1.qdf"),
                           questionFile("X", "Same", "20010510120000")));
        installVendors({QStringLiteral("oracle"), QStringLiteral("cisco"), QStringLiteral("japan")}, center.address());
        TUpdateForm* form = screens().UpdateForm;
        form->show();
        form->ComboBox2->setCurrentIndex(0);
        form->Image2Click();
        const QStringList shown = messages();
        QCOMPARE(shown.size(), 3);
        const QStringList summary = shown.at(1).split(QStringLiteral("\r\n"));
        QCOMPARE(summary.size(), 6);
        QCOMPARE(summary.at(0), QStringLiteral("問題ファイル更新情報: Oracle : ダウンロードに失敗しました。"));
        QVERIFY2(summary.at(1).startsWith(QStringLiteral("    http://")) &&
                     summary.at(1).endsWith(QStringLiteral("status 404")),
                 qPrintable(summary.at(1)));
        QCOMPARE(summary.mid(2),
                 (QStringList{QStringLiteral("Cisco : 以下の問題ファイルが更新されました。"),
                              QStringLiteral("QV-cisco : 新版"),
                              QStringLiteral("情報処理 : 新しい問題ファイルはありませんでした"), QString()}));
        QVERIFY(shown.at(2).startsWith(QStringLiteral("確認: 問題ファイルが更新されましたので")));
        QCOMPARE(m_programEnds, 1);
        QCOMPARE(testsupport::readBytes(m_install->root() + QStringLiteral("QDAT/cisco/cisco-1.qdf")),
                 questionFile("QV-cisco", cp932::fromUtf8("新版"), "20300101000000"));
    }

    void inputDuringATransferIsThrownAway_data()
    {
        QTest::addColumn<int>("phase");
        QTest::newRow("update") << 0;
        QTest::newRow("sync status") << 1;
        QTest::newRow("sync transfers") << 2;
    }
    void inputDuringATransferIsThrownAway()
    {
        QFETCH(int, phase);
        Center center;
        QCOMPARE(center.addUser(QStringLiteral("S-1")), 0);
        installVendors({QStringLiteral("oracle")}, center.address());
        QLineEdit probe;
        probe.show();
        // What the program shows while a transfer blocks, and what becomes of input made meanwhile.
        Qt::CursorShape cursor = Qt::ArrowCursor;
        int paintsWhileBusy = 0;
        PaintCounter counter(paintsWhileBusy);
        auto typeMeanwhile = [&] {
            QTimer::singleShot(0, &probe, [&] {
                cursor = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
                QTest::keyClicks(&probe, QStringLiteral("abc"));
                QTest::keyClick(&probe, Qt::Key_Escape);
                QTest::mouseDClick(&probe, Qt::LeftButton);
            });
        };
        if (phase == 0) {
            screens().DownLoad->installEventFilter(&counter);
            screens().UpdateForm->show();
            typeMeanwhile();
            screens().UpdateForm->Image2Click();
            QCOMPARE(messages().size(), 2);
        } else {
            TSyncForm* form = screens().SyncForm;
            form->show();
            form->Panel2->installEventFilter(&counter);
            if (phase == 1)
                typeMeanwhile();
            form->Image1Click();
            QVERIFY(screens().SyncCandidateForm->isVisible());
            if (phase == 2) {
                typeMeanwhile();
                screens().SyncCandidateForm->Image1Click();
                QCOMPARE(messages(), QStringList{QStringLiteral("情報: 履歴情報の同期が完了しました。")});
            }
        }
        QCOMPARE(cursor, Qt::WaitCursor);
        QCOMPARE(probe.text(), QString());
        if (phase != 1)
            QVERIFY(paintsWhileBusy > 0);
        // Once the transfer is over, input counts again.
        QTest::keyClicks(&probe, QStringLiteral("ok"));
        QCOMPARE(probe.text(), QStringLiteral("ok"));
    }

    void syncKeepsTheVendorItWasOpenedFor()
    {
        Center center;
        QCOMPARE(center.addUser(QStringLiteral("S-1")), 0);
        installVendors({QStringLiteral("oracle"), QStringLiteral("cisco")}, center.address());
        TSyncForm* form = screens().SyncForm;
        form->show();
        QCOMPARE(form->Edit4->text(), QStringLiteral("Oracle"));
        screens().CourseMenuForm->Image4MouseDown(84 + 77 + 30); // the Cisco tab
        form->Image1Click();
        QCOMPARE(form->Edit4->text(), QStringLiteral("Oracle"));
        QTableWidget* grid = screens().SyncCandidateForm->StringGrid1;
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("oracle-1"));
        screens().SyncCandidateForm->Image2Click();
    }

    void proxyPromptsGiveWayToTyping_data()
    {
        QTest::addColumn<bool>("sync");
        QTest::addColumn<bool>("port");
        QTest::addColumn<QString>("stored"); // what the settings store holds before; "" for the prompt
        QTest::addColumn<QString>("expected");
        QTest::newRow("sync host") << true << false << QString() << QStringLiteral("proxy.local");
        QTest::newRow("sync port") << true << true << QString() << QStringLiteral("proxy.local");
        QTest::newRow("update port") << false << true << QString() << QStringLiteral("proxy.local");
        QTest::newRow("update, a stored host stays")
            << false << false << QStringLiteral("gw") << QStringLiteral("gwproxy.local");
    }
    void proxyPromptsGiveWayToTyping()
    {
        QFETCH(bool, sync);
        QFETCH(bool, port);
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        if (!stored.isEmpty())
            settings::WriteSetting(kSection, QStringLiteral("ProxyServer"), stored);
        installVendors({QStringLiteral("oracle")}, QStringLiteral("127.0.0.1:1"));
        ui::Screen* form = sync ? static_cast<ui::Screen*>(screens().SyncForm) : screens().UpdateForm;
        QLineEdit* field =
            form->findChild<QLineEdit*>(port ? QStringLiteral("ProxyPort") : QStringLiteral("ProxyServer"));
        form->show();
        QApplication::setActiveWindow(form);
        form->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->click();
        const QString prompt = field->text();
        QCOMPARE(onlinescreens::fieldValue(field), stored);
        // Clicked at its end: the text is selected whole all the same, and typing replaces it.
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 4, field->height() / 2));
        QCoreApplication::processEvents();
        QCOMPARE(field->selectedText(), stored.isEmpty() ? prompt : QString());
        QTest::keyClicks(field, QStringLiteral("proxy.local"));
        QCOMPARE(field->text(), expected);
        QCOMPARE(onlinescreens::fieldValue(field), expected);
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
        screens().UpdateForm->SpinEdit1->setValue(0);
        screens().UpdateForm->Image2Click();
        screens().SyncForm->show();
        screens().SyncForm->SpinEdit1->setValue(0);
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
        QCOMPARE(
            messages().mid(1),
            (QStringList{
                QStringLiteral("問題ファイル更新情報: 以下の問題ファイルが更新されました。\r\nQV-101 : 新しい版\r\n"),
                QStringLiteral("確認: 問題ファイルが更新されましたので、Quarvelを一度終了する必要があります。"
                               "自動終了後、Quarvelを再度起動してください。")}));
        QCOMPARE(m_programEnds, 1);
        QCOMPARE(settings::ReadSetting(kSection, QStringLiteral("LastUpdateYear")),
                 QString::number(QDate::currentDate().year()));
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
        QTest::newRow("nothing listening")
            << false
            << QStringList{
                   QStringLiteral("情報: ダウンロード・サイトへの接続に失敗しました。設定項目をご確認ください。"),
                   QStringLiteral("Error: ダウンロードに失敗しました。")};
    }
    void failedRunsSayWhyAndKeepTheProgram()
    {
        QFETCH(bool, listening);
        QFETCH(QStringList, expected);
        RawServer server([](const std::string&) { return RawServer::response(404, "<html>no</html>"); });
        installVendors({QStringLiteral("oracle")},
                       listening ? server.address() : QStringLiteral("127.0.0.1:%1").arg(freePort()));
        const auto before = snapshot(m_install->root());
        TUpdateForm* form = screens().UpdateForm;
        form->show();
        form->SpinEdit1->setValue(2);
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
        QCOMPARE(form->Edit4->text(), QStringLiteral("Oracle"));
        QCOMPARE(form->ProxyServer->text(), QStringLiteral("Input Proxy Name"));
        QCOMPARE(form->ProxyPort->text(), QStringLiteral("Inout Proxy Port"));

        form->Image1Click();
        TSyncCandidateForm* list = screens().SyncCandidateForm;
        QVERIFY(list->isVisible());
        QTableWidget* grid = list->StringGrid1;
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("oracle-1"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("ｸﾗｲｱﾝﾄ最新"));
        QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("----"));
        QVERIFY(!form->Image1->isEnabled());
        QVERIFY(!form->close()); // the list is open
        list->Image2Click();
        QVERIFY(form->Image1->isEnabled());
        QCOMPARE(messages(), QStringList{});

        // Cancelled: the server still has nothing.
        form->Image1Click();
        QCOMPARE(list->StringGrid1->item(0, 1)->text(), QStringLiteral("ｸﾗｲｱﾝﾄ最新"));

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
        QCOMPARE(form->txtTestID->text(), QStringLiteral("完了"));
        QVERIFY(form->Panel2->isHidden());
        QVERIFY(!QFile::exists(m_install->programDir() + QStringLiteral("RecordInfo.txt")));

        form->Image1Click();
        QCOMPARE(list->StringGrid1->item(0, 1)->text(), QStringLiteral("同期済み"));
        list->Image2Click();
        QVERIFY(form->close());
    }

    void syncShowsTheServerTextAsPlainText()
    {
        // The server speaks CP932; its text is shown as it stands, never read as markup.
        RawServer server([](const std::string&) {
            return RawServer::response(200, cp932::fromUtf8("ERROR1 <b>登録がありません</b>\r\n"));
        });
        installVendors({QStringLiteral("oracle")}, server.address());
        TSyncForm* form = screens().SyncForm;
        form->show();
        form->Image1Click();
        QVERIFY(!screens().SyncCandidateForm->isVisible());
        QCOMPARE(messages(), QStringList{QStringLiteral("情報: <b>登録がありません</b>")});
        QVERIFY(form->Image1->isEnabled());
    }

    void syncFailureIsReported()
    {
        installVendors({QStringLiteral("oracle")}, QStringLiteral("127.0.0.1:%1").arg(freePort()));
        TSyncForm* form = screens().SyncForm;
        form->show();
        form->Image1Click();
        QCOMPARE(messages(), QStringList{QStringLiteral(
                                 "情報: サーバーとの通信に失敗しました。履歴情報の同期はできませんでした。")});
        QVERIFY(form->Image1->isEnabled());
        QVERIFY(form->close());
    }
};

QUARVEL_TEST_MAIN(TestOnlineScreens)
#include "TestOnlineScreens.moc"
