#include "platform/locale_names.h"

#include <QLocale>

namespace quelmaro::platform {

QString dayName(int dayOfWeek) {
    return QLocale::system().dayName(dayOfWeek, QLocale::LongFormat);
}

QString monthName(int month) {
    return QLocale::system().monthName(month, QLocale::LongFormat);
}

QString currencySymbol() {
    return QLocale::system().currencySymbol(QLocale::CurrencySymbol);
}

} // namespace quelmaro::platform
