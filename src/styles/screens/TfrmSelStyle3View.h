#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TfrmSelStyle3View : public ui::Screen {
    Q_OBJECT
public:
    explicit TfrmSelStyle3View(QWidget* parent = nullptr);
};
