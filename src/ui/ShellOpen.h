#pragma once
// Opens a page, file or address with the system's default handler (the web browser for pages).
#include <QString>
#include <functional>

namespace ui
{

// `maximised` is a wish; desktops that cannot honour it ignore it.
void openExternal(const QString& target, bool maximised = true);

namespace testing
{
// Replaces the opener (tests record targets instead of starting a browser).
void setOpener(std::function<void(const QString& target, bool maximised)> opener);
} // namespace testing

} // namespace ui
