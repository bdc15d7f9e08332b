#pragma once

#include <QStringList>

class TAdminOptions;

// Every setting of the program's options as a text, read through the getters in a fixed order, so
// two trees compare with one ==.
QStringList OptionsSnapshot(const TAdminOptions& Options);
