// quarvel-tool scramble and quarvel-tool qdf ...: the question data file seen from outside.
#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "bank/QuestionFileCheck.h"
#include "bank/source/QuestionSource.h"
#include "tools/quarvel-tool/Commands.h"
#include "tools/quarvel-tool/JsonWriter.h"
#include "tools/quarvel-tool/ToolFiles.h"

#include <cstdio>
#include <memory>

namespace
{

void writeOut(std::string_view bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

// CP932 bytes as a JSON string (UTF-8); CR LF line breaks stay as they are.
void text(JsonWriter& json, std::string_view cp932Bytes)
{
    json.string(cp932::toUtf8(cp932Bytes));
}

int header(const QString& path)
{
    QuestionHeader h;
    if (auto error = ReadQuestionHeader(path, h))
        return failed(*error);
    JsonWriter json;
    json.beginObject();
    json.key("formatTag");
    text(json, h.formatTag);
    json.key("mockCount");
    json.number(h.mockCount);
    json.key("targetRate");
    text(json, h.targetRate);
    json.key("code");
    text(json, h.code);
    json.key("title");
    text(json, h.title);
    json.key("badges");
    json.beginArray(true);
    for (bool badge : h.badges)
        json.boolean(badge);
    json.endArray();
    json.key("updated");
    text(json, h.updated);
    json.key("questionCount");
    json.number(h.questionCount);
    json.endObject();
    writeOut(json.finish());
    return 0;
}

void question(JsonWriter& json, const QuestionRecord& r)
{
    json.beginObject();
    json.key("number");
    json.number(r.number);
    json.key("category");
    json.number(r.category);
    json.key("subCategory");
    json.number(r.subCategory);
    json.key("text");
    text(json, r.text);
    json.key("storedChoiceCount");
    json.number(r.storedChoiceCount);
    json.key("shownChoiceCount");
    json.number(r.shownChoiceCount);
    json.key("correctCount");
    json.number(r.correctCount);
    json.key("style");
    json.number(r.style);
    json.key("choices");
    json.beginArray();
    for (const std::string& choice : r.choices)
        text(json, choice);
    json.endArray();
    json.key("explanation");
    text(json, r.explanation);
    json.key("references");
    json.beginArray();
    for (const Reference& ref : r.references) {
        json.beginObject(true);
        json.key("text");
        text(json, ref.text);
        json.key("page");
        text(json, ref.page);
        json.endObject();
    }
    json.endArray();
    json.key("links");
    json.beginArray();
    for (const Link& link : r.links) {
        json.beginObject(true);
        json.key("caption");
        text(json, link.caption);
        json.key("target");
        text(json, link.target);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

int bankJson(const QString& path)
{
    auto bank = std::make_unique<QuestionBank>();
    if (auto error = LoadQuestionBank(path, *bank))
        return failed(*error);
    JsonWriter json;
    json.beginObject();
    json.key("mockCount");
    json.number(bank->mockCount);
    json.key("mockMinutes");
    json.number(bank->mockMinutes);
    // As the header gives it; "questions" lists the records read, which may be fewer.
    json.key("questionCount");
    json.number(bank->headerQuestionCount);
    json.key("categoryCount");
    json.number(bank->categoryCount);
    json.key("categories");
    json.beginArray();
    for (int c = 1; c <= bank->categoryCount; ++c) {
        const CategoryEntry& category = bank->category(c);
        json.beginObject();
        json.key("name");
        text(json, category.name);
        json.key("questionCount");
        json.number(category.questionCount);
        json.key("subCategories");
        json.beginArray();
        for (const SubCategoryEntry& sub : category.subCategories) {
            json.beginObject(true);
            json.key("name");
            text(json, sub.name);
            json.key("questionCount");
            json.number(sub.questionCount);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.key("questions");
    json.beginArray();
    for (int j = 1; j <= bank->recordsRead; ++j)
        question(json, bank->question(j));
    json.endArray();
    json.endObject();
    writeOut(json.finish());
    return 0;
}

int check(const QString& path)
{
    const std::vector<FileProblem> problems = CheckQuestionFile(path);
    bool error = false;
    for (const FileProblem& p : problems) {
        complain(p.text());
        error = error || !p.warning;
    }
    if (error)
        return 1;
    const size_t warnings = problems.size();
    writeOut(QStringLiteral("%1: OK%2\n")
                 .arg(path, warnings ? QStringLiteral(", %1 warning(s)").arg(warnings) : QString())
                 .toLocal8Bit()
                 .toStdString());
    return 0;
}

int pack(const QString& sourcePath, const QString& outPath)
{
    std::string source;
    if (auto error = readFile(sourcePath, source))
        return failed(*error);
    std::string qdf;
    std::vector<FileProblem> warnings;
    if (auto error = PackQuestionSource(source, sourcePath, qdf, &warnings))
        return failed(*error);
    for (const FileProblem& w : warnings)
        complain(w.text());
    if (auto error = writeFileWhole(outPath, qdf))
        return failed(*error);
    return 0;
}

int unpack(const QString& path)
{
    std::string qdf;
    if (auto error = readFile(path, qdf))
        return failed(*error);
    std::string source;
    bool exact = false;
    if (auto error = UnpackQuestionFile(qdf, path, source, &exact))
        return failed(*error);
    writeOut(source);
    if (!exact) {
        complain(QStringLiteral("%1: note: the file mixes CR LF and LF line ends; packing this source gives %2 only")
                     .arg(path, source.find("line-ends: lf") != std::string::npos ? QStringLiteral("LF")
                                                                                  : QStringLiteral("CR LF")));
    }
    return 0;
}

} // namespace

int runScramble()
{
    std::string in;
    char chunk[65536];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;)
        in.append(chunk, got);
    std::string out;
    out.reserve(in.size() + 16);
    std::string_view rest = in;
    while (!rest.empty()) {
        // Each line through the routine; its line end (LF or CR LF) copied as it was.
        const size_t lf = rest.find('\n');
        size_t end = lf == std::string_view::npos ? rest.size() : lf;
        if (lf != std::string_view::npos && end > 0 && rest[end - 1] == '\r')
            --end;
        ScrambleLineInto(out, rest.substr(0, end));
        const size_t next = lf == std::string_view::npos ? rest.size() : lf + 1;
        out.append(rest.substr(end, next - end));
        rest.remove_prefix(next);
    }
    writeOut(out);
    return 0;
}

int runQdf(const QStringList& args)
{
    if (args.size() == 2 && args[0] == QLatin1String("header"))
        return header(args[1]);
    if (args.size() == 2 && args[0] == QLatin1String("json"))
        return bankJson(args[1]);
    if (args.size() == 2 && args[0] == QLatin1String("check"))
        return check(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("pack"))
        return pack(args[1], args[2]);
    if (args.size() == 2 && args[0] == QLatin1String("unpack"))
        return unpack(args[1]);
    return usage();
}
