#include "results/DrillToday.h"

#include "results/DrillDeck.h"

#include <QtGlobal>

int DrillToday(const QDate& localDate)
{
    const QByteArray set = qgetenv(kDrillTodayVariable);
    if (const auto day = drillday::fromText(std::string_view(set.constData(), size_t(set.size()))))
        return *day;
    if (const auto day = drillday::fromDate(localDate.year(), localDate.month(), localDate.day()))
        return *day;
    return 0; // a local clock outside 1900..9999: the deck's own epoch
}
