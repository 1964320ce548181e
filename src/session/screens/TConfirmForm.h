#pragma once
#include "ui/Screen.h"

class ExamSession;
class QLabel;
class QScrollArea;
class QTableWidget;
namespace ui
{
class PictureButton;
}

// The review screen: every question with its answer and mark; jump back or score.
class TConfirmForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TConfirmForm(ExamSession& session, QWidget* parent = nullptr);

    // Back to the first row (the category selection screen does this when shown, and the
    // exam screen before it shows this screen after the last question).
    void resetPosition();

    // The selected row of the list: 1..question count, or 0 (the hidden row, nothing chosen).
    int selectedRow() const;

    // Handlers (public so tests drive them as the controls do).
    void StringGrid1SelectCell(int row);
    void StringGrid1DblClick();
    void Button1Click();

  protected:
    void FormShow() override;
    // No close box: the screen is left by a jump or by scoring only.
    bool FormCloseQuery() override { return false; }
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int questionCount() const;

    ExamSession& m_session;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    ui::PictureButton* Button1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* ScrollContents = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QTableWidget* StringGrid2 = nullptr;
};
