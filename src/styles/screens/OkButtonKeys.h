#pragma once
// Lets a keyboard user reach and press a style screen's OK picture button: it takes the focus
// (Tab), shows a focus ring, and Space or Enter presses it as a click does.
class StyleScreen;

void makeOkButtonKeyboardReachable(StyleScreen* screen);
