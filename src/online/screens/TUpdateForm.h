#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TUpdateForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TUpdateForm(QWidget* parent = nullptr);
};
