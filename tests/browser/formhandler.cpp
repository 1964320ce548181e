// Page writer of formhandler.test.mjs: a Shift_JIS page with a form that posts to the
// quarvel-center address given as the second argument, its values made by the page helper.
#include "bank/Cp932.h"
#include "bank/HtmlPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DIR ACTION\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QString action = QString::fromLocal8Bit(argv[2]);
    const QString name = QStringLiteral("山田 & <太郎> \"A=B+C%\"");
    const std::string page =
        cp932::fromUtf8("<html><head><meta charset=\"Shift_JIS\"><title>お問い合わせ</title></head><body>\r\n") +
        "<form method=\"post\" action=\"" + htmlpage::escapeAttribute(cp932::fromUnicode(action)) + "\">\r\n" +
        "<input type=\"hidden\" name=\"NAME\" value=\"" + htmlpage::escapeAttribute(cp932::fromUnicode(name)) +
        "\">\r\n" + "<input type=\"hidden\" name=\"SERIAL\" value=\"S-1\">\r\n" +
        "<textarea id=\"comment\" name=\"COMMENT\"></textarea>\r\n" +
        cp932::fromUtf8("<input id=\"send\" type=\"submit\" value=\"送信\">\r\n</form></body></html>\r\n");
    const QString pagePath = dir.filePath(QStringLiteral("form.htm"));
    QSaveFile out(pagePath);
    if (!out.open(QIODevice::WriteOnly) || out.write(page.data(), qint64(page.size())) < 0 || !out.commit())
        return 1;
    const QJsonObject json{{QStringLiteral("page"), pagePath}, {QStringLiteral("name"), name}};
    std::printf("%s\n", QJsonDocument(json).toJson(QJsonDocument::Compact).constData());
    return 0;
}
