#pragma once
#include "ui/Screen.h"

class QLabel;
class QProgressBar;

// The download progress window of the question file update: the file being fetched, the bytes
// received, and an animation that runs while files are fetched.
class TDownLoad : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TDownLoad(QWidget* parent = nullptr);

    // "模擬問題" NAME "をダウンロード中" and the count back to "0 bytes".
    void showFile(const QString& fileName);
    // The count followed by " bytes".
    void showBytes(qint64 received);
    void startAnimation();
    void stopAnimation();
    bool animationRunning() const;

    QString fileText() const;
    QString bytesText() const;

  private:
    QLabel* Label1 = nullptr;
    QLabel* DLFLabel = nullptr;
    QLabel* StatusLabel = nullptr;
    QProgressBar* Animate1 = nullptr;
};
