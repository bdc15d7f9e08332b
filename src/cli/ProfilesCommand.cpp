// profiles: which device profiles the program finds, and what is wrong with the ones it skips.
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "platform/DataFolder.h"
#include "profiles/XMLProfileLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

int RunProfiles(const TCliOptions&, TCliIo& Io) {
    TXMLProfileLoader loader;
    loader.SetFolder(TXMLProfileLoader::DefaultFolder());
    if (loader.Folder().isEmpty()) {
        const QString relative = QStringLiteral("DB/DevicesXMLProfiles");
        Io.Fail(QStringLiteral("no device profile folder: neither %1 nor %2")
                    .arg(QDir::current().filePath(relative), QDir(InstalledDataFolder()).filePath(relative)));
        return kExitFailed;
    }
    loader.LoadAll();
    const TDeviceList& devices = loader.Devices();
    QTextStream& out = Io.Out();
    QJsonArray profiles;
    if (!Io.Json())
        out << "folder: " << QDir::toNativeSeparators(loader.Folder()) << Qt::endl;
    for (int i = 0; i < devices.Count(); ++i) {
        const TDeviceDesc* d = devices.Items(i);
        const QString file = QFileInfo(d->FileName()).fileName();
        const int objects = d->NerixMap().Objects().Count();
        const int spaces = d->ModbusMap().Spaces().Count();
        if (Io.Json())
            profiles.append(QJsonObject{{QStringLiteral("name"), d->Header().Name()},
                                        {QStringLiteral("file"), file},
                                        {QStringLiteral("objects"), objects},
                                        {QStringLiteral("spaces"), spaces}});
        else
            out << d->Header().Name() << "  objects " << objects << "  spaces " << spaces << "  (" << file
                << ")" << Qt::endl;
    }
    if (Io.Json()) {
        Io.PrintJson({{QStringLiteral("folder"), loader.Folder()},
                      {QStringLiteral("profiles"), profiles},
                      {QStringLiteral("warnings"), QJsonArray::fromStringList(loader.Warnings())}});
    } else {
        for (const QString& warning : loader.Warnings())
            Io.Err() << kProgramName << ": warning: " << warning << Qt::endl;
        out << devices.Count() << (devices.Count() == 1 ? " profile" : " profiles") << Qt::endl;
    }
    return kExitOk;
}

TCliCommand MakeProfilesCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("profiles");
    c.Synopsis = QStringLiteral("[--json]");
    c.Summary = QStringLiteral("list the device profiles the traffic monitor labels frames with");
    c.Description = QStringLiteral(
        "Shows the profile folder in use (DB/DevicesXMLProfiles under the working folder, else\n"
        "the installed one), each profile loaded from it with its counts of Nerix objects and\n"
        "Modbus address spaces, and a warning for every file that was skipped.");
    c.Options = {JsonOption(QStringLiteral("one JSON object: folder, profiles and warnings"))};
    c.Run = RunProfiles;
    return c;
}

} // namespace

const TCliCommand& ProfilesCommand() {
    static const TCliCommand command = MakeProfilesCommand();
    return command;
}
