#include "ui/ShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace ui
{
namespace
{
std::function<void(const QString&, bool)>& opener()
{
    static std::function<void(const QString&, bool)> f;
    return f;
}
} // namespace

void openExternal(const QString& target, bool maximised)
{
    if (opener()) {
        opener()(target, maximised);
        return;
    }
    if (qEnvironmentVariableIntValue("QUARVEL_TESTING") == 1)
        return;
    const bool isAddress = target.contains(QStringLiteral("://"));
    QDesktopServices::openUrl(isAddress ? QUrl(target) : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
}

namespace testing
{
void setOpener(std::function<void(const QString&, bool)> f)
{
    opener() = std::move(f);
}
} // namespace testing

} // namespace ui
