#include "support/TestSupport.h"
#include "ui/MessageBox.h"

#include <QLabel>
#include <QTimer>

#include <functional>

class TestMessageBox : public QObject
{
    Q_OBJECT

    static QMessageBox* visibleBox()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible())
                return b;
        return nullptr;
    }
  private Q_SLOTS:
    void keysPressTheirButtons_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        const int ok = QMessageBox::Ok, cancel = QMessageBox::Cancel, yes = QMessageBox::Yes, no = QMessageBox::No;
        QTest::newRow("OK: Enter") << ok << int(Qt::Key_Return) << ok;
        QTest::newRow("OK: keypad Enter") << ok << int(Qt::Key_Enter) << ok;
        QTest::newRow("OK: Escape") << ok << int(Qt::Key_Escape) << ok;
        QTest::newRow("OK/Cancel: Enter") << (ok | cancel) << int(Qt::Key_Return) << ok;
        QTest::newRow("OK/Cancel: Escape") << (ok | cancel) << int(Qt::Key_Escape) << cancel;
        QTest::newRow("Yes/No: Enter") << (yes | no) << int(Qt::Key_Return) << yes;
        QTest::newRow("Yes/No: Escape") << (yes | no) << int(Qt::Key_Escape) << no;
        QTest::newRow("Yes/No/Cancel: Escape") << (yes | no | cancel) << int(Qt::Key_Escape) << cancel;
    }

    // A real box answered from the keyboard, the key sent where the focus is.
    void keysPressTheirButtons()
    {
        QFETCH(int, buttons);
        QFETCH(int, key);
        QFETCH(int, answer);
        ui::testing::answerBoxesAutomatically(false);
        std::function<void()> press = [&] {
            QMessageBox* box = visibleBox();
            if (!box) {
                QTimer::singleShot(10, press);
                return;
            }
            QWidget* target = box->focusWidget() ? box->focusWidget() : box;
            QTest::keyClick(target, Qt::Key(key));
            // A key that pressed nothing would leave the box open: close it so the test ends.
            if (box->isVisible())
                box->done(QMessageBox::NoButton);
        };
        QTimer::singleShot(0, press);
        const auto pressed = ui::messageBox(nullptr, QStringLiteral("確認"), QStringLiteral("よろしいですか?"),
                                            QMessageBox::StandardButtons(buttons));
        ui::testing::answerBoxesAutomatically(true);
        QCOMPARE(int(pressed), answer);
    }

    // Outside text that looks like markup is shown as written, tags and entities included.
    void outsideTextIsShownAsPlainText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("file name with tags") << QStringLiteral("<b>bold</b>.qdf を読めません");
        QTest::newRow("server message with a link") << QStringLiteral("<a href=\"http://x.invalid/\">here</a>");
        QTest::newRow("entity") << QStringLiteral("A &amp; B");
    }

    void outsideTextIsShownAsPlainText()
    {
        QFETCH(QString, text);
        ui::testing::answerBoxesAutomatically(false);
        Qt::TextFormat format = Qt::AutoText;
        QString shown;
        // The real box runs its own loop: inspect it from inside, then close it.
        std::function<void()> inspect = [&] {
            QMessageBox* box = visibleBox();
            if (!box) {
                QTimer::singleShot(10, inspect);
                return;
            }
            format = box->textFormat();
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
                shown = label->text();
            box->done(QMessageBox::Ok);
        };
        QTimer::singleShot(0, inspect);
        const auto answer = ui::messageBox(nullptr, QStringLiteral("Error"), text);
        ui::testing::answerBoxesAutomatically(true);
        QCOMPARE(answer, QMessageBox::Ok);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, text);
    }
};

QUARVEL_TEST_MAIN(TestMessageBox)
#include "TestMessageBox.moc"
