#include "platform/program_look.h"

#include "platform/fonts.h"

#include <QApplication>
#include <QProxyStyle>

namespace quelmaro::platform {

namespace {

class ProgramStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void useProgramLook() {
    // The application takes ownership of the style.
    QApplication::setStyle(new ProgramStyle);
    QApplication::setFont(windowFont(QStringLiteral("MS Sans Serif"), 8));
}

} // namespace quelmaro::platform
