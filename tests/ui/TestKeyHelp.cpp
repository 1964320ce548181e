// The key help panel: which key asks for it where, and how it closes.
#include "support/TestSupport.h"
#include "ui/KeyHelp.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

class TestKeyHelp : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void whichKeyAsks_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("asks");
        QTest::newRow("F1 in a text field") << "edit" << int(Qt::Key_F1) << 0 << "" << true;
        QTest::newRow("Shift+F1") << "button" << int(Qt::Key_F1) << int(Qt::ShiftModifier) << "" << false;
        QTest::newRow("? on a button") << "button" << int(Qt::Key_Question) << int(Qt::ShiftModifier) << "?" << true;
        QTest::newRow("? typed into a text field") << "edit" << int(Qt::Key_Question) << 0 << "?" << false;
        QTest::newRow("? on a read-only field") << "readonly" << int(Qt::Key_Question) << 0 << "?" << true;
        QTest::newRow("? into a text box's viewport") << "memo" << int(Qt::Key_Question) << 0 << "?" << false;
        QTest::newRow("? into a number box") << "spin" << int(Qt::Key_Question) << 0 << "?" << false;
        QTest::newRow("/ on a button") << "button" << int(Qt::Key_Slash) << 0 << "/" << false;
    }
    void whichKeyAsks()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, asks);
        QWidget window;
        QPushButton button(&window);
        QLineEdit edit(&window);
        QLineEdit readOnly(&window);
        readOnly.setReadOnly(true);
        QPlainTextEdit memo(&window);
        QSpinBox spin(&window);
        const QMap<QString, QObject*> controls{{QStringLiteral("button"), &button},
                                               {QStringLiteral("edit"), &edit},
                                               {QStringLiteral("readonly"), &readOnly},
                                               {QStringLiteral("memo"), memo.viewport()},
                                               {QStringLiteral("spin"), &spin}};
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(ui::asksForKeyHelp(controls.value(control), &event), asks);
    }

    // Shown over the window with every entry, holding the focus; any key closes it and the focus
    // goes back; a second request while it is open shows no second panel.
    void showsAndCloses_data()
    {
        QTest::addColumn<int>("closingKey");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Tab") << int(Qt::Key_Tab);
        QTest::newRow("a letter") << int(Qt::Key_K);
    }
    void showsAndCloses()
    {
        QFETCH(int, closingKey);
        QWidget window;
        window.resize(200, 120);
        QLineEdit edit(&window);
        window.show();
        testsupport::activate(&window);
        edit.setFocus();
        const QList<ui::KeyHelpEntry> entries{{QStringLiteral("S"), QStringLiteral("採点する")},
                                              {QStringLiteral("→"), QStringLiteral("次の問題へ")}};
        QWidget* panel = ui::showKeyHelp(&window, entries);
        QCOMPARE(ui::showKeyHelp(&window, entries), panel);
        QCOMPARE(ui::openKeyHelp(&window), panel);
        QVERIFY(QRect(QPoint(0, 0), window.size()).contains(panel->geometry()));
        QCOMPARE(QApplication::focusWidget(), panel);
        QStringList texts;
        for (const QLabel* label : panel->findChildren<QLabel*>())
            texts << label->text();
        QVERIFY(texts.contains(QStringLiteral("採点する")) && texts.contains(QStringLiteral("次の問題へ")));
        QTest::keyClick(panel, Qt::Key(closingKey));
        QVERIFY(!ui::openKeyHelp(&window));
        QCOMPARE(QApplication::focusWidget(), &edit);
        QCOMPARE(edit.text(), QString());
    }
};

QUARVEL_TEST_MAIN(TestKeyHelp)
#include "TestKeyHelp.moc"
