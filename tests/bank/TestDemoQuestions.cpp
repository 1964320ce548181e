// The demo installation's question sources (data/questions/<vendor>/*.qsrc) pack, read and check
// cleanly, so broken demo data fails here rather than when the demo is staged or used.
#include "bank/Cp932.h"
#include "bank/TestSettingsFile.h"
#include "bank/source/QuestionSource.h"
#include "session/QuestionLayout.h"
#include "styles/GraphicStyle.h"
#include "styles/StyleQuestion.h"
#include "styles/TextEntryStyle.h"
#include "support/TestSupport.h"
#include "ui/ImageLoader.h"

#include <QDirIterator>

#include <memory>
#include <set>

namespace
{

QString questionsDir()
{
    return qEnvironmentVariable("QUARVEL_SOURCE_DIR") + QStringLiteral("/data/questions");
}

QStringList demoSources()
{
    QStringList sources;
    QDirIterator it(questionsDir(), {QStringLiteral("*.qsrc")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        sources << it.next();
    sources.sort();
    return sources;
}

} // namespace

class TestDemoQuestions : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("QUARVEL_SOURCE_DIR"))
            QSKIP("QUARVEL_SOURCE_DIR is not set (ctest sets it)");
    }

    void everySourcePacksReadsAndChecksClean_data()
    {
        QTest::addColumn<QString>("source");
        for (const QString& source : demoSources())
            QTest::newRow(qPrintable(QDir(questionsDir()).relativeFilePath(source))) << source;
    }

    void everySourcePacksReadsAndChecksClean()
    {
        QFETCH(QString, source);
        const std::string text = testsupport::readBytes(source);
        std::string qdf;
        std::vector<FileProblem> warnings;
        const auto error = PackQuestionSource(text, source, qdf, &warnings);
        QVERIFY2(!error, error ? qPrintable(error->text()) : "");
        QStringList messages;
        for (const FileProblem& w : warnings)
            messages << w.text();
        QVERIFY2(warnings.empty(), qPrintable(messages.join(QLatin1Char('\n'))));

        QuestionHeader header;
        QCOMPARE(ReadQuestionHeaderFromBytes(qdf, source, header), std::nullopt);
        QVERIFY(header.hasFormatTag());
        QVERIFY(header.updated.starts_with("2026"));
        auto bank = std::make_unique<QuestionBank>();
        QCOMPARE(LoadQuestionBankFromBytes(qdf, source, *bank), std::nullopt);
        QVERIFY(bank->recordsRead >= 20);
        QCOMPARE(bank->questionCount, bank->recordsRead);
        QVERIFY(bank->categoryCount >= 3);
        std::set<int> styles;
        for (int j = 1; j <= bank->recordsRead; ++j) {
            const QuestionRecord& q = bank->question(j);
            styles.insert(q.style);
            QVERIFY2(q.explanation.size() > 2, qPrintable(QStringLiteral("question %1").arg(q.number)));
            QVERIFY2(!q.references[0].text.empty(), qPrintable(QStringLiteral("question %1").arg(q.number)));
            QVERIFY(cp932::toUnicodeStrict(q.text).has_value());
        }
        QVERIFY(styles.count(kStyleSingle) && styles.count(kStyleMultiple));

        // unpack gives a source that packs back to the same file.
        std::string unpacked;
        bool exact = false;
        QCOMPARE(UnpackQuestionFile(qdf, source, unpacked, &exact), std::nullopt);
        QVERIFY(exact);
    }

    void theDemoHasVendorsTestsBadgesAndSettings()
    {
        testsupport::TempInstall install;
        std::set<QString> vendors;
        bool badges1and5 = false;
        QString levelTest;
        QString caseStudyTest;
        const QStringList sources = demoSources();
        QVERIFY(sources.size() >= 3);
        for (const QString& source : sources) {
            const QFileInfo info(source);
            const QString vendor = info.dir().dirName();
            vendors.insert(vendor);
            std::string qdf;
            QCOMPARE(PackQuestionSource(testsupport::readBytes(source), source, qdf), std::nullopt);
            const QString rel = QStringLiteral("QDAT/%1/%2.qdf").arg(vendor, info.completeBaseName());
            const QString path = install.writeFile(rel, qdf);
            QuestionHeader header;
            QCOMPARE(ReadQuestionHeader(path, header, true), std::nullopt);
            badges1and5 = badges1and5 || (header.badges[0] && header.badges[4]);

            const QString ini = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".ini");
            if (!QFileInfo::exists(ini))
                continue;
            install.writeFile(QStringLiteral("QDAT/%1/%2.ini").arg(vendor, info.completeBaseName()),
                              testsupport::readBytes(ini));
            if (ReadCaseStudy(path).present) {
                QVERIFY(!ReadCaseStudy(path).lines.empty());
                caseStudyTest = path;
            }
            if (ReadLevelTexts(path)[0] != cp932::fromUtf8("レベル:A 合格安心"))
                levelTest = path;
        }
        QVERIFY(vendors.count(QStringLiteral("oracle")) && vendors.count(QStringLiteral("cisco")));
        QVERIFY(badges1and5);
        QVERIFY(!levelTest.isEmpty());
        QVERIFY(!caseStudyTest.isEmpty());
        for (const std::string& text : ReadLevelTexts(levelTest))
            QVERIFY(cp932::toUnicodeStrict(text).has_value());
    }

    // Every picture the demo names exists and loads; graphic areas lie on their picture; text
    // entry questions carry a mode and a length the screens accept.
    void picturesAndStyleData()
    {
        int withExhibits = 0;
        int withFourExhibits = 0;
        int graphic = 0;
        int textEntry = 0;
        std::set<std::string> modes;
        bool caseStudyJpeg = false;
        bool caseStudyBitmap = false;
        for (const QString& source : demoSources()) {
            const QFileInfo info(source);
            const QString dir = info.path() + QLatin1Char('/');
            std::string qdf;
            QCOMPARE(PackQuestionSource(testsupport::readBytes(source), source, qdf), std::nullopt);
            auto bank = std::make_unique<QuestionBank>();
            QCOMPARE(LoadQuestionBankFromBytes(qdf, source, *bank), std::nullopt);
            for (int j = 1; j <= bank->recordsRead; ++j) {
                const QuestionRecord& q = bank->question(j);
                const QString where = QStringLiteral("%1 question %2").arg(info.fileName()).arg(q.number);
                const questionlayout::ImageLine line = questionlayout::splitImageLine(q.text);
                QImage first;
                for (int i = 0; i < line.count; ++i) {
                    QString error;
                    const QImage image = ui::loadImage(questionlayout::imagePath(dir, line.names[size_t(i)]), &error);
                    QVERIFY2(!image.isNull(), qPrintable(where + QStringLiteral(": ") + error));
                    if (i == 0)
                        first = image;
                }
                if (q.style == kStyleSingle || q.style == kStyleMultiple) {
                    withExhibits += line.count > 0 ? 1 : 0;
                    withFourExhibits += line.count == 4 ? 1 : 0;
                }
                const StyleQuestion style = FillStyleQuestion(q.text, q.choices, q.style, dir);
                if (q.style == kStyleGraphic) {
                    ++graphic;
                    QVERIFY2(!first.isNull(), qPrintable(where));
                    graphicstyle::GraphicAnswer answer;
                    answer.reset(style.areas);
                    QVERIFY2(answer.count() >= 1 && answer.brokenAreas().empty(), qPrintable(where));
                    QCOMPARE(style.correctChoice, 1);
                    for (const auto& area : answer.areas())
                        QVERIFY2(QRect(QPoint(0, 0), first.size())
                                     .contains(QRect(QPoint(area->x1, area->y1), QPoint(area->x2, area->y2))),
                                 qPrintable(where));
                }
                if (q.style == kStyleTextEntry) {
                    ++textEntry;
                    const textentry::TextEntry entry = textentry::fromHandOver(style);
                    QVERIFY2(entry.maxLengthValid && !entry.correct.empty(), qPrintable(where));
                    QVERIFY2(entry.mode == "on" || entry.mode == "off", qPrintable(where));
                    modes.insert(entry.mode);
                    QVERIFY2(entry.maxLength == 0 || int(cp932::toUnicode(entry.correct).size()) <= entry.maxLength,
                             qPrintable(where));
                    QVERIFY(textentry::judge(entry, entry.correct));
                }
            }
            const QString ini = dir + info.completeBaseName() + QStringLiteral(".ini");
            if (!QFileInfo::exists(ini))
                continue;
            const QString qdfPath = dir + info.completeBaseName() + QStringLiteral(".qdf");
            const CaseStudy study = ReadCaseStudy(qdfPath);
            for (const QString& path : study.imagePaths) {
                if (path.isEmpty())
                    continue;
                QVERIFY2(!ui::loadImage(path).isNull(), qPrintable(path));
                caseStudyJpeg = caseStudyJpeg || path.endsWith(QStringLiteral(".jpg"));
                caseStudyBitmap = caseStudyBitmap || path.endsWith(QStringLiteral(".bmp"));
            }
        }
        QVERIFY(withExhibits >= 3);
        QVERIFY(withFourExhibits >= 1);
        QVERIFY(graphic >= 4);
        QVERIFY(textEntry >= 4);
        QCOMPARE(modes.size(), size_t(2));
        QVERIFY(caseStudyJpeg && caseStudyBitmap);
    }
};

QUARVEL_TEST_MAIN(TestDemoQuestions)
#include "TestDemoQuestions.moc"
