#include "results/screens/TResultForm.h"
#include "shell/StringTable.h"
#include "shell/screens/ScreenCatalogue.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"
#include "ui/Screen.h"

namespace
{
QStringList namesOf(const QList<ui::Screen*>& list)
{
    QStringList names;
    for (const ui::Screen* screen : list)
        names.append(screen->objectName());
    return names;
}
} // namespace

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

    // Start-up builds the opening screen only; the rest are made when first reached, the course
    // menu before any screen past it, each with its button hints.
    void makesScreensOnFirstUse()
    {
        testsupport::TempInstall install;
        createScreens();
        QCOMPARE(namesOf(screens().made()), QStringList{QStringLiteral("MainMenuForm")});
        QVERIFY(!screens().ResultForm.isMade());
        ui::Screen* result = screens().ResultForm;
        QCOMPARE(result, screens().ResultForm.get());
        QCOMPARE(namesOf(screens().made()),
                 (QStringList{QStringLiteral("MainMenuForm"), QStringLiteral("CourseMenuForm"),
                              QStringLiteral("ResultForm")}));
        for (const StringTableHint& hint : buttonHints()) {
            if (QLatin1String(hint.screen) != QLatin1String("ResultForm"))
                continue;
            auto* button = result->findChild<ui::PictureButton*>(QLatin1String(hint.control));
            QVERIFY(button);
            QCOMPARE(button->hint(), stringTableText(hint.id));
        }
        destroyScreens();
        QVERIFY(screens().made().isEmpty() && !screens().ResultForm.isMade() && !screens().ResultForm.get());
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
