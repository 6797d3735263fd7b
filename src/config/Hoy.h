#pragma once

#include <QDate>

namespace config {

// Today's date as the whole program sees it: the default dates and file name, the date a wrong
// date box gets, the quarter just ended. Read from the clock unless a test fixed it: with FijarHoy
// in its own process, or, for a program a test starts, with the environment variable REPIEPS_HOY
// (yyyy-MM-dd), which is meant for tests only.
QDate Hoy();
// Fixes today's date (tests); an invalid date gives the clock (or REPIEPS_HOY) back.
void FijarHoy(const QDate &dia);

} // namespace config
