#include "platform/PortNames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>

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

namespace {
// "ttyUSB0" for /dev/ttyUSB0, "pts/3" for /dev/pts/3: the device as a person knows it.
QString ShortDeviceName(const QString& path) {
    return path.startsWith(QLatin1String("/dev/")) ? path.mid(5) : path;
}
} // namespace

std::vector<TComPortEntry> ListComPorts() {
    std::map<int, TComPortEntry> ports;
    const QDir folder(PortsFolder());
    for (const QFileInfo& entry :
         folder.entryInfoList({QStringLiteral("COM*")}, QDir::System | QDir::Files)) {
        const int n = PortNumberFromName(entry.fileName());
        const QString target = entry.canonicalFilePath();
        if (n > 0 && !target.isEmpty())
            ports[n] = {n, target, QString()};
    }
    for (const auto& block : FixedPortTable()) {
        for (int i = 0; i < block.Count; ++i) {
            const int n = block.FirstNumber + i;
            const QString path = QString::fromLatin1(block.DevicePrefix) + QString::number(i);
            if (!ports.count(n) && QFileInfo::exists(path))
                ports[n] = {n, path, QString()};
        }
    }
    std::vector<TComPortEntry> list;
    for (auto& [n, e] : ports) {
        e.Label = QStringLiteral("COM%1 (%2)").arg(n).arg(ShortDeviceName(e.DevicePath));
        list.push_back(e);
    }
    return list;
}
