#include "shell/StringTable.h"
#include "shell/screens/ScreenCatalogue.h"
#include "support/TestSupport.h"
#include "ui/Screen.h"

class TestScreenCatalogue : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void createsTwentySevenScreensInOrder()
    {
        testsupport::TempInstall install;
        createScreens();
        const QList<ui::Screen*> all = screens().all();
        QCOMPARE(all.size(), 27);
        QCOMPARE(all.first()->objectName(), QStringLiteral("MainMenuForm"));
        QCOMPARE(all.at(6)->objectName(), QStringLiteral("CatSelForm"));
        QCOMPARE(all.last()->objectName(), QStringLiteral("Form1"));
        destroyScreens();
        QVERIFY(screens().all().isEmpty());
    }

    void stringTableHasEveryHint()
    {
        QCOMPARE(buttonHints().size(), 18);
        for (const StringTableHint& hint : buttonHints())
            QVERIFY2(!stringTableText(hint.id).isEmpty(), qPrintable(QString::number(hint.id)));
        QCOMPARE(stringTableText(65307), QStringLiteral("選択したテストの模擬試験を実行します"));
    }
};

QUARVEL_TEST_MAIN(TestScreenCatalogue)
#include "TestScreenCatalogue.moc"
