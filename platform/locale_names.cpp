#include "platform/locale_names.h"

namespace quelmaro::platform {

QLocale regionalLocale() {
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Spanish, QLocale::Mexico);
    return system;
}

QString dayName(int dayOfWeek) {
    return regionalLocale().dayName(dayOfWeek, QLocale::LongFormat);
}

QString monthName(int month) {
    return regionalLocale().monthName(month, QLocale::LongFormat);
}

QString currencySymbol() {
    return regionalLocale().currencySymbol(QLocale::CurrencySymbol);
}

} // namespace quelmaro::platform
