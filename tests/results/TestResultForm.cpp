#include "bank/Cp932.h"
#include "install/Selection.h"
#include "results/Recording.h"
#include "results/screens/TResultForm.h"
#include "session/ExamSession.h"
#include "session/screens/TExamModeForm.h"
#include "session/screens/TRefImgForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "styles/screens/TfrmSelStyle3View.h"
#include "styles/screens/TfrmSelStyle4View.h"
#include "styles/screens/TfrmSelStyle5View.h"
#include "styles/screens/TfrmSelStyle6View.h"
#include "styles/screens/TfrmSelStyle7View.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"
#include "ui/ShellOpen.h"
#include "ui/Sound.h"

#include <QBuffer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

namespace
{

const QString kVendor = QStringLiteral("oracle");

template <typename T = QWidget> T* control(const char* name)
{
    T* found = screens().ResultForm->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QString labelText(const char* name)
{
    return control<QLabel>(name)->text();
}

QString cell(int row, int column)
{
    QTableWidgetItem* item = control<QTableWidget>("StringGrid1")->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

QColor pixel(const char* name, int x, int y)
{
    return control<QLabel>(name)->pixmap().toImage().pixelColor(x, y);
}

} // namespace

class TestResultForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    CourseTest m_test;
    QStringList m_opened;
    bool m_ended = false;

    // A session of `n` questions: odd positions right, even ones wrong; categories 1, 2, 1, 2, ...
    void setSession(int n, int elapsedSeconds)
    {
        ExamSession& session = examSession();
        session.bank.mockMinutes = 30;
        session.bank.categoryCount = 3;
        session.settings.mode = kModeMock;
        session.settings.questionCount = n;
        session.sessionQuestions.count = n;
        for (int r = 1; r <= n; ++r) {
            SessionQuestion& q = session.sessionQuestions.question(r);
            q = SessionQuestion{};
            q.bankIndex = 10 + r;
            q.number = 200 + r;
            q.category = 1 + (r + 1) % 2;
            q.style = kStyleMultiple;
            q.text = "Question " + std::to_string(r);
            q.shownChoiceCount = 4;
            q.choices = {"alpha", "beta", "gamma", "delta"};
            q.keyFlags = {};
            q.keyFlags[1] = 1; // b
            q.explanation = "\r\nWhy " + std::to_string(r);
            AnswerRecord& a = session.answers.at(r);
            a = AnswerRecord{};
            if (r % 2 == 1)
                a.answerFlags[1] = 1;
            else
                a.answerFlags[0] = a.answerFlags[2] = 1; // a and c
            a.secondsOnQuestion = 5;
        }
        session.elapsedSeconds = elapsedSeconds;
    }

    void showResult()
    {
        screens().ResultForm->clock = [] { return QDateTime(QDate(2024, 3, 9), QTime(14, 5, 30)); };
        screens().ResultForm->show();
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        createScreens();
        m_test.questionFile = m_install->questionDir(kVendor) + QStringLiteral("t.qdf");
        m_test.historyFile = m_install->historyDir(kVendor) + QStringLiteral("t.HIS");
        m_test.code = "1Z0-001";
        m_test.title = cp932::fromUtf8("データベース基礎");
        VendorTheme theme;
        theme.directory = kVendor;
        selection().setTest(m_test);
        selection().setTheme(theme);
        m_opened.clear();
        ui::testing::setOpener([this](const QString& target, bool) { m_opened << target; });
        ui::testing::clearPlayedSounds();
        ui::testing::clearShownMessages();
        m_ended = false;
        setProgramEndHandler([this] { m_ended = true; });
    }

    void cleanup()
    {
        destroyScreens();
        setProgramEndHandler({});
        m_install.reset();
    }

    void labelsTableAndLevelText()
    {
        QVERIFY(CreateEmptyHistory(m_test.historyFile, m_test.questionFile));
        setSession(3, 754);
        examSession().answers.at(2).explanationViewed = 1;
        showResult();
        TResultForm* form = screens().ResultForm;
        QCOMPARE(form->windowTitle(), QStringLiteral("1Z0-001 データベース基礎 - 採点結果"));
        QCOMPARE(labelText("Label1"), QStringLiteral("正答率 : 66%"));
        QCOMPARE(labelText("Label6"), QStringLiteral("問題数 : 3問"));
        QCOMPARE(labelText("Label7"), QStringLiteral("実施日時 : "));
        QCOMPARE(labelText("Label8"), QStringLiteral("2024/3/9 14:5"));
        QCOMPARE(labelText("Label9"), QStringLiteral("所要時間 : 12' 34"));
        QCOMPARE(labelText("Label2"), QStringLiteral("成績の推移（科目 : データベース基礎）"));
        QCOMPARE(control<QPlainTextEdit>("Memo2")->toPlainText(), QStringLiteral("1Z0-001\nデータベース基礎"));

        auto* grid = control<QTableWidget>("StringGrid1");
        QCOMPARE(grid->rowCount(), 4);
        QCOMPARE(grid->columnWidth(0), 36);
        QCOMPARE(grid->columnWidth(3), 38);
        QCOMPARE(cell(0, 0), QStringLiteral("No."));
        QCOMPARE(cell(1, 0), QStringLiteral("Q.1"));
        QCOMPARE(cell(1, 1), QStringLiteral(" b"));
        QCOMPARE(cell(1, 3), QStringLiteral("  ○"));
        QCOMPARE(cell(2, 1), QStringLiteral(" a c"));
        QCOMPARE(cell(2, 2), QStringLiteral(" b"));
        QCOMPARE(cell(2, 3), QStringLiteral("  ×"));
        QCOMPARE(grid->item(2, 1)->foreground().color(), QColor(Qt::red));
        QCOMPARE(grid->item(1, 1)->foreground().color(), QColor(Qt::black));

        // Level C (66 %) with the default text, since the test has no settings file.
        QCOMPARE(form->score.level, 'C');
        QCOMPARE(control<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("レベル:C あとちょっと"));
        QCOMPARE(control<QPlainTextEdit>("Memo1")->height(), 233);
        QVERIFY(!form->hasFixedRow());
        QVERIFY(!control("Button4")->isVisible());
        QVERIFY(!control("Image7")->isVisible());
    }

    void levelTextFromTheTestSettings()
    {
        m_install->writeFile(QStringLiteral("QDAT/oracle/t.ini"),
                             cp932::fromUtf8("[Level]\r\nTextA=よくできました\r\nTextE=復習しましょう\r\n"));
        setSession(2, 60);
        examSession().answers.at(2).answerFlags = examSession().sessionQuestions.question(2).keyFlags;
        showResult();
        QCOMPARE(control<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("よくできました"));
    }

    void resultSoundAfterTheTimer()
    {
        setSession(2, 60); // 1 of 2: 50 %, level D
        showResult();
        auto* timer = control<QTimer>("Timer1");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 300);
        QVERIFY(ui::testing::playedSounds().isEmpty());
        screens().ResultForm->Timer1Timer();
        QVERIFY(!timer->isActive());
        QCOMPARE(ui::testing::playedSounds(), QStringList{QStringLiteral("wav/Bad.wav")});
    }

    void trendChartPixels()
    {
        History previous;
        previous.attempts[0] = {45, 2, 14, 20, 15, 90, 2, 10}; // record 1: 45 minutes, 90 %
        QVERIFY(SaveHistory(m_test.historyFile, previous, m_test.questionFile));
        setSession(4, 15 * 60); // 2 of 4: 50 %, 15 minutes
        showResult();
        QCOMPARE(control<QLabel>("Image1")->pixmap().size(), QSize(601, 140));
        const QColor silver(0xC0, 0xC0, 0xC0);
        QCOMPARE(pixel("Image1", 0, 0), QColor(Qt::black));
        QCOMPARE(pixel("Image1", 300, 10), silver); // frame top
        QCOMPARE(pixel("Image1", 300, 50), silver); // grid line
        QCOMPARE(pixel("Image1", 560, 60), silver); // frame right
        QCOMPARE(pixel("Image1", 300, 60), QColor(Qt::black));
        // Current attempt: rate 50 at (515, 60) in red, time 15 of T = 30 at (515, 85) in yellow.
        QCOMPARE(pixel("Image1", 515, 60), QColor(Qt::red));
        QCOMPARE(pixel("Image1", 515, 85), QColor(Qt::yellow));
        // Record 1 is the ninth point: (465, 20) for 90 %, (465, 35) for 45 minutes.
        QCOMPARE(pixel("Image1", 465, 20), QColor(Qt::red));
        QCOMPARE(pixel("Image1", 465, 35), QColor(Qt::yellow));
        // Empty records lie on the bottom line, drawn over by the red rate line.
        QCOMPARE(pixel("Image1", 65, 110), QColor(Qt::red));
    }

    void selectingAQuestionAndGoingBack()
    {
        setSession(3, 100);
        SessionQuestion& q = examSession().sessionQuestions.question(2);
        q.text = "<INCLUDE IMG>@net.jpg@map.jpg\r\nWhich route?";
        q.links[0] = {"Routing lesson", "cbt0001\\route.htm"};
        q.references[0] = {"Guide", "12"};
        showResult();
        TResultForm* form = screens().ResultForm;
        auto* grid = control<QTableWidget>("StringGrid1");
        grid->setCurrentCell(2, 1); // as a click on the row
        QCOMPARE(form->selectedRow(), 2);
        QVERIFY(form->hasFixedRow());
        for (const char* name : {"Button4", "Button5", "Button6", "Button7", "Image7", "Image11", "Image12"})
            QVERIFY2(control(name)->isVisible(), name);
        QVERIFY(!control("Image13")->isVisible());
        QVERIFY(!control("Image10")->isVisible());
        QCOMPARE(control<QPlainTextEdit>("Memo1")->height(), 201);
        QCOMPARE(form->exhibitPaths, (QStringList{m_install->questionDir(kVendor) + QStringLiteral("img/net.jpg"),
                                                  m_install->questionDir(kVendor) + QStringLiteral("img/map.jpg")}));
        QCOMPARE(control<QPlainTextEdit>("Memo1")->toPlainText(),
                 QStringLiteral("【問題】\nWhich route?\n\n【選択肢】\na. alpha\nb. beta\nc. gamma\nd. delta\n\n"
                                "【解説】\nWhy 2\n\n【参照】\nGuide 12P"));
        QCOMPARE(control<ui::PictureButton>("Button5")->hint(), QStringLiteral("Routing lesson"));
        QCOMPARE(control<ui::PictureButton>("Button6")->hint(), QString());
        QCOMPARE(control<ui::PictureButton>("Button5")->pixmap().toImage(),
                 control<QLabel>("Image51")->pixmap().toImage());
        QCOMPARE(control<ui::PictureButton>("Button6")->pixmap().toImage(),
                 control<QLabel>("Image62")->pixmap().toImage());
        QCOMPARE(control<QLabel>("Label10")->palette().color(QPalette::Window), QColor(Qt::red));
        // The exhibit window shows a picture that loads; a missing one is named in a message.
        QDir().mkpath(m_install->questionDir(kVendor) + QStringLiteral("img"));
        QImage(40, 30, QImage::Format_RGB32)
            .save(m_install->questionDir(kVendor) + QStringLiteral("img/map.jpg"), "JPG");
        form->Image11Click();
        QVERIFY(!screens().RefImgForm->isVisible());
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QVERIFY(ui::testing::shownMessages()[0].text.contains(QStringLiteral("net.jpg")));
        form->Image12Click();
        QCOMPARE(examSession().exhibitPath, m_install->questionDir(kVendor) + QStringLiteral("img/map.jpg"));
        QVERIFY(screens().RefImgForm->isVisible());
        screens().RefImgForm->hide();
        form->Image13Click(); // no third exhibit: nothing happens
        QVERIFY(!screens().RefImgForm->isVisible());

        // A question without exhibits keeps the tall text.
        form->StringGrid1SelectCell(3);
        QCOMPARE(control<QPlainTextEdit>("Memo1")->height(), 233);
        QVERIFY(!control("Image11")->isVisible());

        // A press below the heading strip changes nothing; on it, the overview comes back.
        form->StringGrid1MouseDown(18);
        QCOMPARE(form->selectedRow(), 3);
        QTest::mouseClick(control("Label5"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form->selectedRow(), 0);
        QVERIFY(!form->hasFixedRow());
        QVERIFY(!control("Button4")->isVisible());
        QCOMPARE(control<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("レベル:C あとちょっと"));

        form->StringGrid1SelectCell(1);
        QTest::mouseClick(control("Label11"), Qt::LeftButton);
        QCOMPARE(form->selectedRow(), 0);
        QCOMPARE(control<QLabel>("Label10")->palette().color(QPalette::Window), QColor(0x00, 0x00, 0x80));
        QCOMPARE(control<QLabel>("Label12")->palette().color(QPalette::WindowText), QColor(Qt::white));
    }

    void memoNeverKeepsTheFocus()
    {
        setSession(1, 10);
        showResult();
        auto* memo = control<QPlainTextEdit>("Memo1");
        memo->setFocus();
        QTest::mouseMove(memo->viewport(), QPoint(20, 20));
        QCOMPARE(screens().ResultForm->focusWidget(), control("Button2"));
        memo->setFocus();
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(memo, &release);
        QCOMPARE(screens().ResultForm->focusWidget(), control("Button2"));
    }

    void keysWalkTheTable_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("row");
        using K = QList<int>;
        QTest::newRow("down from the overview") << K{Qt::Key_Down} << 1;
        QTest::newRow("up from the overview") << K{Qt::Key_Up} << 1;
        QTest::newRow("down twice") << K{Qt::Key_Down, Qt::Key_Down} << 2;
        QTest::newRow("up stops at the first") << K{Qt::Key_Down, Qt::Key_Up, Qt::Key_Up} << 1;
        QTest::newRow("end, then down stays last") << K{Qt::Key_End, Qt::Key_Down} << 30;
        QTest::newRow("up out of the scrolled end") << K{Qt::Key_End, Qt::Key_Up, Qt::Key_Up} << 28;
        QTest::newRow("home after end") << K{Qt::Key_End, Qt::Key_Home} << 1;
        QTest::newRow("far down, then back up past the strip")
            << K{Qt::Key_End, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up,
                 Qt::Key_Up,  Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up}
            << 20;
    }

    // The keys select rows as clicks do, from wherever the focus sits, and the chosen row is
    // always in view below the heading strip.
    void keysWalkTheTable()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, row);
        setSession(30, 100);
        showResult();
        TResultForm* form = screens().ResultForm;
        QApplication::setActiveWindow(form);
        auto* table = control<QTableWidget>("StringGrid1");
        QCOMPARE(form->focusWidget(), table);
        for (int key : keys) {
            QTest::keyClick(form->focusWidget(), Qt::Key(key));
            const QRect shown = table->visualRect(table->model()->index(form->selectedRow(), 0));
            QVERIFY2(shown.top() >= 17 && shown.bottom() < table->viewport()->height(),
                     qPrintable(QString::number(form->selectedRow())));
        }
        QCOMPARE(form->selectedRow(), row);
        QVERIFY(form->hasFixedRow());
        QVERIFY(table->selectionModel()->isRowSelected(row, {}));
        QVERIFY(control<QPlainTextEdit>("Memo1")->toPlainText().contains(QStringLiteral("Question %1\n").arg(row)));
        QVERIFY(control("Button4")->isVisible());
        QCOMPARE(form->focusWidget(), table);
    }

    // Enter in the table opens what the row's view button opens; a choice question has none.
    void enterOpensTheView()
    {
        setSession(3, 100);
        makePanelQuestion(2);
        showResult();
        TResultForm* form = screens().ResultForm;
        QApplication::setActiveWindow(form);
        auto* table = control<QTableWidget>("StringGrid1");
        QTest::keyClick(table, Qt::Key_Return); // nothing chosen yet: the first question
        QCOMPARE(form->selectedRow(), 1);
        QTest::keyClick(table, Qt::Key_Enter); // a choice question: no view to open
        QVERIFY(!screens().frmSelStyle4View->isVisible());
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Return);
        QVERIFY(screens().frmSelStyle4View->isVisible());
        screens().frmSelStyle4View->hide();
    }

    // PageDown pages the question text without taking the focus from the table.
    void pageKeysScrollTheText()
    {
        setSession(1, 100);
        std::string longText;
        for (int i = 0; i < 80; ++i)
            longText += "line " + std::to_string(i) + "\r\n";
        examSession().sessionQuestions.question(1).text = longText;
        showResult();
        TResultForm* form = screens().ResultForm;
        QApplication::setActiveWindow(form);
        QTest::keyClick(form->focusWidget(), Qt::Key_Down);
        auto* memo = control<QPlainTextEdit>("Memo1");
        QCOMPARE(memo->verticalScrollBar()->value(), 0);
        QTest::keyClick(form->focusWidget(), Qt::Key_PageDown);
        QVERIFY(memo->verticalScrollBar()->value() > 0);
        QTest::keyClick(form->focusWidget(), Qt::Key_PageUp);
        QCOMPARE(memo->verticalScrollBar()->value(), 0);
        QCOMPARE(form->focusWidget(), control("StringGrid1"));
    }

    // A small picture in the test's img/ directory (the loader goes by content, not by name).
    void writePicture(const QString& name)
    {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::white);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        m_install->writeFile(QStringLiteral("QDAT/") + kVendor + QStringLiteral("/img/") + name, png);
    }

    // Session row r becomes a panel style question with its picture.
    void makePanelQuestion(int r)
    {
        SessionQuestion& q = examSession().sessionQuestions.question(r);
        q.style = kStylePanel;
        q.text = "<INCLUDE IMG>@board.jpg\r\nDrag the panels.";
        q.choices = {"a@10,10,50,30", "b@1,1,40,20", "c@10,10,50,30"};
        writePicture(QStringLiteral("board.jpg"));
    }

    void styleQuestionRow()
    {
        setSession(2, 100);
        makePanelQuestion(1);
        showResult();
        QCOMPARE(cell(1, 1), QStringLiteral("パネル表示"));
        QCOMPARE(cell(1, 2), QString());
        QCOMPARE(cell(1, 3), QStringLiteral("  ○"));
        screens().ResultForm->StringGrid1SelectCell(1);
        QVERIFY(control("Image10")->isVisible());
        QVERIFY(!control("Image11")->isVisible()); // exhibits only for styles 1, 2 and 5
        QCOMPARE(control<QPlainTextEdit>("Memo1")->height(), 201);
        QVERIFY(!control<QPlainTextEdit>("Memo1")->toPlainText().contains(QStringLiteral("【選択肢】")));
        const StyleQuestion& hand = examSession().styleHandOver.question(kStylePanel);
        QCOMPARE(hand.picturePath, m_install->questionDir(kVendor) + QStringLiteral("img/board.jpg"));
        QCOMPARE(hand.dataA, std::string("@10,10,50,30"));
        QCOMPARE(hand.correctChoice, 1);
        QTest::mouseClick(control("Image10"), Qt::LeftButton);
        QVERIFY(screens().frmSelStyle4View->isVisible());
        QVERIFY(!screens().frmSelStyle3View->isVisible());
        screens().frmSelStyle4View->hide();
    }

    // The labelled panel and connector rows open their views with the row's own data.
    void labelledPanelAndConnectorRows()
    {
        setSession(2, 100);
        SessionQuestion& panels = examSession().sessionQuestions.question(1);
        panels.style = kStyleLabelledPanel;
        panels.text = "<INCLUDE IMG>@board.jpg\r\nLabel the parts.";
        panels.choices = {"a@T1;ip", "b@1,100,40,120,T1", "c@10,10,50,30,ip"};
        SessionQuestion& cables = examSession().sessionQuestions.question(2);
        cables.style = kStyleConnector;
        cables.text = "<INCLUDE IMG>@board.jpg@wired.jpg\r\nCable it.";
        cables.choices = {"a@", "b@", "c@"};
        writePicture(QStringLiteral("board.jpg"));
        writePicture(QStringLiteral("wired.jpg"));
        showResult();
        screens().ResultForm->StringGrid1SelectCell(1);
        QVERIFY(control("Image15")->isVisible());
        QTest::mouseClick(control("Image15"), Qt::LeftButton);
        QVERIFY(screens().frmSelStyle6View->isVisible());
        QCOMPARE(screens().frmSelStyle6View->board().position(0), (styleitems::Point{1, 100}));
        screens().frmSelStyle6View->hide();

        screens().ResultForm->StringGrid1SelectCell(2);
        QVERIFY(control("Image16")->isVisible());
        QVERIFY(!control("Image15")->isVisible());
        QTest::mouseClick(control("Image16"), Qt::LeftButton);
        QVERIFY(screens().frmSelStyle7View->isVisible());
        QCOMPARE(screens().frmSelStyle7View->height(), 48 + 30);
        screens().frmSelStyle7View->hide();
    }

    void graphicAndTextViewsOfTheSelectedRow()
    {
        setSession(2, 100);
        QDir().mkpath(m_install->questionDir(kVendor) + QStringLiteral("img"));
        QImage(120, 80, QImage::Format_RGB32).save(m_install->questionDir(kVendor) + QStringLiteral("img/er.bmp"));
        SessionQuestion& graphic = examSession().sessionQuestions.question(1);
        graphic.style = kStyleGraphic;
        graphic.text = "<INCLUDE IMG>@er.bmp\r\nClick the key.";
        graphic.choices = {"b@5,5,20,20", "a@30,10,90,40"};
        SessionQuestion& text = examSession().sessionQuestions.question(2);
        text.style = kStyleTextEntry;
        text.text = "<INCLUDE IMG>@er.bmp\r\nType the keyword.";
        text.choices = {"c@10", "a@DISTINCT", "b@off"};
        showResult();
        TResultForm* form = screens().ResultForm;

        form->StringGrid1SelectCell(1);
        QVERIFY(control("Image9")->isVisible());
        QVERIFY(!control("Image11")->isVisible());
        QTest::mouseClick(control("Image9"), Qt::LeftButton);
        TfrmSelStyle3View* graphicView = screens().frmSelStyle3View;
        QVERIFY(graphicView->isVisible());
        QCOMPARE(graphicView->findChild<QLabel*>(QStringLiteral("Guide1"))->geometry(), QRect(30, 10, 60, 30));
        QCOMPARE(graphicView->findChild<QLabel*>(QStringLiteral("Guide2"))->geometry(), QRect(5, 5, 15, 15));
        graphicView->Button1Click();

        form->StringGrid1SelectCell(2);
        QVERIFY(control("ButtonType5")->isVisible());
        QVERIFY(control("Image11")->isVisible()); // a text entry question offers its exhibits
        QTest::mouseClick(control("ButtonType5"), Qt::LeftButton);
        QVERIFY(screens().frmSelStyle5View->isVisible());
        QCOMPARE(screens().frmSelStyle5View->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(),
                 QStringLiteral("DISTINCT"));
        form->Image11Click();
        QVERIFY(screens().RefImgForm->isVisible());
        QCOMPARE(screens().RefImgForm->shownPath(), m_install->questionDir(kVendor) + QStringLiteral("img/er.bmp"));
    }

    void faqPage()
    {
        m_install->writeFile(QStringLiteral("BIN/urlref"), std::string("http://faq.example/faq\r\nsecond line\r\n"));
        m_test.code = "1Z0 &1";
        selection().setTest(m_test);
        selection().setTheme(VendorTheme{});
        setSession(3, 100);
        showResult();
        screens().ResultForm->StringGrid1SelectCell(3);
        screens().ResultForm->Button7Click();
        QCOMPARE(m_opened, QStringList{QStringLiteral("http://faq.example/faq?testid=1Z0%20%261&testno=203")});
    }

    // The inquiry page of the selected row gets the stored answer; its links go through the
    // explanation window's link rules.
    void inquiryPageAndLinksOfTheSelectedRow()
    {
        m_install->writeFile(QStringLiteral("BIN/QuesProto"), std::string("#QUESNUM#\r\n#ANSW#\r\n"));
        m_install->writeFile(QStringLiteral("BIN/LaunchProto"), std::string("#CDPATH#\r\n"));
        setSession(3, 100);
        examSession().sessionQuestions.question(2).links[1] = {"Web", "http://example.org/q2.htm"};
        showResult();
        screens().ResultForm->StringGrid1SelectCell(2);
        screens().ResultForm->Button4Click();
        QCOMPARE(m_opened, QStringList{m_install->programDir() + QStringLiteral("Ques.htm")});
        QCOMPARE(
            cp932::toUnicode(testsupport::readBytes(m_opened.first())),
            QStringLiteral("202\r\nA : alpha\r\nB : beta\r\nC : gamma\r\nD : delta\r\n正解 : B\r\n解答 : A C \r\n"));

        m_opened.clear();
        screens().ResultForm->Button5Click(); // no first link: nothing happens
        QVERIFY(m_opened.isEmpty());
        screens().ResultForm->Button6Click();
        QCOMPARE(m_opened, QStringList{m_install->programDir() + QStringLiteral("Launch.htm")});
        QVERIFY(testsupport::readBytes(m_opened.first()).find("<FRAME SRC=\"http://example.org/q2.htm\"") == 0);
    }

    void faqWithoutAddressFileOpensNothing()
    {
        setSession(1, 100);
        showResult();
        screens().ResultForm->StringGrid1SelectCell(1);
        screens().ResultForm->Button7Click();
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QCOMPARE(ui::testing::shownMessages().first().title, QStringLiteral("Error"));
        QCOMPARE(ui::testing::shownMessages().first().text,
                 QStringLiteral("ファイル %1 を開けません。").arg(m_install->programDir() + QStringLiteral("urlref")));
    }

    void hidingRecordsTheAttemptOnce()
    {
        QVERIFY(CreateEmptyHistory(m_test.historyFile, m_test.questionFile));
        setSession(3, 754);
        showResult();
        const History loaded = screens().ResultForm->history;
        screens().ResultForm->Button3Click();
        QVERIFY(!screens().ResultForm->isVisible());
        QVERIFY(screens().CourseMenuForm->isVisible());

        // The file holds exactly what the pure functions give for this attempt.
        const ExamSession& session = examSession();
        const AttemptScore& score = screens().ResultForm->score;
        const History expected = AppendAttempt(loaded, score, TallyCategories(session.sessionQuestions, score, 3),
                                               session.sessionQuestions, kModeMock, 3);
        const std::string bytes = testsupport::readBytes(m_test.historyFile);
        QVERIFY(bytes == HistoryBytes(expected, HistoryNameField(m_test.questionFile)));
        QCOMPARE(bytes.substr(512, 9), std::string("\x0C\x03\x09\x0E\x05\x42\x02\x03\x00", 9));
        QCOMPARE(int(static_cast<unsigned char>(bytes[960 + 10])), 1);  // bank question 11 right
        QCOMPARE(int(static_cast<unsigned char>(bytes[1460 + 11])), 1); // bank question 12 wrong

        // Showing the course menu and hiding everything again does not record it a second time.
        endProgram();
        QCOMPARE(testsupport::readBytes(m_test.historyFile), bytes);
    }

    void exitRecordsAndEndsTheProgram()
    {
        setSession(2, 30); // no history file yet: the directory and file are created
        showResult();
        screens().ResultForm->Button1Click();
        QVERIFY(m_ended);
        const History h = LoadHistory(m_test.historyFile);
        QCOMPARE(h.attempts[0].rate, 50);
        QVERIFY(h.attempts[1].empty());
        QCOMPARE(testsupport::readBytes(m_test.historyFile).size(), size_t(kHistorySize));
    }

    void closingTheWindowEndsTheProgram()
    {
        setSession(2, 30);
        showResult();
        ui::testing::clearPlayedSounds();
        screens().ResultForm->close();
        QVERIFY(m_ended);
        QCOMPARE(ui::testing::playedSounds(), QStringList{QString()});
        QCOMPARE(LoadHistory(m_test.historyFile).attempts[0].questionCount, 2);
        QVERIFY(LoadHistory(m_test.historyFile).attempts[1].empty());
    }

    void emptySessionIsShownButNotRecorded()
    {
        QVERIFY(CreateEmptyHistory(m_test.historyFile, m_test.questionFile));
        const std::string before = testsupport::readBytes(m_test.historyFile);
        setSession(0, 0);
        showResult();
        QCOMPARE(labelText("Label1"), QStringLiteral("正答率 : 0%"));
        QCOMPARE(control<QTableWidget>("StringGrid1")->rowCount(), 1);
        screens().ResultForm->StringGrid1SelectCell(1); // no such row: ignored
        QCOMPARE(screens().ResultForm->selectedRow(), 0);
        screens().ResultForm->hide();
        QCOMPARE(testsupport::readBytes(m_test.historyFile), before);
    }
};

QUARVEL_TEST_MAIN(TestResultForm)
#include "TestResultForm.moc"
