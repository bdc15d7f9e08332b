// The manual page and the bash completion are written from the option tables: every command and
// option must reach both, and the text must not turn into man(7) requests or break the script.
#include "cli/CliDocs.h"
#include "cli/CliCommands.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Dashes(const QString& Name) {
    return QString(Name).replace(QLatin1Char('-'), QStringLiteral("\\-"));
}

TEST(CliDocs, ManualPageHasEveryCommandAndOptionAndOnlyKnownRequests) {
    const QString page = CliManualPage();
    for (const TCliCommand* c : CliCommands()) {
        EXPECT_TRUE(page.contains(QStringLiteral("\n.SS %1\n").arg(c->Name))) << c->Name.toStdString();
        for (const TCliOption& o : c->Options)
            EXPECT_TRUE(page.contains(QStringLiteral(".B \\-\\-%1").arg(Dashes(o.Name))))
                << c->Name.toStdString() << " --" << o.Name.toStdString();
    }
    // A line of text that starts with "." or "'" would be taken as a request and vanish.
    static const QRegularExpression known(QStringLiteral("^\\.(TH|SH|SS|B|I|TP|PP|br|nh|ad)( |$)"));
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('.')) || line.startsWith(QLatin1Char('\''))) {
            EXPECT_TRUE(known.match(line).hasMatch()) << line.toStdString();
        }
        // A lone backslash would start an escape the text did not mean.
        static const QRegularExpression stray(QStringLiteral("\\\\(?![-e&fB(]|fI|fR)"));
        EXPECT_FALSE(stray.match(line).hasMatch()) << line.toStdString();
    }
}

// Runs the completion in bash for the words typed so far (the last one being completed).
QStringList Complete(const QString& Script, const QStringList& Words) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("completion"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(Script.toUtf8()) < 0)
        return {QStringLiteral("<cannot write>")};
    f.close();
    QStringList quoted;
    for (const QString& w : Words)
        quoted << QLatin1Char('\'') + w + QLatin1Char('\'');
    const QString program = QStringLiteral("source '%1'; COMP_WORDS=(%2); COMP_CWORD=%3; _dovuvavarovod_cli; "
                                           "printf '%s\\n' \"${COMPREPLY[@]}\"")
                                .arg(file, quoted.join(QLatin1Char(' ')))
                                .arg(Words.size() - 1);
    QProcess bash;
    bash.start(QStringLiteral("bash"), {QStringLiteral("-c"), program});
    if (!bash.waitForFinished(10000) || bash.exitCode() != 0)
        return {QStringLiteral("<bash failed: %1>").arg(QString::fromLocal8Bit(bash.readAllStandardError()))};
    return QString::fromLocal8Bit(bash.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST(CliDocs, CompletionOffersCommandsTheirOwnOptionsAndValueWords) {
    const QString script = CliBashCompletion();
    const QString cli = QStringLiteral("dovuvavarovod-cli");
    QStringList all;
    for (const TCliCommand* c : CliCommands())
        all << c->Name;
    QStringList first = Complete(script, {cli, QString()});
    for (const QString& name : all)
        EXPECT_TRUE(first.contains(name)) << name.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("--version")));
    EXPECT_EQ(Complete(script, {cli, QStringLiteral("se")}), QStringList{QStringLiteral("settings")});

    for (const TCliCommand* c : CliCommands()) {
        const QStringList options = Complete(script, {cli, c->Name, QStringLiteral("--")});
        for (const TCliOption& o : c->Options)
            EXPECT_TRUE(options.contains(QStringLiteral("--") + o.Name))
                << c->Name.toStdString() << " --" << o.Name.toStdString();
        EXPECT_EQ(options.size(), qsizetype(c->Options.size() + 1)) << c->Name.toStdString(); // and --help
    }
    EXPECT_EQ(Complete(script, {cli, QStringLiteral("read"), QStringLiteral("--parity"), QString()}),
              (QStringList{QStringLiteral("none"), QStringLiteral("odd"), QStringLiteral("even"),
                           QStringLiteral("mark"), QStringLiteral("space")}));
    EXPECT_EQ(
        Complete(script, {cli, QStringLiteral("scan"), QStringLiteral("--protocol"), QStringLiteral("m")}),
        QStringList{QStringLiteral("modbus")});
    // A number is the user's to type: no option names offered in its place.
    EXPECT_TRUE(
        Complete(script, {cli, QStringLiteral("read"), QStringLiteral("--address"), QString()}).isEmpty());
}

} // namespace
