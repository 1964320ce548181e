#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TfrmSelStyle7View : public ui::Screen {
    Q_OBJECT
public:
    explicit TfrmSelStyle7View(QWidget* parent = nullptr);
};
