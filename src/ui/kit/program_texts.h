#pragma once
// The program's name and the lines of the splash window and the About box.

#include "vimbo_version.h"

namespace vimbo::texts {

inline constexpr const char* kProgramName = "Vimbo";
inline constexpr const char* kTagline = "Your personal log of contacts with people";
inline constexpr const char* kVersion = "Version " VIMBO_VERSION;
inline constexpr const char* kNotice = "Copyright (C) Brenwick. All rights reserved.";
inline constexpr const char* kLegalNotice = "This program is provided as is, without warranty of any kind.";
inline constexpr const char* kUpdatePage = "https://www.brenwick.com/vimbo/update.htm";

}  // namespace vimbo::texts
