#pragma once

// Qt hands the user's locale to the C library when the application object is
// made. The program's files, device frames and pictures write numbers with a
// decimal point whatever the desktop's language, and the export files apply
// the regional format themselves; so number conversions stay in the "C"
// format. Call right after creating the application object.

namespace zephirax {

void KeepCNumberFormat();

}  // namespace zephirax
