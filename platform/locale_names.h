#pragma once

#include <QString>

namespace quelmaro::platform {

// Names from the system's regional settings (QLocale::system()), in their long form. The program's own
// number and date formats are fixed elsewhere and do not come from here.
QString dayName(int dayOfWeek); // 1 = Monday … 7 = Sunday, as QDate::dayOfWeek() counts
QString monthName(int month);   // 1 = January … 12
QString currencySymbol();

} // namespace quelmaro::platform
