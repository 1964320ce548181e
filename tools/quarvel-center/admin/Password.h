#pragma once
// Administrators' passwords, kept only as Argon2id hashes (libsodium's encoded form, which holds
// its own salt and cost), and the random tokens of sessions and forms.
#include <optional>
#include <string>

namespace admin
{

// The encoded hash of `password`; nullopt when libsodium cannot work (no memory).
std::optional<std::string> hashPassword(const std::string& password);
// Whether `password` matches `hash` (in constant time, as libsodium checks it).
bool verifyPassword(const std::string& hash, const std::string& password);
// 32 random bytes as 64 hexadecimal digits.
std::string randomToken();
// Compares two strings in time that does not depend on where they differ.
bool sameToken(const std::string& a, const std::string& b);

} // namespace admin
