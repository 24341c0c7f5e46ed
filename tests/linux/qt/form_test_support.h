#pragma once

#include <QApplication>
#include <QWidget>
#include <string>

#include "settings/form_description.h"

namespace kelvado::qt::test {

// The described widget that `widget` is or lies in (a drop-down list's edit field, say); its
// name, or empty when there is none.
inline std::string DescribedName(const FormDescription& form, const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    const std::string name = widget->objectName().toStdString();
    if (form.find(name)) return name;
  }
  return {};
}

inline std::string FocusedName(const FormDescription& form) {
  return DescribedName(form, QApplication::focusWidget());
}

}  // namespace kelvado::qt::test
