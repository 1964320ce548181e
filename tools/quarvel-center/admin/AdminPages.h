#pragma once
// The pages of the administrators' dashboard, as UTF-8 HTML: plain server-side pages with a
// little CSS, no script, in Japanese. Every value that came from a learner (names, e-mails, form
// fields, test ids) is escaped where it lands.
#include "tools/quarvel-center/store/CenterStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace admin
{

// Text for HTML content and double-quoted attribute values.
std::string escape(std::string_view utf8);

// One test of a learner, read from the history it uploaded.
struct TestSummary {
    std::string testId;
    std::string updated;   // as uploaded
    bool readable = false; // false: the stored history could not be read
    char grade = 0;        // of the latest attempt, 'A'..'E'; 0 without attempts
    int latest = 0, best = 0, average = 0;
    std::vector<int> rates; // of the stored attempts, oldest first
};
TestSummary summarise(const std::string& testId, const CenterStore::StoredHistory& history);

// The trend of `rates` (0-100, oldest first) as an inline SVG: a line through one circle
// (class "point") per attempt.
std::string trendSvg(const std::vector<int>& rates);

std::string signInPage(const std::string& formToken, const std::string& message);
std::string learnersPage(const std::vector<CenterStore::Learner>& learners, const std::string& csrf,
                         const std::string& message);
std::string learnerPage(const CenterStore::Learner& learner, const std::vector<TestSummary>& tests,
                        const std::string& csrf);
// Newest first.
std::string formsPage(const std::vector<CenterStore::StoredForm>& forms, const std::string& csrf);
std::string messagePage(const std::string& title, const std::string& text);

} // namespace admin
