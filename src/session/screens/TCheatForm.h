#pragma once
// The explanation window: a small tool window on top of the exam screen with the correct letters;
// it unfolds to the explanation and references, opens the view screen of an answer style,
// follows the question's links and writes the inquiry page. The result screen uses its links and
// inquiry page for the question selected there.
#include "ui/Screen.h"

#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class ExamSession;
class QFrame;
class QLabel;
class QPlainTextEdit;
namespace ui
{
class PictureButton;
}

class TCheatForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TCheatForm(ExamSession& session, QWidget* parent = nullptr);

    // Follows link `kind` (1 or 2) of session question `position`: a launch page framing the
    // target, a reference document, or the message that the disc is missing.
    void CBTClick(int kind, int position);
    // Writes "Ques.htm" about session question `position` with the given answer block (CP932
    // lines) and opens it; a message box names the file when it cannot be written.
    void openInquiryPage(int position, const std::vector<std::string>& answerBlock);

    // Where the mounted discs come from (tests set their own).
    std::function<QStringList()> discRoots;

    bool isUnfolded() const { return m_unfolded; }

    // Handlers, named after their controls.
    void Button1Click(); // close
    void Button2Click(); // unfold / fold
    void Button3Click(); // link 1
    void Button4Click(); // link 2
    void Button5Click(); // inquiry page
    void Image8Click();  // view screens of styles 3, 4, 5, 6, 7
    void Image9Click();
    void ButtonType5Click();
    void Image10Click();
    void Image11Click();
    void FormResize();

  protected:
    // The pictures wait until the window is first shown or the program is idle.
    void FormPrepare() override { buildPictures(); }
    void FormShow() override;
    bool FormCloseQuery() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildPictures();
    void showLinkButton(ui::PictureButton* button, QLabel* available, QLabel* unavailable, int link);
    void showStyleView(int style);
    void rememberGeometry();
    void fold();
    QPoint foldedPlace() const;
    QWidget* messageParent();

    ExamSession& m_session;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    ui::PictureButton* Button1 = nullptr;
    ui::PictureButton* Button2 = nullptr;
    ui::PictureButton* Image8 = nullptr;
    ui::PictureButton* Image9 = nullptr;
    ui::PictureButton* ButtonType5 = nullptr;
    ui::PictureButton* Image10 = nullptr;
    ui::PictureButton* Image11 = nullptr;
    QFrame* Panel1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Image6 = nullptr; // decoration strip behind the panel's buttons
    ui::PictureButton* Button3 = nullptr;
    ui::PictureButton* Button4 = nullptr;
    ui::PictureButton* Button5 = nullptr;
    // Hidden pictures: unfold/fold, link 1 and link 2 available/unavailable.
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image33 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image44 = nullptr;
    QLabel* Image4 = nullptr;

    bool m_unfolded = false; // the tag of Button2
};
