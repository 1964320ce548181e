#include "session/ReviewRows.h"

#include <algorithm>
#include <string_view>

namespace review
{
namespace
{

constexpr std::string_view kImageMarker = "<INCLUDE IMG>";

} // namespace

std::string questionText(const std::string& text)
{
    std::string_view rest = text;
    // CR and LF never occur inside a CP932 double-byte character, so bytes can be scanned.
    const size_t firstBreak = rest.find('\n');
    const std::string_view firstLine = rest.substr(0, firstBreak);
    if (firstLine.find(kImageMarker) != std::string_view::npos)
        rest = firstBreak == std::string_view::npos ? std::string_view{} : rest.substr(firstBreak + 1);

    std::string out;
    out.reserve(rest.size());
    bool pendingBreak = false;
    for (const char c : rest) {
        if (c == '\r' || c == '\n') {
            pendingBreak = !out.empty();
            continue;
        }
        if (pendingBreak) {
            out += ' ';
            pendingBreak = false;
        }
        out += c;
    }
    return out;
}

std::vector<Row> rows(const SessionTable& session, const AnswerTable& answers, int questionCount)
{
    const int count = std::clamp(questionCount, 0, kMaxQuestions);
    std::vector<Row> list;
    list.reserve(size_t(count));
    for (int r = 1; r <= count; ++r)
        list.push_back(
            {"Q." + std::to_string(r), questionText(session.question(r).text), answers.at(r).marked == 1 ? " X" : ""});
    return list;
}

int gridHeight(int questionCount)
{
    return (std::clamp(questionCount, 0, kMaxQuestions) + 1) * kRowPitch + 1;
}

int scrollPosition(int row)
{
    return row <= 1 ? 0 : (row - 1) / kPageRows * kPageHeight;
}

int contentHeight(int questionCount)
{
    const int count = std::clamp(questionCount, 0, kMaxQuestions);
    const int pages = (count + kPageRows - 1) / kPageRows;
    return std::max(gridHeight(count) - kRowPitch, pages * kPageHeight);
}

int jumpTarget(int selectedRow, int questionCount)
{
    return selectedRow >= 1 && selectedRow <= std::clamp(questionCount, 0, kMaxQuestions) ? selectedRow : 0;
}

} // namespace review
