#include "options/OptionsDm.h"

#include "options/AdminOptions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

TOptionsDm::TOptionsDm(const QString& Folder)
    : FSerializer(std::make_unique<TXMLOptionsSerializer>()),
      FAdminOptions(std::make_unique<TAdminOptions>()) {
    FSerializer->SetNodeAutoIndent(true);
    FSerializer->SetUseVersionControl(true);
    FSerializer->SetApplicationName(QStringLiteral("Dovuvavarovod"));
    FSerializer->SetRootNodeName(QStringLiteral("config"));
    FSerializer->SetItemNodeCaption(QStringLiteral("Item"));
    FSerializer->SetVersion(1);
    FSerializer->SetRootObject(FAdminOptions.get());
    FSerializer->SetXMLFilePath(QDir(Folder).filePath(QStringLiteral("Options.xml")));
    FLoadResult = FSerializer->Load();
    // A file that did not load is replaced by the defaults at shutdown; keep what the user had.
    if (FLoadResult == lrDamaged || FLoadResult == lrForeign)
        KeepDamagedCopy();
}

TOptionsDm::~TOptionsDm() {
    // Failures are not reported: the previous file then stays as it was.
    FSerializer->Save();
    FSerializer->SetRootObject(nullptr);
    FAdminOptions.reset();
}

QString TOptionsDm::DamagedCopyPath(const QString& OptionsPath) {
    return OptionsPath + QStringLiteral(".damaged");
}

void TOptionsDm::KeepDamagedCopy() const {
    const QString path = FSerializer->XMLFilePath();
    QFile source(path);
    if (!QFileInfo(path).isFile() || !source.open(QIODevice::ReadOnly))
        return;
    // Replaces an older copy in one rename, so there is always one complete copy.
    QSaveFile copy(DamagedCopyPath(path));
    if (!copy.open(QIODevice::WriteOnly))
        return;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(64 * 1024);
        if (chunk.isEmpty() || copy.write(chunk) != chunk.size()) {
            copy.cancelWriting();
            return;
        }
    }
    copy.commit();
}
