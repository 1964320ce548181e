#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TConfirmForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TConfirmForm(QWidget* parent = nullptr);
};
