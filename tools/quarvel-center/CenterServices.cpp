#include "tools/quarvel-center/CenterServices.h"

#include "bank/Cp932.h"
#include "online/FormEncoding.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace
{

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

// `path` must still be a regular file when it is opened: no link is followed at the last step.
void sendFile(httplib::Response& res, const std::string& path, const char* type)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info {
    };
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        res.status = 404;
        return res.set_content("<html><body>Not found</body></html>", "text/html");
    }
    std::string bytes;
    char buffer[65536];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, size_t(n));
    ::close(fd);
    res.set_content(bytes, type);
}

constexpr size_t kBodyLimit = 16 * 1024 * 1024;

void errorPage(httplib::Response& res, int status, const char* text)
{
    res.status = status;
    res.set_header("Connection", "close");
    res.set_content(std::string("<html><body>") + text + "</body></html>", "text/html");
}

// The declared body length: one plain decimal number, or absent.
struct DeclaredLength {
    bool valid = true;
    bool present = false;
    unsigned long long value = 0;
};

DeclaredLength declaredLength(const httplib::Request& req)
{
    const size_t count = req.get_header_value_count("Content-Length");
    if (count == 0)
        return {};
    const std::string text = req.get_header_value("Content-Length");
    if (count > 1 || text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos)
        return {false, true, 0};
    return {true, true, std::stoull(text)};
}

void notFound(httplib::Response& res)
{
    res.status = 404;
    res.set_content("<html><body>Not found</body></html>", "text/html");
}

} // namespace

void postRoute(httplib::Server& server, const std::string& pattern,
               std::function<void(const httplib::Request&, httplib::Response&, const std::string& body)> handler)
{
    server.Post(pattern,
                [handler](const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader) {
                    const DeclaredLength declared = declaredLength(req);
                    if (!declared.valid)
                        return errorPage(res, 400, "Bad Request");
                    if (declared.present && declared.value > kBodyLimit)
                        return errorPage(res, 413, "Request Entity Too Large");
                    std::string body;
                    bool tooLarge = false;
                    const bool whole = reader([&](const char* data, size_t length) {
                        tooLarge = body.size() + length > kBodyLimit;
                        if (!tooLarge)
                            body.append(data, length);
                        return !tooLarge;
                    });
                    if (tooLarge)
                        return errorPage(res, 413, "Request Entity Too Large");
                    if (!whole || (declared.present && body.size() != declared.value))
                        return errorPage(res, 400, "Bad Request");
                    handler(req, res, body);
                });
}

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
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos ||
        name.find('\0') != std::string::npos)
        return {};
    auto lower = [](std::string s) {
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    std::error_code ec;
    const std::filesystem::path root = std::filesystem::canonical(dir, ec);
    if (ec)
        return {};
    // A link is served only when it leads to a regular file inside the directory itself.
    auto inside = [&root](const std::filesystem::path& entry) {
        std::error_code error;
        const std::filesystem::path resolved = std::filesystem::canonical(entry, error);
        if (error || !std::filesystem::is_regular_file(resolved, error))
            return std::string();
        const std::filesystem::path relative = resolved.lexically_relative(root);
        if (relative.empty() || *relative.begin() == "..")
            return std::string();
        return resolved.string();
    };
    std::string match;
    for (const auto& entry : std::filesystem::directory_iterator(root, ec)) {
        const std::string candidate = entry.path().filename().string();
        if (candidate != name && (!match.empty() || lower(candidate) != lower(name)))
            continue;
        const std::string resolved = inside(entry.path());
        if (resolved.empty())
            continue;
        if (candidate == name)
            return resolved;
        match = resolved;
    }
    return match;
}

std::string escapeListed(const std::string& utf8, bool isName)
{
    std::string out;
    char escaped[8];
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F || (isName && byte == '=')) {
            std::snprintf(escaped, sizeof escaped, "\\x%02x", unsigned(byte));
            out += escaped;
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            // U+0080..U+009F: some terminals act on these as on ESC sequences.
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(next));
            out += escaped;
            ++i;
        } else {
            out += char(byte);
        }
    }
    return out;
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

    postRoute(server, "/cgi-bin/his-status",
              [&store](const httplib::Request&, httplib::Response& res, const std::string& body) {
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

    postRoute(server, "/cgi-bin/his-upload",
              [&store](const httplib::Request&, httplib::Response& res, const std::string& body) {
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

    postRoute(server, "/cgi-bin/his-download",
              [&store](const httplib::Request&, httplib::Response& res, const std::string& body) {
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
                  res.set_content(
                      "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"UTF-8\"><title>Quarvel</title></head>"
                      "<body><p id=\"thanks\">送信ありがとうございました。</p></body></html>\n",
                      "text/html; charset=UTF-8");
              });
}
