#pragma once

#include "protocol/TransferProtocol.h"

#include <QAbstractTableModel>
#include <QString>

class TPackageContainer;
struct TContainerItem;

// The package list of the traffic window, newest on top: row 0 is the last package listed. The rows
// are the store itself; nothing is copied per row, and a cell's text is made only when a view asks
// for it, so adding a package costs the same whether the list holds one or two thousand. Packages
// may be stored ahead of their rows (AddDeferred) and listed in one go by Flush.
class TPackageListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { colNumber, colTime, colDirection, colBytes, colResponse, colNote, kColumnCount };

    // The words the cells and headers show; the window sets them from its language table.
    struct TTexts {
        QString Number = QStringLiteral("#"), Time = QStringLiteral("Time"),
                Direction = QStringLiteral("Direction"), Bytes = QStringLiteral("Bytes"),
                Response = QStringLiteral("Response time"), Note = QStringLiteral("Note"),
                Incoming = QStringLiteral("Incoming"), Outcoming = QStringLiteral("Outcoming"),
                Corrupted = QStringLiteral("Package is corrupted"), NoAnswer = QStringLiteral("no answer"),
                Milliseconds = QStringLiteral("%1 ms");
    };

    explicit TPackageListModel(TPackageContainer& Store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The store index of a row and back; -1 when out of range. Only listed packages have rows.
    int StoreIndex(int Row) const;
    int RowOf(int StoreIndex) const;
    const TContainerItem* Package(int Row) const;

    // Stores a package and lists it at the top at once (with any still waiting to be listed). The
    // row below it (the package before) may change its response column: a request followed by
    // another request has no answer.
    void Add(quint8 Direction, const quint8* Data, quint16 Length, const QDateTime& Time, qint64 Ticks);
    // Stores a package and leaves it to the next Flush to list, with every other one stored since:
    // one row event for many packages, so that a capture costs the bus next to nothing.
    void AddDeferred(quint8 Direction, const quint8* Data, quint16 Length, const QDateTime& Time,
                     qint64 Ticks);
    // Lists the stored packages that have no row yet, newest on top, in one insertion.
    void Flush();
    // Packages stored but not listed yet.
    int Pending() const;
    // Many packages at once (a file being loaded): one reset instead of a row event each.
    void BeginBulk();
    void EndBulk();
    // Empties the store and the list, packages waiting to be listed included.
    void Clear();

    // The decoding protocol decides the "Note" column (only Nerix packages are checked).
    TTransferProtocol Protocol() const { return FProtocol; }
    void SetProtocol(TTransferProtocol Value);
    void SetTexts(const TTexts& Texts);

    // The cell texts of one package, as the list shows them.
    QString TimeText(const TContainerItem& Item) const;
    QString ResponseText(int StoreIndex) const;
    QString NoteText(const TContainerItem& Item) const;

private:
    TPackageContainer& FStore;
    TTransferProtocol FProtocol = tpNerix;
    TTexts FTexts;
    bool FBulk = false;
    // The packages the views know of: the oldest FRows of the store. The rest are pending.
    int FRows = 0;
};
