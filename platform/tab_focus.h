#pragma once

class QWidget;

namespace quelmaro::platform {

// Moves the focus on from `field` exactly as the Tab key would, so the next control draws its focus frame
// as after Tab. For windows where Enter moves on like Tab.
void moveFocusLikeTab(QWidget& field);

// The window draws the focus frame of the control that has the focus from the start, not only after the
// first Tab: the operator works with the keyboard.
void showFocusFrames(QWidget& window);

} // namespace quelmaro::platform
