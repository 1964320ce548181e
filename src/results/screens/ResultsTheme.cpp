#include "results/screens/ResultsTheme.h"

#include "install/Selection.h"
#include "shell/screens/ScreenCatalogue.h"
#include "ui/Artwork.h"

#include <QLabel>
#include <algorithm>

ResultsTheme currentResultsTheme()
{
    ResultsTheme look;
    look.vendor = selection().theme();
    look.badgeLevel = selection().highestBadgeLevel();
    look.picture = std::clamp(look.vendor.picture, 1, ui::artwork::kThemes);
    look.background = ui::fromBgr(look.vendor.colour1);
    look.text = ui::fromBgr(look.vendor.colour2);
    return look;
}

void applyResultsTheme(QWidget* screen, const ResultsTheme& theme, std::initializer_list<QLabel*> labels,
                       QLabel* topBar, QLabel* badge)
{
    QPalette palette = screen->palette();
    palette.setColor(QPalette::Window, theme.background);
    screen->setPalette(palette);
    screen->setAutoFillBackground(true);
    for (QLabel* label : labels) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, theme.text);
        label->setPalette(p);
    }
    const int width = topBar->width();
    topBar->setPixmap(ui::artwork::topBar(width).copy(0, (theme.picture - 1) * 19, width, 19));
    // The same badge the course menu shows: the highest level among its tests (a plain plate
    // when no test carries one).
    badge->setPixmap(ui::artwork::bigBadge(theme.badgeLevel, theme.picture));
}
