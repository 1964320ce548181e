// Text from outside — the question file and the profile — planted with markup, '&', "[*]" and
// kanji, then the screens of an attempt are walked and every visible text checked: a person reads
// each planted text exactly as written, labels never read markup, and a text its control cuts
// short is there whole as tooltip and accessible name.
#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "bank/SettingsStore.h"
#include "install/Selection.h"
#include "results/AdaptiveRecord.h"
#include "results/screens/TAdaptiveForm.h"
#include "results/screens/TResultForm.h"
#include "results/screens/TStudyForm.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "shell/screens/TMainMenuForm.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextEdit>

namespace
{

// Each outside string starts with its own letter, so a failure names the field.
QString planted(char field)
{
    return QLatin1Char(field) + QStringLiteral("<b>\"A&B\"</b><img src=x>&amp;[*]漢字");
}

std::string plantedBytes(char field)
{
    return cp932::fromUnicode(planted(field));
}

// What a person reads where Qt may take `text` as markup.
QString asRead(const QString& text, bool markup)
{
    if (!markup)
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

// A button's text as shown: "&&" is one '&', a single '&' only underlines the next letter.
QString withoutMnemonic(const QString& text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && ++i == text.size())
            break;
        shown += text.at(i);
    }
    return shown;
}

struct Reading {
    QStringList texts;    // everything a person reads, hints included
    QStringList problems; // labels reading markup, cut texts without their whole text as hint
};

void checkHint(Reading& r, const QString& where, const QString& text, const QString& toolTip, const QString& name)
{
    if (asRead(toolTip, Qt::mightBeRichText(toolTip)) != text || name != text)
        r.problems << where + QStringLiteral(" cuts \"") + text + QStringLiteral("\" short without hinting it");
}

void readItem(Reading& r, const QString& where, const QString& text, const QString& toolTip, const QVariant& name,
              const QFont& font, int width)
{
    r.texts << text;
    if (!toolTip.isEmpty())
        r.texts << asRead(toolTip, Qt::mightBeRichText(toolTip));
    if (QFontMetrics(font).horizontalAdvance(text) + 4 > width)
        checkHint(r, where, text, toolTip, name.toString());
}

Reading readScreen(QWidget* screen)
{
    Reading r;
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(screen);
    r.texts << window->text(QAccessible::Name); // the title bar, "[*]" resolved
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(screen))
            continue;
        const QString where = screen->objectName() + QLatin1Char('.') + w->objectName();
        if (!w->toolTip().isEmpty())
            r.texts << asRead(w->toolTip(), Qt::mightBeRichText(w->toolTip()));
        if (auto* label = qobject_cast<QLabel*>(w)) {
            const bool markup = label->textFormat() == Qt::RichText ||
                                (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
            if (markup)
                r.problems << where + QStringLiteral(" reads markup: ") + label->text();
            r.texts << asRead(label->text(), markup);
            if (!label->wordWrap() &&
                label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width())
                checkHint(r, where, label->text(), label->toolTip(), label->accessibleName());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            r.texts << withoutMnemonic(button->text());
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            r.texts << edit->text();
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
            r.texts << memo->toPlainText();
        } else if (auto* memo = qobject_cast<QTextEdit*>(w)) {
            r.texts << memo->toPlainText();
        } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
            for (int row = 0; row < table->rowCount(); ++row)
                for (int c = 0; c < table->columnCount(); ++c)
                    if (QTableWidgetItem* item = table->item(row, c))
                        readItem(r, where, item->text(), item->toolTip(), item->data(Qt::AccessibleTextRole),
                                 item->font().resolve(table->font()), table->columnWidth(c));
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int row = 0; row < list->count(); ++row) {
                QListWidgetItem* item = list->item(row);
                readItem(r, where, item->text(), item->toolTip(), item->data(Qt::AccessibleTextRole),
                         item->font().resolve(list->font()), list->viewport()->width() - 16);
            }
        }
    }
    return r;
}

QString writePlantedTest(const testsupport::TempInstall& install)
{
    QuestionHeader header;
    header.formatTag = kFormatTag;
    header.mockCount = 2;
    header.targetRate = "70";
    header.code = plantedBytes('C');
    header.title = plantedBytes('T') + " " + std::string(40, 'L'); // long enough to be cut somewhere
    header.updated = "20261201090000";
    header.questionCount = 2;
    auto bank = std::make_unique<QuestionBank>();
    bank->mockCount = 2;
    bank->mockMinutes = 10;
    bank->questionCount = 2;
    bank->categoryCount = 1;
    bank->category(1).name = plantedBytes('K');
    bank->category(1).questionCount = 2;
    bank->category(1).sub(1) = {plantedBytes('S'), 2};
    for (int j = 1; j <= 2; ++j) {
        QuestionRecord& q = bank->question(j);
        q.number = j;
        q.category = 1;
        q.subCategory = 1;
        q.text = plantedBytes('Q');
        q.storedChoiceCount = q.shownChoiceCount = 2;
        q.correctCount = 1;
        q.style = kStyleSingle;
        q.choices[0] = plantedBytes('R');
        q.choices[1] = plantedBytes('W');
        q.explanation = plantedBytes('E');
    }
    bank->recordsRead = 2;
    return install.writeFile(QStringLiteral("QDAT/oracle/planted.qdf"), QuestionFileBytes(header, *bank));
}

} // namespace

class TestOutsideText : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    QMap<QString, Reading> m_readings; // by screen

    void read(QWidget* screen)
    {
        QVERIFY2(screen->isVisible(), qPrintable(screen->objectName()));
        Reading r = readScreen(screen);
        Reading& kept = m_readings[screen->objectName()];
        kept.texts << r.texts;
        kept.problems << r.problems;
    }

  private Q_SLOTS:
    void initTestCase()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        writePlantedTest(*m_install);
        const QString section = QString::fromLatin1(settings::kSection);
        settings::WriteSetting(section, QStringLiteral("Name"), planted('N'));
        settings::WriteSetting(section, QStringLiteral("Org"), planted('O'));
        settings::WriteSetting(section, QStringLiteral("Email"), planted('M'));
        createScreens();
        ScreenCatalogue& s = screens();

        s.MainMenuForm->show();
        read(s.MainMenuForm);
        s.MainMenuForm->hide();

        s.CourseMenuForm->show();
        s.CourseMenuForm->RDBClick(1);
        read(s.CourseMenuForm);
        s.CourseMenuForm->Button2Click();
        read(s.CatSelForm);
        s.CatSelForm->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("2"));
        s.CatSelForm->Button1Click();
        read(s.GenericMBForm);
        for (int tick = 0; tick < 21; ++tick)
            s.GenericMBForm->Timer1Timer();
        read(s.ExamModeForm);
        s.ExamModeForm->Button2Click();
        s.ExamModeForm->Button2Click(); // the last question opens the review
        read(s.ConfirmForm);
        s.ConfirmForm->Button1Click();
        read(s.ResultForm);
        s.ResultForm->StringGrid1SelectCell(1); // the explanation
        read(s.ResultForm);

        const CourseTest test = selection().test();
        s.StudyForm->testSource = [test] { return QList<CourseTest>{test}; };
        s.StudyForm->show();
        s.StudyForm->LabelImageMouseDown(100, 8);
        read(s.StudyForm);
        m_install->writeFile(QStringLiteral("HIST/oracle/planted.ADP"),
                             AdaptiveRecordBytes({JoinAdaptiveLine({"1", "1", "1", "q1", "4", "3", "10"})}));
        s.AdaptiveForm->setTest(m_install->historyDir(QStringLiteral("oracle")) + QStringLiteral("planted.ADP"),
                                test.questionFile, cp932::toUnicode(test.title));
        s.AdaptiveForm->show();
        read(s.AdaptiveForm);
    }

    void cleanupTestCase()
    {
        destroyScreens();
        m_install.reset();
    }

    void plantedTextIsReadAsWritten_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("field");
        QTest::newRow("profile name") << "MainMenuForm" << planted('N');
        QTest::newRow("profile organisation") << "MainMenuForm" << planted('O');
        QTest::newRow("profile e-mail") << "MainMenuForm" << planted('M');
        QTest::newRow("test list row") << "CourseMenuForm" << planted('T');
        QTest::newRow("selection: code in the title") << "CatSelForm" << planted('C');
        QTest::newRow("selection: category box") << "CatSelForm" << planted('K');
        QTest::newRow("selection: sub-category row") << "CatSelForm" << planted('S');
        QTest::newRow("start notice: title") << "GenericMBForm" << planted('T');
        QTest::newRow("exam: title") << "ExamModeForm" << planted('T');
        QTest::newRow("exam: question") << "ExamModeForm" << planted('Q');
        QTest::newRow("exam: choice") << "ExamModeForm" << planted('W');
        QTest::newRow("review: question") << "ConfirmForm" << planted('Q');
        QTest::newRow("result: code") << "ResultForm" << planted('C');
        QTest::newRow("result: title") << "ResultForm" << planted('T');
        QTest::newRow("result: explanation") << "ResultForm" << planted('E');
        QTest::newRow("diagnosis: title") << "StudyForm" << planted('T');
        QTest::newRow("adaptive list: title") << "AdaptiveForm" << planted('T');
        QTest::newRow("adaptive list: category") << "AdaptiveForm" << planted('K');
    }
    void plantedTextIsReadAsWritten()
    {
        QFETCH(QString, screen);
        QFETCH(QString, field);
        const QStringList texts = m_readings.value(screen).texts;
        const bool found = std::any_of(texts.begin(), texts.end(), [&](const QString& t) { return t.contains(field); });
        QVERIFY2(found, qPrintable(screen + QStringLiteral(" never shows ") + field +
                                   QStringLiteral(" as written; it shows:\n") +
                                   texts.filter(field.mid(1, 3)).join(QLatin1Char('\n'))));
    }

    void noLabelReadsMarkupAndCutTextsAreHinted()
    {
        QStringList problems;
        for (const Reading& r : std::as_const(m_readings))
            problems << r.problems;
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QUARVEL_TEST_MAIN(TestOutsideText)
#include "TestOutsideText.moc"
