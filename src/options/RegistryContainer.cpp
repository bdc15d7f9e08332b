#include "options/RegistryContainer.h"

#include "platform/PortNames.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// Equal limits mean the value has no range.
template <class T> bool InRange(T V, T Min, T Max) {
    return Min == Max || (V >= Min && V <= Max);
}

// Whether V may become a numeric value: a change, within its range, and not refused by the owner's
// handler.
template <class T, class Handler> bool Accepts(T V, T Current, T Min, T Max, const Handler& OnModified) {
    if (V == Current || !InRange(V, Min, Max))
        return false;
    bool can = true;
    if (OnModified)
        OnModified(V, can);
    return can;
}

} // namespace

TRegistryValueShell::TRegistryValueShell(QObject* Owner, const QString& Name, TRegistryValueType Type,
                                         const QString& InitialCaption)
    : QObject(Owner), Caption(InitialCaption), FDateType(Type) {
    setObjectName(Name);
}

TRegistryValueShell::~TRegistryValueShell() {
    if (FContainer) {
        auto& items = FContainer->Saver.Items;
        items.erase(std::remove(items.begin(), items.end(), this), items.end());
    }
}

void TRegistryValueShell::Changed() {
    // Loading and saving assign values too; those must not look like the user's edits.
    if (FContainer && FContainer->State() == TDataContainer::csIdle)
        FModified = true;
}

TRegString::TRegString(QObject* Owner, const QString& Name)
    : TRegistryValueShell(Owner, Name, rvtString, QStringLiteral("str")) {}

void TRegString::SetValue(const QString& V) {
    if (V == FValue)
        return;
    FValue = V;
    Changed();
}

bool TRegString::SetFromText(const QString& Text) {
    SetValue(Text);
    return true;
}

TRegInteger::TRegInteger(QObject* Owner, const QString& Name)
    : TRegistryValueShell(Owner, Name, rvtInteger, QStringLiteral("int")) {}

void TRegInteger::SetValue(qint32 V) {
    if (!Accepts(V, FValue, MinValue, MaxValue, OnModified))
        return;
    FValue = V;
    Changed();
}

void TRegInteger::SetDefValue(qint32 V) {
    if (InRange(V, MinValue, MaxValue))
        FDefValue = V;
}

bool TRegInteger::SetFromText(const QString& Text) {
    bool ok = false;
    const qint32 v = Text.trimmed().toInt(&ok);
    if (!ok)
        return false;
    SetValue(v);
    return true;
}

TRegFloat::TRegFloat(QObject* Owner, const QString& Name)
    : TRegistryValueShell(Owner, Name, rvtFloat, QStringLiteral("double")) {}

void TRegFloat::SetValue(double V) {
    if (!Accepts(V, FValue, MinValue, MaxValue, OnModified))
        return;
    FValue = V;
    Changed();
}

void TRegFloat::SetDefValue(double V) {
    if (InRange(V, MinValue, MaxValue))
        FDefValue = V;
}

QString TRegFloat::AsString() const {
    return FormatByMask(FValue, Mask);
}

bool TRegFloat::SetFromText(const QString& Text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(Text.trimmed(), &ok);
    // Infinity and NaN would pass the range test and could never be typed back.
    if (!ok || !std::isfinite(v))
        return false;
    SetValue(v);
    return true;
}

QString FormatByMask(double V, const QString& Mask) {
    const int dot = Mask.indexOf(QLatin1Char('.'));
    int decimals = 0;
    if (dot >= 0)
        for (int i = dot + 1; i < Mask.size() && Mask.at(i) == QLatin1Char('0'); ++i)
            ++decimals;
    QString text = QLocale::c().toString(V, 'f', decimals);
    // A tiny negative number rounds to "-0.000", which reads as a different value from "0.000".
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 1 - (decimals > 0))
        text.remove(0, 1);
    return text;
}

void TDCAppInfo::SetUserName(const QString& V) {
    if (!V.isEmpty())
        FUserName = V;
}

void TDCAppInfo::SetApplicationName(const QString& V) {
    if (!V.isEmpty())
        FApplicationName = V;
}

void TDCAppInfo::SetFirmName(const QString& V) {
    if (!V.isEmpty())
        FFirmName = V;
}

QString RegistryFilePath() {
    const QString over = qEnvironmentVariable("DOVUVAVAROVOD_REGISTRY");
    if (!over.isEmpty())
        return over;
    // Beside the ports folder, so that all of the program's per-user state sits in one place.
    return QFileInfo(PortsFolder()).absolutePath() + QStringLiteral("/registry.ini");
}

TDataContainer::TDataContainer(QObject* Owner) : QObject(Owner) {}

TDataContainer::~TDataContainer() {
    // The values may outlive the container; they must not point at it afterwards.
    for (TRegistryValueShell* v : Saver.Items)
        if (v->FContainer == this)
            v->FContainer = nullptr;
}

void TDataContainer::SetRegistryKey(const QString& V) {
    if (!V.isEmpty())
        FRegistryKey = V;
}

QString TDataContainer::KeyPath() const {
    QString path = RegPath;
    if (path.isEmpty())
        path = QStringLiteral("Software/%1/%2/%3/%4")
                   .arg(DCAppInfo.FirmName(), DCAppInfo.ApplicationName())
                   .arg(DCAppInfo.ApplicationIndex())
                   .arg(FRegistryKey);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

void TDataContainer::Collect() {
    FCategories.clear();
    for (TRegistryValueShell* v : Saver.Items)
        if (v->FContainer == this)
            v->FContainer = nullptr;
    Saver.Items.clear();
    if (!parent())
        return;
    for (QObject* child : parent()->children()) {
        auto* value = qobject_cast<TRegistryValueShell*>(child);
        if (!value)
            continue;
        if (value->Category) {
            bool known = false;
            for (const TRegValueCategory* c : FCategories)
                known = known || c->Caption == value->Category->Caption;
            if (!known)
                FCategories.push_back(value->Category);
        }
        value->FContainer = this;
        Saver.Items.push_back(value);
    }
}

void TDataContainer::Broadcast(bool Flag) {
    if (OnUpdateResource)
        OnUpdateResource(Flag);
    for (TRegistryValueShell* v : Saver.Items)
        if (v->OnUpdateResource)
            v->OnUpdateResource(Flag);
}

namespace {

// Reads one stored value into V through its change rules. False when the stored value is not of
// the value's kind: an integer is decimal text that fits 32 bits, a float exactly 8 bytes of binary
// data (the IEEE 754 double, little-endian), a string is text (not binary data).
bool ReadStored(TRegistryValueShell* V, const QVariant& Stored) {
    const bool binary = Stored.typeId() == QMetaType::QByteArray;
    if (auto* i = qobject_cast<TRegInteger*>(V)) {
        if (binary || !Stored.canConvert<QString>())
            return false;
        bool ok = false;
        const qint32 n = Stored.toString().toInt(&ok);
        if (!ok)
            return false;
        i->SetValue(n);
        return true;
    }
    if (auto* f = qobject_cast<TRegFloat*>(V)) {
        const QByteArray bytes = Stored.toByteArray();
        if (!binary || bytes.size() != 8)
            return false;
        f->SetValue(std::bit_cast<double>(qFromLittleEndian<quint64>(bytes.constData())));
        return true;
    }
    if (auto* s = qobject_cast<TRegString*>(V)) {
        if (binary || !Stored.canConvert<QString>())
            return false;
        s->SetValue(Stored.toString());
        return true;
    }
    return false;
}

QVariant ToStored(const TRegistryValueShell* V) {
    if (auto* i = qobject_cast<const TRegInteger*>(V))
        return QVariant(i->Value());
    if (auto* f = qobject_cast<const TRegFloat*>(V)) {
        QByteArray bytes(8, '\0');
        qToLittleEndian<quint64>(std::bit_cast<quint64>(f->Value()), bytes.data());
        return QVariant(bytes);
    }
    if (auto* s = qobject_cast<const TRegString*>(V))
        return QVariant(s->Value());
    return {};
}

} // namespace

bool TDataContainer::Load() {
    FState = csLoading;
    bool ok = true;
    {
        QSettings store(Saver.EffectiveFileName(), QSettings::IniFormat);
        ok = store.status() == QSettings::NoError;
        if (ok) {
            store.beginGroup(KeyPath());
            for (TRegistryValueShell* v : Saver.Items) {
                const QString name = v->objectName();
                if (!store.contains(name)) {
                    // Missing: the next Save writes it, so the store comes to hold every value.
                    v->FModified = true;
                    continue;
                }
                if (!ReadStored(v, store.value(name))) {
                    ok = false;
                    break;
                }
            }
        }
    }
    Broadcast(true);
    FState = csIdle;
    return ok;
}

bool TDataContainer::Save(QString* ErrorText) {
    FState = csSaving;
    Broadcast(false);
    const QString file = Saver.EffectiveFileName();
    std::vector<TRegistryValueShell*> written;
    QSettings::Status status = QSettings::NoError;
    {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QSettings store(file, QSettings::IniFormat);
        status = store.status();
        if (status == QSettings::NoError) {
            store.beginGroup(KeyPath());
            for (TRegistryValueShell* v : Saver.Items)
                if (v->FModified) {
                    store.setValue(v->objectName(), ToStored(v));
                    written.push_back(v);
                }
            store.endGroup();
            store.sync();
            status = store.status();
        }
    }
    // Only a value the store took is no longer modified; a failed write keeps every mark, so the
    // next Save tries again and nothing the user changed is silently dropped.
    if (status == QSettings::NoError)
        for (TRegistryValueShell* v : written)
            v->FModified = false;
    else if (ErrorText)
        *ErrorText = QDir::toNativeSeparators(file);
    FState = csIdle;
    return status == QSettings::NoError;
}

void TDataContainer::ResetDefaults() {
    for (TRegistryValueShell* v : Saver.Items)
        v->ResetToDefault();
}
