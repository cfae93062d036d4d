// How the bytes of a modelling-results file become the text the user sees.
#pragma once

#include <QString>
#include <string_view>

namespace vt {

// The file's text as the chooser's preview and the interpolation screen both
// show it: UTF-8 where the bytes are valid UTF-8 (a leading byte-order mark
// dropped), else the Western Windows code page (Windows-1252: Latin-1 with
// printable characters such as the euro sign in 0x80..0x9F; its five unused
// bytes stay their Latin-1 control characters). CR LF and a lone CR become
// "\n". The file's numbers are read from the bytes, never from this text.
QString FileTextForDisplay(std::string_view bytes);

} // namespace vt
