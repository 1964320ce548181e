#pragma once
#include "online/HistorySync.h"
#include "ui/Screen.h"

class QTableWidget;
namespace ui
{
class PictureButton;
}

// The candidate list of the Internet sync: one row per test with its state and both dates.
// OK and Cancel hide the dialog and report through answered().
class TSyncCandidateForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TSyncCandidateForm(QWidget* parent = nullptr);

    void setRows(const QList<online::SyncRow>& rows);

    // The controls, by their names.
    QTableWidget* StringGrid1 = nullptr;
    ui::PictureButton* Image1 = nullptr;
    ui::PictureButton* Image2 = nullptr;

    // Handlers: OK and Cancel.
    void Image1Click();
    void Image2Click();

  Q_SIGNALS:
    void answered(bool ok);

  protected:
    void FormPrepare() override;
    void FormClose() override;

  private:
    void finish(bool ok);

    bool m_answered = false;
};
