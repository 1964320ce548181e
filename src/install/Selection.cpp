#include "install/Selection.h"

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
