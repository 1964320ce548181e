#pragma once
// A small JSON writer that keeps keys in the order they are written (the shapes of
// quarvel-tool's output are fixed), indented two spaces; arrays of scalars may stay on one line.
#include <string>
#include <string_view>
#include <vector>

class JsonWriter
{
  public:
    void beginObject(bool oneLine = false) { open('{', oneLine); }
    void endObject() { close('}'); }
    void beginArray(bool oneLine = false) { open('[', oneLine); }
    void endArray() { close(']'); }

    void key(std::string_view name)
    {
        item();
        quote(name);
        m_out += ": ";
        m_afterKey = true;
    }

    // UTF-8 text.
    void string(std::string_view utf8)
    {
        item();
        quote(utf8);
    }
    void number(long long value)
    {
        item();
        m_out += std::to_string(value);
    }
    void boolean(bool value)
    {
        item();
        m_out += value ? "true" : "false";
    }

    // The document, ended by a line end.
    std::string finish() { return m_out + "\n"; }

  private:
    struct Level {
        bool oneLine = false;
        int items = 0;
    };

    void open(char bracket, bool oneLine)
    {
        item();
        m_out += bracket;
        m_levels.push_back({oneLine || (!m_levels.empty() && m_levels.back().oneLine), 0});
    }

    void close(char bracket)
    {
        const Level level = m_levels.back();
        m_levels.pop_back();
        if (level.items > 0 && !level.oneLine)
            newline();
        m_out += bracket;
    }

    // Separator and indentation before a value, unless it follows its key.
    void item()
    {
        if (m_afterKey) {
            m_afterKey = false;
            return;
        }
        if (m_levels.empty())
            return;
        Level& level = m_levels.back();
        if (level.items++ > 0)
            m_out += level.oneLine ? ", " : ",";
        if (!level.oneLine)
            newline();
    }

    void newline()
    {
        m_out += '\n';
        m_out.append(m_levels.size() * 2, ' ');
    }

    void quote(std::string_view text)
    {
        static const char* hex = "0123456789abcdef";
        m_out += '"';
        for (char ch : text) {
            const auto b = static_cast<unsigned char>(ch);
            switch (ch) {
            case '"':
                m_out += "\\\"";
                break;
            case '\\':
                m_out += "\\\\";
                break;
            case '\r':
                m_out += "\\r";
                break;
            case '\n':
                m_out += "\\n";
                break;
            case '\t':
                m_out += "\\t";
                break;
            default:
                if (b < 0x20 || b == 0x7F) {
                    m_out += "\\u00";
                    m_out += hex[b >> 4];
                    m_out += hex[b & 15];
                } else {
                    m_out += ch;
                }
            }
        }
        m_out += '"';
    }

    std::string m_out;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};
