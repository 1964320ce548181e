#pragma once
#include "install/CourseList.h"
#include "install/Selection.h"
#include "install/VendorTable.h"
#include "ui/Screen.h"

#include <QList>
#include <QRect>
#include <QStringList>

class QLabel;
class QScrollArea;
class QTimer;
namespace ui
{
class PictureButton;
}

// Course menu: one tab per installed vendor, the vendor's tests, start and the other services.
class TCourseMenuForm : public ui::Screen
{
    Q_OBJECT
  public:
    // The menu writes the chosen vendor and test into `selection`, which outlives it.
    explicit TCourseMenuForm(Selection& selection, QWidget* parent = nullptr);

    int currentTab() const { return m_currentTab; }
    // Width, height, left and top recorded when a test was started.
    QRect recordedGeometry() const { return m_recordedGeometry; }
    // The vendors that have a tab, tab n at n - 1.
    const QList<VendorInfo>& tabs() const { return m_tabs; }
    // The selected row, 1-based; 0 when the list is empty.
    int selectedRow() const { return m_selectedRow; }
    // How many questions of row `row`'s drill deck are due today; 0 outside the list.
    int dueCount(int row) const { return m_dueCounts.value(row - 1); }

    // Creation: reads the vendor tabs, DefaultDir and the vendor argument (arguments[1]) and
    // selects the starting tab. The constructor runs it with the program's own arguments.
    void FormCreate(const QStringList& arguments);

    // Handlers.
    void Image4MouseDown(int x);
    void RDBClick(int row);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void DrillButtonClick(); // "復習": the selected test's due drill questions
    void Image2Click();
    void Image7Click();
    void Timer1Timer();

  protected:
    void FormPrepare() override;
    void FormShow() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    Selection& m_selection;
    QList<CourseTest> m_tests;
    int m_currentTab = 1;
    int m_highestBadgeLevel = 0;
    QRect m_recordedGeometry;

  private:
    void buildControls();
    void buildPictureSources();
    void buildBands();
    void buildTestList(const QPalette& black);
    void buildCredits();
    void buildButtons();
    void paintButtons();
    void paintTab();
    void layoutLegend();
    void LoadQuestion(const CourseTest& test, int row);
    void drawRow(int row, bool selected);
    void reportProblems();
    void chooseSelectedRow();
    bool menuKey(const QKeyEvent* event);
    void countDueQuestions();

    QList<VendorInfo> m_tabs;
    int m_selectedRow = 0;
    bool m_placed = false;
    QString m_pendingProblems; // found while hidden; shown when the menu is shown
    QList<int> m_dueCounts;    // per row: drill questions due today

    QLabel* Image4 = nullptr;
    QLabel* Image5 = nullptr;
    QLabel* TabImg = nullptr;
    QLabel* TopBarImg = nullptr;
    QLabel* LeftBarImg = nullptr;
    QLabel* AboutButtonImg = nullptr;
    QLabel* OMBigImg = nullptr;
    QLabel* HiGradeImg = nullptr;
    QList<QLabel*> OM;             // OM0-OM5
    QList<QLabel*> OMS;            // OM0S-OM5S
    QList<QLabel*> m_legendLabels; // Label4-Label7
    QList<QLabel*> m_legendIcons;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label8 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* m_listBackground = nullptr;
    QList<QLabel*> m_rows;
    ui::PictureButton* Button1 = nullptr;
    ui::PictureButton* Button2 = nullptr;
    ui::PictureButton* Button3 = nullptr;
    ui::PictureButton* Button4 = nullptr;
    ui::PictureButton* Button5 = nullptr;
    ui::PictureButton* DrillButton = nullptr;
    ui::PictureButton* Image2 = nullptr;
    ui::PictureButton* Image7 = nullptr;
    QTimer* Timer1 = nullptr;
};
