#pragma once

class QDialog;
class QLayout;
class QPushButton;

// Gives a dialog its usual layout: Content above a row with the accepting and the rejecting button,
// in the order the platform puts them. The buttons' clicks are the caller's to connect.
void LayOutWithButtons(QDialog* Dialog, QLayout* Content, QPushButton* Accept, QPushButton* Reject);
