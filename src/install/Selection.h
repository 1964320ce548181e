#pragma once
// What the user has chosen in the course menu: the vendor, whose look every later screen takes,
// and the test. The course menu writes it; the screens after it only read it.
#include "install/CourseList.h"

#include <QList>
#include <QObject>

class Selection : public QObject
{
    Q_OBJECT
  public:
    using QObject::QObject;

    const VendorTheme& theme() const { return m_theme; }
    const CourseTest& test() const { return m_test; }
    // The chosen vendor's tests as the course menu lists them.
    const QList<CourseTest>& vendorTests() const { return m_vendorTests; }
    // The highest badge level (0..4) among the vendor's tests: the badge every screen shows.
    int highestBadgeLevel() const;

    // Each emits changed() only when the value differs from the one held.
    void setTheme(const VendorTheme& theme);
    void setTest(const CourseTest& test);
    void setVendorTests(const QList<CourseTest>& tests);

  Q_SIGNALS:
    void changed();

  private:
    VendorTheme m_theme;
    CourseTest m_test;
    QList<CourseTest> m_vendorTests;
};
