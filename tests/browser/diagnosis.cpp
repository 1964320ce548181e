// Page writer of diagnosis.test.mjs: the diagnosis form of two tests, made by the program's own
// code from the installation's FormProto, posting to the address given as second argument.
#include "bank/Cp932.h"
#include "results/StudyOverview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DIR ADDRESS\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QString proto = dir.filePath(QStringLiteral("FormProto"));
    if (!QFile::copy(qEnvironmentVariable("QUARVEL_SOURCE_DIR") + QStringLiteral("/data/program/FormProto"), proto))
        return 1;

    std::vector<StudyTest> tests(2);
    tests[0].code = " QV-100 ";
    tests[0].title = cp932::fromUtf8("基礎試験");
    tests[0].history.attempts[0] = {5, 3, 9, 14, 7, 66, 2, 12};
    tests[0].history.best = 66;
    tests[0].history.average = 66;
    tests[0].categoryNames = {cp932::fromUtf8("ネットワーク"), cp932::fromUtf8("\"運用\" & <保守>")};
    tests[0].history.categories[0] = {50, 40, 30, 20, 10, 30, 90};
    tests[1].code = "QV-\"200\"&";
    tests[1].title = cp932::fromUtf8("応用 <試験>");
    tests[1].categoryNames = {cp932::fromUtf8("設計")};

    DiagnosisProfile profile;
    profile.name = cp932::fromUtf8("<b>\"A&B\"</b> 花子");
    profile.organisation = cp932::fromUtf8("品質 & 保証");
    profile.email = "hanako@example.com";
    profile.serial = "S-123";
    profile.inquiryAddress = argv[2];
    const QString page = dir.filePath(QStringLiteral("Form.htm"));
    FileError error;
    if (!htmlpage::makePage(proto, page, DiagnosisPlaceholders(profile, tests), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return 1;
    }

    QJsonArray expected;
    for (const StudyTest& test : tests) {
        QString code = cp932::toUnicode(test.code).trimmed();
        expected.append(QJsonObject{
            {QStringLiteral("option"), cp932::toUnicode(test.code + " : " + test.title)},
            {QStringLiteral("code"), code},
            {QStringLiteral("history"), cp932::toUnicode(StudyHistoryText(test.history, test.categoryNames))}});
    }
    const QJsonObject out{{QStringLiteral("page"), page},
                          {QStringLiteral("name"), cp932::toUnicode(profile.name)},
                          {QStringLiteral("organisation"), cp932::toUnicode(profile.organisation)},
                          {QStringLiteral("tests"), expected}};
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return 0;
}
