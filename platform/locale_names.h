#pragma once

#include <QLocale>
#include <QString>

namespace quelmaro::platform {

// The system's regional settings (QLocale::system()). Without any, as with the C or POSIX locale of a bare
// system or a scheduler, the suite's own language stands in: Latin American Spanish, with the peso sign.
QLocale regionalLocale();

// Names from the regional settings, in their long form. The program's own number and date formats are fixed
// elsewhere and do not come from here.
QString dayName(int dayOfWeek); // 1 = Monday … 7 = Sunday, as QDate::dayOfWeek() counts
QString monthName(int month);   // 1 = January … 12
QString currencySymbol();

} // namespace quelmaro::platform
