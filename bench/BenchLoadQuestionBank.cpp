// Loading a full question data file: 500 records of Japanese text, each with ten choices and
// four references (about 1 MB), as the category selection screen does when a test is started.
#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "bank/QuestionFileWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

std::string sj(const char* utf8)
{
    return cp932::fromUtf8(utf8);
}

std::string repeat(const std::string& piece, int times, const char* between = "")
{
    std::string out;
    for (int i = 0; i < times; ++i) {
        if (i > 0)
            out += between;
        out += piece;
    }
    return out;
}

std::unique_ptr<QuestionBank> fullBank(QuestionHeader& header)
{
    header.code = sj("QV-500 : ベンチマーク用試験");
    header.title = sj("ネットワークとデータベースの総合問題");
    header.updated = "20260101000000";
    header.mockCount = 60;
    header.targetRate = "70";
    header.questionCount = kMaxQuestions;

    auto bank = std::make_unique<QuestionBank>();
    bank->mockMinutes = 90;
    bank->categoryCount = 10;
    for (int c = 1; c <= 10; ++c) {
        bank->category(c).name = sj("分類") + std::to_string(c);
        bank->category(c).questionCount = 50;
        for (int k = 1; k <= 5; ++k)
            bank->category(c).sub(k) = {sj("小分類") + std::to_string(k), 10};
    }
    const std::string sentence = sj("次のうち、ＴＣＰ／ＩＰとデータベースについて正しい記述はどれか。");
    const std::string choice = sj("ルーティングテーブルは経路情報を保持する表である");
    const std::string reason =
        sj("解説：ＳＥＬＥＣＴ文は表から行を取り出す問い合わせであり、索引はその検索を速くする。");
    for (int j = 1; j <= kMaxQuestions; ++j) {
        QuestionRecord& q = bank->question(j);
        q.number = j;
        q.category = 1 + (j - 1) / 50;
        q.subCategory = 1 + (j - 1) % 5;
        q.text = repeat(sentence, 6, "\r\n");
        q.storedChoiceCount = 10;
        q.shownChoiceCount = 5;
        q.correctCount = 1 + j % 2;
        q.style = q.correctCount == 1 ? kStyleSingle : kStyleMultiple;
        for (int k = 0; k < kMaxChoices; ++k)
            q.choices[size_t(k)] = choice + std::to_string(k + 1);
        q.explanation = "\r\n" + repeat(reason, 8, "\r\n");
        for (int r = 0; r < kReferenceCount; ++r)
            q.references[size_t(r)] = {sj("『ネットワーク技術入門』 第") + std::to_string(r + 1) + sj("章"),
                                       std::to_string(10 + r)};
        q.links[0] = {sj("解説ページ"), "http://example.org/qv500/" + std::to_string(j) + ".htm"};
    }
    bank->recordsRead = kMaxQuestions;
    return bank;
}

void BM_LoadQuestionBank(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.qdf"));
    QuestionHeader header;
    const std::string bytes = QuestionFileBytes(header, *fullBank(header));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        state.SkipWithError("cannot write the question file");
        return;
    }
    file.close();

    auto bank = std::make_unique<QuestionBank>();
    for (auto _ : state) {
        auto error = LoadQuestionBank(path, *bank);
        if (error) {
            state.SkipWithError(error->text().toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(bank->recordsRead);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
    state.counters["file_bytes"] = double(bytes.size());
}
BENCHMARK(BM_LoadQuestionBank)->Unit(benchmark::kMillisecond);

// The course menu reads only the header of every test it lists.
void BM_ReadQuestionHeader(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.qdf"));
    QuestionHeader header;
    const std::string bytes = QuestionFileBytes(header, *fullBank(header));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        state.SkipWithError("cannot write the question file");
        return;
    }
    file.close();
    for (auto _ : state) {
        QuestionHeader read;
        benchmark::DoNotOptimize(ReadQuestionHeader(path, read));
    }
}
BENCHMARK(BM_ReadQuestionHeader)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
