#include "results/DrillFile.h"

#include "bank/FileLookup.h"
#include "bank/TextLines.h"
#include "results/AdaptiveRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cmath>

namespace
{

constexpr size_t kFieldCount = 7;

// The blank-separated fields of a line; more than kFieldCount + 1 are not collected.
std::vector<std::string_view> fieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (at < line.size() && fields.size() <= kFieldCount) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        if (at == line.size())
            break;
        size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t')
            ++end;
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

std::optional<double> parseReal(std::string_view text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseCount(std::string_view text)
{
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt; // no sign, no blanks
    }
    return textlines::parseNumber(text);
}

void appendReal(std::string& out, double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    out.append(buffer, result.ptr);
}

struct LineProblem {
    const char* english;
    const char* japanese;
};

// The card of one line, or what is wrong with it.
std::optional<DrillCard> parseCard(std::string_view line, LineProblem& problem)
{
    const auto fields = fieldsOf(line);
    if (fields.size() != kFieldCount) {
        problem = {"a card line has seven fields: number, stability, difficulty, last review, due, reviews, lapses",
                   "カードの行は 7 項目です"};
        return std::nullopt;
    }
    DrillCard card;
    const auto number = parseCount(fields[0]);
    if (!number || *number < 1) {
        problem = {"the question number is not a whole number from 1", "問題番号が正しくありません"};
        return std::nullopt;
    }
    card.number = *number;
    const auto stability = parseReal(fields[1]);
    if (!stability || *stability < fsrs::kMinStability || *stability > fsrs::kMaxStability) {
        problem = {"the stability is not a number from 0.001 to 36500", "安定度が正しくありません"};
        return std::nullopt;
    }
    card.stability = *stability;
    const auto difficulty = parseReal(fields[2]);
    if (!difficulty || *difficulty < fsrs::kMinDifficulty || *difficulty > fsrs::kMaxDifficulty) {
        problem = {"the difficulty is not a number from 1 to 10", "難易度が正しくありません"};
        return std::nullopt;
    }
    card.difficulty = *difficulty;
    const auto last = drillday::fromText(fields[3]);
    const auto due = drillday::fromText(fields[4]);
    if (!last || !due) {
        problem = {"a date is not a valid YYYYMMDD", "日付が正しくありません"};
        return std::nullopt;
    }
    if (*due < *last) {
        problem = {"the due date lies before the last review", "期日が最終復習日より前です"};
        return std::nullopt;
    }
    card.lastReview = *last;
    card.due = *due;
    const auto reviews = parseCount(fields[5]);
    const auto lapses = parseCount(fields[6]);
    if (!reviews || !lapses || *reviews < 1 || *lapses >= *reviews) {
        problem = {"reviews must be at least 1 and lapses fewer than reviews", "復習回数が正しくありません"};
        return std::nullopt;
    }
    card.reviews = *reviews;
    card.lapses = *lapses;
    return card;
}

} // namespace

std::optional<DrillDeck> ParseDrillFile(std::string_view bytes, const QString& fileName, FileError* error)
{
    auto fail = [&](int line, const char* english, const char* japanese) -> std::optional<DrillDeck> {
        if (error)
            *error = FileError{fileName, line, QString::fromUtf8(english), QString::fromUtf8(japanese)};
        return std::nullopt;
    };
    textlines::LineCursor cursor(bytes);
    std::string_view line;
    if (!cursor.next(line) || textlines::trim(line) != kDrillFileHeader)
        return fail(1, "not a drill file (the first line is not \"QUARVEL-DRILL 1\")", "復習ファイルではありません");
    DrillDeck deck;
    while (cursor.next(line)) {
        if (textlines::trim(line).empty())
            continue;
        LineProblem problem{};
        const auto card = parseCard(line, problem);
        if (!card)
            return fail(cursor.lineNumber(), problem.english, problem.japanese);
        if (!deck.cards.empty() && card->number <= deck.cards.back().number) {
            return fail(cursor.lineNumber(), "question numbers must rise from line to line",
                        "問題番号が昇順ではありません");
        }
        deck.cards.push_back(*card);
    }
    return deck;
}

std::string DrillFileBytes(const DrillDeck& deck)
{
    std::string out(kDrillFileHeader);
    out += "\r\n";
    for (const DrillCard& card : deck.cards) {
        out += std::to_string(card.number);
        out += ' ';
        appendReal(out, card.stability);
        out += ' ';
        appendReal(out, card.difficulty);
        out += ' ';
        out += drillday::text(card.lastReview);
        out += ' ';
        out += drillday::text(card.due);
        out += ' ';
        out += std::to_string(card.reviews);
        out += ' ';
        out += std::to_string(card.lapses);
        out += "\r\n";
    }
    return out;
}

std::optional<DrillDeck> LoadDrillDeck(const QString& path, FileError* error)
{
    const QString target = filelookup::resolve(path);
    if (!QFileInfo::exists(target))
        return DrillDeck{};
    QFile file(target);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = FileError{path, 0, file.errorString(), QStringLiteral("ファイルを読み込めません")};
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return ParseDrillFile(std::string_view(bytes.constData(), size_t(bytes.size())), path, error);
}

std::optional<FileError> SaveDrillDeck(const QString& path, const DrillDeck& deck)
{
    const QString target = filelookup::resolve(path);
    QDir().mkpath(QFileInfo(target).absolutePath());
    const std::string bytes = DrillFileBytes(deck);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) ||
        !file.commit()) {
        return FileError{target, 0, file.errorString(), QStringLiteral("ファイルを書き込めません")};
    }
    return std::nullopt;
}

std::optional<FileError> UpdateDrillFile(const QString& path, const std::vector<DrillReview>& reviews, int today)
{
    FileError error;
    auto deck = LoadDrillDeck(path, &error);
    if (!deck)
        return error;
    if (ApplyDrillReviews(*deck, reviews, today) == 0)
        return std::nullopt;
    return SaveDrillDeck(path, *deck);
}

std::optional<FileError> RecordAttemptInDrill(const QString& drillPath, const QString& adaptivePath,
                                              const SessionTable& questions, const AnswerTable& answers,
                                              const AttemptScore& score, int today)
{
    std::vector<std::string> adaptiveLines;
    if (!adaptivePath.isEmpty() && filelookup::exists(adaptivePath)) {
        if (auto lines = ReadAdaptiveRecord(adaptivePath))
            adaptiveLines = std::move(*lines);
    }
    return UpdateDrillFile(drillPath, DrillReviewsOfAttempt(questions, answers, score, adaptiveLines), today);
}
