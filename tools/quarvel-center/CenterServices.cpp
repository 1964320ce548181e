#include "tools/quarvel-center/CenterServices.h"

#include "bank/Cp932.h"
#include "online/FormEncoding.h"

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

namespace {

// Answers are CP932 text, as the program reads them.
const std::string kUnknownUser = cp932::fromUtf8("ERROR1 このシリアル番号は登録されていません。");

std::string field(const CenterStore::Fields& fields, const std::string& name)
{
    for (const auto& [key, value] : fields)
        if (key == name)
            return value;
    return {};
}

// Test ids become database keys only; they still must look like the base name of a test.
bool plausibleTestId(const std::string& id)
{
    if (id.empty() || id.size() > 64)
        return false;
    for (char c : id)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.'))
            return false;
    return true;
}

// "yyyy/MM/dd HH:mm:ss", the date the client sends with an upload.
bool plausibleDate(const std::string& text)
{
    static const std::string shape = "dddd/dd/dd dd:dd:dd";
    if (text.size() != shape.size())
        return false;
    for (size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != shape[i])
            return false;
    return true;
}

std::string oneLine(std::string value)
{
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = ' ';
    return value;
}

void sendFile(httplib::Response& res, const std::string& path, const char* type)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    res.set_content(bytes.str(), type);
}

// POST routes read their body themselves: the library refuses url-encoded bodies above 8 KB, and
// an upload of 500 questions' counts is larger than that.
void postRoute(httplib::Server& server, const std::string& pattern,
               std::function<void(const httplib::Request&, httplib::Response&, const std::string& body)> handler)
{
    server.Post(pattern, [handler](const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader) {
        std::string body;
        reader([&](const char* data, size_t length) {
            body.append(data, length);
            return body.size() <= 16 * 1024 * 1024;
        });
        handler(req, res, body);
    });
}

void notFound(httplib::Response& res)
{
    res.status = 404;
    res.set_content("<html><body>Not found</body></html>", "text/html");
}

} // namespace

CenterStore::Fields parseForm(const std::string& body)
{
    CenterStore::Fields fields;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('&', start);
        if (end == std::string::npos)
            end = body.size();
        std::string pair = body.substr(start, end - start);
        while (!pair.empty() && (pair.back() == '\r' || pair.back() == '\n'))
            pair.pop_back();
        if (!pair.empty()) {
            const size_t eq = pair.find('=');
            const std::string key = pair.substr(0, eq);
            const std::string value = eq == std::string::npos ? std::string() : pair.substr(eq + 1);
            fields.emplace_back(online::percentDecode(key, true), online::percentDecode(value, true));
        }
        start = end + 1;
    }
    return fields;
}

std::string findPlainFile(const std::string& dir, const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos
        || name.find('\0') != std::string::npos)
        return {};
    auto lower = [](std::string s) {
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    std::error_code ec;
    std::string match;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (!entry.is_regular_file(ec))
            continue;
        const std::string candidate = entry.path().filename().string();
        if (candidate == name)
            return entry.path().string();
        if (match.empty() && lower(candidate) == lower(name))
            match = entry.path().string();
    }
    return match;
}

void installServices(httplib::Server& server, CenterStore& store, const CenterConfig& config)
{
    // The update script: the current question data file of that name, whatever date was sent.
    server.Get("/cgi-bin/update", [config](const httplib::Request& req, httplib::Response& res) {
        const std::string path = findPlainFile(config.updatesDir, req.get_param_value("QDFName"));
        if (path.empty())
            return notFound(res);
        sendFile(res, path, "application/octet-stream");
    });

    server.Get(R"(/images/([^/]+))", [config](const httplib::Request& req, httplib::Response& res) {
        const std::string path = findPlainFile(config.imagesDir, online::percentDecode(req.matches[1].str()));
        if (path.empty())
            return notFound(res);
        sendFile(res, path, "application/octet-stream");
    });

    postRoute(server, "/cgi-bin/his-status", [&store](const httplib::Request&, httplib::Response& res, const std::string& body) {
        const auto fields = parseForm(body);
        const std::string serial = field(fields, "Serial");
        const std::string testId = field(fields, "Test_ID");
        std::string answer;
        if (!store.userExists(serial))
            answer = kUnknownUser;
        else if (!plausibleTestId(testId))
            answer = "ERROR2";
        else if (auto history = store.history(serial, testId))
            answer = history->updated;
        else
            answer = "NOTFOUND";
        res.set_content(answer + "\r\n", "text/plain");
    });

    postRoute(server, "/cgi-bin/his-upload", [&store](const httplib::Request&, httplib::Response& res, const std::string& body) {
        const auto fields = parseForm(body);
        const std::string serial = field(fields, "SERIAL");
        const std::string testId = field(fields, "TEST_ID");
        const std::string updated = field(fields, "LASTUPDATE");
        if (!store.userExists(serial))
            return res.set_content(kUnknownUser + "\r\n", "text/plain");
        if (!plausibleTestId(testId) || !plausibleDate(updated) || field(fields, "STATUS") != "OK")
            return res.set_content("ERROR2\r\n", "text/plain");
        std::string data = "[DLDATA]\r\n";
        for (const auto& [key, value] : fields) {
            if (key == "STATUS" || key.empty() || key.find_first_of("=[\r\n") != std::string::npos)
                continue;
            data += (key == "LASTUPDATE" ? std::string("UPDATE") : key) + "=" + oneLine(value) + "\r\n";
        }
        if (!store.storeHistory(serial, testId, {updated, data})) {
            res.status = 500;
            return res.set_content("ERROR2\r\n", "text/plain");
        }
        res.set_content("OK\r\n", "text/plain");
    });

    postRoute(server, "/cgi-bin/his-download", [&store](const httplib::Request&, httplib::Response& res, const std::string& body) {
        const auto fields = parseForm(body);
        const std::string serial = field(fields, "Serial");
        if (!store.userExists(serial))
            return res.set_content(kUnknownUser + "\r\n", "text/plain");
        const auto history = store.history(serial, field(fields, "Test_ID"));
        if (!history)
            return notFound(res);
        res.set_content(history->data, "text/plain");
    });

    // The form handler: whatever a page posts is stored field by field, as sent.
    postRoute(server, R"(/cgi-bin/(inquiry|form|diagnosis))",
              [&store](const httplib::Request& req, httplib::Response& res, const std::string& body) {
        if (!store.storeForm(req.path, parseForm(body))) {
            res.status = 500;
            return res.set_content("<html><body>Error</body></html>", "text/html");
        }
        res.set_content("<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"UTF-8\"><title>Quarvel</title></head>"
                        "<body><p id=\"thanks\">送信ありがとうございました。</p></body></html>\n",
                        "text/html; charset=UTF-8");
    });
}
