#include "tools/quarvel-center/admin/AdminRoutes.h"

#include "bank/Cp932.h"
#include "tools/quarvel-center/CenterServices.h"
#include "tools/quarvel-center/admin/AdminPages.h"
#include "tools/quarvel-center/admin/Password.h"

#include <chrono>
#include <map>
#include <memory>
#include <mutex>

namespace
{

using Clock = std::chrono::steady_clock;

constexpr int kFailuresBeforeLockOut = 5;
constexpr auto kLockOut = std::chrono::minutes(15);
constexpr auto kSessionLife = std::chrono::hours(12);
const std::string kSessionCookie = "qc_session";
const std::string kFormCookie = "qc_form"; // the sign-in form's token, before there is a session

struct Session {
    std::string admin;
    std::string csrf;
    Clock::time_point expires;
};

// Sessions and failed sign-ins live in the server's memory: a restart signs everyone out.
class AdminState
{
  public:
    std::string open(const std::string& admin)
    {
        std::lock_guard guard(m_lock);
        const std::string token = admin::randomToken();
        m_sessions[token] = {admin, admin::randomToken(), Clock::now() + kSessionLife};
        return token;
    }
    std::optional<Session> find(const std::string& token)
    {
        std::lock_guard guard(m_lock);
        const auto it = m_sessions.find(token);
        if (it == m_sessions.end())
            return std::nullopt;
        if (it->second.expires < Clock::now()) {
            m_sessions.erase(it);
            return std::nullopt;
        }
        return it->second;
    }
    void close(const std::string& token)
    {
        std::lock_guard guard(m_lock);
        m_sessions.erase(token);
    }

    // Locked out: too many failures for this name, or from this address, lately.
    bool lockedOut(const std::string& name, const std::string& address)
    {
        std::lock_guard guard(m_lock);
        return tooMany("name:" + name) || tooMany("address:" + address);
    }
    void failed(const std::string& name, const std::string& address)
    {
        std::lock_guard guard(m_lock);
        for (const std::string& key : {"name:" + name, "address:" + address}) {
            Failures& f = m_failures[key];
            if (f.since + kLockOut < Clock::now())
                f = {0, Clock::now()};
            ++f.count;
        }
    }
    void succeeded(const std::string& name)
    {
        std::lock_guard guard(m_lock);
        m_failures.erase("name:" + name);
    }

  private:
    struct Failures {
        int count = 0;
        Clock::time_point since;
    };
    bool tooMany(const std::string& key)
    {
        const auto it = m_failures.find(key);
        if (it == m_failures.end())
            return false;
        if (it->second.since + kLockOut < Clock::now()) {
            m_failures.erase(it);
            return false;
        }
        return it->second.count >= kFailuresBeforeLockOut;
    }

    std::mutex m_lock;
    std::map<std::string, Session> m_sessions;
    std::map<std::string, Failures> m_failures;
};

std::string cookie(const httplib::Request& req, const std::string& name)
{
    const std::string header = req.get_header_value("Cookie");
    size_t start = 0;
    while (start < header.size()) {
        size_t end = header.find(';', start);
        if (end == std::string::npos)
            end = header.size();
        std::string pair = header.substr(start, end - start);
        const size_t first = pair.find_first_not_of(' ');
        pair = first == std::string::npos ? std::string() : pair.substr(first);
        if (pair.rfind(name + "=", 0) == 0)
            return pair.substr(name.size() + 1);
        start = end + 1;
    }
    return {};
}

std::string field(const CenterStore::Fields& fields, const std::string& name)
{
    for (const auto& [key, value] : fields)
        if (key == name)
            return value;
    return {};
}

void html(httplib::Response& res, int status, const std::string& body)
{
    res.status = status;
    res.set_header("Cache-Control", "no-store");
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Content-Security-Policy",
                   "default-src 'none'; style-src 'unsafe-inline'; form-action 'self'; frame-ancestors 'none'");
    res.set_content(body, "text/html; charset=UTF-8");
}

void seeOther(httplib::Response& res, const std::string& where)
{
    res.status = 303;
    res.set_header("Location", where);
    res.set_header("Cache-Control", "no-store");
}

std::string cookieAttributes(const AdminConfig& config)
{
    return std::string("; Path=/admin; HttpOnly; SameSite=Strict") + (config.tls ? "; Secure" : "");
}

} // namespace

bool isLoopbackHost(const std::string& host)
{
    return host == "localhost" || host == "::1" || host.rfind("127.", 0) == 0;
}

void installAdmin(httplib::Server& server, CenterStore& store, const AdminConfig& config)
{
    auto state = std::make_shared<AdminState>();
    const bool signInAllowed = config.tls || config.loopback;

    // The session of a request, or nullopt (the caller answers with the sign-in page).
    auto sessionOf = [state](const httplib::Request& req) { return state->find(cookie(req, kSessionCookie)); };

    auto showSignIn = [config](const httplib::Request& req, httplib::Response& res, const std::string& text,
                               int status) {
        std::string token = cookie(req, kFormCookie);
        if (token.size() != 64) {
            token = admin::randomToken();
            res.set_header("Set-Cookie", kFormCookie + "=" + token + cookieAttributes(config));
        }
        html(res, status, admin::signInPage(token, text));
    };

    server.Get("/admin", [](const httplib::Request&, httplib::Response& res) { seeOther(res, "/admin/"); });
    server.Get("/admin/", [&store, sessionOf, showSignIn](const httplib::Request& req, httplib::Response& res) {
        const auto session = sessionOf(req);
        if (!session)
            return showSignIn(req, res, {}, 200);
        const bool added = req.get_param_value("done") == "added";
        html(res, 200, admin::learnersPage(store.learners(), session->csrf, added ? "追加しました。" : ""));
    });

    server.Get("/admin/learner", [&store, sessionOf, showSignIn](const httplib::Request& req, httplib::Response& res) {
        const auto session = sessionOf(req);
        if (!session)
            return showSignIn(req, res, {}, 200);
        const auto learner = store.learner(req.get_param_value("serial"));
        if (!learner)
            return html(res, 404, admin::messagePage("学習者", "その学習者は登録されていません。"));
        std::vector<admin::TestSummary> tests;
        for (const auto& [testId, history] : store.histories(learner->serial))
            tests.push_back(admin::summarise(testId, history));
        html(res, 200, admin::learnerPage(*learner, tests, session->csrf));
    });

    server.Get("/admin/forms", [&store, sessionOf, showSignIn](const httplib::Request& req, httplib::Response& res) {
        const auto session = sessionOf(req);
        if (!session)
            return showSignIn(req, res, {}, 200);
        html(res, 200, admin::formsPage(store.forms(), session->csrf));
    });

    postRoute(server, "/admin/signin",
              [&store, state, config, signInAllowed, showSignIn](const httplib::Request& req, httplib::Response& res,
                                                                 const std::string& body) {
                  const auto fields = parseForm(body);
                  if (!signInAllowed)
                      return html(res, 403,
                                  admin::messagePage("サインイン", "暗号化されていない接続ではサインインできません。"
                                                                   "サーバーを --cert と --key で起動してください。"));
                  if (!admin::sameToken(field(fields, "csrf"), cookie(req, kFormCookie)))
                      return showSignIn(req, res, "フォームの有効期限が切れました。もう一度サインインしてください。",
                                        403);
                  const std::string name = cp932::fromUtf8(field(fields, "name"));
                  if (state->lockedOut(name, req.remote_addr))
                      return showSignIn(req, res, "サインインの失敗が続いたため、しばらくサインインできません。", 429);
                  const auto hash = store.adminHash(name);
                  if (!hash || !admin::verifyPassword(*hash, field(fields, "password"))) {
                      state->failed(name, req.remote_addr);
                      return showSignIn(req, res, "管理者名またはパスワードが違います。", 403);
                  }
                  state->succeeded(name);
                  res.set_header("Set-Cookie", kSessionCookie + "=" + state->open(name) + cookieAttributes(config));
                  seeOther(res, "/admin/");
              });

    // The forms of a signed-in administrator: the session's own token must come with them.
    auto signedInForm =
        [state,
         sessionOf](std::function<void(const CenterStore::Fields&, const std::string&, httplib::Response&)> handler) {
            return [state, sessionOf, handler](const httplib::Request& req, httplib::Response& res,
                                               const std::string& body) {
                const auto fields = parseForm(body);
                const auto session = sessionOf(req);
                if (!session || !admin::sameToken(field(fields, "csrf"), session->csrf))
                    return html(res, 403,
                                admin::messagePage("操作できません",
                                                   "フォームの確認に失敗しました。サインインし直してください。"));
                handler(fields, cookie(req, kSessionCookie), res);
            };
        };

    postRoute(
        server, "/admin/signout",
        signedInForm([state, config](const CenterStore::Fields&, const std::string& token, httplib::Response& res) {
            state->close(token);
            res.set_header("Set-Cookie", kSessionCookie + "=; Max-Age=0" + cookieAttributes(config));
            seeOther(res, "/admin/");
        }));

    postRoute(
        server, "/admin/learners/add",
        signedInForm([&store](const CenterStore::Fields& fields, const std::string&, httplib::Response& res) {
            const std::string serial = field(fields, "serial");
            if (serial.empty() || serial.size() > 64 || serial.find_first_of("\r\n") != std::string::npos)
                return html(res, 400, admin::messagePage("学習者の追加", "シリアルを入力してください。"));
            // The program sends names as CP932; the dashboard's forms are UTF-8.
            if (!store.addUser(serial, cp932::fromUtf8(field(fields, "name")), cp932::fromUtf8(field(fields, "email"))))
                return html(res, 500, admin::messagePage("学習者の追加", "保存できませんでした。"));
            seeOther(res, "/admin/?done=added");
        }));

    postRoute(server, "/admin/learners/state",
              signedInForm([&store](const CenterStore::Fields& fields, const std::string&, httplib::Response& res) {
                  // The page shows serials as UTF-8; they are stored as sent (CP932).
                  if (!store.setDisabled(cp932::fromUtf8(field(fields, "serial")), field(fields, "disabled") == "1"))
                      return html(res, 404, admin::messagePage("学習者", "その学習者は登録されていません。"));
                  seeOther(res, "/admin/");
              }));
}
