#include "tools/quarvel-center/admin/Password.h"

#include <sodium.h>

namespace admin
{
namespace
{
bool ready()
{
    static const bool initialised = sodium_init() >= 0;
    return initialised;
}
} // namespace

std::optional<std::string> hashPassword(const std::string& password)
{
    char hash[crypto_pwhash_STRBYTES];
    if (!ready() || crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                      crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return std::nullopt;
    return std::string(hash);
}

bool verifyPassword(const std::string& hash, const std::string& password)
{
    return ready() && hash.size() < crypto_pwhash_STRBYTES &&
           crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

std::string randomToken()
{
    unsigned char bytes[32];
    ready();
    randombytes_buf(bytes, sizeof bytes);
    char hex[sizeof bytes * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, bytes, sizeof bytes);
    return std::string(hex);
}

bool sameToken(const std::string& a, const std::string& b)
{
    return ready() && !a.empty() && a.size() == b.size() && sodium_memcmp(a.data(), b.data(), a.size()) == 0;
}

} // namespace admin
