#pragma once

#include <QDate>

namespace config {

// Today's date as the whole program sees it: the default dates and file name, the date a wrong
// date box gets, the quarter just ended. Read from the clock unless a test fixed it.
QDate Hoy();
// Fixes today's date (tests); an invalid date gives the clock back.
void FijarHoy(const QDate &dia);

} // namespace config
