// Page writer of inquiry.test.mjs: "Ques.htm" from the demo installation's own "QuesProto", about
// a question whose every value would break out of the page if it were not escaped.
// Arguments: DIR INQUIRY_ADDRESS. Prints the page's path and the values a person should see.
#include "bank/Cp932.h"
#include "session/InquiryPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace
{
QString shown(const std::string& cp932Text)
{
    return cp932::toUnicode(cp932Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DIR INQUIRY_ADDRESS\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QString templatePath = qEnvironmentVariable("QUARVEL_SOURCE_DIR") + QStringLiteral("/data/program/QuesProto");

    inquiry::InquiryValues values;
    values.serial = cp932::fromUtf8("S<1>&\"2\"");
    values.name = cp932::fromUtf8("<b>\"A&B\"</b> 山田");
    values.email = cp932::fromUtf8("a\"b'@example.org");
    values.organisation = cp932::fromUtf8("研究所 & <script>window.broken=1</script>");
    values.inquiryAddress = argv[2];
    values.testCode = cp932::fromUtf8("1Z0-<001>");
    values.testTitle = cp932::fromUtf8("\"データ\" & <script>window.broken=2</script>");

    SessionQuestion question;
    question.number = 42;
    question.style = kStyleMultiple;
    question.shownChoiceCount = 3;
    question.choices = {cp932::fromUtf8("<b>太字</b>"), cp932::fromUtf8("A & B"), cp932::fromUtf8("\"引用\"")};
    question.keyFlags = {1, 0, 1};
    question.text =
        cp932::fromUtf8("<INCLUDE IMG>@fig.jpg\r\n<script>window.broken=3</script>\r\n表 & \"引用\" を選べ");
    inquiry::Flags checked{};
    checked[1] = 1;
    const std::vector<std::string> answer = inquiry::examAnswerBlock(question, {}, checked, 0);

    const QString page = dir.filePath(QStringLiteral("Ques.htm"));
    FileError error;
    if (!inquiry::writeInquiryPage(templatePath, page, values, question, answer, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return 1;
    }
    std::string answerText;
    for (const std::string& line : answer)
        answerText += (answerText.empty() ? "" : "\n") + line;
    const QJsonObject out{
        {QStringLiteral("page"), page},
        {QStringLiteral("serial"), shown(values.serial)},
        {QStringLiteral("name"), shown(values.name)},
        {QStringLiteral("email"), shown(values.email)},
        {QStringLiteral("organisation"), shown(values.organisation)},
        {QStringLiteral("test"), shown(values.testCode + " : " + values.testTitle)},
        {QStringLiteral("number"), QStringLiteral("42")},
        {QStringLiteral("question"),
         shown(cp932::fromUtf8("<script>window.broken=3</script>\r\n表 & \"引用\" を選べ"))},
        {QStringLiteral("answer"), shown(answerText)},
    };
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return 0;
}
