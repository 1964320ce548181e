#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TfrmSelStyle4 : public ui::Screen {
    Q_OBJECT
public:
    explicit TfrmSelStyle4(QWidget* parent = nullptr);
};
