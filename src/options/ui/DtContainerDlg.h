#pragma once

#include <QDialog>
#include <functional>

class QAction;
class QLabel;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TDataContainer;
class TRegValueCategory;
class TRegistryValueShell;

// The two-pane parameter editor: categories on the left, their values on the right. It loads the
// container when it opens and saves it when it closes, however it is closed.
class TDtContainerDlg : public QDialog {
    Q_OBJECT
public:
    TDtContainerDlg(TDataContainer& Container, QWidget* parent = nullptr);

    // The input box; returns false on Cancel. Replaced by tests.
    std::function<bool(const QString& Title, const QString& Prompt, QString& Text)> OnInput;
    // Yes or No; a message box unless replaced.
    std::function<bool(const QString& Text)> OnConfirm;
    // An error message; a message box unless replaced.
    std::function<void(const QString& Text)> OnMessage;

    // Loads, shows modally, saves. False when the save failed (the user was told).
    bool Execute();

    QLabel* CategoryHeader = nullptr;
    QListWidget* CategoryList = nullptr;
    QTreeWidget* ValueList = nullptr;
    QAction* actSetDefault = nullptr;
    QAction* actExit = nullptr;

    // The values of the selected entry; the entry's category, none for "(All Parameters)".
    void FillValues();
    // Edits the selected row's value.
    void EditSelected();
    void SetDefaultExecute();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void FillCategories();
    void ShowRow(QTreeWidgetItem* Item, TRegistryValueShell* Value);
    TRegistryValueShell* ValueOf(QTreeWidgetItem* Item) const;

    TDataContainer& FContainer;
};

// The editor for a container, as a window declares it beside its parameters.
class TDataContainerDialog {
public:
    TDataContainer* DataContainer = nullptr;
    int MaxInstrumentalWidth() const { return FMaxInstrumentalWidth; }
    void SetMaxInstrumentalWidth(int V) {
        if (V > 0)
            FMaxInstrumentalWidth = V;
    }
    // Opens the editor for DataContainer; nothing when none is assigned. False when the save
    // failed.
    bool Execute(QWidget* Parent);
    // Lets a test reach the editor while it is open.
    std::function<void(TDtContainerDlg&)> OnCreated;

private:
    int FMaxInstrumentalWidth = 150;
};
