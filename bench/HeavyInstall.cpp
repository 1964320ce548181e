#include "HeavyInstall.h"

#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "results/HistoryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace bench
{

namespace
{

std::string sj(const char* utf8)
{
    return cp932::fromUtf8(utf8);
}

void writeBytes(const QString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        qFatal("cannot write %s", qPrintable(path));
}

// `questions` questions over `categories` categories of 20 sub-categories each.
std::unique_ptr<QuestionBank> bankOf(int questions, int categories)
{
    auto bank = std::make_unique<QuestionBank>();
    bank->mockCount = std::min(questions, 60);
    bank->mockMinutes = 90;
    bank->categoryCount = categories;
    for (int c = 1; c <= categories; ++c) {
        bank->category(c).name = sj("分野") + std::to_string(c) + sj("：ネットワークとデータベースの基礎");
        for (int k = 1; k <= kMaxSubCategories; ++k)
            bank->category(c).sub(k).name =
                sj("小分類") + std::to_string(c) + "-" + std::to_string(k) + sj(" 設計と運用");
    }
    const std::string sentence = sj("次のうち、ＴＣＰ／ＩＰとデータベースの運用について正しい記述はどれか。");
    const std::string line1 = sj("ルーティングテーブルは宛先ネットワークごとの経路情報を保持する表であり、");
    const std::string line2 = sj("スタティックルートは管理者が手で設定した経路として優先度を持ち、");
    const std::string line3 = sj("ダイナミックルーティングは隣接ルータと経路を交換して更新される。");
    const std::string reason =
        sj("解説：ＳＥＬＥＣＴ文は表から行を取り出す問い合わせであり、索引はその検索を速くする。");
    for (int j = 1; j <= questions; ++j) {
        QuestionRecord& q = bank->question(j);
        q.number = j;
        q.category = 1 + (j - 1) % categories;
        q.subCategory = 1 + ((j - 1) / categories) % kMaxSubCategories;
        ++bank->category(q.category).questionCount;
        ++bank->category(q.category).sub(q.subCategory).questionCount;
        q.text = sentence + "\r\n" + sentence + "\r\n" + sentence + "\r\n" + sj("問") + std::to_string(j);
        q.storedChoiceCount = kMaxChoices;
        q.shownChoiceCount = kMaxChoices;
        q.correctCount = j % 5 == 0 ? 3 : 1;
        q.style = q.correctCount == 1 ? kStyleSingle : kStyleMultiple;
        for (int k = 0; k < kMaxChoices; ++k)
            q.choices[size_t(k)] = line1 + "\r\n" + line2 + "\r\n" + line3 + std::to_string(k + 1);
        q.explanation = "\r\n" + reason + "\r\n" + reason + "\r\n" + reason + "\r\n" + reason;
        for (int r = 0; r < kReferenceCount; ++r)
            q.references[size_t(r)] = {sj("『ネットワーク技術入門』 第") + std::to_string(r + 1) + sj("章"),
                                       std::to_string(10 + r)};
        q.links[0] = {sj("解説ページ"), "http://example.org/qv/" + std::to_string(j) + ".htm"};
        q.links[1] = {sj("関連資料"), "http://example.org/qv/ref" + std::to_string(j) + ".htm"};
    }
    bank->questionCount = bank->recordsRead = questions;
    return bank;
}

// Ten attempts, every category and question asked before.
History fullHistory(int questions, int categories)
{
    History h;
    for (int k = 0; k < 10; ++k)
        h.attempts[size_t(k)] = {30 + k, 1 + k, 10 + k, 12, 30, 50 + 4 * k, 1 + k % 3, questions};
    h.best = 86;
    h.average = 68;
    for (int c = 0; c < categories; ++c)
        h.categories[size_t(c)] = {40 + c % 60, 40, 50, 60, 70, 55, 90};
    for (int k = 0; k < questions; ++k) {
        h.correct[size_t(k)] = k % 7;
        h.wrong[size_t(k)] = k % 5;
    }
    return h;
}

} // namespace

HeavyInstall writeHeavyInstall(const QString& rootDir)
{
    HeavyInstall install;
    install.root = QDir(rootDir).absolutePath() + QLatin1Char('/');
    install.programDir = install.root + QStringLiteral("BIN/");
    QDir().mkpath(install.programDir);
    writeBytes(install.programDir + QStringLiteral("CGI_URL"), "http://127.0.0.1/cgi-bin/inquiry\r\n");

    const QString questions = install.root + QStringLiteral("QDAT/oracle/");
    const QString histories = install.root + QStringLiteral("HIST/oracle/");
    const auto big = bankOf(kHeavyQuestions, kMaxCategories);
    const auto small = bankOf(100, 10);
    for (int t = 1; t <= kHeavyTests; ++t) {
        const bool isBig = t == 1;
        const QuestionBank& bank = isBig ? *big : *small;
        QuestionHeader header;
        header.targetRate = "70";
        header.code = "1Z0-" + std::to_string(100 + t);
        header.title = sj("データベース管理とネットワーク設計 総合演習 ") + std::to_string(t);
        header.badges[size_t(t % 5)] = true;
        header.updated = "20261201090000";
        const QString name = QStringLiteral("t%1").arg(t, 2, 10, QLatin1Char('0'));
        const QString path = questions + name + QStringLiteral(".qdf");
        writeBytes(path, QuestionFileBytes(header, bank));
        const QString history = histories + name + QStringLiteral(".HIS");
        QDir().mkpath(histories);
        if (!SaveHistory(history, fullHistory(bank.questionCount, bank.categoryCount), path))
            qFatal("cannot write %s", qPrintable(history));
        install.historyFiles << history;
        if (isBig)
            install.bigTest = path;
    }
    return install;
}

void removeHistories(const HeavyInstall& install)
{
    for (const QString& path : install.historyFiles)
        QFile::remove(path);
}

} // namespace bench
