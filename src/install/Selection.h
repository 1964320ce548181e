#pragma once
// What the user has chosen in the course menu: the vendor, whose look every later screen takes,
// and the test. The course menu writes it; the screens after it only read it.
#include "install/CourseList.h"

#include <QObject>

class Selection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const VendorTheme& theme() const { return m_theme; }
    const CourseTest& test() const { return m_test; }

    // Each emits changed() only when the value differs from the one held.
    void setTheme(const VendorTheme& theme);
    void setTest(const CourseTest& test);

Q_SIGNALS:
    void changed();

private:
    VendorTheme m_theme;
    CourseTest m_test;
};
