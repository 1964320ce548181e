#pragma once
// The read-only view screen that shows the correct answer of a style 3..7 question.
namespace ui
{
class Screen;
}

// The catalogue's view screen of `style` (3..7); nullptr for any other style or before the
// screens exist.
ui::Screen* styleViewScreen(int style);
