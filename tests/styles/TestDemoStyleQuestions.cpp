// The demo installation's panel, labelled panel and connector questions can really be answered:
// their data parses, their pictures load and hold every rectangle, the correct arrangement that
// the view screens show is judged right, and every expected connection can be drawn.
#include "bank/QuestionFile.h"
#include "bank/source/QuestionSource.h"
#include "styles/ConnectorBoard.h"
#include "styles/PanelBoard.h"
#include "styles/StyleQuestion.h"
#include "support/TestSupport.h"
#include "ui/ImageLoader.h"

#include <QDirIterator>

#include <map>
#include <memory>

namespace
{

QString questionsDir()
{
    return qEnvironmentVariable("QUARVEL_SOURCE_DIR") + QStringLiteral("/data/questions");
}

bool inside(const QImage& picture, const styleitems::Box& box)
{
    return box.x1 >= 0 && box.y1 >= 0 && box.x2 <= picture.width() && box.y2 <= picture.height();
}

} // namespace

class TestDemoStyleQuestions : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("QUARVEL_SOURCE_DIR"))
            QSKIP("QUARVEL_SOURCE_DIR is not set (ctest sets it)");
    }

    void everyDragAndConnectQuestionIsAnswerable()
    {
        std::map<int, int> perStyle;
        QDirIterator it(questionsDir(), {QStringLiteral("*.qsrc")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            std::string qdf;
            QCOMPARE(PackQuestionSource(testsupport::readBytes(source), source, qdf), std::nullopt);
            auto bank = std::make_unique<QuestionBank>();
            QCOMPARE(LoadQuestionBankFromBytes(qdf, source, *bank), std::nullopt);
            for (int j = 1; j <= bank->recordsRead; ++j) {
                const QuestionRecord& record = bank->question(j);
                if (record.style != kStylePanel && record.style != kStyleLabelledPanel &&
                    record.style != kStyleConnector)
                    continue;
                const QString where = QStringLiteral("%1 question %2").arg(source).arg(record.number);
                ++perStyle[record.style];
                const StyleQuestion q = FillStyleQuestion(record.text, record.choices, record.style,
                                                          QFileInfo(source).path() + QLatin1Char('/'));
                QCOMPARE(q.correctChoice, 1);
                const QImage picture = ui::loadImage(q.picturePath);
                QVERIFY2(!picture.isNull(), qPrintable(where));

                if (record.style == kStyleConnector) {
                    QVERIFY2(!ui::loadImage(q.answerPicturePath).isNull(), qPrintable(where));
                    const connectorstyle::ConnectorParse parsed =
                        connectorstyle::parseConnectorData(q.dataB, q.dataC, q.dataA);
                    QVERIFY2(!parsed.problem && !parsed.data.truncated, qPrintable(where));
                    QVERIFY2(!parsed.data.expected.empty(), qPrintable(where));
                    for (const auto& kind : parsed.data.kinds)
                        QVERIFY2(inside(picture, kind.box) && kind.box.y2 <= connectorstyle::kBandHeight,
                                 qPrintable(where));
                    for (const auto& object : parsed.data.objects)
                        QVERIFY2(inside(picture, object.box) && object.box.y1 >= connectorstyle::kBandHeight,
                                 qPrintable(where));
                    continue;
                }
                const auto variant =
                    record.style == kStylePanel ? panelstyle::Variant::Plain : panelstyle::Variant::Labelled;
                panelstyle::PanelParse parsed = panelstyle::parsePanelData(q.dataB, q.dataC, variant);
                QVERIFY2(!parsed.problem && !parsed.data.truncated, qPrintable(where));
                for (const auto& item : parsed.data.panels)
                    QVERIFY2(inside(picture, item.box), qPrintable(where));
                for (const auto& item : parsed.data.targets)
                    QVERIFY2(inside(picture, item.box), qPrintable(where));
                panelstyle::PanelBoard board(std::move(parsed.data));
                board.placeForView(variant, q.dataA);
                QVERIFY2(panelstyle::answerMatches(q.dataA, board.answer(variant)), qPrintable(where));
            }
        }
        QVERIFY(perStyle[kStylePanel] >= 4);
        QVERIFY(perStyle[kStyleLabelledPanel] >= 4);
        QVERIFY(perStyle[kStyleConnector] >= 4);
    }
};

QUARVEL_TEST_MAIN(TestDemoStyleQuestions)
#include "TestDemoStyleQuestions.moc"
