#include "shell/CategoryLayout.h"
#include "support/TestSupport.h"

namespace
{
using Tops = catlayout::Tops;

CategoryEntry category(const std::string& name, const std::vector<std::pair<std::string, int>>& subs)
{
    CategoryEntry c;
    c.name = name;
    for (size_t k = 0; k < subs.size(); ++k)
        c.subCategories[k] = {subs[k].first, subs[k].second};
    return c;
}
} // namespace

class TestCatSelLayout : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void tops_data()
    {
        QTest::addColumn<std::vector<int>>("items");
        QTest::addColumn<std::vector<Tops>>("expected");
        QTest::newRow("none") << std::vector<int>{} << std::vector<Tops>{};
        QTest::newRow("one") << std::vector<int>{3} << std::vector<Tops>{{8, 24}};
        // Next box: previous list top + 12 x its items + 6.
        QTest::newRow("three") << std::vector<int>{3, 1, 20} << std::vector<Tops>{{8, 24}, {66, 82}, {100, 116}};
        QTest::newRow("empty list keeps its gap") << std::vector<int>{0, 2} << std::vector<Tops>{{8, 24}, {30, 46}};
    }
    void tops()
    {
        QFETCH(std::vector<int>, items);
        QFETCH(std::vector<Tops>, expected);
        QCOMPARE(catlayout::categoryTops(items), expected);
    }

    void boxState_data()
    {
        QTest::addColumn<int>("ticked");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("state");
        QTest::newRow("all") << 3 << 3 << int(catlayout::BoxState::Checked);
        QTest::newRow("some") << 2 << 3 << int(catlayout::BoxState::Partial);
        QTest::newRow("one of many") << 1 << 20 << int(catlayout::BoxState::Partial);
        QTest::newRow("none") << 0 << 3 << int(catlayout::BoxState::Unchecked);
        QTest::newRow("empty list counts as all") << 0 << 0 << int(catlayout::BoxState::Checked);
    }
    void boxState()
    {
        QFETCH(int, ticked);
        QFETCH(int, items);
        QFETCH(int, state);
        QCOMPARE(int(catlayout::boxStateFor(ticked, items)), state);
    }

    void arrowStops_data()
    {
        QTest::addColumn<std::vector<int>>("items");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("toCategory"); // 0: nothing there
        QTest::addColumn<int>("toItem");
        const std::vector<int> three{3, -1, 2};
        QTest::newRow("box down into its list") << three << 1 << 0 << true << 1 << 1;
        QTest::newRow("through the list") << three << 1 << 1 << true << 1 << 2;
        QTest::newRow("last item to the next shown box") << three << 1 << 3 << true << 3 << 0;
        QTest::newRow("box up to the last item above") << three << 3 << 0 << false << 1 << 3;
        QTest::newRow("first item up to its box") << three << 3 << 1 << false << 3 << 0;
        QTest::newRow("nothing above the first box") << three << 1 << 0 << false << 0 << 0;
        QTest::newRow("nothing below the last item") << three << 3 << 2 << true << 0 << 0;
        QTest::newRow("lists hidden: box to box") << std::vector<int>{0, 0, 0} << 1 << 0 << true << 2 << 0;
        QTest::newRow("empty list: box to box") << std::vector<int>{0, 2} << 2 << 0 << false << 1 << 0;
        QTest::newRow("from a hidden category: nowhere") << three << 2 << 0 << true << 0 << 0;
    }
    void arrowStops()
    {
        QFETCH(std::vector<int>, items);
        QFETCH(int, category);
        QFETCH(int, item);
        QFETCH(bool, down);
        QFETCH(int, toCategory);
        QFETCH(int, toItem);
        const auto to = catlayout::arrowStop(items, {category, item}, down);
        QCOMPARE(to.has_value(), toCategory != 0);
        if (to)
            QCOMPARE(*to, (catlayout::ArrowStop{toCategory, toItem}));
    }

    void listsStopAtTheFirstBlankName()
    {
        QCOMPARE(catlayout::listedSubCategoryCount(category("A", {{"a", 1}, {"b", 2}, {" \t", 3}, {"d", 4}})), 2);
        QCOMPARE(catlayout::listedSubCategoryCount(category("A", {})), 0);
        CategoryEntry full;
        for (SubCategoryEntry& sub : full.subCategories)
            sub.name = "x";
        QCOMPARE(catlayout::listedSubCategoryCount(full), 20);
        // A CP932 name made of bytes above 0x80 is never blank.
        QVERIFY(!catlayout::isBlankName("\x81\x40"));
        QVERIFY(catlayout::isBlankName("\r\n "));
    }

    void availableCountSumsTickedListedSubCategories()
    {
        QuestionBank bank;
        bank.categoryCount = 3;
        bank.category(1) = category("One", {{"a", 5}, {"b", 7}, {"c", 11}});
        bank.category(2) = category("  ", {{"hidden", 100}});
        bank.category(3) = category("Three", {{"d", 2}, {"", 50}, {"unlisted", 1000}});
        QCOMPARE(catlayout::listedItemCounts(bank), (std::vector<int>{3, 0, 1}));

        SessionSettings ticks;
        for (int c = 1; c <= 3; ++c)
            for (int k = 1; k <= kMaxSubCategories; ++k)
                ticks.setChecked(c, k, true);
        // Hidden categories and sub-categories after a blank name never count.
        QCOMPARE(catlayout::availableCount(bank, ticks), 5 + 7 + 11 + 2);
        ticks.setChecked(1, 2, false);
        QCOMPARE(catlayout::availableCount(bank, ticks), 5 + 11 + 2);
        bank.categoryCount = 0;
        QCOMPARE(catlayout::availableCount(bank, ticks), 0);
    }
};

QUARVEL_TEST_MAIN(TestCatSelLayout)
#include "TestCatSelLayout.moc"
