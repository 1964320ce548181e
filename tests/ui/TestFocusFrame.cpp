// A panel that takes the focus in its text's place shows a frame over the text while it has it.
#include "ui/FocusFrame.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QPlainTextEdit>
#include <QtTest>

class TestFocusFrame : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void frameFollowsTheHoldersFocus()
    {
        QFrame panel;
        panel.resize(200, 100);
        panel.setFocusPolicy(Qt::StrongFocus);
        panel.show(); // a hidden widget hears of its moves only when shown
        auto* text = new QPlainTextEdit(&panel);
        text->setGeometry(0, 0, 200, 100);
        ui::showFocusFrame(&panel, text);
        auto* frame = panel.findChild<QWidget*>(QStringLiteral("FocusFrame"));
        QVERIFY(frame);
        QVERIFY(frame->isHidden());
        QCOMPARE(frame->focusPolicy(), Qt::NoFocus);
        QVERIFY(frame->testAttribute(Qt::WA_TransparentForMouseEvents));

        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&panel, &in);
        QVERIFY(!frame->isHidden());
        QCOMPARE(frame->geometry(), text->geometry());

        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&panel, &out);
        QVERIFY(frame->isHidden());
        QCOMPARE(text->geometry(), QRect(0, 0, 200, 100)); // nothing else moved

        // Laid out anew while the focus was away, the text is framed where it stands now.
        text->setGeometry(0, 20, 180, 60);
        QApplication::sendEvent(&panel, &in);
        QCOMPARE(frame->geometry(), QRect(0, 20, 180, 60));
    }
};

QTEST_MAIN(TestFocusFrame)
#include "TestFocusFrame.moc"
