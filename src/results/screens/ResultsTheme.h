#pragma once
// The vendor look the result and diagnosis screens take from the course menu: the window and
// text colours, the theme's strip along the top and the large badge.
#include "install/CourseList.h"

#include <QColor>
#include <initializer_list>

class QLabel;
class QWidget;

struct ResultsTheme {
    VendorTheme vendor;
    int picture = 1;    // 1..7
    int badgeLevel = 0; // the highest badge among the listed tests, 0..4
    QColor background;
    QColor text;
};

// The course menu's current theme (the defaults when there is no course menu).
ResultsTheme currentResultsTheme();

// Fills `screen` with the background colour, gives `labels` the text colour, draws the theme's
// top strip into `topBar` (19 pixels high) and its large badge into `badge`.
void applyResultsTheme(QWidget* screen, const ResultsTheme& theme, std::initializer_list<QLabel*> labels,
                       QLabel* topBar, QLabel* badge);
