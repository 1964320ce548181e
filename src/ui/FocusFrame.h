#pragma once
class QWidget;

namespace ui
{

// While `holder` has the keyboard focus, a frame is drawn over `covered` (a child that fills it, such
// as the text of a panel that takes the focus in its text's place), so the focus can be seen. The
// frame only paints: it takes no input and moves nothing.
void showFocusFrame(QWidget* holder, QWidget* covered);

} // namespace ui
