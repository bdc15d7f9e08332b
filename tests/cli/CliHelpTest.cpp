// What the program says about itself: the general usage, each command's help from its table, the
// version, and the one-line complaint about a bad command line.
#include "cli/CliCommands.h"

#include "CliProcess.h"

#include <gtest/gtest.h>

namespace {

QStringList Words(const char* line) {
    return QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST(CliHelp, EachCommandsHelpListsEveryOptionOfItsTable) {
    for (const TCliCommand* command : CliCommands()) {
        const TCliRun r = Cli({command->Name, QStringLiteral("--help")});
        EXPECT_EQ(r.code, 0) << command->Name.toStdString();
        EXPECT_TRUE(r.err.isEmpty());
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("usage: dovuvavarovod-cli %1 ").arg(command->Name)))
            << r.out.toStdString();
        for (const TCliOption& option : command->Options) {
            const QString row =
                QStringLiteral("\n  --%1%2")
                    .arg(option.Name, option.Arg.isEmpty() ? QString() : QLatin1Char(' ') + option.Arg);
            EXPECT_TRUE(r.out.contains(row)) << command->Name.toStdString() << ": " << row.toStdString();
        }
    }
    // Options of one command are no options of another.
    const TCliRun read = Cli({QStringLiteral("read"), QStringLiteral("--help")});
    EXPECT_FALSE(read.out.contains(QLatin1String("--devices")));
    EXPECT_FALSE(read.out.contains(QLatin1String("--speeds")));
    EXPECT_TRUE(read.out.contains(QLatin1String("--poll MS")));
    const TCliRun emulate = Cli({QStringLiteral("emulate"), QStringLiteral("--help")});
    EXPECT_FALSE(emulate.out.contains(QLatin1String("--udp")));
    EXPECT_TRUE(emulate.out.contains(QLatin1String("(required)")));
}

TEST(CliHelp, GeneralUsageAndVersion) {
    TCliRun r = Cli({QStringLiteral("--help")});
    EXPECT_EQ(r.code, 0);
    for (const TCliCommand* command : CliCommands())
        EXPECT_TRUE(r.out.contains(QStringLiteral("\n  %1 ").arg(command->Name)))
            << command->Name.toStdString();
    // --help anywhere after a command is that command's help, even on an otherwise bad line.
    r = Cli({QStringLiteral("scan"), QStringLiteral("--bogus"), QStringLiteral("--help")});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith(QLatin1String("usage: dovuvavarovod-cli scan ")));

    r = Cli({QStringLiteral("--version")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QStringLiteral("dovuvavarovod-cli " DVV_VERSION "\n"));
}

TEST(CliHelp, ABadCommandLineIsOneLineAndAPointer) {
    struct TCase {
        const char* Line;
        const char* Error;
        const char* Pointer;
    };
    const TCase cases[] = {
        {"", "no command given", "Try 'dovuvavarovod-cli --help'."},
        {"frobnicate", "unknown command \"frobnicate\"", "Try 'dovuvavarovod-cli --help'."},
        {"read --port COM1 --object 0 --property 1", "--address is required",
         "Try 'dovuvavarovod-cli read --help'."},
        {"info --port COM1 --address 1 --object 0", "unknown option --object for info",
         "Try 'dovuvavarovod-cli info --help'."},
        {"emulate --port COM1 --devices KVD-DO-BUS --log=yes", "--log takes no value",
         "Try 'dovuvavarovod-cli emulate --help'."},
    };
    for (const TCase& c : cases) {
        const TCliRun r = Cli(Words(c.Line));
        EXPECT_EQ(r.code, 2) << c.Line;
        EXPECT_TRUE(r.out.isEmpty()) << c.Line;
        EXPECT_EQ(r.err, QStringLiteral("dovuvavarovod-cli: %1\n%2\n")
                             .arg(QLatin1String(c.Error), QLatin1String(c.Pointer)))
            << c.Line;
    }
}

} // namespace
