#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TSyncCandidateForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TSyncCandidateForm(QWidget* parent = nullptr);
};
