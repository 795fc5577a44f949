#pragma once

namespace rb {

class Form1;

// Gives every control a person uses an accessible name (and, where useful, a description)
// in German, so that a screen reader announces it; pictures drawn on a container's surface
// included.
void setAccessibleTexts(Form1& f);

// Makes the pictures, labels and lines drawn on containers visible to assistive technology
// as children of their container. Call once, after the application object exists.
void installAccessibility();

} // namespace rb
