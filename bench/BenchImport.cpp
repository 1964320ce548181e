// Importing a full question bank from the exchange formats: 500 questions of Japanese text in 10
// categories, as `quarvel-tool import` does it (reading, mapping, and checking that the source packs).
#include "bank/import/GiftReader.h"
#include "bank/import/ImportSource.h"
#include "bank/import/MoodleXmlReader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace
{

constexpr int kQuestions = 500;
constexpr int kPictures = 100;

const char* kText = "次のうち、リンクステート型のルーティングプロトコルはどれか。"
                    "経路の計算にはダイクストラ法を用いる。";

std::string giftBank()
{
    std::string out;
    for (int i = 0; i < kQuestions; ++i) {
        out += "$CATEGORY: $course$/分野" + std::to_string(i % 10) + "/小分野" + std::to_string(i % 7) + "\n\n";
        out += "::q" + std::to_string(i) + ":: [html]<p>" + kText +
               "</p> {\n"
               "  =OSPF #正解です。\n  ~RIP #距離ベクタ型です。\n  ~%50%IS-IS\n  ~BGP\n####一般的な解説です。\n}\n\n";
    }
    return out;
}

QByteArray picture(int i)
{
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(i * 3 % 360, 200, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, i % 2 ? "PNG" : "JPEG");
    return bytes;
}

std::string moodleBank()
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";
    for (int i = 0; i < kQuestions; ++i) {
        if (i % 50 == 0)
            out += "<question type=\"category\"><category><text>$course$/top/分野" + std::to_string(i / 50) +
                   "/小分野</text></category></question>\n";
        out += "<question type=\"multichoice\"><name><text>q" + std::to_string(i) +
               "</text></name>"
               "<questiontext format=\"html\"><text><![CDATA[<p>" +
               kText + "</p>]]></text>";
        if (i % (kQuestions / kPictures) == 0)
            out += "<file name=\"p.png\" path=\"/\" encoding=\"base64\">" + picture(i).toBase64().toStdString() +
                   "</file>";
        out += "</questiontext><generalfeedback format=\"html\"><text>解説 &amp; 補足</text></generalfeedback>"
               "<single>true</single>"
               "<answer fraction=\"100\"><text>OSPF</text><feedback><text>正解</text></feedback></answer>"
               "<answer fraction=\"0\"><text>RIP</text></answer><answer fraction=\"0\"><text>BGP</text></answer>"
               "</question>\n";
    }
    return out + "</quiz>\n";
}

ImportOptions options(const char* fileName, const char* format)
{
    ImportOptions o;
    o.fileName = QString::fromUtf8(fileName);
    o.formatName = QString::fromUtf8(format);
    o.withImages = true;
    return o;
}

void BM_ImportGift500(benchmark::State& state)
{
    const std::string gift = giftBank();
    for (auto _ : state) {
        std::vector<ImportedQuestion> questions;
        ImportResult result;
        if (readGift(gift, QStringLiteral("bank.gift"), questions) ||
            buildQuestionSource(questions, options("bank.gift", "GIFT"), result))
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(result.source.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(gift.size()));
}
BENCHMARK(BM_ImportGift500)->Unit(benchmark::kMillisecond);

void BM_ImportMoodleXml500With100Pictures(benchmark::State& state)
{
    const std::string xml = moodleBank();
    for (auto _ : state) {
        std::vector<ImportedQuestion> questions;
        ImportResult result;
        if (readMoodleXml(xml, QStringLiteral("bank.xml"), questions) ||
            buildQuestionSource(questions, options("bank.xml", "Moodle XML"), result) ||
            result.exhibits.size() != size_t(kPictures))
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(result.source.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(xml.size()));
}
BENCHMARK(BM_ImportMoodleXml500With100Pictures)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // image format plugins
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
