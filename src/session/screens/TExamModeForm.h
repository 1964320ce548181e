#pragma once
#include "session/ExamClock.h"
#include "session/SessionTypes.h"
#include "ui/Screen.h"

#include <QPixmap>
#include <array>
#include <cstdint>
#include <optional>

class ExamSession;
class QCheckBox;
class QFrame;
class QLabel;
class QRadioButton;
class QScrollArea;
class QTextEdit;
class QTimer;
namespace ui
{
class PictureButton;
}

// The exam screen: one question at a time of the sitting against the clock.
class TExamModeForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TExamModeForm(ExamSession& session, QWidget* parent = nullptr);

    // Called by the review screen: jump back to session position `row` in review mode.
    void reviewJump(int row);
    // Called by the review screen's score button and by time-up: end the session and show
    // the result screen.
    void scoreSession();
    // Set by the category selection screen when it starts a session ("Q.1").
    void setQuestionLabel(const QString& text);

    // Picture names (CP932) and full paths named on the current question's image line, 1..4;
    // empty where absent.
    const std::string& imageName(int slot) const;
    const QString& imagePath(int slot) const;

    // Puts session question q on the screen (controls reset, answer not restored); a question of
    // style 3..7 fills the sitting's style hand-over.
    void LoadQuestion(int q);
    // Controls -> answer record q, and back. Positions outside 1..500 are ignored.
    void SaveAnswer(int q);
    void LoadAnswer(int q);

    // The one-second clock tick (public so tests tick without waiting).
    void Timer1Timer();
    // Next, previous, pause/resume, score, explanation, case study.
    void Button2Click();
    void Button6Click();
    void Button3Click();
    void Button4Click();
    void Button1Click();
    void Image5Click();
    void RefImgClick(int slot);
    // Style buttons: ask the answer screen of the current question's style.
    void ButtonType3Click() { askStyleScreen(kStyleGraphic); }
    void ButtonType4Click() { askStyleScreen(kStylePanel); }
    void ButtonType5Click() { askStyleScreen(kStyleTextEntry); }
    void ButtonType6Click() { askStyleScreen(kStyleLabelledPanel); }
    void ButtonType7Click() { askStyleScreen(kStyleConnector); }
    // Shared click handler of CheckBox1..CheckBox10: at most correctCount ticks.
    void CheckBox1Click(QCheckBox* clicked);

    // Called when the explanation window closes: every choice text back to black.
    void explanationClosed();
    // Where the explanation window last stood unfolded (left, top, width, height; "0" until
    // then), kept for the rest of the run.
    QString SaveLeft = QStringLiteral("0");
    QString SaveTop = QStringLiteral("0");
    QString SaveWidth = QStringLiteral("0");
    QString SaveHeight = QStringLiteral("0");
    // Which choices are ticked on screen, hidden controls included (the inquiry page's answer).
    std::array<unsigned char, kMaxChoices> tickedRadioButtons() const;
    std::array<unsigned char, kMaxChoices> tickedCheckBoxes() const;

  protected:
    // The button pictures wait until the screen is first shown or the program is idle.
    void FormPrepare() override { buildPictures(); }
    void FormShow() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildQuestionPanel();
    void buildAnswerPanel();
    void buildSideColumn();
    void buildButtonRow();
    void buildHiddenPictures();
    void buildKeys();
    void setReadingOrder();
    void placeButtonRow(bool review);
    void pressByKey(ui::PictureButton* button);
    void tickChoiceByKey(int k);
    void buildPictures();
    void drawClockFace();
    void drawHand(const QColor& colour);
    void closeExplanation();
    void setNextPicture(bool greyed);
    void setPausedLook(bool paused);
    void askStyleScreen(int style);
    void showReview();
    void uncheckAllChoices();
    void Memo1Enter();
    void MemoChoiceEnter();

    // A question's choice texts as read from its file, and the bottom of each in the answer panel.
    struct ChoiceLayout {
        std::array<QString, kMaxChoices> texts{};
        std::array<int, kMaxChoices> bottoms{};
    };
    void resetQuestionControls(int q);
    ChoiceLayout layOutChoices(const SessionQuestion& question);
    QString showQuestionText(const SessionQuestion& question, const QString& dir);
    QStringList showAnswerArea(const SessionQuestion& question, const ChoiceLayout& choices, const QString& dir);
    void describeQuestion(int q, const QString& shownText, const QStringList& shownChoices);

    ExamSession& m_session;

    // Question panel.
    QFrame* Panel1 = nullptr;
    QLabel* Label0 = nullptr;
    QTextEdit* Memo1 = nullptr;
    std::array<ui::PictureButton*, 4> RefImg{};
    QCheckBox* CheckBox0 = nullptr;
    // Answer panel.
    QScrollArea* Panel2 = nullptr;
    QWidget* Panel2Contents = nullptr;
    QLabel* Label13 = nullptr;
    std::array<QRadioButton*, kMaxChoices> RadioButton{};
    std::array<QCheckBox*, kMaxChoices> CheckBox{};
    std::array<QTextEdit*, kMaxChoices> ChoiceMemo{}; // Memo2..Memo11
    std::array<ui::PictureButton*, 5> ButtonType{};   // ButtonType3..ButtonType7
    QLabel* Label6 = nullptr;
    // Buttons and side bar.
    ui::PictureButton* Button1 = nullptr;
    ui::PictureButton* Button2 = nullptr;
    ui::PictureButton* Button3 = nullptr;
    ui::PictureButton* Button4 = nullptr;
    ui::PictureButton* Button6 = nullptr;
    ui::PictureButton* Image5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QTextEdit* Memo12 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* SideBar = nullptr;
    QTimer* Timer1 = nullptr;
    // Hidden pictures of the buttons (normal and greyed) and the strip of clock faces.
    QLabel* itiziIMG = nullptr;
    QLabel* saikaiIMG = nullptr;
    QLabel* imasuguIMG = nullptr;
    QLabel* imasuguGIMG = nullptr;
    QLabel* kotaeIMG = nullptr;
    QLabel* kotaeGIMG = nullptr;
    QLabel* modoruIMG = nullptr;
    QLabel* modoruGIMG = nullptr;
    QLabel* tsugiIMG = nullptr;
    QLabel* tsugiGIMG = nullptr;
    QLabel* saitenIMG = nullptr;
    QLabel* saitenGIMG = nullptr;
    QLabel* invisibleclock = nullptr;

    std::optional<std::uint32_t> m_picturesColour; // the colour the button pictures were drawn in
    QPixmap m_clockCanvas;                         // what Image3 shows: the face with the hands drawn since its redraw
    QColor m_handColour = Qt::black;
    examclock::TimeUp m_timeUp = examclock::TimeUp::NotYet;
    std::array<std::string, 4> m_imageNames{};
    std::array<QString, 4> m_imagePaths{};
};
