#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TExamModeForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TExamModeForm(QWidget* parent = nullptr);
};
