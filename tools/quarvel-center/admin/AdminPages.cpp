#include "tools/quarvel-center/admin/AdminPages.h"

#include "bank/Cp932.h"
#include "bank/HtmlPage.h"
#include "online/FormEncoding.h"
#include "online/HistorySync.h"
#include "results/Scoring.h"

#include <QString>

#include <algorithm>

namespace admin
{
namespace
{

const char* const kStyle =
    "body{font-family:'IPAPGothic',sans-serif;margin:0;color:#222;background:#f7f7fa}"
    "header{background:#656699;color:#fff;padding:.6em 1.2em;display:flex;gap:1.5em;align-items:center}"
    "header a{color:#fff}header form{margin-left:auto}main{padding:1em 1.2em}"
    "table{border-collapse:collapse;background:#fff}th,td{border:1px solid #ccd;padding:.3em .6em;text-align:left}"
    "th{background:#e8e8f2}.disabled{color:#999}.message{color:#a00}svg{background:#fff}"
    "polyline{fill:none;stroke:#656699;stroke-width:2}circle{fill:#656699}"
    "fieldset{border:1px solid #ccd;background:#fff;max-width:40em}label{display:block;margin:.3em 0}"
    ".form td{white-space:pre-wrap}";

// Learners' names, e-mails and form fields arrive as CP932.
std::string shown(const std::string& cp932Bytes)
{
    return escape(cp932::toUtf8(cp932Bytes));
}

std::string page(const std::string& title, const std::string& body, const std::string& csrf = {})
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"UTF-8\"><title>" + escape(title) +
                       " - quarvel-center</title><style>" + kStyle +
                       "</style></head><body><header><strong>"
                       "quarvel-center</strong>";
    if (!csrf.empty())
        html += "<a href=\"/admin/\">学習者</a><a href=\"/admin/forms\">受信したフォーム</a>"
                "<form method=\"post\" action=\"/admin/signout\"><input type=\"hidden\" name=\"csrf\" value=\"" +
                escape(csrf) + "\"><button type=\"submit\">サインアウト</button></form>";
    return html + "</header><main><h1>" + escape(title) + "</h1>\n" + body + "</main></body></html>\n";
}

std::string hidden(const std::string& csrf)
{
    return "<input type=\"hidden\" name=\"csrf\" value=\"" + escape(csrf) + "\">";
}

std::string message(const std::string& text)
{
    return text.empty() ? std::string() : "<p class=\"message\" id=\"message\">" + escape(text) + "</p>\n";
}

} // namespace

std::string escape(std::string_view utf8)
{
    // The characters escaped are ASCII, so the program's escaping serves UTF-8 as well.
    return htmlpage::escapeText(utf8);
}

TestSummary summarise(const std::string& testId, const CenterStore::StoredHistory& stored)
{
    TestSummary summary;
    summary.testId = testId;
    summary.updated = stored.updated;
    QString error;
    const auto history = online::parseDownload(stored.data, error);
    if (!history)
        return summary;
    summary.readable = true;
    summary.best = history->best;
    summary.average = history->average;
    for (auto attempt = history->attempts.rbegin(); attempt != history->attempts.rend(); ++attempt)
        if (!attempt->empty())
            summary.rates.push_back(std::clamp(attempt->rate, 0, 100));
    if (!summary.rates.empty()) {
        summary.latest = summary.rates.back();
        summary.grade = LevelFor(summary.latest);
    }
    return summary;
}

std::string trendSvg(const std::vector<int>& rates)
{
    constexpr int width = 240, height = 80, margin = 6;
    std::string points;
    std::string circles;
    const size_t n = rates.size();
    for (size_t i = 0; i < n; ++i) {
        const int x = n == 1 ? width / 2 : margin + int(i * size_t(width - 2 * margin) / (n - 1));
        const int y = margin + (100 - std::clamp(rates[i], 0, 100)) * (height - 2 * margin) / 100;
        points += (i ? " " : "") + std::to_string(x) + "," + std::to_string(y);
        circles += "<circle class=\"point\" cx=\"" + std::to_string(x) + "\" cy=\"" + std::to_string(y) +
                   "\" r=\"3\"><title>" + std::to_string(rates[i]) + "%</title></circle>";
    }
    return "<svg class=\"trend\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
           "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) + " " +
           std::to_string(height) + "\" role=\"img\" aria-label=\"正答率の推移\">" +
           (n > 1 ? "<polyline points=\"" + points + "\"/>" : std::string()) + circles + "</svg>";
}

std::string signInPage(const std::string& formToken, const std::string& text)
{
    return page("サインイン", message(text) + "<form method=\"post\" action=\"/admin/signin\"><fieldset>" +
                                  hidden(formToken) +
                                  "<label>管理者名 <input name=\"name\" id=\"name\" required autofocus></label>"
                                  "<label>パスワード <input name=\"password\" id=\"password\" type=\"password\" "
                                  "required></label><button type=\"submit\" id=\"signin\">サインイン</button>"
                                  "</fieldset></form>\n");
}

std::string learnersPage(const std::vector<CenterStore::Learner>& learners, const std::string& csrf,
                         const std::string& text)
{
    std::string body = message(text) + "<table id=\"learners\"><tr><th>名前</th><th>シリアル</th><th>メール</th>"
                                       "<th>最終同期</th><th>状態</th><th></th></tr>\n";
    for (const auto& learner : learners) {
        const std::string link = "/admin/learner?serial=" + online::percentEncode(learner.serial);
        body +=
            std::string("<tr") + (learner.disabled ? " class=\"disabled\"" : "") + "><td><a href=\"" + escape(link) +
            "\">" + shown(learner.name) + "</a></td><td>" + shown(learner.serial) + "</td><td>" + shown(learner.email) +
            "</td><td>" + (learner.lastSync.empty() ? "—" : escape(learner.lastSync) + " UTC") + "</td><td>" +
            (learner.disabled ? "無効" : "有効") + "</td><td><form method=\"post\" action=\"/admin/learners/state\">" +
            hidden(csrf) + "<input type=\"hidden\" name=\"serial\" value=\"" + shown(learner.serial) +
            "\"><input type=\"hidden\" name=\"disabled\" value=\"" + (learner.disabled ? "0" : "1") +
            "\"><button type=\"submit\">" + (learner.disabled ? "有効にする" : "無効にする") +
            "</button></form></td></tr>\n";
    }
    body += "</table>\n<h2>学習者の追加</h2><form method=\"post\" action=\"/admin/learners/add\"><fieldset>" +
            hidden(csrf) +
            "<label>シリアル <input name=\"serial\" id=\"new-serial\" required></label>"
            "<label>名前 <input name=\"name\" id=\"new-name\"></label>"
            "<label>メール <input name=\"email\" id=\"new-email\" type=\"email\"></label>"
            "<button type=\"submit\" id=\"add\">追加</button></fieldset></form>\n";
    return page("学習者", body, csrf);
}

std::string learnerPage(const CenterStore::Learner& learner, const std::vector<TestSummary>& tests,
                        const std::string& csrf)
{
    std::string body = "<p>シリアル " + shown(learner.serial) + " ・ " + shown(learner.email) + "</p>\n";
    if (tests.empty())
        body += "<p>同期された履歴はまだありません。</p>\n";
    else
        body += "<table id=\"tests\"><tr><th>テスト</th><th>最新の評価</th><th>最新</th><th>最高</th><th>平均</th>"
                "<th>推移</th><th>同期</th></tr>\n";
    for (const auto& test : tests) {
        body += "<tr><td>" + shown(test.testId) + "</td>";
        if (!test.readable) {
            body += "<td colspan=\"5\">履歴を読めません</td>";
        } else {
            body += "<td class=\"grade\">" + (test.grade ? std::string(1, test.grade) : std::string("—")) +
                    "</td><td>" + std::to_string(test.latest) + "%</td><td>" + std::to_string(test.best) +
                    "%</td><td>" + std::to_string(test.average) + "%</td><td>" + trendSvg(test.rates) + "</td>";
        }
        body += "<td>" + shown(test.updated) + "</td></tr>\n";
    }
    if (!tests.empty())
        body += "</table>\n";
    return page(cp932::toUtf8(learner.name).empty() ? std::string("(名前なし)") : cp932::toUtf8(learner.name), body,
                csrf);
}

std::string formsPage(const std::vector<CenterStore::StoredForm>& forms, const std::string& csrf)
{
    std::vector<const CenterStore::StoredForm*> newestFirst;
    for (const auto& form : forms)
        newestFirst.push_back(&form);
    std::sort(newestFirst.begin(), newestFirst.end(), [](auto* a, auto* b) { return a->id > b->id; });
    std::string body = newestFirst.empty() ? "<p>受信したフォームはありません。</p>\n" : "";
    for (const auto* form : newestFirst) {
        body += "<section class=\"form\"><h2>#" + std::to_string(form->id) + " " + escape(form->path) + "</h2><table>";
        for (const auto& [name, value] : form->fields)
            body += "<tr><th>" + shown(name) + "</th><td>" + shown(value) + "</td></tr>";
        body += "</table></section>\n";
    }
    return page("受信したフォーム", body, csrf);
}

std::string messagePage(const std::string& title, const std::string& text)
{
    return page(title, message(text) + "<p><a href=\"/admin/\">戻る</a></p>\n");
}

} // namespace admin
