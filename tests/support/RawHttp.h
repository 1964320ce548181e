#pragma once
// One HTTP exchange over a plain loopback socket, for tests and benchmarks that must send what a
// library would not (a short body, a hang-up) or measure the whole connection.
#include <string>

namespace testsupport
{

enum class Close {
    Normally,        // after reading the whole answer
    HangUpAfterSend, // end our side once the request is sent: the library answers nothing
    Reset,           // abort the connection after the answer, leaving no TIME_WAIT behind
};

// Sends `request` whole to 127.0.0.1:`port` and returns everything answered until the server
// closes; "" when it could not connect (or the server was gone).
std::string rawExchange(int port, const std::string& request, Close close = Close::Normally);

// The status code of an answer, 0 when it is none.
int statusOf(const std::string& answer);

} // namespace testsupport
