#include "support/TestSupport.h"
#include "ui/PlainText.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextDocument>

namespace
{

QString readToolTip(const QString& toolTip)
{
    if (!Qt::mightBeRichText(toolTip))
        return toolTip;
    QTextDocument document;
    document.setHtml(toolTip);
    return document.toPlainText();
}

} // namespace

class TestPlainText : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void shownAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ampersand") << QStringLiteral("A&B");
        QTest::newRow("entity") << QStringLiteral("&amp;");
        QTest::newRow("doubled ampersand") << QStringLiteral("a&&b&");
        QTest::newRow("tags") << QStringLiteral("<b>bold</b><img src=x>");
        QTest::newRow("modified mark") << QStringLiteral("[*] and [*][*]");
        QTest::newRow("kanji and line break") << QStringLiteral("漢字\n二行目");
    }
    void shownAsWritten()
    {
        QFETCH(QString, text);
        QWidget window;
        ui::setPlainWindowTitle(&window, text);
        QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name), text);
        QCheckBox box(&window);
        ui::setPlainText(&box, text);
        // The button's own reading strips a shortcut marker as the painted text does.
        QAccessibleInterface* boxReading = QAccessible::queryAccessibleInterface(&box);
        box.setAccessibleName(QString());
        QCOMPARE(boxReading->text(QAccessible::Name), text);
        QCOMPARE(readToolTip(ui::plainToolTip(text)), text);
        QLabel label(&window);
        ui::setPlainText(&label, text);
        QCOMPARE(label.textFormat(), Qt::PlainText);
        QCOMPARE(label.text(), text);
    }

    void cutTextIsHintedWhileCut_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<bool>("hinted");
        QTest::newRow("one line, room enough") << 600 << false << false;
        QTest::newRow("one line, too narrow") << 60 << false << true;
        QTest::newRow("wrapped, two lines fit") << 200 << true << false;
        QTest::newRow("wrapped, too narrow for two lines") << 40 << true << true;
    }
    void cutTextIsHintedWhileCut()
    {
        QFETCH(int, width);
        QFETCH(bool, wrap);
        QFETCH(bool, hinted);
        const QString text = QStringLiteral("成績の推移（科目 : <b>Quarvel & 長いテスト名</b>）");
        QLabel label;
        label.setAccessibleName(QStringLiteral("own name"));
        label.setWordWrap(wrap);
        label.setGeometry(0, 0, width, 2 * label.fontMetrics().lineSpacing() + 2);
        ui::setPlainText(&label, text);
        QCOMPARE(readToolTip(label.toolTip()), hinted ? text : QString());
        QCOMPARE(label.accessibleName(), hinted ? text : QStringLiteral("own name"));
        // Widened, it shows everything: its own name comes back.
        label.resize(1000, label.height());
        QCoreApplication::sendPostedEvents();
        label.show();
        QCOMPARE(label.toolTip(), QString());
        QCOMPARE(label.accessibleName(), QStringLiteral("own name"));
    }

    void cutCellsAndViewsAreHinted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("hinted");
        QTest::newRow("style label in a 65 wide column") << QStringLiteral("ｸﾞﾗﾌｨｯｸ表示ﾃｷｽﾄ") << 65 << true;
        QTest::newRow("short answer") << QStringLiteral("ア") << 65 << false;
    }
    void cutCellsAndViewsAreHinted()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(bool, hinted);
        QTableWidget table(1, 1);
        auto* cell = new QTableWidgetItem(text);
        ui::hintWhenCutShort(cell, &table, width);
        QCOMPARE(readToolTip(cell->toolTip()), hinted ? text : QString());
        QCOMPARE(cell->data(Qt::AccessibleTextRole).toString(), hinted ? text : QString());
        table.setItem(0, 0, cell);

        // A two-line text view (the result screen's subject box) hints a title that needs more.
        QPlainTextEdit memo;
        memo.setGeometry(0, 0, 226, 40);
        const QString subject = QStringLiteral("QV-1\n") + text.repeated(hinted ? 8 : 1);
        memo.setPlainText(subject);
        ui::hintWhenCutShort(&memo, subject);
        QCOMPARE(memo.accessibleName(), hinted ? subject : QString());
    }
};

QUARVEL_TEST_MAIN(TestPlainText)
#include "TestPlainText.moc"
