#pragma once

#include "settings/form_description.h"

namespace kelvado {

inline constexpr int kModalOk = 1;
inline constexpr int kModalCancel = 2;

// "О программе ...": created for each request, shown modally, destroyed after it.
const FormDescription& AboutDialog();
// "Вы уверены?": its modal result 6 lets a recording start; anything else does not.
const FormDescription& ConfirmDialog();

}  // namespace kelvado
