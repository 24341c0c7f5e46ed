#include "settings/form_description.h"

namespace kelvado {

WidgetDescription DescribeWidget(WidgetKind kind, std::string name, std::string parent, int left,
                                 int top, int width, int height, std::string caption) {
  WidgetDescription d;
  d.kind = kind;
  d.name = std::move(name);
  d.parent = std::move(parent);
  d.left = left;
  d.top = top;
  d.width = width;
  d.height = height;
  d.caption = std::move(caption);
  return d;
}

const WidgetDescription* FormDescription::find(const std::string& widget) const {
  for (const WidgetDescription& d : widgets) {
    if (d.name == widget) return &d;
  }
  return nullptr;
}

}  // namespace kelvado
