#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QProcess;

// Opens a document with the desktop's default viewer (xdg-open). The toolkit's own way reports
// success as soon as it has started the opener, even when the desktop has no viewer for the file,
// so a help file could silently fail to open; this one waits for the opener's verdict without
// blocking and reports a failure through OnFailed.
class TLauncher : public QObject {
    Q_OBJECT
public:
    explicit TLauncher(QObject* parent = nullptr);
    ~TLauncher() override;

    // Starts opening Path; a failure arrives later through OnFailed (with the reason), success is
    // silent. The opener is the program named by $DOVUVAVAROVOD_OPENER, or xdg-open.
    void Open(const QString& Path);

    std::function<void(const QString& Path, const QString& Reason)> OnFailed;

private:
    void Fail(const QString& Path, const QString& Reason);
};
