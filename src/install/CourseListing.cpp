#include "install/CourseListing.h"

#include "bank/Cp932.h"
#include "install/InstallLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

QStringList questionFiles(const QString& directory)
{
    QDir dir(directory);
    QStringList paths;
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString& name : names) {
        if (name.endsWith(QStringLiteral(".qdf"), Qt::CaseInsensitive))
            paths.append(dir.absoluteFilePath(name));
    }
    std::sort(paths.begin(), paths.end(),
              [](const QString& a, const QString& b) { return QFile::encodeName(a) < QFile::encodeName(b); });
    return paths;
}

int badgeIcon(const std::array<bool, 5>& badges)
{
    int icon = 0;
    for (int b = 1; b <= 5; ++b) {
        if (badges[std::size_t(b - 1)])
            icon = b;
    }
    return icon;
}

int badgeLevel(const std::array<bool, 5>& badges)
{
    static constexpr std::array<int, 5> levelOf{1, 2, 3, 4, 3};
    int level = 0;
    for (std::size_t b = 0; b < badges.size(); ++b) {
        if (badges[b])
            level = std::max(level, levelOf[b]);
    }
    return level;
}

std::string updateDate(const std::string& line9)
{
    auto part = [&](std::size_t from, std::size_t count) {
        return from < line9.size() ? line9.substr(from, count) : std::string();
    };
    return part(0, 4) + "/" + part(4, 2) + "/" + part(6, 2);
}

std::string rowText(const CourseTest& test)
{
    return test.code + " : " + test.title + cp932::fromUtf8(" (全") + std::to_string(test.questionCount) +
           cp932::fromUtf8("問) 問題更新日 : ") + updateDate(test.updated);
}

CourseTest courseTest(const QString& questionFile, const QuestionHeader& header, const QString& vendor)
{
    CourseTest test;
    test.questionFile = questionFile;
    test.historyFile = layout::historyPath(questionFile, vendor);
    test.adaptiveFile = layout::adaptivePath(questionFile, vendor);
    test.drillFile = layout::drillPath(questionFile, vendor);
    test.code = header.code;
    test.title = header.title;
    test.questionCount = header.questionCount;
    test.targetRate = header.targetRate;
    test.badges = header.badges;
    test.noBadge = header.noBadge();
    test.updated = header.updated;
    return test;
}

VendorListing listVendorTests(const QString& questionDir, const QString& vendor)
{
    VendorListing listing;
    for (const QString& path : questionFiles(questionDir)) {
        QuestionHeader header;
        if (auto error = ReadQuestionHeader(path, header, true)) {
            listing.unreadable.append(*error);
            continue;
        }
        if (!header.hasFormatTag())
            continue;
        if (listing.tests.size() >= kMaxListedTests) {
            listing.surplus.append(path);
            continue;
        }
        listing.tests.append(courseTest(path, header, vendor));
        listing.highestLevel = std::max(listing.highestLevel, badgeLevel(header.badges));
    }
    return listing;
}

QString listingProblems(const VendorListing& listing)
{
    QStringList parts;
    if (!listing.unreadable.isEmpty()) {
        QStringList lines{QStringLiteral("次の問題ファイルは読み込めないため、一覧に表示しません。")};
        for (const FileError& error : listing.unreadable)
            lines.append(error.japaneseText());
        parts.append(lines.join(QLatin1Char('\n')));
    }
    if (!listing.surplus.isEmpty()) {
        QStringList lines{QStringLiteral("一覧に表示できるテストは%1件までです。次の問題ファイルは表示しません。")
                              .arg(kMaxListedTests)};
        lines.append(listing.surplus);
        parts.append(lines.join(QLatin1Char('\n')));
    }
    return parts.join(QStringLiteral("\n\n"));
}
