#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TfrmSelStyle5 : public ui::Screen {
    Q_OBJECT
public:
    explicit TfrmSelStyle5(QWidget* parent = nullptr);
};
