#pragma once
// The advisor's diagnosis: every test of the chosen vendor with its average and best rate, the
// per-category averages of one test on request, the adaptive history view, the summary page and
// the diagnosis form for the service centre.
#include "install/CourseList.h"
#include "results/StudyOverview.h"
#include "ui/Screen.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <functional>
#include <vector>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QTimer;
namespace ui
{
class PictureButton;
}

// The tests as the diagnosis shows them: histories read (an unreadable one is empty), category
// names read only when `withCategories`; `hasAdaptive` says which tests have an adaptive record.
std::vector<StudyTest> LoadStudyTests(const QList<CourseTest>& tests, bool withCategories,
                                      std::vector<bool>* hasAdaptive = nullptr);

// Gives every listed test that has a history its pass forecast as of `today` (`courses` in the
// same order as `tests`); a test without one, or whose question file cannot be read, gets none.
void ForecastStudyTests(std::vector<StudyTest>& tests, const QList<CourseTest>& courses, const QDate& today);

class TStudyForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TStudyForm(QWidget* parent = nullptr);

    // Where the listed tests come from: the course menu's list (tests set their own).
    std::function<QList<CourseTest>()> testSource;
    // The day the pass forecasts are made for (tests set their own).
    std::function<QDate()> today;

    // Reads every history again and redraws the list (as when the screen is shown).
    void refresh();
    const std::vector<StudyTest>& studyTests() const { return m_tests; }
    bool isCategoryViewOpen() const { return m_viewOpen; }
    int openedTest() const { return m_openedTest; }

    // Handlers.
    void LabelImageMouseDown(int x, int y);
    // The test row the keyboard rests on in the list (1-based; 0 before the list had the focus).
    int keyRow() const { return m_keyRow; }
    void Timer1Timer();
    // Makes the next pending pass forecast (one per tick, so that the list shows at once and the
    // forecasts fill in while the screen is idle) and writes it on its bar.
    void ForecastTimerTimer();
    void Label1Click();
    void Button1Click(); // close the category view
    void Button2Click(); // back to the course menu
    void Button3Click(); // diagnosis form
    void Button4Click(); // summary page
    void Shape3MouseDown();

  protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildTestList();
    void buildCategoryView();
    void buildLegend();
    void buildSidePanel();
    bool listKey(int key);
    void showKeyRow();
    void applyTheme();
    void openCategoryView(int test);
    void closeCategoryView();
    void leave();
    QList<CourseTest> listedTests() const;
    void makeForecast(size_t test);
    void drawBars();

    std::vector<StudyTest> m_tests;
    QList<CourseTest> m_courseTests;
    std::vector<bool> m_hasAdaptive;
    int m_keyRow = 0;
    QFrame* m_keyRowFrame = nullptr;
    bool m_viewOpen = false;
    int m_openedTest = 0;
    int m_step = 0;
    std::vector<size_t> m_pendingForecasts; // indices into m_tests, in list order
    QDate m_forecastDay;
    // Per question file: the key the forecast was made for, and the forecast.
    QHash<QString, std::pair<QString, std::optional<PassForecast>>> m_forecastCache;

    QScrollArea* ScrollBox1 = nullptr;
    QLabel* LabelImage = nullptr;
    QLabel* Image0 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* AdpImg = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr; // legend of the crown
    QLabel* Label7 = nullptr; // the opened test's pass forecast
    QLabel* Crown = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image5 = nullptr;
    ui::PictureButton* Button1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    ui::PictureButton* Button2 = nullptr;
    ui::PictureButton* Button3 = nullptr;
    ui::PictureButton* Button4 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* ForecastTimer = nullptr;
    QFrame* Shape3 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* HiGradeImg = nullptr;
    QLabel* Image6 = nullptr;
};
