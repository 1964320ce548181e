#pragma once
#include "ui/Screen.h"

#include <QPixmap>

class ExamSession;
class QLabel;
class QTimer;

// The exam start notice: test, question count and time limit for about two seconds, then the
// exam screen. Space or Enter skips the wait.
class TGenericMBForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TGenericMBForm(ExamSession& session, QWidget* parent = nullptr);

    // Handlers, public so that tests can tick the timer instead of waiting for it.
    void Timer1Timer();
    void FormKeyDown(int key);

    int ticks() const { return m_ticks; }

  protected:
    void FormShow() override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void handOver();
    // Widens the notice for a long title, or wraps the title when the screen is too narrow.
    void fitTitle();
    // The course menu's vendor colours on the face and text, and its side bar.
    void applyVendorLook();

    ExamSession& m_session;

    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;
    int m_ticks = 0;
    QPixmap m_sideBar;
};
