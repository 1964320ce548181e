#include "ui/MessageBox.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QTimer>

#include <functional>

class TestMessageBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
            QMessageBox* box = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible())
                    box = b;
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
