#pragma once

#include <string>
#include <string_view>

// Windows speaks UTF-16 in its wide-character calls, which reach every file
// name whatever the system's code page; the engine and its front ends speak
// UTF-8. These two carry text across. Built on Windows only.
namespace murkwell {

// An empty text for bytes that are not UTF-8, so that no other file is named by mistake.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The system's sentence for an error code, without the full stop and line end
// it ends in, so that it reads like the other reasons; "system error N" when
// the system has none.
std::string SystemErrorText(unsigned long error);

}  // namespace murkwell
