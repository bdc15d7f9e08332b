#include "platform/ui/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

void LayOutWithButtons(QDialog* Dialog, QLayout* Content, QPushButton* Accept, QPushButton* Reject) {
    auto* buttons = new QDialogButtonBox(Dialog);
    buttons->addButton(Accept, QDialogButtonBox::AcceptRole);
    buttons->addButton(Reject, QDialogButtonBox::RejectRole);
    auto* main = new QVBoxLayout(Dialog);
    main->addLayout(Content);
    main->addWidget(buttons);
}
