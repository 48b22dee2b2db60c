#pragma once

#include <QChar>
#include <Qt>

class QKeyEvent;
class QScrollArea;

namespace quelmaro {

class TRenderPreview;

// Moves through the page view by a key that goes down: the scroll bars of `pageView`, and at a page's
// top or bottom the previous or next page of `pages`. Returns whether the key acted (it is then consumed).
bool scrollPagesByKey(int key, Qt::KeyboardModifiers modifiers, QScrollArea& pageView, TRenderPreview& pages);

// What a typed character does in the preview window.
enum class TypedCharacter {
    Close,        // Esc or "x"
    Discard,      // not one the window lets through
    LastPage,     // "e", "E"
    NextPage,     // "n", "N": never wraps around
    PreviousPage, // "p", "P": never wraps around
    PassOn,       // to the focused control, for typing a page number or a zoom
};
TypedCharacter typedCharacterAction(QChar character);

// The character a key event types, as the preview window sees it: none for keys that move the focus,
// edit without typing or come with Alt.
QChar typedCharacter(const QKeyEvent& event);

} // namespace quelmaro
