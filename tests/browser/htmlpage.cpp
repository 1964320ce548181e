// Page writer of htmlpage.test.mjs: a page made by the shared page helper from a CP932 template,
// with values that would break out of the page if they were not escaped.
#include "bank/HtmlPage.h"
#include "bank/Cp932.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QString text = QStringLiteral("<script>document.title='破られた'</script> \"引用\" & 漢字");
    const QString attribute = QStringLiteral("\" onmouseover=\"alert(1)\" x=\"&値");

    const std::string templateText =
        cp932::fromUtf8("<html><head><meta charset=\"Shift_JIS\"><title>頁</title></head>\r\n"
                        "<body>\r\n"
                        "  #TEXT#  \r\n"
                        "#ATTRIBUTE#\r\n"
                        "<p id=\"kept\">#TEXT# stays</p>\r\n"
                        "</body></html>\r\n");
    const QString templatePath = dir.filePath(QStringLiteral("Proto"));
    QSaveFile proto(templatePath);
    if (!proto.open(QIODevice::WriteOnly) || proto.write(templateText.data(), qint64(templateText.size())) < 0 ||
        !proto.commit())
        return 1;

    const QString pagePath = dir.filePath(QStringLiteral("page.htm"));
    FileError error;
    const bool made = htmlpage::makePage(
        templatePath, pagePath,
        [&](std::string_view name) -> std::optional<std::vector<std::string>> {
            if (name == "#TEXT#")
                return std::vector<std::string>{"<p id=\"text\">" + htmlpage::escapeText(cp932::fromUnicode(text)) +
                                                "</p>"};
            if (name == "#ATTRIBUTE#")
                return std::vector<std::string>{"<input id=\"field\" value=\"" +
                                                htmlpage::escapeAttribute(cp932::fromUnicode(attribute)) + "\">"};
            return std::nullopt;
        },
        &error);
    if (!made) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return 1;
    }
    const QJsonObject out{
        {QStringLiteral("page"), pagePath}, {QStringLiteral("text"), text}, {QStringLiteral("attribute"), attribute}};
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return 0;
}
