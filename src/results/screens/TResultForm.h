#pragma once
// The result screen: the scored attempt, the question table, the trend chart, and each question
// again with its explanation. Hiding it records the attempt in the test's history file.
#include "results/HistoryFile.h"
#include "results/Scoring.h"
#include "results/TrendChart.h"
#include "ui/Screen.h"

#include <QDateTime>
#include <QStringList>
#include <array>
#include <functional>
#include <string>

class ExamSession;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTimer;
class QFrame;
namespace ui
{
class PictureButton;
}

class TResultForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TResultForm(ExamSession& session, QWidget* parent = nullptr);

    // What the screen read and scored when it opened; valid until it opens again (the printed
    // report reads them).
    AttemptScore score;
    History history;                                  // as loaded when the screen opened
    std::array<std::string, 5> levelTexts;            // A..E, CP932
    QStringList exhibitPaths;                         // of the selected question
    int selectedRow() const { return m_selectedRow; } // 0 in the overview
    bool hasFixedRow() const { return m_fixedRow; }

    // Where the stamp comes from (tests set a fixed time).
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    // Handlers, named after their controls.
    void Timer1Timer();
    void StringGrid1SelectCell(int row);
    void StringGrid1MouseDown(int y);
    void Label10Click();
    void Button1Click(); // exit
    void Button3Click(); // back to the course menu
    void Button4Click(); // inquiry page
    void Button5Click(); // link 1
    void Button6Click(); // link 2
    void Button7Click(); // FAQ page
    void Button8Click(); // printed report
    void Image9Click();  // style views 3, 4, 5, 6, 7
    void Image10Click();
    void ButtonType5Click();
    void Image15Click();
    void Image16Click();
    void Image11Click(); // exhibits 1..4
    void Image12Click();
    void Image13Click();
    void Image14Click();

  protected:
    // The themed pictures wait until the screen is first shown or the program is idle.
    void FormPrepare() override { applyTheme(); }
    void FormShow() override;
    void FormHide() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ExamSession& m_session; // the sitting being scored
    void buildControls();
    void buildSummaryArea();
    void buildQuestionTable();
    void buildExplanationArea();
    void buildTrendChart();
    void buildMainButtons();
    void connectButtons();
    void buildKeys();
    void selectRowByKey(int row);
    void openRowByKey();
    void applyTheme();
    void fillTable();
    void showOverview();
    void setMemoText(const std::string& cp932Text);
    void setRightPanelButtonsVisible(bool on);
    void hideStyleAndExhibitButtons();
    void paintHeadingStrip(bool overview);
    void showExhibit(int k);
    void showStyleView(int style);
    void recordAttempt();
    void updateAdaptiveRecord(const QString& path);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image7 = nullptr;
    QLabel* Image8 = nullptr;
    QLabel* HiGradeImg = nullptr;
    QLabel* Image51 = nullptr;
    QLabel* Image52 = nullptr;
    QLabel* Image61 = nullptr;
    QLabel* Image62 = nullptr;
    ui::PictureButton* Button1 = nullptr;
    ui::PictureButton* Button3 = nullptr;
    ui::PictureButton* Button4 = nullptr;
    ui::PictureButton* Button5 = nullptr;
    ui::PictureButton* Button6 = nullptr;
    ui::PictureButton* Button7 = nullptr;
    ui::PictureButton* Button8 = nullptr;
    ui::PictureButton* Image9 = nullptr;
    ui::PictureButton* Image10 = nullptr;
    ui::PictureButton* ButtonType5 = nullptr;
    ui::PictureButton* Image15 = nullptr;
    ui::PictureButton* Image16 = nullptr;
    std::array<ui::PictureButton*, 4> exhibitButtons{}; // Image11..Image14
    QPushButton* Button2 = nullptr;
    QTimer* Timer1 = nullptr;

    int m_selectedRow = 0;
    bool m_fixedRow = false;
    bool m_attemptPending = false;
};
