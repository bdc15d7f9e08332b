#include "traffic/ui/PackageListModel.h"

#include "traffic/PackageContainer.h"
#include "traffic/TrafficDecoder.h"
#include "traffic/TrafficSerializer.h"

#include <QLocale>

TPackageListModel::TPackageListModel(TPackageContainer& Store, QObject* parent)
    : QAbstractTableModel(parent), FStore(Store) {}

int TPackageListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TPackageListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

int TPackageListModel::StoreIndex(int Row) const {
    return Row >= 0 && Row < FRows ? FRows - 1 - Row : -1;
}

int TPackageListModel::RowOf(int StoreIndex) const {
    return StoreIndex >= 0 && StoreIndex < FRows ? FRows - 1 - StoreIndex : -1;
}

const TContainerItem* TPackageListModel::Package(int Row) const {
    return FStore.Item(StoreIndex(Row));
}

QString TPackageListModel::TimeText(const TContainerItem& Item) const {
    // As the traffic file has it: the user's own date format, the clock to the millisecond. Without
    // a locale of the user's (the C locale) the date is all digits rather than an English month.
    if (QLocale().language() == QLocale::C)
        return Item.Time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    return TrafficTimeText(Item.Time);
}

QString TPackageListModel::ResponseText(int StoreIndex) const {
    const double ms = FStore.ResponseMs(StoreIndex);
    if (ms >= 0)
        return FTexts.Milliseconds.arg(QString::number(ms, 'f', 1));
    if (FStore.NoAnswer(StoreIndex))
        return FTexts.NoAnswer;
    return {};
}

QString TPackageListModel::NoteText(const TContainerItem& Item) const {
    if (FProtocol == tpNerix &&
        NerixPackageCorrupted(reinterpret_cast<const quint8*>(Item.Data.constData()), int(Item.Data.size())))
        return FTexts.Corrupted;
    return {};
}

QVariant TPackageListModel::data(const QModelIndex& index, int role) const {
    const int store = StoreIndex(index.row());
    const TContainerItem* item = FStore.Item(store);
    if (!item || index.column() < 0 || index.column() >= kColumnCount)
        return {};
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case colNumber:
        case colBytes:
        case colResponse:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case colNumber:
        return QString::number(store);
    case colTime:
        return TimeText(*item);
    case colDirection:
        return item->Direction == 1 ? FTexts.Incoming : FTexts.Outcoming;
    case colBytes:
        return QString::number(item->Length);
    case colResponse:
        return ResponseText(store);
    case colNote:
        return NoteText(*item);
    default:
        return {};
    }
}

QVariant TPackageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case colNumber:
        return FTexts.Number;
    case colTime:
        return FTexts.Time;
    case colDirection:
        return FTexts.Direction;
    case colBytes:
        return FTexts.Bytes;
    case colResponse:
        return FTexts.Response;
    case colNote:
        return FTexts.Note;
    default:
        return {};
    }
}

void TPackageListModel::AddDeferred(quint8 Direction, const quint8* Data, quint16 Length,
                                    const QDateTime& Time, qint64 Ticks) {
    // The store empties itself when full; the views must hear of that as a reset, not find rows
    // gone from under them.
    if (FStore.Count() >= TPackageContainer::kLimit)
        Clear();
    FStore.Add(Direction, Data, Length, Time, Ticks);
}

void TPackageListModel::Add(quint8 Direction, const quint8* Data, quint16 Length, const QDateTime& Time,
                            qint64 Ticks) {
    AddDeferred(Direction, Data, Length, Time, Ticks);
    Flush();
}

int TPackageListModel::Pending() const {
    return FStore.Count() - FRows;
}

void TPackageListModel::Flush() {
    const int pending = Pending();
    // In a bulk load the reset at its end lists everything.
    if (FBulk || pending <= 0)
        return;
    const int before = FRows;
    beginInsertRows(QModelIndex(), 0, pending - 1);
    FRows = FStore.Count();
    endInsertRows();
    // The package listed before may have turned from pending into unanswered (or answered).
    if (before > 0)
        Q_EMIT dataChanged(index(pending, colResponse), index(pending, colResponse));
}

void TPackageListModel::BeginBulk() {
    if (FBulk)
        return;
    FBulk = true;
    beginResetModel();
}

void TPackageListModel::EndBulk() {
    if (!FBulk)
        return;
    FBulk = false;
    FRows = FStore.Count();
    endResetModel();
}

void TPackageListModel::Clear() {
    if (FBulk) {
        FStore.Clear();
        FRows = 0;
        return;
    }
    beginResetModel();
    FStore.Clear();
    FRows = 0;
    endResetModel();
}

void TPackageListModel::SetProtocol(TTransferProtocol Value) {
    if (FProtocol == Value)
        return;
    FProtocol = Value;
    if (FRows > 0)
        Q_EMIT dataChanged(index(0, colNote), index(FRows - 1, colNote));
}

void TPackageListModel::SetTexts(const TTexts& Texts) {
    FTexts = Texts;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
    if (FRows > 0)
        Q_EMIT dataChanged(index(0, 0), index(FRows - 1, kColumnCount - 1));
}
