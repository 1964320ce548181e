#pragma once
// Splitting file bytes into lines as the question data and test settings files are read, and the
// small byte-level helpers their readers share. A line ends at LF; a CR right before the LF is
// part of the line end, so CR LF and LF-only files read the same.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace textlines
{

class LineCursor
{
  public:
    explicit LineCursor(std::string_view bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }

    // The next line without its line end. At the end of the data: false and an empty line
    // (the line number still advances, so "one past the last line" can be named).
    bool next(std::string_view& line)
    {
        ++m_line;
        if (m_pos >= m_bytes.size()) {
            line = {};
            return false;
        }
        const size_t lf = m_bytes.find('\n', m_pos);
        size_t end = lf == std::string_view::npos ? m_bytes.size() : lf;
        const size_t after = lf == std::string_view::npos ? m_bytes.size() : lf + 1;
        if (lf != std::string_view::npos && end > m_pos && m_bytes[end - 1] == '\r')
            --end;
        line = m_bytes.substr(m_pos, end - m_pos);
        m_pos = after;
        return true;
    }

    // 1-based number of the line last returned by next().
    int lineNumber() const { return m_line; }
    // Byte offset of the next line.
    size_t position() const { return m_pos; }

  private:
    std::string_view m_bytes;
    size_t m_pos = 0;
    int m_line = 0;
};

// Removes leading and trailing bytes <= 0x20 (blanks and control characters).
inline std::string_view trim(std::string_view s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20)
        --e;
    return s.substr(b, e - b);
}

inline void trimInPlace(std::string& s)
{
    const std::string_view t = trim(s);
    if (t.size() == s.size())
        return;
    const size_t offset = size_t(t.data() - s.data());
    const size_t size = t.size();
    s.erase(0, offset);
    s.resize(size);
}

// A decimal integer with optional sign, blanks around it allowed; nothing when the text is not one
// or does not fit an int.
inline std::optional<int> parseNumber(std::string_view s)
{
    s = trim(s);
    if (s.empty())
        return std::nullopt;
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 10)
        return std::nullopt;
    long long value = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < -2147483648LL || value > 2147483647LL)
        return std::nullopt;
    return int(value);
}

} // namespace textlines
