#include "window/accessibility.h"

#include "window/form1.h"

namespace rb {

void setAccessibleTexts(Form1&) {}

void installAccessibility() {}

} // namespace rb
