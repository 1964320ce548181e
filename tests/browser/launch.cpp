// Page writer of launch.test.mjs: "Launch.htm" from the demo installation's own "LaunchProto",
// once framing a document on a mounted disc and once framing a web address.
// Arguments: DIR WEB_LOCATION. Prints the two pages' paths and what their frames should show.
#include "bank/Cp932.h"
#include "session/LinkTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DIR WEB_LOCATION\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QString templatePath =
        qEnvironmentVariable("QUARVEL_SOURCE_DIR") + QStringLiteral("/data/program/LaunchProto");

    // A document with a blank and kanji in its name, on the second of two discs.
    dir.mkpath(QStringLiteral("disc1"));
    dir.mkpath(QStringLiteral("disc2/資料"));
    QFile document(dir.filePath(QStringLiteral("disc2/資料/第1章 #1.htm")));
    if (!document.open(QIODevice::WriteOnly))
        return 1;
    document.write(cp932::fromUtf8("<html><head><meta charset=\"Shift_JIS\"></head>"
                                   "<body><p id=\"doc\">第1章の資料</p></body></html>")
                       .c_str());
    document.close();

    const QStringList discs{dir.filePath(QStringLiteral("disc1/")), dir.filePath(QStringLiteral("disc2/"))};
    const linktarget::LinkPlan onDisc =
        linktarget::planLink(cp932::fromUtf8("CBT_LINK:資料\\第1章 #1.htm"), linktarget::kNoLocation, discs, QString());
    const linktarget::LinkPlan onWeb =
        linktarget::planLink("CBT_LINK:docs\\ch1.htm?a=1&b=2", QString::fromLocal8Bit(argv[2]), {}, QString());
    if (onDisc.action != linktarget::LinkAction::LaunchFile || onWeb.action != linktarget::LinkAction::LaunchWeb) {
        std::fprintf(stderr, "unexpected link plans\n");
        return 1;
    }
    const QString filePage = dir.filePath(QStringLiteral("Launch.htm"));
    const QString webPage = dir.filePath(QStringLiteral("LaunchWeb.htm"));
    FileError error;
    if (!linktarget::writeLaunchPage(templatePath, filePage, onDisc, &error) ||
        !linktarget::writeLaunchPage(templatePath, webPage, onWeb, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return 1;
    }
    const QJsonObject out{{QStringLiteral("page"), filePage},
                          {QStringLiteral("documentText"), QStringLiteral("第1章の資料")},
                          {QStringLiteral("webPage"), webPage},
                          {QStringLiteral("webPath"), QStringLiteral("/ref/docs/ch1.htm?a=1&b=2")}};
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return 0;
}
