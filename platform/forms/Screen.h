#pragma once

namespace forms::Screen {

// The size of the primary screen in twips, for placing forms on it.
double Width();
double Height();

}  // namespace forms::Screen
