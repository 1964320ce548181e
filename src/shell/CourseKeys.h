#pragma once
// The course menu from the keyboard: which vendor tab and which test row a key leads to.
#include <Qt>

// The tab a key moves to from tab `current` of `count`: Left and Right stop at the ends;
// Ctrl+Tab and Ctrl+Shift+Tab (also reported as Ctrl+Backtab) go round. 0 when the key changes
// no tab.
int tabAfterKey(int key, Qt::KeyboardModifiers modifiers, int current, int count);

// The row a key selects from row `current` of `count`: Up and Down one row, Page Up and Page Down
// one screenful, Home and End the first and the last. 0 when the key moves no row (another key,
// an empty list, or already there).
int rowAfterKey(int key, Qt::KeyboardModifiers modifiers, int current, int count);
