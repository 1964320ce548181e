#include "install/Selection.h"

#include "install/CourseListing.h"

#include <algorithm>

void Selection::setTheme(const VendorTheme& theme)
{
    if (theme == m_theme)
        return;
    m_theme = theme;
    Q_EMIT changed();
}

void Selection::setTest(const CourseTest& test)
{
    if (test == m_test)
        return;
    m_test = test;
    Q_EMIT changed();
}

void Selection::setVendorTests(const QList<CourseTest>& tests)
{
    if (tests == m_vendorTests)
        return;
    m_vendorTests = tests;
    Q_EMIT changed();
}

int Selection::highestBadgeLevel() const
{
    int level = 0;
    for (const CourseTest& test : m_vendorTests)
        level = std::max(level, badgeLevel(test.badges));
    return std::clamp(level, 0, 4);
}
