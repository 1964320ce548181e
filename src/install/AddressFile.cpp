#include "install/AddressFile.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "install/InstallLayout.h"

#include <QFile>
#include <string_view>

namespace addressfile
{

QString Address::failureText() const
{
    return QStringLiteral("ファイル %1 を開けません。").arg(path);
}

Address read(const QString& name)
{
    Address result;
    result.path = filelookup::resolve(layout::programDir() + name);
    QFile file(result.path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.opened = true;
    const QByteArray line = file.readLine();
    result.address = cp932::toUnicode(std::string_view(line.constData(), std::size_t(line.size()))).trimmed();
    return result;
}

} // namespace addressfile
