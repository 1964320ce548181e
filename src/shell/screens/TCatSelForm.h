#pragma once
#include "bank/QuestionBank.h"
#include "session/SessionTypes.h"
#include "ui/Screen.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QScrollArea;
class QTimer;
class CategoryBox;
class ExamSession;
namespace ui
{
class PictureButton;
}

// Category selection: loads the chosen test, ticks categories, mode, count and time limit.
class TCatSelForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TCatSelForm(ExamSession& session, QWidget* parent = nullptr);
    ~TCatSelForm() override;

    // Handlers, public so that tests can drive them as the events would.
    void Cat1LabelClick(int category);     // a category box was clicked (1-based)
    void CheckListBox1Click(int category); // a sub-category list was changed
    void CheckListBox1Exit(int category);  // focus left a sub-category list
    void CheckBox1Click();                 // "categories only"
    void RadioButton1Click();              // mock exam
    void RadioButton2Click();              // normal
    void RadioButton3Click();              // training
    void Button1Click();                   // start
    void Button2Click();                   // back to the course menu
    void Timer1Timer();                    // the welcome sound
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void FormKeyUp(int key);
    // Recount: the available count from the ticks, shown in Label4 and proposed in Edit1.
    void QuestionCalc();

    // The run-time controls of category c (1-based); null when the screen is not shown.
    QCheckBox* categoryBox(int category) const;
    QListWidget* categoryList(int category) const;
    int categoryCount() const { return int(m_boxes.size()); }

  protected:
    void FormShow() override;
    void FormActivate() override;
    void FormHide() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildControls();
    void buildCategoryArea();
    void buildModeChoice();
    void buildCountAndTime();
    void drawThemePictures();
    void createCategoryControls();
    void makeCategoryPair(int category);
    void destroyCategoryControls();
    void layoutCategories();
    void orderTabs();
    bool arrowKey(QObject* watched, int key);
    void setAllTicks(bool on);
    void setCategoryControlsEnabled(bool on);
    void readTicks();
    void reportLoadFailure(const QString& detail);
    int selectedMode() const;

    QLabel* Image1 = nullptr;
    QLabel* HiGradeImg = nullptr;
    QLabel* Label1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* m_scrollContent = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLabel* Label6 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QCheckBox* cbAdaptive = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label5 = nullptr;
    ui::PictureButton* Button1 = nullptr;
    ui::PictureButton* Button2 = nullptr;
    QTimer* Timer1 = nullptr;

    ExamSession& m_session; // loads its bank, stores its settings and draws its questions
    // The controls of the categories shown now; m_spareBoxes/m_spareLists hold every pair made so
    // far, index for index, kept hidden between showings so that the next showing reuses them.
    QList<CategoryBox*> m_boxes;
    QList<QListWidget*> m_lists;
    QList<CategoryBox*> m_spareBoxes;
    QList<QListWidget*> m_spareLists;
    bool m_loaded = false;
    bool m_updatingTicks = false; // ticks set by the program, not by the user
    bool m_ctrlHeld = false;
};
