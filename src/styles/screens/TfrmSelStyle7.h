#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TfrmSelStyle7 : public ui::Screen {
    Q_OBJECT
public:
    explicit TfrmSelStyle7(QWidget* parent = nullptr);
};
