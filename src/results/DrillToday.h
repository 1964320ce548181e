#pragma once
// "Today" for the drill deck: the local date, unless the environment variable QUARVEL_TODAY holds
// a date as YYYYMMDD (tests and demonstrations move the deck's clock with it).
#include <QDate>

inline constexpr const char* kDrillTodayVariable = "QUARVEL_TODAY";

// The drill day (drillday, DrillDeck.h) of QUARVEL_TODAY when it is set to a valid date, else of
// `localDate`.
int DrillToday(const QDate& localDate = QDate::currentDate());
