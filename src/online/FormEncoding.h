#pragma once
// Parameters sent to the online services: key=value pairs joined by "&", every value
// percent-encoded over its CP932 bytes so that a name with "&", "=", "+", "%" or kanji arrives
// as typed. Every request the program makes builds its parameters here.
#include <QString>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace online
{

// A-Z a-z 0-9 and -._~@:/!$'()*,; stay as they are; every other byte becomes %XX (upper-case).
std::string percentEncode(std::string_view bytes);

// The inverse; "+" stays "+" unless `plusIsBlank` (what browsers send for a blank).
// A "%" not followed by two hex digits stays as it is.
std::string percentDecode(std::string_view text, bool plusIsBlank = false);

using FormFields = std::vector<std::pair<std::string, std::string>>;

// "k1=v1&k2=v2..." with the values encoded (keys are our own plain names).
std::string formString(const FormFields& fields);

// A server address from SRV_INFO or His_srv as a URL: "http://" is put in front, unless the line
// already names its scheme ("https://" for a server that speaks TLS, or "http://").
QString serverUrl(const QString& address);

} // namespace online
