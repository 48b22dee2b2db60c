#include "report/preview/preview_keys.h"

#include "report/render_preview.h"

#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace quelmaro {

namespace {

// A scroll bar's range is the length of the page image: the largest position plus what the view shows.
int rangeOf(const QScrollBar& bar) {
    return bar.maximum() + bar.pageStep();
}

void toBottom(QScrollBar& bar) {
    bar.setValue(rangeOf(bar) - 1);
}

bool scrollVertically(int key, QScrollArea& pageView, TRenderPreview& pages) {
    QScrollBar& bar = *pageView.verticalScrollBar();
    const int position = bar.value();
    const int height = pageView.viewport()->height();
    switch (key) {
    case Qt::Key_PageUp:
        if (position > 0) {
            bar.setValue(std::max(0, position - height));
        } else if (pages.CurrentPage() > 1) {
            pages.PreviousPage();
            toBottom(bar);
        } else {
            bar.setValue(0);
        }
        return true;
    case Qt::Key_PageDown:
        if (position + height < rangeOf(bar)) {
            bar.setValue(position + height);
        } else if (pages.PageCount() > pages.CurrentPage()) {
            pages.NextPage();
            bar.setValue(0);
        } else {
            toBottom(bar);
        }
        return true;
    case Qt::Key_Home:
        bar.setValue(0);
        return true;
    case Qt::Key_End:
        toBottom(bar);
        return true;
    case Qt::Key_Up:
        if (position - bar.singleStep() >= 0) {
            bar.setValue(position - bar.singleStep());
        } else if (pages.CurrentPage() > 1) {
            pages.PreviousPage();
            bar.setValue(rangeOf(bar));
        } else {
            bar.setValue(0);
        }
        return true;
    case Qt::Key_Down: {
        const int wanted = std::min(position + bar.singleStep(), rangeOf(bar) - 1);
        bar.setValue(wanted);
        // Stopping short of the wanted position means the page's end is in view.
        if (bar.value() < wanted && pages.PageCount() > pages.CurrentPage()) {
            pages.NextPage();
            bar.setValue(0);
        }
        return true;
    }
    default:
        return false;
    }
}

bool scrollHorizontally(int key, bool byWidth, QScrollArea& pageView) {
    QScrollBar& bar = *pageView.horizontalScrollBar();
    const int distance = byWidth ? pageView.viewport()->width() : bar.singleStep();
    if (key == Qt::Key_Left)
        bar.setValue(std::max(0, bar.value() - distance));
    else
        bar.setValue(std::min(bar.value() + distance, rangeOf(bar) - 1));
    return true;
}

} // namespace

bool scrollPagesByKey(int key, Qt::KeyboardModifiers modifiers, QScrollArea& pageView,
                      TRenderPreview& pages) {
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        // Without Ctrl they belong to the focused edit.
        if (modifiers == Qt::ControlModifier)
            return scrollHorizontally(key, false, pageView);
        if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
            return scrollHorizontally(key, true, pageView);
        return false;
    }
    if (modifiers != Qt::NoModifier && modifiers != Qt::ControlModifier)
        return false;
    return scrollVertically(key, pageView, pages);
}

TypedCharacter typedCharacterAction(QChar character) {
    if (character == u'\x1b' || character == u'x')
        return TypedCharacter::Close;
    switch (character.unicode()) {
    case u'e':
    case u'E':
        return TypedCharacter::LastPage;
    case u'n':
    case u'N':
        return TypedCharacter::NextPage;
    case u'p':
    case u'P':
        return TypedCharacter::PreviousPage;
    default:
        break;
    }
    static const QString passedOn = QStringLiteral("wWfF+-0123456789.\r\b");
    return passedOn.contains(character) ? TypedCharacter::PassOn : TypedCharacter::Discard;
}

QChar typedCharacter(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::AltModifier | Qt::MetaModifier))
        return QChar();
    // Some platforms give these keys no text.
    switch (event.key()) {
    case Qt::Key_Escape:
        return QChar(u'\x1b');
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(u'\r');
    case Qt::Key_Backspace:
        return QChar(u'\b');
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return QChar();
    default:
        return event.text().isEmpty() ? QChar() : event.text().front();
    }
}

} // namespace quelmaro
