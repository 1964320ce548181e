#pragma once
#include "shell/CourseList.h"
#include "ui/Screen.h"

#include <QList>
#include <QRect>

// Course menu: one tab per installed vendor, the vendor's tests, start and the other services.
class TCourseMenuForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TCourseMenuForm(QWidget* parent = nullptr);

    // Read by later screens.
    const VendorTheme& currentTheme() const { return m_theme; }
    const QList<CourseTest>& tests() const { return m_tests; }
    // The test that was selected when a test was started (or Internet-Sync opened).
    const CourseTest& chosenTest() const { return m_chosen; }
    int currentTab() const { return m_currentTab; }
    int highestBadgeLevel() const { return m_highestBadgeLevel; }
    // Width, height, left and top recorded when a test was started.
    QRect recordedGeometry() const { return m_recordedGeometry; }

    // For tests of later screens that need a chosen test without going through the menu.
    void setChosenTestForTesting(const CourseTest& test, const VendorTheme& theme)
    {
        m_chosen = test;
        m_theme = theme;
    }

protected:
    VendorTheme m_theme;
    QList<CourseTest> m_tests;
    CourseTest m_chosen;
    int m_currentTab = 1;
    int m_highestBadgeLevel = 0;
    QRect m_recordedGeometry;
};
