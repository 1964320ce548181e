#include "install/Selection.h"

#include <QSignalSpy>
#include <QTest>

class TestSelection : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    // Screens that follow the selection redraw on changed(): it fires for a new value only.
    void changedFiresOnlyForANewValue()
    {
        Selection selection;
        QSignalSpy spy(&selection, &Selection::changed);
        CourseTest test;
        test.questionFile = QStringLiteral("/i/QDAT/cisco/C2.qdf");
        test.code = "C2";
        selection.setTest(test);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(selection.test().code, std::string("C2"));
        selection.setTest(test);
        QCOMPARE(spy.count(), 1);
        test.badges[2] = true; // any field counts
        selection.setTest(test);
        QCOMPARE(spy.count(), 2);

        selection.setTheme(VendorTheme{});
        QCOMPARE(spy.count(), 2); // the default theme is already held
        VendorTheme cisco{QStringLiteral("cisco"), 3, 0x838227, 0xC0C0C0};
        selection.setTheme(cisco);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(selection.theme().picture, 3);
        cisco.colour2 = 0;
        selection.setTheme(cisco);
        QCOMPARE(spy.count(), 4);
    }
};

QTEST_APPLESS_MAIN(TestSelection)
#include "TestSelection.moc"
