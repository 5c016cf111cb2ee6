// Texts between the program (UTF-8 std::string) and wxWidgets (wxString).
#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>

namespace ravelo {

inline wxString U(std::string_view utf8) { return wxString::FromUTF8(utf8.data(), utf8.size()); }
inline std::string Utf8Of(const wxString& text) { return text.utf8_string(); }

}  // namespace ravelo
