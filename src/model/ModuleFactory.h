#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

class TZUVOModule;

// The module class that serves each device type, and the one place where a template for a type is
// made. A class is available once its family is built into the program; until then its types have
// no template and callers leave the current module unset.

// The class name for a type code ("TKVDAIKBUS"), empty for a type without a class.
QString ModuleClassOf(quint16 TypeCode);

struct TModuleCreation {
    std::unique_ptr<TZUVOModule> Module;
    QString Why; // when Module is empty: why there is no template
};

TModuleCreation CreateModuleForType(quint16 TypeCode);

// Called by each module family to make its classes available.
using TModuleCreator = std::function<std::unique_ptr<TZUVOModule>()>;
void RegisterModuleClass(const QString& ClassName, TModuleCreator Creator);
