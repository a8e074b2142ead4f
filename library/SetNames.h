// The names a set may be given by the program's commands: one folder name
// that the browser shows and that is no name with a meaning in the tree.
#pragma once

#include <QString>

namespace library {

// Why a name cannot be a set's; None when it can.
enum class SetNameProblem { None, Empty, HasSlash, Hidden, Reserved, TooLong };

SetNameProblem checkSetName(const QString& name);
// The reason in the user's words; "" for None.
QString setNameProblemText(SetNameProblem problem);

} // namespace library
