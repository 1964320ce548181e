#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TfrmSelStyle3 : public ui::Screen {
    Q_OBJECT
public:
    explicit TfrmSelStyle3(QWidget* parent = nullptr);
};
