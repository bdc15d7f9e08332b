#include "platform/PortNames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

const std::vector<TPortTableBlock>& FixedPortTable() {
    static const std::vector<TPortTableBlock> table = {
        {1, "/dev/ttyS", 16},
        {17, "/dev/ttyUSB", 16},
        {33, "/dev/ttyACM", 16},
        {49, "/dev/ttyAMA", 16},
    };
    return table;
}

QString PortsFolder() {
    const QString over = qEnvironmentVariable("DOVUVAVAROVOD_PORTS");
    if (!over.isEmpty())
        return over;
    return QDir::homePath() + QStringLiteral("/.config/dovuvavarovod/ports");
}

int PortNumberFromName(const QString& name) {
    static const QRegularExpression re(QStringLiteral("^(?:\\\\\\\\\\.\\\\)?COM([0-9]{1,6})$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(name);
    if (!m.hasMatch())
        return 0;
    bool ok = false;
    const int n = m.captured(1).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QString FixedDeviceForPort(int number) {
    for (const auto& block : FixedPortTable()) {
        if (number >= block.FirstNumber && number < block.FirstNumber + block.Count)
            return QString::fromLatin1(block.DevicePrefix) + QString::number(number - block.FirstNumber);
    }
    return {};
}

QString ResolvePortPath(const QString& name) {
    if (name.startsWith(QLatin1Char('/')))
        return name;
    const int number = PortNumberFromName(name);
    if (number == 0)
        return {};
    const QFileInfo entry(PortsFolder() + QStringLiteral("/COM") + QString::number(number));
    if (entry.exists() || entry.isSymLink()) {
        // The link's target names the lock file and shows in messages; a dangling link is left as it
        // is so that opening it fails with a clear error.
        const QString target = entry.canonicalFilePath();
        return target.isEmpty() ? entry.absoluteFilePath() : target;
    }
    return FixedDeviceForPort(number);
}
