#pragma once

#include <string>

// The decimal separator of the user's locale, as UTF-8. Fields accept it
// besides "."; results are shown with it.
std::string SystemDecimalSeparator();
