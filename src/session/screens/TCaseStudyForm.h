#pragma once
// The case study window: the test's case study text with buttons for its pictures. Shown once
// before the first question, and again from the exam screen's case study button.
#include "bank/TestSettingsFile.h"
#include "ui/Screen.h"

#include <array>

class ExamSession;
class QFrame;
class QPlainTextEdit;
namespace ui
{
class PictureButton;
}

class TCaseStudyForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TCaseStudyForm(ExamSession& session, QWidget* parent = nullptr);

    // Puts a case study on the window: its text, and one picture button per image present.
    void prepare(const CaseStudy& caseStudy);

    // Picture buttons 1..4: the exhibit window shows case study image `slot` (the sitting's
    // exhibit from now on).
    void RefImgClick(int slot);
    // The close button: the time in the window does not count for the question on screen, a
    // pending time-up may now end the session, and an open exhibit closes too.
    void Button1Click();

  protected:
    void FormShow() override;
    void FormHide() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void closedByUser();

    ExamSession& m_session;

    QFrame* Panel1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    std::array<ui::PictureButton*, 4> RefImg{};
    ui::PictureButton* Button1 = nullptr;
    std::array<QString, 4> m_imagePaths{};
};
