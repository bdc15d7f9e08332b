#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

class TDataContainer;

// The kinds of value a registry parameter can hold. Only integer, float and string have a value
// class; the others keep their places so that stored ordinals stay the same.
enum TRegistryValueType {
    rvtInteger,
    rvtBoolean,
    rvtDateTime,
    rvtDate,
    rvtTime,
    rvtFloat,
    rvtString,
    rvtFileName,
    rvtFolderName,
    rvtIP
};

using TOnUpdateResource = std::function<void(bool aUpdateResource)>;
using TOnUserEditor = std::function<void(bool& aContinueStd)>;
using TOnIntegerModified = std::function<void(qint32 NewValue, bool& CanModified)>;
using TOnFloatModified = std::function<void(double NewValue, bool& CanModified)>;

// A group of parameters in the editor's left pane. Owned by the window that declares it.
class TRegValueCategory : public QObject {
    Q_OBJECT
public:
    explicit TRegValueCategory(QObject* Owner = nullptr) : QObject(Owner) {}
    // Informational only: nothing reads it.
    TDataContainer* DataContainer = nullptr;
    QString Caption;
    int ImageIndex = -1;
};

// The common part of the registry parameters. A parameter is a child object of the window that
// declares it; its objectName is the value's name in the store.
class TRegistryValueShell : public QObject {
    Q_OBJECT
public:
    TRegistryValueShell(QObject* Owner, const QString& Name, TRegistryValueType Type, const QString& Caption);
    // Leaves the container's list: a window's values and container die in either order.
    ~TRegistryValueShell() override;

    bool UserEditor = false;
    QString Caption;
    TRegValueCategory* Category = nullptr;
    QString Descriptor; // the title of the input box
    bool Visible = true;
    TOnUpdateResource OnUpdateResource;
    TOnUserEditor OnUserEditor;

    TRegistryValueType DateType() const { return FDateType; }
    // The container that collected this value; none before Collect.
    TDataContainer* Container() const { return FContainer; }
    // The value differs from what the store holds and is written at the next Save.
    bool Modified() const { return FModified; }

    // The value as the editor shows it and the input box starts with.
    virtual QString AsString() const = 0;
    // Converts typed text and assigns it through the change rules. False (and nothing changed) when
    // the text is not a number of the value's kind.
    virtual bool SetFromText(const QString& Text) = 0;
    // Assigns DefValue through the change rules.
    virtual void ResetToDefault() = 0;

protected:
    // After a stored change: marked only while attached to an idle container.
    void Changed();

private:
    friend class TDataContainer;
    TRegistryValueType FDateType;
    TDataContainer* FContainer = nullptr;
    bool FModified = false;
};

class TRegString : public TRegistryValueShell {
    Q_OBJECT
public:
    explicit TRegString(QObject* Owner = nullptr, const QString& Name = QString());
    QString Value() const { return FValue; }
    void SetValue(const QString& V);
    QString DefValue() const { return FDefValue; }
    void SetDefValue(const QString& V) { FDefValue = V; }
    QString AsString() const override { return FValue; }
    bool SetFromText(const QString& Text) override;
    void ResetToDefault() override { SetValue(FDefValue); }

private:
    QString FValue, FDefValue;
};

class TRegInteger : public TRegistryValueShell {
    Q_OBJECT
public:
    explicit TRegInteger(QObject* Owner = nullptr, const QString& Name = QString());
    qint32 Value() const { return FValue; }
    void SetValue(qint32 V);
    qint32 DefValue() const { return FDefValue; }
    // Refused when a range is set and V lies outside it.
    void SetDefValue(qint32 V);
    qint32 MinValue = 0;
    qint32 MaxValue = 0; // equal to MinValue: no range
    TOnIntegerModified OnModified;
    QString AsString() const override { return QString::number(FValue); }
    bool SetFromText(const QString& Text) override;
    void ResetToDefault() override { SetValue(FDefValue); }

private:
    qint32 FValue = 0, FDefValue = 0;
};

class TRegFloat : public TRegistryValueShell {
    Q_OBJECT
public:
    explicit TRegFloat(QObject* Owner = nullptr, const QString& Name = QString());
    double Value() const { return FValue; }
    void SetValue(double V);
    double DefValue() const { return FDefValue; }
    void SetDefValue(double V);
    double MinValue = 0;
    double MaxValue = 0;
    // "0" a digit always written, "." the decimal separator: "0.000" gives three decimals.
    QString Mask = QStringLiteral("0.000");
    TOnFloatModified OnModified;
    QString AsString() const override;
    bool SetFromText(const QString& Text) override;
    void ResetToDefault() override { SetValue(FDefValue); }

private:
    double FValue = 0, FDefValue = 0;
};

// Formats V by a mask of the kind TRegFloat uses ("0.000", "0", "00.0"), always with ".".
QString FormatByMask(double V, const QString& Mask);

class TDCAppInfo {
public:
    QString UserName() const { return FUserName; }
    void SetUserName(const QString& V);
    quint16 ApplicationIndex() const { return 0; }
    QString ApplicationName() const { return FApplicationName; }
    void SetApplicationName(const QString& V);
    QString FirmName() const { return FFirmName; }
    void SetFirmName(const QString& V);

private:
    QString FUserName = QStringLiteral("DefUser");
    QString FApplicationName = QStringLiteral("Input_AppName");
    QString FFirmName = QStringLiteral("ZUVO");
};

// Where the parameters live: one INI file for the program (QSettings), each key path a group.
// $DOVUVAVAROVOD_REGISTRY when set, else registry.ini beside the ports folder.
QString RegistryFilePath();

// The store end of a container: the file and the values in collection order (not owned).
class TRegistrySaver {
public:
    QString FileName; // empty: RegistryFilePath()
    std::vector<TRegistryValueShell*> Items;
    QString EffectiveFileName() const { return FileName.isEmpty() ? RegistryFilePath() : FileName; }
};

// Keeps the parameters a window declares under one key of the store. The lists refer to the
// window's value and category objects; the container owns none of them.
class TDataContainer : public QObject {
    Q_OBJECT
public:
    enum TState { csIdle = 0, csSaving = 1, csLoading = 2 };

    explicit TDataContainer(QObject* Owner = nullptr);
    ~TDataContainer() override;

    TDCAppInfo DCAppInfo;
    QString RegistryKey() const { return FRegistryKey; }
    void SetRegistryKey(const QString& V);
    QString Description = QStringLiteral("Options");
    QString RegPath; // an explicit key path; empty: built from DCAppInfo and RegistryKey
    TOnUpdateResource OnUpdateResource;
    TRegistrySaver Saver;

    TState State() const { return FState; }
    const std::vector<TRegValueCategory*>& Categories() const { return FCategories; }
    const std::vector<TRegistryValueShell*>& Values() const { return Saver.Items; }
    // The store's group path, with "/" between its parts ("Software/ZUVO/App/0/MainOptions").
    QString KeyPath() const;

    // Gathers the value objects of the owner, in its child order, and their categories.
    void Collect();
    // Reads every value; a value the store lacks is marked so that the next Save writes it. False
    // when the store could not be read or held a value of the wrong kind (reading stops there).
    bool Load();
    // Writes the modified values. A value stays Modified unless the store took it; false when the
    // write failed, with the reason in ErrorText.
    bool Save(QString* ErrorText = nullptr);
    void ResetDefaults();

private:
    void Broadcast(bool Flag);

    QString FRegistryKey = QStringLiteral("MainOptions");
    TState FState = csIdle;
    std::vector<TRegValueCategory*> FCategories;
};
