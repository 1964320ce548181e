#include "results/AdaptiveRecord.h"

#include "bank/FileLookup.h"
#include "bank/TextLines.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <unordered_map>

namespace
{

constexpr std::array<std::string_view, kAdaptiveFields + 1> kMarkers{"@0*", "@1*", "@2*", "@3*",
                                                                     "@4*", "@5*", "@6*", "@7*"};

// Times asked, times correct and the average, once read.
struct Counts {
    long long asked = 0, correct = 0, average = 0;
};

std::optional<Counts> readCounts(const AdaptiveFields& fields)
{
    const auto asked = textlines::parseNumber(fields[kAdpAsked]);
    const auto correct = textlines::parseNumber(fields[kAdpCorrect]);
    const auto average = textlines::parseNumber(fields[kAdpAverageSeconds]);
    if (!asked || !correct || !average)
        return std::nullopt;
    return Counts{*asked, *correct, *average};
}

} // namespace

std::optional<AdaptiveFields> SplitAdaptiveLine(std::string_view line)
{
    std::array<size_t, kAdaptiveFields + 1> at{};
    // Markers 0..3 from the front, each after the one before.
    size_t from = 0;
    for (int k = 0; k <= kAdpText; ++k) {
        at[size_t(k)] = line.find(kMarkers[size_t(k)], from);
        if (at[size_t(k)] == std::string_view::npos)
            return std::nullopt;
        from = at[size_t(k)] + 3;
    }
    const size_t textStart = from;
    // Markers 7..4 from the back, each before the one after it and after the text's marker.
    size_t before = line.size();
    for (int k = kAdaptiveFields; k > kAdpText; --k) {
        if (before < 3)
            return std::nullopt;
        const size_t found = line.rfind(kMarkers[size_t(k)], before - 3);
        if (found == std::string_view::npos || found < textStart)
            return std::nullopt;
        at[size_t(k)] = found;
        before = found;
    }
    AdaptiveFields fields;
    for (int k = 0; k < kAdaptiveFields; ++k) {
        const size_t begin = at[size_t(k)] + 3;
        fields[size_t(k)] = std::string(line.substr(begin, at[size_t(k) + 1] - begin));
    }
    return fields;
}

std::string JoinAdaptiveLine(const AdaptiveFields& fields)
{
    std::string line;
    for (int k = 0; k < kAdaptiveFields; ++k) {
        line += kMarkers[size_t(k)];
        line += fields[size_t(k)];
    }
    line += kMarkers[kAdaptiveFields];
    return line;
}

std::string AdaptiveText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string NewAdaptiveLine(int number, int category, int subCategory, std::string_view text)
{
    return JoinAdaptiveLine({std::to_string(number), std::to_string(category), std::to_string(subCategory),
                             AdaptiveText(text), "0", "0", "0"});
}

std::vector<std::string> InitialAdaptiveLines(const QuestionBank& bank)
{
    const int count = std::clamp(bank.questionCount, 0, kMaxQuestions);
    std::vector<std::string> lines;
    lines.reserve(size_t(count));
    for (int j = 1; j <= count; ++j) {
        const QuestionRecord& q = bank.question(j);
        lines.push_back(NewAdaptiveLine(q.number, q.category, q.subCategory, q.text));
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadAdaptiveRecord(const QString& path, FileError* error)
{
    QFile file(filelookup::resolve(path));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = FileError{path, 0, file.errorString(), QStringLiteral("ファイルを読み込めません")};
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    std::vector<std::string> lines;
    textlines::LineCursor cursor(std::string_view(bytes.constData(), size_t(bytes.size())));
    std::string_view line;
    while (cursor.next(line))
        lines.emplace_back(line);
    return lines;
}

std::optional<FileError> AddAttemptToAdaptiveLines(std::vector<std::string>& lines, const SessionTable& questions,
                                                   const AnswerTable& answers, const AttemptScore& score,
                                                   const QString& fileName)
{
    std::vector<std::string> work = lines;
    // The first line of each question number, by the number field itself: a plain search for
    // "@0*1" would also stop at the line of question 12 when it came first.
    std::unordered_map<std::string, size_t> lineOf;
    for (size_t i = 0; i < work.size(); ++i) {
        if (const auto fields = SplitAdaptiveLine(work[i]))
            lineOf.emplace(std::string(textlines::trim((*fields)[kAdpNumber])), i);
    }
    const int n = std::clamp(score.questionCount, 0, kMaxQuestions);
    for (int r = 1; r <= n; ++r) {
        const int seconds = answers.at(r).secondsOnQuestion;
        if (seconds == 0)
            continue; // never shown in this attempt
        const SessionQuestion& q = questions.question(r);
        const std::string number = std::to_string(q.number);
        auto found = lineOf.find(number);
        if (found == lineOf.end()) {
            // A record left from an older question bank: the question joins it at the end.
            work.push_back(NewAdaptiveLine(q.number, q.category, q.subCategory, q.text));
            found = lineOf.emplace(number, work.size() - 1).first;
        }
        std::string& line = work[found->second];
        const int lineNumber = int(found->second) + 1;
        auto fields = SplitAdaptiveLine(line);
        if (!fields)
            return FileError{fileName, lineNumber, QStringLiteral("not a line of an adaptive record"),
                             QStringLiteral("Adaptive履歴の行ではありません")};
        const auto counts = readCounts(*fields);
        if (!counts)
            return FileError{fileName, lineNumber, QStringLiteral("a count is not a whole number"),
                             QStringLiteral("回数が整数ではありません")};
        const long long asked = counts->asked + 1;
        const long long correct = counts->correct + (score.verdict(r) ? 1 : 0);
        long long average = asked > 0 ? (counts->average * (asked - 1) + seconds) / asked : seconds;
        average = std::max(0LL, average);
        (*fields)[kAdpAsked] = std::to_string(asked);
        (*fields)[kAdpCorrect] = std::to_string(correct);
        (*fields)[kAdpAverageSeconds] = std::to_string(average);
        line = JoinAdaptiveLine(*fields);
    }
    lines = std::move(work);
    return std::nullopt;
}

std::string AdaptiveRecordBytes(const std::vector<std::string>& lines)
{
    size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<FileError> UpdateAdaptiveRecord(const QString& path, const QuestionBank& bank,
                                              const SessionTable& questions, const AnswerTable& answers,
                                              const AttemptScore& score)
{
    const QString target = filelookup::resolve(path);
    std::vector<std::string> lines;
    if (QFileInfo::exists(target)) {
        FileError error;
        auto read = ReadAdaptiveRecord(target, &error);
        if (!read)
            return error;
        lines = std::move(*read);
    } else {
        lines = InitialAdaptiveLines(bank);
    }
    if (auto error = AddAttemptToAdaptiveLines(lines, questions, answers, score, target))
        return error;

    const std::string bytes = AdaptiveRecordBytes(lines);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) ||
        !file.commit()) {
        return FileError{target, 0, file.errorString(), QStringLiteral("ファイルを書き込めません")};
    }
    return std::nullopt;
}
