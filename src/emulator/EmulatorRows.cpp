#include "emulator/EmulatorRows.h"

#include "model/DeviceRegister.h"

#include <QStringList>

const std::vector<TEmulatorRow>& EmulatorRows() {
    static const std::vector<TEmulatorRow> rows = {
        {QStringLiteral("KVD-AIK-BUS"), 0}, {QStringLiteral("KVD-AIK8-BUS"), 1},
        {QStringLiteral("KVD-AO-BUS"), 2},  {QStringLiteral("KVD-AO6-BUS"), 3},
        {QStringLiteral("KVD-DI-BUS"), 10}, {QStringLiteral("KVD-DO-BUS"), 5},
        {QStringLiteral("KVD-DIO-BUS"), 6}, {QStringLiteral("KVD-DOS-BUS"), 7},
        {QStringLiteral("KVD-DOR-BUS"), 8}, {QStringLiteral("KVD-DOS12-BUS"), 17},
    };
    return rows;
}

const std::vector<TEmulatorRow>& EmulatorExtraDevices() {
    static const std::vector<TEmulatorRow> extra = {{QStringLiteral("KVD-P340-BUS"), 21},
                                                    {QStringLiteral("KVD-VEVA-BUS"), 30}};
    return extra;
}

std::optional<quint32> EmulatorRowTypeCode(const QString& Name) {
    for (const TEmulatorRow& row : EmulatorRows())
        if (row.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return row.TypeCode;
    return std::nullopt;
}

std::optional<quint32> EmulatorDeviceTypeCode(const QString& Name) {
    if (const auto row = EmulatorRowTypeCode(Name))
        return row;
    for (const TEmulatorRow& extra : EmulatorExtraDevices())
        if (extra.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return extra.TypeCode;
    // A catalogue model is accepted when some row emulates its type code.
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    for (int i = 0; i < catalogue.Count(); ++i) {
        const TDeviceRegisterRecord* record = catalogue.Items(i);
        if (record->ModelName.compare(Name, Qt::CaseInsensitive) != 0)
            continue;
        for (const TEmulatorRow& row : EmulatorRows())
            if (row.TypeCode == record->TypeCode)
                return row.TypeCode;
    }
    return std::nullopt;
}

bool ParseEmulatorDevices(const QString& Text, std::vector<TEmulatorDeviceCount>& Devices, QString& Error) {
    Devices.clear();
    for (const QString& part : Text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString item = part.trimmed();
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? item : item.left(eq).trimmed();
        int count = 1;
        if (eq >= 0) {
            bool ok = false;
            count = item.mid(eq + 1).trimmed().toInt(&ok);
            // The window's count editor offers 1 to 10.
            if (!ok || count < 1 || count > 10) {
                Error =
                    QStringLiteral("the count of %1 must be 1 to 10, not \"%2\"").arg(name, item.mid(eq + 1));
                return false;
            }
        }
        const auto code = EmulatorDeviceTypeCode(name);
        if (!code) {
            QStringList names;
            for (const TEmulatorRow& row : EmulatorRows())
                names << row.Name;
            for (const TEmulatorRow& row : EmulatorExtraDevices())
                names << row.Name;
            Error = QStringLiteral("unknown device \"%1\"; known: %2, or a model one of them emulates")
                        .arg(name, names.join(QLatin1String(", ")));
            return false;
        }
        Devices.push_back({*code, count});
    }
    if (Devices.empty()) {
        Error = QStringLiteral("--devices needs at least one device");
        return false;
    }
    return true;
}
