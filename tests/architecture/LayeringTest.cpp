// The folders of src/ form layers, and an #include may only point down them. The build already
// keeps windows out of dvv_core; this keeps, say, the bus from reaching into the model, which would
// compile and link just the same.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <gtest/gtest.h>

#include <map>

namespace {

// A folder may include folders of a lower rank and itself; folders of one rank are peers and do not
// include each other.
//   - options sits beside the model: stored settings, nothing that talks to a device;
//   - localization sits just above the model, because its language tables hold the texts the
//     model's catalogue and ranges are built from;
//   - the emulator's analog channels filter as the modules do, with the measurement's filter;
//   - the device configuration views sit beside the emulator;
//   - the device profiles only read files, so they sit just above the platform;
//   - the traffic monitor decodes with the protocols and labels with the profiles;
//   - shell and cli are the two front ends and never include each other.
// Every window may also read the application context, shell/Dm.h, which itself includes nothing
// above the model.
// A new folder must be added here: the check fails until its place is decided.
const std::map<QString, int>& Ranks() {
    // clang-format off
    static const std::map<QString, int> ranks = {
        {QStringLiteral("platform"), 0},     {QStringLiteral("bus"), 1},       {QStringLiteral("profiles"), 1},       {QStringLiteral("protocol"), 2},
        {QStringLiteral("model"), 3},        {QStringLiteral("options"), 3},   {QStringLiteral("localization"), 4},
        {QStringLiteral("discovery"), 5},    {QStringLiteral("measurement"), 5}, {QStringLiteral("traffic"), 5},  {QStringLiteral("emulator"), 6},       {QStringLiteral("views"), 6},
        {QStringLiteral("sensorbus"), 6},
        // configuration documents walk the model's settings for both front ends
        {QStringLiteral("config"), 5},
        {QStringLiteral("apps"), 6},
        {QStringLiteral("shell"), 7},        {QStringLiteral("cli"), 7},
        // file transfer works on the weight controllers' model; the converters need only the bus
        {QStringLiteral("files"), 6},        {QStringLiteral("converters"), 6},
    };
    // clang-format on
    return ranks;
}

// "bus/ui/BusSettingsForm.h" → folder "bus", window true. A folder's main.cpp starts an executable
// and stands with the folder's windows, which it opens.
struct TPlace {
    QString Folder;
    bool Window = false;
};

TPlace PlaceOf(const QString& Path) {
    const QStringList parts = Path.split(QLatin1Char('/'));
    const bool window = (parts.size() > 2 && parts.value(1) == QLatin1String("ui")) ||
                        (parts.size() == 2 && parts.value(1) == QLatin1String("main.cpp"));
    return {parts.value(0), window};
}

// Empty when From may include To, otherwise why not.
QString Refusal(const TPlace& From, const TPlace& To) {
    const auto& ranks = Ranks();
    const auto to = ranks.find(To.Folder);
    if (to == ranks.end())
        return QStringLiteral("\"%1\" is not a known folder").arg(To.Folder);
    const int from = ranks.at(From.Folder);
    if (To.Window && !From.Window)
        return QStringLiteral("logic includes a window");
    if (To.Folder == From.Folder)
        return {};
    // Every window speaks the user's language and keeps its choices in the options.
    if (From.Window && !To.Window &&
        (To.Folder == QLatin1String("localization") || To.Folder == QLatin1String("options")))
        return {};
    if (to->second < from)
        return {};
    return QStringLiteral("%1 may not include %2").arg(From.Folder, To.Folder);
}

struct TViolation {
    QString File;
    QString Include;
    QString Reason;
};

std::vector<TViolation> Violations(const QString& Root, QStringList* UnknownFolders) {
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"));
    std::vector<TViolation> found;
    QDirIterator it(Root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(Root).relativeFilePath(path);
        const TPlace from = PlaceOf(relative);
        if (!Ranks().count(from.Folder)) {
            UnknownFolders->append(from.Folder);
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QTextStream in(&file);
        while (!in.atEnd()) {
            const auto m = include.match(in.readLine());
            if (!m.hasMatch())
                continue;
            const QString target = m.captured(1);
            if (!target.contains(QLatin1Char('/'))) {
                found.push_back({relative, target, QStringLiteral("an include names its folder")});
                continue;
            }
            QString why = from.Window && target == QLatin1String("shell/Dm.h")
                              ? QString()
                              : Refusal(from, PlaceOf(target));
            const auto to = Ranks().find(PlaceOf(target).Folder);
            if (why.isEmpty() && relative == QLatin1String("shell/Dm.h") && to != Ranks().end() &&
                to->second > Ranks().at(QStringLiteral("model")))
                why = QStringLiteral("the context that every window reads includes nothing above the model");
            if (!why.isEmpty())
                found.push_back({relative, target, why});
        }
    }
    return found;
}

TEST(Layering, TheRulesThemselves) {
    const auto refused = [](const char* from, const char* to) {
        return !Refusal(PlaceOf(QLatin1String(from)), PlaceOf(QLatin1String(to))).isEmpty();
    };
    EXPECT_FALSE(refused("model/ZUVOModule.cpp", "protocol/NerixModule.h"));
    EXPECT_TRUE(refused("bus/PowerRSBus.cpp", "model/Ranges.h"));
    EXPECT_TRUE(refused("model/Ranges.cpp", "options/AdminOptions.h")); // peers
    EXPECT_TRUE(refused("model/Ranges.cpp", "localization/Localization.h"));
    EXPECT_FALSE(refused("localization/LanguageTables.h", "model/Ranges.h"));
    EXPECT_TRUE(refused("shell/Dm.cpp", "cli/CliArgs.h"));
    EXPECT_TRUE(refused("cli/main.cpp", "shell/Dm.h"));
    EXPECT_TRUE(refused("emulator/VirtualDevice.cpp", "emulator/ui/EmulatorForm.h"));
    EXPECT_FALSE(refused("bus/ui/BusSettingsForm.cpp", "localization/LanguageTables.h"));
    EXPECT_FALSE(refused("bus/ui/BusSettingsForm.cpp", "platform/ui/DialogTitle.h"));
    EXPECT_TRUE(refused("bus/ui/BusSettingsForm.cpp", "discovery/ui/FindDevices.h"));
    EXPECT_TRUE(refused("bus/ui/BusSettingsForm.cpp", "discovery/BusScan.h"));
    EXPECT_FALSE(refused("shell/ui/MainForm.cpp", "emulator/ui/EmulatorForm.h"));
    EXPECT_FALSE(refused("shell/main.cpp", "shell/ui/MainForm.h"));
    EXPECT_TRUE(refused("shell/Dm.cpp", "shell/ui/MainForm.h"));
    EXPECT_TRUE(refused("bus/Foo.cpp", "traffic/Bar.h"));
    EXPECT_TRUE(refused("bus/Foo.cpp", "nowhere/Bar.h")); // not yet placed
    EXPECT_FALSE(refused("traffic/TrafficDecoder.cpp", "profiles/DeviceProfiles.h"));
    EXPECT_TRUE(refused("profiles/DeviceProfiles.cpp", "traffic/TrafficDecoder.h"));
    EXPECT_TRUE(refused("views/ui/DevicePropsForm.cpp", "emulator/VirtualDevice.h")); // peers
}

TEST(Layering, EveryIncludeOfTheSourcesPointsDown) {
    QStringList unknown;
    const auto violations = Violations(QStringLiteral(DVV_SOURCE_DIR), &unknown);
    unknown.removeDuplicates();
    EXPECT_TRUE(unknown.isEmpty()) << "folders without a layer: "
                                   << unknown.join(QStringLiteral(", ")).toStdString();
    for (const auto& v : violations)
        ADD_FAILURE() << v.File.toStdString() << " includes " << v.Include.toStdString() << ": "
                      << v.Reason.toStdString();
}

} // namespace
